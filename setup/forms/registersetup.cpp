#include "setup/forms/registersetup.h"

#include "platform/forms/formregistry.h"
#include "platform/runtime.h"
#include "setup/forms/frmLogin.h"
#include "setup/forms/frmTabSetup.h"

#include <QApplication>

namespace orv {

void registerSetupForms()
{
    forms::registerForm(forms::names::frmLogin, [] { return new frmLogin; });
    forms::registerForm(forms::names::frmTabSetup, [] { return new frmTabSetup; });
}

int runSetupProgram()
{
    // A second copy ends at once, silently.
    SingleInstance single(QStringLiteral("ovsetup"));
    if (!single.tryLock())
        return 0;
    auto* w = forms::instance<frmTabSetup>();
    if (!w->Form_Load())
        return 0;
    w->show();
    return QApplication::exec();
}

} // namespace orv
