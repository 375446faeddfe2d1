#pragma once
// The timings the tests leave out: a test asserts what the program does,
// and how fast it does it on this machine is measured here, printed as a
// table of times and ratios for a developer to read. A slow machine fails
// nothing; only a measurement that cannot be made does.
#include <QString>
#include <functional>

namespace bench {

// The shortest of `runs` runs of `run`, in milliseconds: what the code
// costs, not what the machine's other work adds.
double fastestMs(int runs, const std::function<void()>& run);
// The milliseconds one run of `run` takes.
double onceMs(const std::function<void()>& run);

// Starts a table: its title and what its rows hold.
void table(const QString& title);
// One row: what was timed, the time in milliseconds, and a note (a ratio, a
// size, what was asked for).
void row(const QString& what, double ms, const QString& note = {});
// A measurement that could not be made, and why; the program then ends
// with a failure, once every table has been tried.
void cannot(const QString& why);
bool anyFailed();

// The tables, each in its own source file.
void helpWindow();
void runtime();
void userFileMarks();
void printouts();

} // namespace bench
