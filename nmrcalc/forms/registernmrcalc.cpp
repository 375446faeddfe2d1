#include "nmrcalc/forms/registernmrcalc.h"

#include "nmrcalc/forms/frmCalcCShift.h"
#include "nmrcalc/forms/frmCalcCoupling.h"
#include "nmrcalc/forms/frmCalcHShift.h"
#include "platform/forms/formregistry.h"

namespace orv {

void registerNmrcalcForms()
{
    forms::registerForm(forms::names::frmCalcCoupling, [] { return new frmCalcCoupling; });
    forms::registerForm(forms::names::frmCalcHShift, [] { return new frmCalcHShift; });
    forms::registerForm(forms::names::frmCalcCShift, [] { return new frmCalcCShift; });
}

} // namespace orv
