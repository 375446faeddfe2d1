#pragma once
// Installs the widget side of the runtime services: real message boxes and
// the unloading of every window when the program ends. Called once by each
// program's main().
namespace orv {
void installWidgetServices();
}
