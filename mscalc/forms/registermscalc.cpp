#include "mscalc/forms/registermscalc.h"

#include "mscalc/forms/frmCalcFormula.h"
#include "mscalc/forms/frmCalcIsotope.h"
#include "mscalc/forms/frmCalcMass.h"
#include "platform/forms/formregistry.h"

namespace orv {

void registerMscalcForms()
{
    forms::registerForm(QStringLiteral("frmCalcFormula"), [] { return new frmCalcFormula; });
    forms::registerForm(QStringLiteral("frmCalcMass"), [] { return new frmCalcMass; });
    forms::registerForm(QStringLiteral("frmCalcIsotope"), [] { return new frmCalcIsotope; });
}

} // namespace orv
