#include "core/configfile.h"

// Written with the configuration file's reading and repair.
namespace orv {
void ReadConfigFile() {}
bool WriteConfigFile() { return false; }
void SetConfigDefaults() {}
}
