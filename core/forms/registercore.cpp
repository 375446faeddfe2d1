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
    forms::registerForm(QStringLiteral("frmQuit"), [] { return new frmQuit; });
    forms::registerForm(QStringLiteral("frmNewUser"), [] { return new frmNewUser; });
    forms::registerForm(QStringLiteral("frmOldUser"), [] { return new frmOldUser; });
    forms::registerForm(QStringLiteral("frmTips"), [] { return new frmTips; });
    forms::registerForm(QStringLiteral("frmUnkProgm"), [] { return new frmUnkProgm; });
    forms::registerForm(QStringLiteral("frmUnkTeach"), [] { return new frmUnkTeach; });
    forms::registerForm(QStringLiteral("frmNewPassword"), [] { return new frmNewPassword; });
    forms::registerForm(QStringLiteral("frmTestPassword"), [] { return new frmTestPassword; });

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
    forms::registerForm(QStringLiteral("frmInitial"), [] { return new frmInitial; });
}

} // namespace orv
