#include "mainwindow/forms/registermainwindow.h"

#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/forms/frmResult.h"
#include "mainwindow/forms/frmSpecQHelp.h"
#include "platform/forms/formregistry.h"

namespace orv {

void registerMainwindowForms()
{
    forms::registerForm(QStringLiteral("frmOVMain"), [] { return new frmOVMain; });
    forms::registerForm(QStringLiteral("frmResult"), [] { return new frmResult; });
    forms::registerForm(QStringLiteral("frmSpecQHelp"), [] { return new frmSpecQHelp; });
    installMainWindowSinks();
}

} // namespace orv
