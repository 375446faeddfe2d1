#include "mscalc/forms/registermscalc.h"

#include "mscalc/forms/frmCalcFormula.h"
#include "mscalc/forms/frmCalcIsotope.h"
#include "mscalc/forms/frmCalcMass.h"
#include "platform/forms/formregistry.h"

namespace orv {

void registerMscalcForms()
{
    forms::registerForm(forms::names::frmCalcFormula, [] { return new frmCalcFormula; });
    forms::registerForm(forms::names::frmCalcMass, [] { return new frmCalcMass; });
    forms::registerForm(forms::names::frmCalcIsotope, [] { return new frmCalcIsotope; });
}

} // namespace orv
