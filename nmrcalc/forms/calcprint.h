#pragma once
// The NMR calculators' printout lines: 12-point Times New Roman down the
// page, a long line broken at blanks to the page's right edge (printFitted),
// the bold title between empty lines at the head and the "printed ..." line
// at the foot.
#include "platform/forms/textprint.h"

namespace orv {

// One line (or more, when it is broken) at `x` twips, bold or not.
void printCalcLine(PrintLines& out, const QString& text = QString(), double x = 0, bool bold = false);
// An empty line, the title in bold, an empty line.
void printCalcHead(PrintLines& out, const QString& title);
// The "printed" time and date line, one twip in.
void printCalcFoot(PrintLines& out);

} // namespace orv
