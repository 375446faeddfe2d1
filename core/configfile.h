#pragma once
// Reading, repairing and writing orvanto.ini for the student program.
namespace orv {
// Fills the configuration settings from <ProgramPath>/orvanto.ini; repairs or
// recreates the file when needed (with the messages the instructor sees).
void ReadConfigFile();
// Writes the file from the settings; on failure says so and ends the program.
// Returns false when it failed (the program end has then been asked for).
bool WriteConfigFile();
// Sets the configuration settings to their defaults (SoundOn untouched).
void SetConfigDefaults();
}
