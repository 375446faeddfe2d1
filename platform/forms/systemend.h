#pragma once
// The end of a program by the system rather than by its user: a lab PC shut
// down or a student logged out with the program open. The program then gets
// SIGTERM or SIGHUP (SIGINT from a terminal), its session manager ends the
// session, or its display goes away. Each takes the program's own road out
// (the `leave` it gives), without showing any window, and then the process
// ends (exit code 0).
//
// - A signal only writes a byte into a socket pair; the road runs from the
//   event loop, whichever loop is running then (a modal window's included).
//   It runs once: a second signal during the road, or during a save, is
//   taken and ignored, so nothing is cut off half done. The process ends
//   from inside that loop, so no handler that waits there runs on.
// - The session manager: its request to save (commitDataRequest) runs
//   `commit` without windows, when no handler is waiting with a window open;
//   its order to end (the application's Quit event) takes the road. Any other
//   Quit (the last window closed) takes it too: the road then finds nothing
//   left to save. So does an event loop ended without one
//   (QCoreApplication::exit), before main returns.
// - The display gone: Qt's platform plugin ends the process with exit() as
//   soon as it notices, without an event or signal first. The road runs from
//   an exit handler then, with the windows no longer usable, so it touches
//   no window and runs no event loop whatever the end (no window is shown
//   once the end has begun). watchForSystemEnd registers that handler, once.
//   An exit handler runs before the destructors of the objects with static
//   storage that were complete when it was registered, and after the
//   others: whoever builds the road makes every long-lived object it uses
//   before watchForSystemEnd is called. After the program's own end
//   (EndProgram) or a return from main, or for an exit called from another
//   thread than the main one, it does nothing.
// - SIGPIPE is ignored: at a logout the error output is often a pipe whose
//   reader has gone, and a road that writes its report there must still go
//   on to let go of what it holds; such a write just fails.
// A signal that the program was started to ignore (nohup) stays ignored.
#include <functional>

namespace orv {

struct SystemEndRoad {
    // Saves what the program's own way out saves and lets go of what it holds.
    std::function<void()> leave;
    // Saves for a session manager that asks; the program goes on. May be empty.
    std::function<void()> commit;
};

// Installs the road and starts watching for the system's end. Needs the
// application object; called once.
void watchForSystemEnd(SystemEndRoad road);

} // namespace orv
