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
    forms::registerForm(forms::names::frmPmr, [] { return new spectra::frmPmr; });
    forms::registerForm(forms::names::frmIr, [] { return new spectra::frmIr; });
    forms::registerForm(forms::names::frmCmr, [] { return new spectra::frmCmr; });
    forms::registerForm(forms::names::frmMs, [] { return new spectra::frmMs; });
    forms::registerForm(forms::names::frmPmrExp, [] { return new spectra::frmPmrExp; });
    forms::registerForm(forms::names::frmCmrExp, [] { return new spectra::frmCmrExp; });
}

} // namespace orv
