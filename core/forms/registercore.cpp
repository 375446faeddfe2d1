#include "core/forms/registercore.h"

#include "platform/forms/formregistry.h"

namespace orv {

void registerCoreForms()
{
}

} // namespace orv
