#include "core/userfile.h"

// Written with the user file's reader and writer.
namespace orv {
bool WriteUserFile() { return false; }
bool ReadUserFile() { return false; }
bool ReadUserFileRecord() { return false; }
void EncodePassword() {}
void DecodePassword() {}
}
