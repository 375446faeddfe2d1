#pragma once
// The user's file users/<name>.ovg: one scrambled line with the record and
// the password code; older multi-line files are read and upgraded.
namespace orv {
// Writes the user file at UserFilePath. On failure reports "Error writing "
// + path + ". Information not saved." and returns false.
bool WriteUserFile();
// Reads UserFilePath (either format) into the state, upgrading an older one,
// and runs the password step. False when the file was refused.
bool ReadUserFile();
bool ReadUserFileRecord();
void EncodePassword();
void DecodePassword();
}
