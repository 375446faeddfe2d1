#include "mainwindow/savedata.h"

#include "core/marktexts.h"
#include "core/modorvan.h"
#include "core/userfile.h"
#include "core/userrecord.h"
#include "mainwindow/helpactions.h"
#include "platform/filedialog.h"
#include "platform/msgbox.h"
#include "platform/programfolder.h"
#include "platform/runtime.h"

#include <QDir>
#include <QFileInfo>

namespace orv {

QString userFileNameFor(const QString& title)
{
    const int dot = title.indexOf(u'.');
    const QString base = dot < 0 ? title : title.left(dot);
    if (base.trimmed().isEmpty()) // nothing, or blanks only
        return {};
    return base + QStringLiteral(".ovg");
}

namespace {

// Asks for a new file; returns its path or empty when the student gave up.
QString chooseNewUserFile()
{
    auto& m = modOrvan;
    const QString users = usersFolder(m.ProgramPath);
    if (!QDir(users).exists() && !QDir().mkpath(users))
        MsgBox(QStringLiteral("Error with ") + m.ProgramPath + QStringLiteral("\\users ")
                   + QStringLiteral("75 Path/File access error"),
               MsgButtons::OkOnly, MsgIcon::Critical);
    else
        QDir::setCurrent(users);

    FileDialogRequest req;
    req.save = true;
    req.title = QStringLiteral("Save details of progress?");
    req.initialDir = users;
    req.filter = QStringLiteral("Orvanto files(*.ovg)|*.ovg");
    req.mustExist = false;
    req.defaultSuffix = QStringLiteral("ovg");
    for (;;) {
        const QString chosen = showFileDialog(req);
        if (chosen.isEmpty()) {
            // Only a plain No goes back to the dialog, so nothing can loop.
            if (MsgBox(QStringLiteral("Are you really sure that you want to cancel save?"), MsgButtons::YesNo,
                       MsgIcon::Question, QString(), 2)
                != MsgResult::No) // No is the default
                return {};
            continue;
        }
        QFileInfo info(chosen);
        if (!info.fileName().contains(u'.')) // the dialog's default extension
            info.setFile(chosen + QStringLiteral(".ovg"));
        const QString name = userFileNameFor(info.fileName());
        if (name.isEmpty()) {
            MsgBox(QStringLiteral("Bad file name, try again."), MsgButtons::OkOnly, MsgIcon::Exclamation);
            continue;
        }
        if (name != info.fileName())
            MsgBox(QStringLiteral("File name changed to ") + name, MsgButtons::OkOnly, MsgIcon::Information);
        const QString path = info.absolutePath() + u'/' + name;
        if (QFileInfo::exists(path)) {
            MsgBox(QStringLiteral("File already exists, do not use."), MsgButtons::OkOnly, MsgIcon::Exclamation);
            continue;
        }
        return path;
    }
}

} // namespace

namespace {

// Lets go of the user file and of its name, so that the next save asks for
// one. A mark left behind keeps that name from other copies for a while,
// which the student is told.
void forgetUserFile()
{
    if (const QString stuck = giveUpUserFile(); !stuck.isEmpty())
        MsgBox(stuck, MsgButtons::OkOnly, MsgIcon::Exclamation);
}

} // namespace

SaveOutcome WriteUserDataFlow()
{
    auto& m = modOrvan;
    // A file that another copy has taken over is not saved into: the work
    // goes under a name of its own. At the system's end no name can be asked
    // for, and the save itself keeps the work elsewhere.
    if (!m.UserFilePath.isEmpty() && !systemEndUnderWay() && userFileTakenOver()) {
        MsgBox(markLostReason(userFileLoss()) + QStringLiteral(" Choose another name for your work."),
               MsgButtons::OkOnly, MsgIcon::Exclamation);
        forgetUserFile();
    }
    // A name that another file took while it was being chosen is not the
    // student's: another one is asked for.
    for (int named = 0;; ++named) {
        const bool naming = m.UserFilePath.isEmpty() && !isTrue(m.InstructorMode);
        // At the system's end no name can be asked for: the work of a file
        // given up goes beside it.
        if (naming && systemEndUnderWay() && !userFileGivenUp().isEmpty())
            return WriteUserFile() ? SaveOutcome::Saved : SaveOutcome::Failed;
        if (naming)
            m.UserFilePath = chooseNewUserFile();
        if (m.UserFilePath.isEmpty())
            return SaveOutcome::NotNamed;
        if (const UserFileHold held = naming ? holdNewUserFile(m.UserFilePath) : UserFileHold{};
            held.result != UserFileHold::Held) {
            // Another copy made the same name meanwhile and works on it, or
            // not even the mark could be written.
            MsgBox(held.result == UserFileHold::Failed ? writeErrorText(m.UserFilePath, held.text) : held.text,
                   MsgButtons::OkOnly, MsgIcon::Exclamation);
            m.UserFilePath.clear();
            return SaveOutcome::Failed;
        }
        if (WriteUserFile()) {
            markRecordSaved(m);
            return SaveOutcome::Saved;
        }
        // A new file's name is given back, and so is one that another copy
        // has taken over or that was replaced by another file: the next save
        // asks for a name of its own.
        const bool nameTaken = naming && userFileReplaced();
        if (naming || userFileTakenOver() || userFileReplaced())
            forgetUserFile();
        if (!nameTaken || named >= 4 || systemEndUnderWay())
            return SaveOutcome::Failed;
    }
}

namespace {

bool savingReason(const QString& q)
{
    return q == QLatin1String("Save") || q == QLatin1String("AnotherUser") || q == QLatin1String("QuitNow");
}

bool leavingReason(const QString& q)
{
    return savingReason(q) || q == QLatin1String("NoSaveNext") || q == QLatin1String("NoSaveExit")
        || q == QLatin1String("NoSave");
}

} // namespace

LeaveOutcome leaveMainWindow(ModOrvan& m)
{
    LeaveOutcome out;
    if (isTrue(m.ExampleMode) && leavingReason(m.QuitReason)) {
        out.leftExample = true;
        if (!endSolvedExample(m))
            return out; // the real unknown could not be read: the program has ended
        const bool canSave = isTrue(m.MultipleSessionsAllowed) && !isTrue(m.InstructorMode);
        const bool noSaveWay = m.QuitReason == QLatin1String("NoSaveNext")
                            || m.QuitReason == QLatin1String("NoSaveExit");
        if (noSaveWay && canSave && !recordSaved(m)
            && MsgBox(QStringLiteral("Your work on your own unknown has not been saved. Save it before leaving?"),
                      MsgButtons::YesNo, MsgIcon::Question)
                   == MsgResult::Yes)
            m.QuitReason = m.QuitReason == QLatin1String("NoSaveNext") ? QStringLiteral("AnotherUser")
                                                                       : QStringLiteral("QuitNow");
    }
    if (savingReason(m.QuitReason) && !recordSaved(m) && WriteUserDataFlow() == SaveOutcome::Failed) {
        m.QuitReason = QStringLiteral("Save");
        out.close = false;
    }
    return out;
}

bool saveAsLeavingWould(ModOrvan& m)
{
    if (!savingReason(m.QuitReason) || recordSaved(m) || m.UserFilePath.isEmpty())
        return false;
    return WriteUserDataFlow() == SaveOutcome::Saved;
}

} // namespace orv
