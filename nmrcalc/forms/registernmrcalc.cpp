#include "nmrcalc/forms/registernmrcalc.h"

#include "nmrcalc/forms/frmCalcCShift.h"
#include "nmrcalc/forms/frmCalcCoupling.h"
#include "nmrcalc/forms/frmCalcHShift.h"
#include "platform/forms/formregistry.h"

namespace orv {

void registerNmrcalcForms()
{
    forms::registerForm(QStringLiteral("frmCalcCoupling"), [] { return new frmCalcCoupling; });
    forms::registerForm(QStringLiteral("frmCalcHShift"), [] { return new frmCalcHShift; });
    forms::registerForm(QStringLiteral("frmCalcCShift"), [] { return new frmCalcCShift; });
}

} // namespace orv
