#include "core/forms/registercore.h"

#include "core/forms/frmInitial.h"
#include "core/forms/frmNewPassword.h"
#include "core/forms/frmQuit.h"
#include "core/forms/frmTestPassword.h"
#include "core/forms/signinwindows.h"
#include "core/forms/welcomewindows.h"
#include "core/userfile.h"
#include "platform/forms/formregistry.h"

namespace orv {

void registerCoreForms()
{
    forms::registerForm(forms::names::frmQuit, [] { return new frmQuit; });
    forms::registerForm(forms::names::frmNewUser, [] { return new frmNewUser; });
    forms::registerForm(forms::names::frmOldUser, [] { return new frmOldUser; });
    forms::registerForm(forms::names::frmTips, [] { return new frmTips; });
    forms::registerForm(forms::names::frmUnkProgm, [] { return new frmUnkProgm; });
    forms::registerForm(forms::names::frmUnkTeach, [] { return new frmUnkTeach; });
    forms::registerForm(forms::names::frmNewPassword, [] { return new frmNewPassword; });
    forms::registerForm(forms::names::frmTestPassword, [] { return new frmTestPassword; });

    // The user-file routines ask for passwords through these.
    setPasswordWindows({
        [](const QString& caption) {
            auto* w = forms::instance<frmNewPassword>();
            w->setupForUserFile(caption);
            forms::showModal(w);
        },
        [](const QString& caption) {
            auto* w = forms::instance<frmTestPassword>();
            w->setWindowTitle(caption);
            forms::showModal(w);
        },
    });
    forms::registerForm(forms::names::frmInitial, [] { return new frmInitial; });
}

} // namespace orv
