#include "core/userfile.h"

#include "core/coreservices.h"
#include "core/marktexts.h"
#include "core/modorvan.h"
#include "core/programversion.h"
#include "core/userrecord.h"
#include "platform/fileinuse.h"
#include "platform/msgbox.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTimer>

#include <vector>

namespace orv {

namespace {

// What the user-file routines keep for the whole session, in one object
// made before the system's end road is installed (prepareUserFileMark), so
// that it outlives that road's exit handler.
// The user file as this copy read it at sign-in, or last wrote it: a save
// replaces that file and nothing else. In a users/ folder that every
// account may write, a classmate could put a link in its place, or another
// file; the save is refused then (and `replaced` set) rather than written
// there. No file seen (`only.file` empty): a save makes a new one.
struct UserFileSeen {
    QString path;
    ReplaceOnly only;
    bool replaced = false;
};

struct UserFileState {
    PasswordWindows windows;
    FileInUse mark; // the user file this copy holds
    UserFileSeen seen;
    QString givenUp; // see giveUpUserFile

    UserFileState()
    {
        // A renewal that finds the mark taken over tells the student at once,
        // from the event loop rather than from inside the renewal.
        mark.onLost([](const MarkLoss& loss) {
            QTimer::singleShot(0, [text = markLostNotice(modOrvan.UserFilePath, loss)] {
                MsgBox(text, MsgButtons::OkOnly, MsgIcon::Exclamation);
            });
        });
    }
};

UserFileState& state()
{
    static UserFileState s;
    return s;
}

PasswordWindows& windows() { return state().windows; }

FileInUse& userFileMark() { return state().mark; }

UserFileSeen& userFileSeen() { return state().seen; }

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

// Where the work of a save refused at the system's end goes: a new file
// beside the user file (or the one given up), made exclusively (never over
// another's). Empty when none could be made.
QString keepElsewhere(const QByteArray& line)
{
    const QFileInfo info(modOrvan.UserFilePath.isEmpty() ? state().givenUp : modOrvan.UserFilePath);
    QString base = info.fileName();
    if (base.endsWith(QStringLiteral(".ovg"), Qt::CaseInsensitive))
        base.chop(4);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1; n <= 20; ++n) {
        const QString ending = QStringLiteral("-kept-") + stamp + (n > 1 ? u'-' + QString::number(n) : QString())
                             + QStringLiteral(".ovg");
        const QString path = info.absolutePath() + u'/' + fittedFileName(info.absolutePath(), base, ending);
        const WriteResult w = createFileExclusive(path, line);
        if (w.written())
            return path;
        if (w.outcome != WriteResult::Exists)
            return {};
    }
    return {};
}

// What becomes of the work of a refused save (see refusedSaveOutcome).
QString refusedSave(const QByteArray& line)
{
    return refusedSaveOutcome(systemEndUnderWay() ? keepElsewhere(line) : QString());
}

void reportWriteError(const QString& reason)
{
    MsgBox(writeErrorText(modOrvan.UserFilePath, reason), MsgButtons::OkOnly, MsgIcon::Exclamation);
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
    const QByteArray line = userFileLine(r, m.Password, GetRandomNum);
    const QByteArray bytes = line + "\r\n";
    if (m.UserFilePath.isEmpty()) {
        // At the system's end, after the file was given up: no name can be
        // asked for, so the work goes beside that file.
        MsgBox(writeErrorText(state().givenUp,
                              QStringLiteral("It was given up earlier in this session.") + refusedSave(bytes) + u'.'),
               MsgButtons::OkOnly, MsgIcon::Exclamation);
        return false;
    }
    if (userFileTakenOver()) {
        // Whatever is in the file now, this copy's work stays here.
        reportWriteError(markLostReason(userFileMark().loss()) + refusedSave(bytes));
        return false;
    }
    m.PasswordCode = fromBytes(line.right(kPasswordCodeLength));
    UserFileSeen& seen = userFileSeen();
    // The file this copy holds: the one it read or last wrote is replaced
    // while it is still that file; a new user's (none seen yet) is made
    // anew, never over a file another put at the name meanwhile. A file
    // never held (prepared by hand) is written at its name, never through a
    // link.
    const bool held = seen.path == m.UserFilePath;
    const WriteResult w = !held          ? writeFileAtomic(m.UserFilePath, bytes)
                        : seen.only.file ? writeFileAtomic(m.UserFilePath, bytes, seen.only)
                                         : createFileExclusive(m.UserFilePath, bytes);
    switch (w.outcome) {
    case WriteResult::Changed:
    case WriteResult::Exists:
        // Not the student's file: never written, and the next save asks
        // for a name of its own.
        seen.replaced = held;
        reportWriteError(replacedFileReason(w.outcome == WriteResult::Exists) + refusedSave(bytes));
        return false;
    case WriteResult::Failed:
        reportWriteError(asSentence(w.reason) + (systemEndUnderWay() ? refusedSave(bytes) + u'.' : QString()));
        return false;
    case WriteResult::Written:
    case WriteResult::WrittenNotSynced:
        if (held)
            seen.only.file = FileSeen{w.owner, bytes}; // the next save replaces this file
        break;
    }
    if (userFileTakenOver()) {
        // Taken over between the check above and the rename: this save
        // stands in the file, but the other copy's next save replaces it.
        MsgBox(takenOverDuringSaveText(m.UserFilePath, systemEndUnderWay() ? keepElsewhere(bytes) : QString()),
               MsgButtons::OkOnly, MsgIcon::Exclamation);
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
    if (!isTrue(m.PasswordRequired))
        return;
    if (!m.Password.isEmpty()) {
        if (windows().testPassword)
            windows().testPassword(QStringLiteral("Password required"));
    } else if (isTrue(m.MultipleSessionsAllowed)) {
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
    if (!isTrue(m.PasswordRequired) || c.password.isEmpty())
        return false;
    const QString password = m.Password, code = m.PasswordCode;
    m.Password = c.password; // the test window compares with it
    passwordStep();
    if (isTrue(m.PasswordVerified))
        return false;
    m.Password = password;
    m.PasswordCode = code;
    return true;
}

} // namespace

bool passwordStillToChoose() { return isTrue(modOrvan.PasswordRequired) && modOrvan.Password.isEmpty(); }

void setPasswordWindows(PasswordWindows w) { windows() = std::move(w); }

namespace {

// The file at `path` as it stands, for a save to replace; nothing where no
// regular file is there.
std::optional<FileSeen> seenAt(const QString& path)
{
    const auto bytes = readFileBytes(path);
    return bytes ? std::optional<FileSeen>(FileSeen{bytes.owner, *bytes}) : std::nullopt;
}

UserFileHold holdFile(const QString& path, bool newFile)
{
    std::vector<QByteArray> openAnyway;
    // Each answer is to the mark as it was told; one that changed meanwhile
    // (or a second one under the other name) is told again.
    for (int asked = 0; asked < 4; ++asked) {
        const HoldOutcome out = userFileMark().hold(path, openAnyway);
        switch (out.result) {
        case HoldOutcome::Held:
        case HoldOutcome::HeldUnmarked:
            // A new user's save makes a new file, never replacing one
            // another put there meanwhile (while the student was asked
            // about a mark, say).
            userFileSeen() = {path, {newFile ? std::nullopt : seenAt(path), QFileInfo(path).isSymLink()}, false};
            state().givenUp.clear();
            if (out.result == HoldOutcome::HeldUnmarked && !out.reason.isEmpty())
                MsgBox(heldUnmarkedText(path, out.reason), MsgButtons::OkOnly, MsgIcon::Exclamation);
            return {};
        case HoldOutcome::Failed: return {UserFileHold::Failed, markUnwritableReason(out.mark, out.reason)};
        case HoldOutcome::InUse:
            return {UserFileHold::Refused, out.holder.isEmpty() ? markChangingText(path, out.mark)
                                                                : markInUseText(path, out.holder, out.mark)};
        case HoldOutcome::Claimed: break;
        }
        if (MsgBoxChoice(openAnywayQuestion(path, out.claim, QDateTime::currentDateTime()), MsgIcon::Exclamation,
                         kOpenAnyway, kGoBack)
            != MsgResult::Yes)
            return {UserFileHold::Refused, notOpenedText(path, out.claim)};
        openAnyway.push_back(out.claim.key);
    }
    return {UserFileHold::Refused, markChangingText(path, FileInUse::markPath(path))};
}

} // namespace

UserFileHold holdUserFile(const QString& path) { return holdFile(path, false); }

UserFileHold holdNewUserFile(const QString& path) { return holdFile(path, true); }

QString releaseUserFile()
{
    userFileSeen() = {};
    state().givenUp.clear();
    const QString stuck = userFileMark().release();
    return stuck.isEmpty() ? QString() : markReleaseFailedText(stuck);
}

QString giveUpUserFile()
{
    const QString stuck = releaseUserFile();
    state().givenUp = modOrvan.UserFilePath;
    modOrvan.UserFilePath.clear();
    return stuck;
}

QString userFileGivenUp() { return state().givenUp; }

bool userFileReplaced() { return userFileSeen().replaced && userFileSeen().path == modOrvan.UserFilePath; }

void prepareUserFileMark() { state(); }

bool userFileTakenOver() { return !userFileMark().stillHeld(); }

MarkLoss userFileLoss() { return userFileMark().loss(); }

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
    const bool allDone = isTrue(m.AllUnknownsDone);
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
    const auto bytes = readFileBytes(m.UserFilePath);
    if (!bytes) {
        reportReadError(bytes.error);
        return false;
    }
    userFileSeen() = {m.UserFilePath, {FileSeen{bytes.owner, *bytes}, throughLink}, false};
    const QList<QByteArray> lines = splitLines(*bytes);
    const UserFileContents c = parseUserFile(lines);
    if (!c.olderFormat) {
        m.TextBuffer = lines.isEmpty() ? QString() : fromBytes(lines.front());
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
        if (isTrue(m.MultipleSessionsAllowed))
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
