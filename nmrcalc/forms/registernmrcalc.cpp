#include "nmrcalc/forms/registernmrcalc.h"

#include "nmrcalc/forms/frmCalcCoupling.h"
#include "platform/forms/formregistry.h"

namespace orv {

void registerNmrcalcForms()
{
    forms::registerForm(QStringLiteral("frmCalcCoupling"), [] { return new frmCalcCoupling; });
}

} // namespace orv
