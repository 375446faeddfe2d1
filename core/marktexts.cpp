#include "core/marktexts.h"

#include "platform/fileinuse.h"
#include "platform/msgbox.h"
#include "platform/runtime.h"

#include <QLocale>

namespace orv {

namespace {

QString plural(qint64 n, const char* one, const char* many)
{
    return QString::number(n) + u' ' + QString::fromLatin1(n == 1 ? one : many);
}

// "moments ago", "5 minutes ago (at 14:05)", "3 days ago (at 09:12 on 8 Dec 2026)".
QString renewedAgo(qint64 seconds, const QDateTime& now)
{
    if (seconds < 60)
        return QStringLiteral("moments ago");
    const qint64 minutes = seconds / 60;
    const QString ago = minutes < 120  ? plural(minutes, "minute", "minutes")
                      : minutes < 2880 ? plural(minutes / 60, "hour", "hours")
                                       : plural(minutes / 1440, "day", "days");
    const QDateTime then = now.addSecs(-seconds);
    const QLocale c = QLocale::c();
    const QString at = then.date() == now.date() ? c.toString(then, QStringLiteral("hh:mm"))
                                                 : c.toString(then, QStringLiteral("hh:mm 'on' d MMM yyyy"));
    return ago + QStringLiteral(" ago (at ") + at + u')';
}

// Where the mark was made and by whom, as the mark and its file tell it.
QString whoHolds(const MarkClaim& c)
{
    if (c.unreadable.isEmpty())
        return (c.thisMachine ? QStringLiteral("on this machine") : QStringLiteral("on machine ") + c.machine)
             + QStringLiteral(", by the account ") + c.account;
    return QStringLiteral("by the account ") + c.account;
}

} // namespace

QString markInUseText(const QString& path, const QString& account, const QString& mark)
{
    return QStringLiteral("The file ") + path
         + QStringLiteral(" is in use by another copy of Orvanto on this machine (account ") + account
         + QStringLiteral("). Finish the session there first. Its in-use mark is ") + mark + u'.';
}

QString markChangingText(const QString& path, const QString& mark)
{
    return QStringLiteral("The file ") + path
         + QStringLiteral(" is being opened by another copy of Orvanto at this moment. Try again in a minute. Its "
                          "in-use mark is ")
         + mark + u'.';
}

QString openAnywayQuestion(const QString& path, const MarkClaim& c, const QDateTime& now)
{
    QString text = QStringLiteral("The file ") + path + QStringLiteral(" may be open in another copy of Orvanto.")
                 + vbCrLf + vbCrLf;
    if (c.unreadable.isEmpty())
        text += QStringLiteral("It was marked as in use ") + whoHolds(c)
              + QStringLiteral(". The mark was last renewed ");
    else
        text += QStringLiteral("Its in-use mark cannot be read (") + c.unreadable
              + QStringLiteral("). It belongs to "
                               "the account ")
              + c.account + QStringLiteral(" and was last changed ");
    text += c.renewedSecondsAgo ? renewedAgo(*c.renewedSecondsAgo, now) : QStringLiteral("at a time not known");
    text += QStringLiteral(". A copy of Orvanto that is running renews its mark every minute.") + vbCrLf + vbCrLf
          + QStringLiteral("Open the file anyway only if that copy is closed, or its computer has stopped. If it is "
                           "still running, the work done there since its last save is lost.")
          + vbCrLf + vbCrLf + QStringLiteral("The mark is ") + c.mark + u'.';
    return text;
}

QString notOpenedText(const QString& path, const MarkClaim& c)
{
    return QStringLiteral("The file ") + path
         + QStringLiteral(" has not been opened: it may be open in another copy "
                          "of Orvanto (marked as in use ")
         + whoHolds(c)
         + QStringLiteral("). Finish the session there first, or choose Open anyway once that copy is closed. Its "
                          "in-use mark is ")
         + c.mark + u'.';
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

QString writeErrorText(const QString& path, const QString& reason)
{
    QString text = QStringLiteral("Error writing ") + path + QStringLiteral(". Information not saved.");
    if (!reason.trimmed().isEmpty())
        text += vbCrLf + asSentence(reason);
    return text;
}

QString heldUnmarkedText(const QString& path, const QString& stuckMarks)
{
    return QStringLiteral("The file ") + path
         + QStringLiteral(" is open without an in-use mark: the places of its "
                          "marks, ")
         + stuckMarks
         + QStringLiteral(
               ", are taken by what this account may not remove, or by what Orvanto never removes. Until your instructor deletes them, "
               "make sure that this file is not opened anywhere else at the same time.");
}

QString markReleaseFailedText(const QString& stuck)
{
    return QStringLiteral("The in-use mark of your file could not be removed: ") + stuck
         + QStringLiteral(". Orvanto on this machine opens the file again once this program has ended; elsewhere, "
                          "the next copy that opens the file asks first whether this one is still running.");
}

QString refusedSaveOutcome(const QString& rescued)
{
    // Ended by the system, the program can ask for no other name (a session
    // manager's request to save, with the session going on, is not an end).
    if (!systemEndUnderWay())
        return QStringLiteral(" Your work is kept: save again to give it another name");
    if (!rescued.isEmpty())
        return QStringLiteral(" Orvanto was ended by the system, so your work has been saved in the new file ")
             + rescued + QStringLiteral(" instead: tell your instructor");
    return QStringLiteral(" Orvanto was ended by the system, so the work since the last save is lost");
}

QString markLostReason(const MarkLoss& loss)
{
    switch (loss.kind) {
    case MarkLoss::Unreadable:
        return QStringLiteral("The in-use mark ") + loss.mark
             + QStringLiteral(" of this file can no longer be read or renewed (") + loss.why
             + QStringLiteral("), so other copies of Orvanto cannot tell that it is open here.");
    case MarkLoss::FolderGone:
        return QStringLiteral("The folder ") + loss.why
             + QStringLiteral(" is no longer there (a shared folder may have been disconnected).");
    case MarkLoss::Removed:
        return QStringLiteral("The in-use mark ") + loss.mark
             + QStringLiteral(" of this file was removed since you signed in: another copy of Orvanto may have "
                              "opened the file, and saving here could overwrite its work.");
    case MarkLoss::None:
    case MarkLoss::TakenOver: break;
    }
    return QStringLiteral("Another copy of Orvanto")
         + (loss.by.isEmpty() ? QString() : QStringLiteral(" (") + loss.by + u')')
         + QStringLiteral(" has opened this file since you signed in, and saving here would overwrite its work.");
}

QString markLostNotice(const QString& path, const MarkLoss& loss)
{
    return QStringLiteral("Your file ") + path + vbCrLf + vbCrLf + markLostReason(loss) + vbCrLf + vbCrLf
         + QStringLiteral("Nothing more is saved in it from here: your next save asks for another name, so that "
                          "your work here is kept as well.");
}

QString takenOverDuringSaveText(const QString& path, const QString& rescued)
{
    return QStringLiteral("Your progress has been written to ") + path
         + QStringLiteral(", but another copy of Orvanto opened this file while it was being saved: this save may "
                          "have overwritten that copy's work, and that copy's next save will overwrite yours.")
         + refusedSaveOutcome(rescued) + u'.';
}

QString replacedFileReason(bool newFile)
{
    if (newFile)
        return QStringLiteral("Someone has put another file at this name in the users folder since you chose it, so "
                              "it is not yours to write. Tell your instructor.");
    return QStringLiteral("The file at this name in the users folder is no longer the one you opened: someone has "
                          "put another file, or a shortcut to one, in its place. Tell your instructor.");
}

} // namespace orv
