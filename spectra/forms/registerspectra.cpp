#include "spectra/forms/registerspectra.h"

#include "platform/forms/formregistry.h"

namespace orv {

void registerSpectraForms()
{
}

} // namespace orv
