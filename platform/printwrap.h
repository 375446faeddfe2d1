#pragma once
// How the text printouts break a line that is too wide for the paper. Widths
// are in the printer's units (twips), measured by the caller's font.
#include <QString>
#include <QStringList>
#include <functional>

namespace orv {

// Printed width of a text.
using TextWidth = std::function<double(const QString&)>;

// A line narrower than `limit` prints whole. A wider one is broken at single
// blanks: words gather in a buffer (each followed by its blank) and the
// buffer prints as soon as the next word would take it past `limit`. A word
// wider than that prints on its own line, unbroken. An empty line stays one
// empty line.
QStringList wrapAtBlanks(const QString& line, double limit, const TextWidth& width);

// The text cut at its last blank, again and again, until the part fits
// `room` (or has no blank left); what remains, blanks trimmed, goes on the
// same way. Always at least one part, empty for an empty text.
QStringList fitAtBlanks(const QString& text, double room, const TextWidth& width);

} // namespace orv
