// Saving the progress from the main window: naming a new user file in the
// users folder (never an existing one), then the core's writer.
#include "mainwindow/forms/frmOVMain.h"

#include "core/modorvan.h"
#include "core/userfile.h"
#include "platform/filedialog.h"
#include "platform/msgbox.h"

#include <QDir>
#include <QFileInfo>

namespace orv {

namespace {

// Asks for a new file name until one is accepted (true) or the student
// gives the save up (false).
bool nameUserFile(ModOrvan& m)
{
    const QString users = m.ProgramPath.endsWith(u'/') || m.ProgramPath.endsWith(u'\\')
                              ? m.ProgramPath + QStringLiteral("users")
                              : m.ProgramPath + QStringLiteral("/users");
    if (!QDir(users).exists() && !QDir().mkpath(users))
        MsgBox(QStringLiteral("Error with ") + m.ProgramPath + QStringLiteral("\\users ")
                   + QStringLiteral("76 Path not found"),
               MsgButtons::OkOnly, MsgIcon::Critical);
    FileDialogRequest req;
    req.save = true;
    req.title = QStringLiteral("Save details of progress?");
    req.initialDir = users;
    req.filter = QStringLiteral("Orvanto files(*.ovg)|*.ovg");
    req.mustExist = false;
    for (;;) {
        req.defaultName = m.UserFilePath;
        const QString chosen = showFileDialog(req);
        if (chosen.isEmpty()) {
            // Only a plain No goes back to the dialog.
            if (MsgBox(QStringLiteral("Are you really sure that you want to cancel save?"), MsgButtons::YesNo,
                       MsgIcon::Question) != MsgResult::No)
                return false;
            continue;
        }
        const QFileInfo fi(chosen);
        QString title = fi.fileName();
        if (!title.contains(u'.'))
            title += QStringLiteral(".ovg"); // the dialog's default extension
        const QString name = title.left(title.indexOf(u'.')) + QStringLiteral(".ovg");
        if (name.size() <= 4) {
            MsgBox(QStringLiteral("Bad file name, try again."), MsgButtons::OkOnly, MsgIcon::Exclamation);
            continue;
        }
        if (name != title)
            MsgBox(QStringLiteral("File name changed to ") + name, MsgButtons::OkOnly, MsgIcon::Information);
        m.UserFilePath = QDir(fi.path()).filePath(name);
        if (QFileInfo::exists(m.UserFilePath)) {
            MsgBox(QStringLiteral("File already exists, do not use."), MsgButtons::OkOnly, MsgIcon::Exclamation);
            m.UserFilePath.clear();
            continue;
        }
        return true;
    }
}

} // namespace

void frmOVMain::WriteUserData()
{
    auto& m = modOrvan;
    if (m.UserFilePath.isEmpty() && !isTrue(m.InstructorMode))
        nameUserFile(m);
    if (m.UserFilePath.isEmpty())
        return;
    WriteUserFile(); // reports its own write errors
    m.DataSaved = kTrue;
}

} // namespace orv
