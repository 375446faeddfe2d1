#pragma once
// The student program's road out when the system ends it (a shutdown, a
// logout, the display gone; see platform/forms/systemend.h): the road of the
// main window's close box, without any window.
#include "platform/forms/systemend.h"

namespace orv {

// Saves where the close box would save (leaveMainWindow: the reason asks for
// it and nothing is saved yet), then lets go of the user file. Nothing asks:
// a file that has no name yet is not saved (naming needs the Save dialog),
// nor one whose password is still to be chosen (no user file is written
// without a password typed twice). A failed save is written to the error
// output. No window is touched or created any more, whatever the kind of end.
void leaveForSystemEnd(SystemEnd how);
// The session manager's request to save: the same save, the session going on.
// Nothing during the solved example (the end that follows leaves it first).
void saveForSessionManager();

} // namespace orv
