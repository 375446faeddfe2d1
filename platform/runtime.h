#pragma once
// Process-wide services of the runtime: pausing while events run, ending the
// program, and the single running copy.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QLockFile;

namespace orv {

// The colour with the palette-relative bit &H2000000 set.
inline constexpr std::uint32_t PaletteColour(std::uint32_t colour) { return colour | 0x2000000u; }

// Returns after `seconds`, letting window events run meanwhile (timers,
// paints, clicks). The wait runs on a timer, not a spin, and measures elapsed
// time on a monotonic clock, so a pause across midnight lasts what it should.
void Pause(double seconds);

// Marks a wait that runs window events while a handler is still on the stack
// (a pause, a modal window, a message box, a file dialog). While any is
// active, a window that is closed is hidden at once but deleted only after
// the outermost wait has returned (the window registry sees to that), so no
// handler ever runs on in a deleted window.
class NestedWait {
public:
    NestedWait();
    ~NestedWait();
    NestedWait(const NestedWait&) = delete;
    NestedWait& operator=(const NestedWait&) = delete;
};
// How many waits are active now.
int nestedWaitDepth();
// Called whenever the last active wait has returned (the widget layer
// installs one that deletes the windows closed meanwhile).
void setWaitsEndedHook(std::function<void()> hook);

// Unloads every window (through the hook the widget layer installs), then
// ends the process. Under tests the end is recorded instead (see
// setEndProgramHandler) and the call returns: callers return right after it.
void EndProgram();
// Replaces the final exit; tests install one that records.
void setEndProgramHandler(std::function<void()> handler);
// Installed by the widget layer: closes and deletes every window.
void setUnloadAllWindowsHook(std::function<void()> hook);
// Ends the process at once, without unloading any window (through the tests'
// handler when one is set). The end the system asks for uses it, once its own
// road out has been taken (see platform/forms/systemend.h).
void endProcessNow();
// True once EndProgram or endProcessNow has begun to end the process.
bool programEndedItself();
// The system is ending the program: from now on no window is shown (as under
// NoWindows), and EndProgram, called on the road out, returns at once; the
// system's end finishes the process itself.
void beginSystemEnd();
bool systemEndUnderWay();
// For tests: the program runs on as before the system's end began.
void resetSystemEndForTests();

// While any is alive, no window is shown: a message box answers at once as
// if closed without a choice (Ok for a box with Ok only, else Cancel) and its
// text goes to the error output; a file dialog answers as if cancelled; a
// pause returns at once; showing a window does nothing.
class NoWindows {
public:
    NoWindows();
    ~NoWindows();
    NoWindows(const NoWindows&) = delete;
    NoWindows& operator=(const NoWindows&) = delete;
};
bool windowsWithheld();

// One running copy per user and name: a lock file in the user's runtime
// folder (or `folder` when given). Holds the lock while the object lives.
class SingleInstance {
public:
    explicit SingleInstance(const QString& name, const QString& folder = QString());
    ~SingleInstance();
    bool tryLock(); // false when another live process holds it
private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace orv
