#pragma once
// The setup program's program-wide state: the setting flags it edits (named
// as in orvanto.ini) and whether the instructor's password was accepted.
#include "core/configcodec.h"
#include "platform/basic.h"

namespace orv {

struct ModSetup {
    // The 30 setting flags. The number of simple unknowns is not kept here:
    // the settings window's number box holds it until a save.
    ConfigSettings settings;
    Boolean LoginAccepted = kFalse;
    // Set once the program has begun to end, so that no window asks about
    // unsaved settings while every window is being unloaded.
    bool ending = false;
};
extern ModSetup modSetup;

// Back to the state at program start (flags at their defaults).
void resetModSetup();

// Ends the setup program (every window unloaded first). Under tests the end
// is recorded and the call returns: callers return right after it.
void endSetupProgram();

// The version text of line 3 and the caption: major "." minor revision
// (4.4.0 gives "4.40"), the same version as the student program.
int setupVersionMajor();
int setupVersionMinor();
int setupVersionRevision();
QString setupVersionText();

} // namespace orv
