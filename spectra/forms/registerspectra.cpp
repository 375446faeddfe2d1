#include "spectra/forms/registerspectra.h"

#include "platform/forms/formregistry.h"
#include "spectra/forms/frmCmr.h"
#include "spectra/forms/frmCmrExp.h"
#include "spectra/forms/frmIr.h"
#include "spectra/forms/frmMs.h"
#include "spectra/forms/frmPmr.h"
#include "spectra/forms/frmPmrExp.h"

namespace orv {

void registerSpectraForms()
{
    forms::registerForm(QStringLiteral("frmPmr"), [] { return new spectra::frmPmr; });
    forms::registerForm(QStringLiteral("frmIr"), [] { return new spectra::frmIr; });
    forms::registerForm(QStringLiteral("frmCmr"), [] { return new spectra::frmCmr; });
    forms::registerForm(QStringLiteral("frmMs"), [] { return new spectra::frmMs; });
    forms::registerForm(QStringLiteral("frmPmrExp"), [] { return new spectra::frmPmrExp; });
    forms::registerForm(QStringLiteral("frmCmrExp"), [] { return new spectra::frmCmrExp; });
}

} // namespace orv
