#include "mainwindow/forms/registermainwindow.h"

#include "mainwindow/forms/frmSummary.h"
#include "mainwindow/forms/frmNameTyping.h"
#include "mainwindow/forms/frmNoID.h"
#include "mainwindow/forms/frmReportProgress.h"
#include "mainwindow/forms/frmStructure.h"
#include "platform/forms/formregistry.h"

namespace orv {

void registerMainwindowForms()
{
    forms::registerForm(QStringLiteral("frmSummary"), [] { return new frmSummary; });
    forms::registerForm(QStringLiteral("frmNameTyping"), [] { return new frmNameTyping; });
    forms::registerForm(QStringLiteral("frmStructure"), [] { return new frmStructure; });
    forms::registerForm(QStringLiteral("frmNoID"), [] { return new frmNoID; });
    forms::registerForm(QStringLiteral("frmReportProgress"), [] { return new frmReportProgress; });
}

} // namespace orv
