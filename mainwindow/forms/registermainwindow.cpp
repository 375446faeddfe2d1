#include "mainwindow/forms/registermainwindow.h"

#include "mainwindow/forms/frmAssignments.h"
#include "mainwindow/forms/frmHelp.h"
#include "mainwindow/forms/frmSelectUnks.h"
#include "mainwindow/forms/frmSummary.h"
#include "platform/forms/formregistry.h"

namespace orv {

void registerMainwindowForms()
{
    forms::registerForm(QStringLiteral("frmSummary"), [] { return new frmSummary; });
    forms::registerForm(QStringLiteral("frmHelp"), [] { return new frmHelp; });
    forms::registerForm(QStringLiteral("frmAssignments"), [] { return new frmAssignments; });
    forms::registerForm(QStringLiteral("frmSelectUnks"), [] { return new frmSelectUnks; });
}

} // namespace orv
