#pragma once
#include <QString>
#include <QStringList>

namespace orv {
// Shows the start window for a program started with `commandLine` (the
// user file's path, or empty). False when another copy is running: the
// message has been shown and nothing is left open.
bool startStudentProgram(const QString& commandLine);
// The user file's path from the program's arguments: joined by blanks and
// made absolute against the current folder, which the program changes as it
// starts (empty when there are none).
QString commandLineOf(const QStringList& args);
// Runs the student program: the start window and the event loop. Returns
// the process exit code.
int runStudentProgram(int argc, char** argv);
}
