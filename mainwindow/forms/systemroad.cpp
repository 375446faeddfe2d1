#include "mainwindow/forms/systemroad.h"

#include "core/modorvan.h"
#include "core/userfile.h"
#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/savedata.h"
#include "platform/msgbox.h"

namespace orv {

void leaveForSystemEnd(SystemEnd)
{
    auto& m = modOrvan;
    // No window asks for a password, and none is written to or brought up:
    // the program is ending, and without a display they cannot be used.
    setPasswordWindows({});
    m.statusBarSink = nullptr;
    m.mainCaptionSink = nullptr;
    m.ensureMainWindow = nullptr;
    if (frmOVMain::sessionOpen())
        leaveMainWindow(m);
    // Windows are withheld by now: the text goes to the session's log, for
    // whoever finds the file refused at the next sign-in.
    if (const QString stuck = releaseUserFile(); !stuck.isEmpty())
        MsgBox(stuck, MsgButtons::OkOnly, MsgIcon::Exclamation);
}

void saveForSessionManager()
{
    auto& m = modOrvan;
    // A password still to be chosen is chosen at the student's own next
    // save; until then nothing may be written.
    if (frmOVMain::sessionOpen() && !isTrue(m.ExampleMode) && !passwordStillToChoose())
        saveAsLeavingWould(m);
}

} // namespace orv
