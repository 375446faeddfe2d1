#include "core/marktexts.h"

#include "platform/fileinuse.h"
#include "platform/msgbox.h"
#include "platform/runtime.h"

namespace orv {

namespace {

// How a refused student gets the file once the mark is stale.
QString takeOverWait(int minutesLeft)
{
    return QStringLiteral("Orvanto on this machine takes the file over once it has seen the mark unchanged for %1 "
                          "minutes: choose Restart for new user and try again in %2 %3.")
        .arg(kInUseStaleMinutes)
        .arg(minutesLeft)
        .arg(minutesLeft == 1 ? QStringLiteral("minute") : QStringLiteral("minutes"));
}

} // namespace

QString markInUseText(const QString& path, const QString& holder, const QString& mark, int minutesLeft)
{
    QString text = QStringLiteral("The file ") + path + QStringLiteral(" is in use by another copy of Orvanto (")
                 + holder + QStringLiteral("). Finish the session there first.");
    if (minutesLeft > 0)
        text += QStringLiteral(" If that copy is no longer running, ") + takeOverWait(minutesLeft)
              + QStringLiteral(" Your instructor can also delete its mark ") + mark + u'.';
    else
        text += QStringLiteral(" Its in-use mark is ") + mark + u'.';
    return text;
}

QString markUnreadableText(const QString& path, const QString& mark, const QString& unreadable, int minutesLeft)
{
    QString text = QStringLiteral("The file ") + path + QStringLiteral(" is marked as in use by ") + mark
                 + (unreadable.isEmpty() ? QStringLiteral(", a mark this version of Orvanto cannot read.")
                                         : QStringLiteral(", a mark this account may not read (") + unreadable
                                               + QStringLiteral("): another copy of Orvanto may have the file open."));
    if (minutesLeft > 0)
        text += QStringLiteral(" If no copy of Orvanto has the file open, ") + takeOverWait(minutesLeft);
    return text + QStringLiteral(" Your instructor can also delete the mark.");
}

QString markUnwritableReason(const QString& mark, const QString& why)
{
    return QStringLiteral("its in-use mark ") + mark + QStringLiteral(" cannot be written (") + why + u')';
}

QString signInMarkUnwritableText(const QString& path, const QString& unwritableReason)
{
    return QStringLiteral("The file ") + path + QStringLiteral(" cannot be opened: ") + unwritableReason
         + QStringLiteral(". Nothing of it has been read.");
}

QString saveMarkUnwritableText(const QString& path, const QString& unwritableReason)
{
    return QStringLiteral("Error writing ") + path + QStringLiteral(". Information not saved.") + vbCrLf
         + asSentence(unwritableReason);
}

QString heldUnmarkedText(const QString& path, const QString& stuckMarks)
{
    return QStringLiteral("The file ") + path + QStringLiteral(" is open without an in-use mark: the marks ")
         + stuckMarks
         + QStringLiteral(" were left by copies of Orvanto that are no longer running, or are damaged, and this "
                          "account may not remove them. Until your instructor deletes them, make sure that this "
                          "file is not opened anywhere else at the same time.");
}

QString markReleaseFailedText(const QString& stuck)
{
    return QStringLiteral("The in-use mark of your file could not be removed: ") + stuck
         + QStringLiteral(". Orvanto on this machine opens the file again once this program has ended; on another "
                          "machine, once it has seen the mark unchanged for %1 minutes, or when your instructor "
                          "deletes the mark.")
               .arg(kInUseStaleMinutes);
}

QString workKeptText()
{
    // Ended by the system, the program saves nothing more (a session
    // manager's request to save, with the session going on, is not an end).
    return systemEndUnderWay()
             ? QStringLiteral(" Orvanto was ended by the system, so the work since the last save is lost")
             : QStringLiteral(" Your work is kept: save again to give it another name");
}

QString markLostReason(const MarkLoss& loss)
{
    const QString kept = workKeptText();
    switch (loss.kind) {
    case MarkLoss::Unreadable:
        return QStringLiteral("The in-use mark ") + loss.mark
             + QStringLiteral(" of this file can no longer be read or renewed (") + loss.why
             + QStringLiteral("), so other copies of Orvanto cannot tell that it is open here.") + kept;
    case MarkLoss::FolderGone:
        return QStringLiteral("The folder ") + loss.why
             + QStringLiteral(" is no longer there (a shared folder may have been disconnected).") + kept;
    case MarkLoss::Removed:
        return QStringLiteral("The in-use mark ") + loss.mark
             + QStringLiteral(" of this file was removed since you signed in: another copy of Orvanto may have "
                              "opened the file, and saving here could overwrite its work.")
             + kept;
    case MarkLoss::None:
    case MarkLoss::TakenOver: break;
    }
    return QStringLiteral("Another copy of Orvanto has opened this file since you signed in, and saving here would "
                          "overwrite its work.")
         + kept;
}

QString takenOverDuringSaveText(const QString& path)
{
    return QStringLiteral("Your progress has been written to ") + path
         + QStringLiteral(", but another copy of Orvanto opened this file while it was being saved: this save may "
                          "have overwritten that copy's work, and that copy's next save will overwrite yours.")
         + workKeptText() + u'.';
}

} // namespace orv
