#pragma once
// Reading, repairing and writing orvanto.ini for the student program.
#include "core/configcodec.h"

#include <QByteArray>

namespace orv {
// Fills the configuration settings from <ProgramPath>/orvanto.ini; repairs or
// recreates the file when needed (with the messages the instructor sees).
void ReadConfigFile();
// The whole file as the student program writes it: the header lines, a
// writer line naming Orvanto and its version, and the settings' data line
// with freshly drawn random digits.
QByteArray studentConfigFileBytes(const ConfigSettings& s);
// Writes the file from the settings; on failure says so and ends the program.
// Returns false when it failed (the program end has then been asked for).
bool WriteConfigFile();
// Sets the configuration settings to their defaults (SoundOn untouched).
void SetConfigDefaults();
}
