#pragma once
// The student program's road out when the system ends it (a shutdown, a
// logout, the display gone; see platform/forms/systemend.h): the road of the
// main window's close box, without any window.
#include "core/modorvan.h"
#include "platform/forms/systemend.h"

#include <QString>

namespace orv {

// The road below, with the session manager's save, for watchForSystemEnd.
// Makes the long-lived objects the road uses first (the user file's mark,
// the open session's pointer), so that they outlive its exit handler. The
// sign-in windows must be registered before (the road clears their
// password hooks).
SystemEndRoad studentSystemEndRoad();

// Saves where the close box would save (leaveMainWindow: the reason asks for
// it and the record is not saved as it stands), then lets go of the user
// file. Nothing asks: a file that has no name yet is not saved (naming needs
// the Save dialog), nor one whose password is still to be chosen (no user
// file is written without a password typed twice); the error output then
// says so (notSavedAtSystemEnd). A failed save is written there too. No
// window is touched or created any more, whatever the kind of end.
void leaveForSystemEnd();
// The session manager's request to save: the same save, the session going on.
// Nothing during the solved example (the end that follows leaves it first).
void saveForSessionManager();

// When the close box would save but nothing can be written without a window:
// the line for the error output, saying that the session was not saved, why
// (no file named yet, or no password chosen for it), and how many items of
// the student's own unknown had been revealed. Empty otherwise.
QString notSavedAtSystemEnd(const ModOrvan& m);

} // namespace orv
