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
    forms::registerForm(QStringLiteral("frmSummary"), [] { return new frmSummary; });
    forms::registerForm(QStringLiteral("frmNameTyping"), [] { return new frmNameTyping; });
    forms::registerForm(QStringLiteral("frmStructure"), [] { return new frmStructure; });
    forms::registerForm(QStringLiteral("frmNoID"), [] { return new frmNoID; });
    forms::registerForm(QStringLiteral("frmReportProgress"), [] { return new frmReportProgress; });
    forms::registerForm(QStringLiteral("frmOVMain"), [] { return new frmOVMain; });
    forms::registerForm(QStringLiteral("frmResult"), [] { return new frmResult; });
    forms::registerForm(QStringLiteral("frmSpecQHelp"), [] { return new frmSpecQHelp; });
    forms::registerForm(QStringLiteral("frmHelp"), [] { return new frmHelp; });
    forms::registerForm(QStringLiteral("frmAssignments"), [] { return new frmAssignments; });
    forms::registerForm(QStringLiteral("frmSelectUnks"), [] { return new frmSelectUnks; });
    installMainWindowSinks();
}

} // namespace orv
