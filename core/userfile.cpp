#include "core/userfile.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "core/programversion.h"
#include "core/userrecord.h"
#include "platform/fileinuse.h"
#include "platform/msgbox.h"
#include "platform/textfile.h"

namespace orv {

namespace {

PasswordWindows& windows()
{
    static PasswordWindows w;
    return w;
}

// The user file this copy of the program holds.
FileInUse& userFileMark()
{
    static FileInUse mark;
    return mark;
}

void askNewPassword(const QString& caption)
{
    if (windows().askNewPassword)
        windows().askNewPassword(caption);
}

// While passwords are required, a user file is written only with a password
// the student typed twice: one stored or confirmed before, or one asked for
// now. False when the window was closed without one.
bool passwordForWriting()
{
    if (passwordStillToChoose())
        askNewPassword(QStringLiteral("Password required for new user"));
    return !passwordStillToChoose();
}

// A reason as a sentence of its own: capital first letter, final stop.
QString sentence(QString reason)
{
    reason = reason.trimmed();
    if (reason.isEmpty())
        return reason;
    reason[0] = reason[0].toUpper();
    if (!reason.endsWith(u'.'))
        reason += u'.';
    return reason;
}

void reportWriteError(const QString& reason)
{
    QString text = QStringLiteral("Error writing ") + modOrvan.UserFilePath
                 + QStringLiteral(". Information not saved.");
    if (!reason.trimmed().isEmpty())
        text += vbCrLf + sentence(reason);
    MsgBox(text, MsgButtons::OkOnly, MsgIcon::Exclamation);
}

void reportReadError(const QString& reason)
{
    MsgBox(QStringLiteral("The file ") + modOrvan.UserFilePath + QStringLiteral(" cannot be used: ") + reason
               + QStringLiteral(". The file has been left as it is."),
           MsgButtons::OkOnly, MsgIcon::Exclamation);
}

// Why the file is no longer this copy's to write, as its mark was lost.
QString lostFileReason()
{
    const MarkLoss loss = userFileMark().loss();
    const QString kept = QStringLiteral(" Your work is kept: save again to give it another name");
    switch (loss.kind) {
    case MarkLoss::Unreadable:
        return QStringLiteral("The in-use mark ") + loss.mark + QStringLiteral(" of this file can no longer be read or "
                                                                             "renewed (")
             + loss.why + QStringLiteral("), so other copies of Orvanto cannot tell that it is open here.") + kept;
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

// Every write goes through here: the record is checked before anything is
// written, and the file is replaced whole or not at all.
bool writeUserRecord(const UserRecord& r)
{
    auto& m = modOrvan;
    if (const QString problem = userRecordProblem(r); !problem.isEmpty()) {
        reportWriteError(QStringLiteral("The record cannot be stored: ") + problem);
        return false;
    }
    if (!m.Password.isEmpty() && !isStorablePassword(m.Password)) {
        reportWriteError(QStringLiteral("The password cannot be stored in the file"));
        return false;
    }
    if (userFileTakenOver()) {
        // Whatever is in the file now, this copy's work stays here.
        reportWriteError(lostFileReason());
        return false;
    }
    const QByteArray line = userFileLine(r, m.Password, GetRandomNum);
    m.PasswordCode = fromBytes(line.right(kPasswordCodeLength));
    QString why, notSynced;
    if (!writeFileAtomic(m.UserFilePath, line + "\r\n", &why, &notSynced)) {
        reportWriteError(why);
        return false;
    }
    if (userFileTakenOver()) {
        // Taken over between the check above and the rename: this save
        // stands in the file, but the other copy's next save replaces it.
        MsgBox(QStringLiteral("Your progress has been written to ") + m.UserFilePath
                   + QStringLiteral(", but another copy of Orvanto opened this file while it was being saved: this "
                                    "save may have overwritten that copy's work, and that copy's next save will "
                                    "overwrite yours. Your work is kept: save again to give it another name."),
               MsgButtons::OkOnly, MsgIcon::Exclamation);
        return false;
    }
    if (!notSynced.isEmpty())
        MsgBox(QStringLiteral("Your progress has been written to ") + m.UserFilePath
                   + QStringLiteral(", but the disk did not confirm it (") + notSynced
                   + QStringLiteral("): a power cut now could still lose this save."),
               MsgButtons::OkOnly, MsgIcon::Exclamation);
    return true;
}

// Asks for or checks the password as the settings require.
void passwordStep()
{
    auto& m = modOrvan;
    if (m.PasswordRequired != kTrue)
        return;
    if (!m.Password.isEmpty()) {
        if (windows().testPassword)
            windows().testPassword(QStringLiteral("Password required"));
    } else if (m.MultipleSessionsAllowed == kTrue) {
        askNewPassword(QStringLiteral("Password now required"));
    } else {
        m.PasswordVerified = kTrue;
    }
}

void applyContents(const UserFileContents& c)
{
    auto& m = modOrvan;
    applyUserRecord(c.record, m);
    m.PasswordCode = c.passwordCode;
    m.Password = c.password;
}

// A file with a password, while passwords are required, is let in only once
// the student has typed it: until then nothing of the file but the password
// under test is in the state, and a refusal takes that back out. True when
// the file is refused (PasswordVerified False).
bool refusedByItsPassword(const UserFileContents& c)
{
    auto& m = modOrvan;
    if (m.PasswordRequired != kTrue || c.password.isEmpty())
        return false;
    const QString password = m.Password, code = m.PasswordCode;
    m.Password = c.password; // the test window compares with it
    passwordStep();
    if (m.PasswordVerified == kTrue)
        return false;
    m.Password = password;
    m.PasswordCode = code;
    return true;
}

} // namespace

bool passwordStillToChoose() { return modOrvan.PasswordRequired == kTrue && modOrvan.Password.isEmpty(); }

void setPasswordWindows(PasswordWindows w) { windows() = std::move(w); }

bool holdUserFile(const QString& path, QString* inUse, QString* markError)
{
    const HoldOutcome out = userFileMark().hold(path);
    switch (out.result) {
    case HoldOutcome::Held: return true;
    case HoldOutcome::HeldUnmarked:
        if (!out.reason.isEmpty())
            MsgBox(QStringLiteral("The file ") + path + QStringLiteral(" is open without an in-use mark: the marks ")
                       + out.reason
                       + QStringLiteral(" were left by copies of Orvanto that are no longer running, or "
                                        "are damaged, and this account may not remove them. Until your "
                                        "instructor deletes them, make sure that this file is not "
                                        "opened anywhere else at the same time."),
                   MsgButtons::OkOnly, MsgIcon::Exclamation);
        return true;
    case HoldOutcome::Failed:
        if (markError)
            *markError = QStringLiteral("its in-use mark ") + out.mark + QStringLiteral(" cannot be written (")
                       + out.reason + u')';
        return false;
    case HoldOutcome::InUse: break;
    }
    if (!inUse)
        return false;
    const QString wait = QStringLiteral("Orvanto on this machine takes the file over once it has seen the mark "
                                        "unchanged for %1 minutes: choose Restart for new user and try again in %2 %3.")
                             .arg(kInUseStaleMinutes)
                             .arg(out.minutesLeft)
                             .arg(out.minutesLeft == 1 ? QStringLiteral("minute") : QStringLiteral("minutes"));
    if (out.holder.isEmpty()) {
        *inUse = QStringLiteral("The file ") + path + QStringLiteral(" is marked as in use by ") + out.mark
               + (out.reason.isEmpty() ? QStringLiteral(", a mark this version of Orvanto cannot read.")
                                       : QStringLiteral(", a mark this account may not read (") + out.reason
                                             + QStringLiteral("): another copy of Orvanto may have the file open."));
        if (out.minutesLeft > 0)
            *inUse += QStringLiteral(" If no copy of Orvanto has the file open, ") + wait;
        *inUse += QStringLiteral(" Your instructor can also delete the mark.");
        return false;
    }
    *inUse = QStringLiteral("The file ") + path + QStringLiteral(" is in use by another copy of Orvanto (") + out.holder
           + QStringLiteral("). Finish the session there first.");
    if (out.minutesLeft > 0)
        *inUse += QStringLiteral(" If that copy is no longer running, ") + wait
                + QStringLiteral(" Your instructor can also delete its mark ") + out.mark + u'.';
    else
        *inUse += QStringLiteral(" Its in-use mark is ") + out.mark + u'.';
    return false;
}

QString releaseUserFile()
{
    const QString stuck = userFileMark().release();
    if (stuck.isEmpty())
        return {};
    return QStringLiteral("The in-use mark of your file could not be removed: ") + stuck
         + QStringLiteral(". Orvanto on this machine opens the file again once this program has ended; on another "
                          "machine, once it has seen the mark unchanged for %1 minutes, or when your instructor "
                          "deletes the mark.")
               .arg(kInUseStaleMinutes);
}

bool userFileTakenOver() { return !userFileMark().stillHeld(); }

QString upgradeMessage(const QString& path, bool version42)
{
    return QStringLiteral("Your file ") + path
         + (version42 ? QStringLiteral(" was from version 4.2 ")
                      : QStringLiteral(" was from a version earlier than 4.2 "))
         + vbCrLf + QStringLiteral(" of Orvanto and has now been updated to") + QStringLiteral(" version ")
         + versionText() + u'.';
}

bool WriteUserFile()
{
    auto& m = modOrvan;
    if (!passwordForWriting()) {
        // Nothing is written: the file could be opened by anyone, who would
        // then set its password. The work stays here, to be saved again.
        reportWriteError(QStringLiteral("No password was given, and one is required: save again and supply one"));
        return false;
    }
    const bool allDone = m.AllUnknownsDone == kTrue;
    if (allDone)
        m.SessionNumber = 0;
    else
        m.MinutesUsed = roundedMinutes(secondsWorked());
    UserRecord r = userRecordOf(m);
    if (allDone)
        r.minutes = 0;
    return writeUserRecord(r);
}

bool ReadUserFile()
{
    auto& m = modOrvan;
    // A verification belongs to the file just read, never to the one before.
    m.PasswordVerified = kFalse;
    QString why;
    const auto lines = readFileLines(m.UserFilePath, &why);
    if (!lines) {
        reportReadError(why);
        return false;
    }
    const UserFileContents c = parseUserFile(*lines);
    if (!c.olderFormat) {
        m.TextBuffer = lines->isEmpty() ? QString() : fromBytes(lines->front());
        return ReadUserFileRecord();
    }
    if (!c.ok()) {
        reportReadError(c.error);
        return false;
    }
    // Nobody but the file's owner has it upgraded.
    if (refusedByItsPassword(c))
        return true;
    applyContents(c);
    if (!passwordForWriting()) {
        // Not upgraded without a password: the file stays as it was, with
        // the work in it. Where progress is saved the student is not let in
        // either (the next sign-in asks again); where it is not, a file
        // without a password is let in as always.
        if (m.MultipleSessionsAllowed == kTrue)
            m.PasswordVerified = kFalse;
        else
            passwordStep();
        return true;
    }
    // Rewritten as it was read: same session and minutes, so that the
    // upgrade itself neither counts a session nor loses time.
    if (writeUserRecord(c.record))
        MsgBox(upgradeMessage(m.UserFilePath, c.version42), MsgButtons::OkOnly, MsgIcon::Information);
    if (c.password.isEmpty())
        passwordStep(); // a password just given is tested as a stored one would be
    return true;
}

bool ReadUserFileRecord()
{
    auto& m = modOrvan;
    m.PasswordVerified = kFalse;
    const UserFileContents c = parseUserFileLine(toBytes(m.TextBuffer));
    if (!c.ok()) {
        reportReadError(c.error);
        return false;
    }
    if (refusedByItsPassword(c))
        return true;
    applyContents(c);
    if (c.password.isEmpty())
        passwordStep();
    return true;
}

} // namespace orv
