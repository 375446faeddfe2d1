#include "structure/forms/registerstructure.h"

#include "platform/forms/formregistry.h"

namespace orv {

void registerStructureForms()
{
}

} // namespace orv
