#pragma once
#include "platform/basic.h"

#include <QString>

#include <functional>

namespace orv {
// The choice of the next unknown. Random draws go through GetRandomNum.
//
// Sets CurrentUnknown: from the allocation list when the instructor chooses,
// else by the teaching plan (simple unknowns of different kinds while at most
// 10 of BasicUnknownsBeforeAdvanced are done, then any simple ones, then the
// advanced unknowns 21..MaxUnknownNumber).
void ChooseUnknown();
// CurrentUnknown := the first two-digit entry of AllocatedUnknowns, which
// loses it (an empty list gives 0).
void TakeNextAllocatedUnknown();
// Draw until acceptable. Should a range hold nothing acceptable (a list the
// plan never produces), each hands over to the next wider choice instead of
// drawing forever: kinds -> any simple -> advanced -> any simple; with every
// unknown done CurrentUnknown is left as it was.
void PickBasicUnknown();    // 1..20, not done, no partner done
void PickBasicUnknownAny(); // 1..20, not done
void PickAdvancedUnknown(); // 21..MaxUnknownNumber, not done
// True when the number is an entry of CompletedUnknowns.
Boolean IsUnknownInList(int unknown);
// Clears the progress, chooses, reads the unknown's file (OpenCurrentUnknown),
// notes the start time. Returns false when no unknown could be read; then
// quitMessage tells the student why, for the quit window.
bool StartNewUnknown(QString* quitMessage = nullptr);
// Reads CurrentUnknown's data file. One that cannot be read (missing or
// damaged) never ends the program. When the student has no progress on it,
// the next unknown is taken instead: an allocated one goes to the end of the
// allocation list (each is tried once), a chosen one is not drawn again in
// this run. The student is told which file failed, and the user file (when
// there is one and saving is possible) is saved with the unknown now current.
// Returns false when no unknown can be read, or the unreadable one holds
// progress: then the unknown and the allocation list are as they were, the
// record has been saved, and quitMessage holds the text for the quit window.
bool OpenCurrentUnknown(QString* quitMessage);
// Writes the main window's caption and status panels for the current unknown.
void AnnounceUnknown();

// Whether unknown n can be given out: its data file is in the program
// folder. The choice never draws an unknown whose file is missing (a
// collection may ship fewer than 99), so no student is sent to a file that
// is not there. Tests may replace the rule; an empty function restores it.
bool unknownAvailable(int n);
void setUnknownAvailability(std::function<bool(int)> rule);
// True when the program could still choose an unknown this user has not
// completed.
bool AnyUnknownLeft();
}
