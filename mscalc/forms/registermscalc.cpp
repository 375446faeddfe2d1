#include "mscalc/forms/registermscalc.h"

#include "platform/forms/formregistry.h"

namespace orv {

void registerMscalcForms()
{
}

} // namespace orv
