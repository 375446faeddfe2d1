#pragma once
namespace orv {
// Makes the setup program's windows known by name.
void registerSetupForms();
// The setup program: one running copy, then the settings window's start.
// Returns the exit code.
int runSetupProgram();
}
