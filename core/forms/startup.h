#pragma once
#include <QString>

namespace orv {
// Shows the start window for a program started with `commandLine` (the
// user file's path, or empty). False when another copy is running: the
// message has been shown and nothing is left open.
bool startStudentProgram(const QString& commandLine);
// Runs the student program: the start window and the event loop. Returns
// the process exit code.
int runStudentProgram(int argc, char** argv);
}
