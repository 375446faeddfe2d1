#include "nmrcalc/forms/registernmrcalc.h"

#include "platform/forms/formregistry.h"

namespace orv {

void registerNmrcalcForms()
{
}

} // namespace orv
