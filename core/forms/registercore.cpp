#include "core/forms/registercore.h"

#include "core/forms/frmInitial.h"
#include "platform/forms/formregistry.h"

namespace orv {

void registerCoreForms()
{
    forms::registerForm(QStringLiteral("frmInitial"), [] { return new frmInitial; });
}

} // namespace orv
