#include "core/userfile.h"

#include "core/coreservices.h"
#include "core/marktexts.h"
#include "core/modorvan.h"
#include "core/programversion.h"
#include "core/userrecord.h"
#include "platform/fileinuse.h"
#include "platform/msgbox.h"
#include "platform/textfile.h"

#include <QFileInfo>

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

// The user file as this copy read it at sign-in, or last wrote it: a save
// replaces that file and nothing else. In a users/ folder that every account
// may write, a classmate could put a link in its place, or another file;
// the save is refused then (and `replaced` set) rather than written there.
struct UserFileSeen {
    QString path;
    ReplaceOnly only;
    bool replaced = false;
};

UserFileSeen& userFileSeen()
{
    static UserFileSeen seen;
    return seen;
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

void reportWriteError(const QString& reason)
{
    QString text = QStringLiteral("Error writing ") + modOrvan.UserFilePath
                 + QStringLiteral(". Information not saved.");
    if (!reason.trimmed().isEmpty())
        text += vbCrLf + asSentence(reason);
    MsgBox(text, MsgButtons::OkOnly, MsgIcon::Exclamation);
}

void reportReadError(const QString& reason)
{
    MsgBox(QStringLiteral("The file ") + modOrvan.UserFilePath + QStringLiteral(" cannot be used: ") + reason
               + QStringLiteral(". The file has been left as it is."),
           MsgButtons::OkOnly, MsgIcon::Exclamation);
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
        reportWriteError(markLostReason(userFileMark().loss()));
        return false;
    }
    const QByteArray line = userFileLine(r, m.Password, GetRandomNum);
    m.PasswordCode = fromBytes(line.right(kPasswordCodeLength));
    UserFileSeen& seen = userFileSeen();
    const bool known = seen.path == m.UserFilePath;
    const WriteResult w = writeFileAtomic(m.UserFilePath, line + "\r\n", known ? seen.only : ReplaceOnly{});
    switch (w.outcome) {
    case WriteResult::Changed:
        // Not the student's file any more: never written again, and the
        // next save asks for a name of its own.
        seen.replaced = known;
        reportWriteError(asSentence(w.reason) + workKeptText());
        return false;
    case WriteResult::Exists:
    case WriteResult::Failed: reportWriteError(w.reason); return false;
    case WriteResult::Written:
    case WriteResult::WrittenNotSynced:
        if (known)
            seen.only.file = w.file; // the next save replaces this copy
        break;
    }
    if (userFileTakenOver()) {
        // Taken over between the check above and the rename: this save
        // stands in the file, but the other copy's next save replaces it.
        MsgBox(takenOverDuringSaveText(m.UserFilePath), MsgButtons::OkOnly, MsgIcon::Exclamation);
        return false;
    }
    // The save stands; the student learns that it is not safe yet.
    if (w.outcome == WriteResult::WrittenNotSynced)
        MsgBox(QStringLiteral("Your progress has been written to ") + m.UserFilePath
                   + QStringLiteral(", but the disk did not confirm it (") + w.reason
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
    case HoldOutcome::Held:
    case HoldOutcome::HeldUnmarked:
        // Not read yet: until it is, a save takes whichever regular file is
        // at the name, never a link.
        userFileSeen() = {path, {}, false};
        if (out.result == HoldOutcome::HeldUnmarked && !out.reason.isEmpty())
            MsgBox(heldUnmarkedText(path, out.reason), MsgButtons::OkOnly, MsgIcon::Exclamation);
        return true;
    case HoldOutcome::Failed:
        if (markError)
            *markError = markUnwritableReason(out.mark, out.reason);
        return false;
    case HoldOutcome::InUse: break;
    }
    if (inUse)
        *inUse = out.holder.isEmpty() ? markUnreadableText(path, out.mark, out.reason, out.minutesLeft)
                                      : markInUseText(path, out.holder, out.mark, out.minutesLeft);
    return false;
}

QString releaseUserFile()
{
    userFileSeen() = {};
    const QString stuck = userFileMark().release();
    return stuck.isEmpty() ? QString() : markReleaseFailedText(stuck);
}

bool userFileReplaced() { return userFileSeen().replaced && userFileSeen().path == modOrvan.UserFilePath; }

void prepareUserFileMark() { userFileMark(); }

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
    // A user file that is a link when it is read was set up so before this
    // session: saves follow it, to the file read through it only. A link put
    // in its place later is refused by the save.
    const bool throughLink = QFileInfo(m.UserFilePath).isSymLink();
    const auto lines = readFileLines(m.UserFilePath);
    if (!lines) {
        reportReadError(lines.error);
        return false;
    }
    userFileSeen() = {m.UserFilePath, {lines.file, throughLink}, false};
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
