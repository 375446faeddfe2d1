#include "structure/forms/registerstructure.h"

#include "platform/forms/formregistry.h"
#include "structure/forms/frmGiveStructure.h"

namespace orv {

void registerStructureForms()
{
    forms::registerForm(forms::names::frmGiveStructure, [] { return new frmGiveStructure; });
}

} // namespace orv
