#pragma once
#include "core/modorvan.h"

#include <QString>

namespace orv {

// The name to store a chosen file title under: the title up to its first "."
// followed by ".ovg" (a title without "." gets ".ovg", as the dialog's
// default extension would add). An empty base name, or one of blanks
// only, gives an empty result.
QString userFileNameFor(const QString& title);

// Saves the user's progress: the first time (no UserFilePath, not in
// instructor mode) asks for a new file name in the users folder with the
// Save dialog, refusing existing files and empty names; then writes the user
// file. DataSaved becomes True only when the file was written. When the
// write of a file named just now fails (its message shown), the name is
// forgotten again, so that the next save asks for one (another folder, or a
// disk with room); so is the name of a file that another copy of the program
// has taken over since this one marked it (its work is never written over).
enum class SaveOutcome {
    Saved,    // the file was written
    NotNamed, // no file: the student gave up naming one, or instructor mode
    Failed,   // the write failed (reported); the progress is only in the program
};
SaveOutcome WriteUserDataFlow();

// The state side of the main window's unload, before the quit window. The
// solved example is ended first, so that leaving during it takes the road
// leaving takes outside it: the close box saves, and "End now" or "Next
// user" ask whether to save when the student's own unknown has unsaved
// progress that could be saved. Then saves when QuitReason asks for it and
// nothing is saved yet. `close` is false when the student must stay in the
// main window: the save failed, so leaving would lose the work (QuitReason is
// then "Save" again, the window's own reason when saving is possible).
// `leftExample` tells the caller to put the menus back as outside the example.
struct LeaveOutcome {
    bool close = true;
    bool leftExample = false;
};
LeaveOutcome leaveMainWindow(ModOrvan& m);

// The save the unload would make now, the window staying: when QuitReason
// asks for one, nothing is saved yet and the file already has its name (no
// Save dialog is shown here). True when the file was written.
bool saveAsLeavingWould(ModOrvan& m);

} // namespace orv
