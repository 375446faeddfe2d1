#pragma once
#include "platform/basic.h"

namespace orv {
// The choice of the next unknown.
void ChooseUnknown();
void TakeNextAllocatedUnknown();
void PickBasicUnknown();
void PickBasicUnknownAny();
void PickAdvancedUnknown();
Boolean IsUnknownInList(int unknown);
// Clears the progress, chooses, reads the unknown's file, notes the start
// time. Returns false when the unknown's file could not be read.
bool StartNewUnknown();
// Writes the main window's caption and status panels for the current unknown.
void AnnounceUnknown();
}
