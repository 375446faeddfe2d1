#include "core/forms/registercore.h"

#include "core/forms/frmQuit.h"
#include "core/forms/signinwindows.h"
#include "core/forms/welcomewindows.h"
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
}

} // namespace orv
