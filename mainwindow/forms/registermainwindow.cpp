#include "mainwindow/forms/registermainwindow.h"

#include "mainwindow/forms/frmSummary.h"
#include "platform/forms/formregistry.h"

namespace orv {

void registerMainwindowForms()
{
    forms::registerForm(QStringLiteral("frmSummary"), [] { return new frmSummary; });
}

} // namespace orv
