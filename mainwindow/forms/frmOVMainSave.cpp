// Saving the progress from the main window.
#include "mainwindow/forms/frmOVMain.h"

#include "mainwindow/savedata.h"

namespace orv {

void frmOVMain::WriteUserData() { WriteUserDataFlow(); }

} // namespace orv
