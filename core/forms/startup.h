#pragma once
namespace orv {
// Runs the student program: the single-copy check, the start window and the
// event loop. Returns the process exit code.
int runStudentProgram(int argc, char** argv);
}
