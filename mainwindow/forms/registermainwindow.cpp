#include "mainwindow/forms/registermainwindow.h"

#include "mainwindow/forms/frmAssignments.h"
#include "mainwindow/forms/frmHelp.h"
#include "mainwindow/forms/frmNameTyping.h"
#include "mainwindow/forms/frmNoID.h"
#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/forms/frmReportProgress.h"
#include "mainwindow/forms/frmResult.h"
#include "mainwindow/forms/frmSelectUnks.h"
#include "mainwindow/forms/frmSpecQHelp.h"
#include "mainwindow/forms/frmStructure.h"
#include "mainwindow/forms/frmSummary.h"
#include "platform/forms/formregistry.h"

namespace orv {

void registerMainwindowForms()
{
    forms::registerForm(forms::names::frmSummary, [] { return new frmSummary; });
    forms::registerForm(forms::names::frmNameTyping, [] { return new frmNameTyping; });
    forms::registerForm(forms::names::frmStructure, [] { return new frmStructure; });
    forms::registerForm(forms::names::frmNoID, [] { return new frmNoID; });
    forms::registerForm(forms::names::frmReportProgress, [] { return new frmReportProgress; });
    forms::registerForm(forms::names::frmOVMain, [] { return new frmOVMain; });
    forms::registerForm(forms::names::frmResult, [] { return new frmResult; });
    forms::registerForm(forms::names::frmSpecQHelp, [] { return new frmSpecQHelp; });
    forms::registerForm(forms::names::frmHelp, [] { return new frmHelp; });
    forms::registerForm(forms::names::frmAssignments, [] { return new frmAssignments; });
    forms::registerForm(forms::names::frmSelectUnks, [] { return new frmSelectUnks; });
    installMainWindowSinks();
}

} // namespace orv
