#include "core/unknownfile.h"

// Written with the unknown data file's reader.
namespace orv {
QString UnknownFileCode(int) { return {}; }
bool ReadUnknownFile() { return false; }
}
