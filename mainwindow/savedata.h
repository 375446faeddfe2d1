#pragma once
#include <QString>

namespace orv {

// The name to store a chosen file title under: the title up to its first "."
// followed by ".ovg" (a title without "." gets ".ovg", as the dialog's
// default extension would add). Empty base name: empty result.
QString userFileNameFor(const QString& title);

// Saves the user's progress: the first time (no UserFilePath, not in
// instructor mode) asks for a new file name in the users folder with the
// Save dialog, refusing existing files and empty names; then writes the user
// file. DataSaved becomes True only when the file was written. Returns
// whether it was.
bool WriteUserDataFlow();

} // namespace orv
