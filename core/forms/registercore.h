#pragma once
namespace orv {
// Makes this subsystem's windows known by name to the rest of the program.
void registerCoreForms();
}
