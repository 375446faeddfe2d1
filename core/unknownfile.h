#pragma once
#include <QString>

namespace orv {
// The two-letter code naming unknown n's data file unks/ovunk<code>.txt and
// its assignments picture gifs/ovunk<code>.gif.
QString UnknownFileCode(int n);
// Reads CurrentUnknown's data file into the current unknown's data. On a
// missing or damaged file shows the message and ends the program; returns
// false then (callers return at once).
bool ReadUnknownFile();
}
