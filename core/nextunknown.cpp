#include "core/nextunknown.h"

// Written with the choice of the next unknown.
namespace orv {
void ChooseUnknown() {}
void TakeNextAllocatedUnknown() {}
void PickBasicUnknown() {}
void PickBasicUnknownAny() {}
void PickAdvancedUnknown() {}
Boolean IsUnknownInList(int) { return kFalse; }
bool StartNewUnknown() { return false; }
void AnnounceUnknown() {}
}
