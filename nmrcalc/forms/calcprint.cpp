#include "nmrcalc/forms/calcprint.h"

namespace orv {

void printCalcLine(PrintLines& out, const QString& text, double x, bool bold)
{
    out.setBold(bold);
    out.printFitted(text, x);
}

void printCalcHead(PrintLines& out, const QString& title)
{
    printCalcLine(out);
    printCalcLine(out, title, 0, true);
    printCalcLine(out);
}

void printCalcFoot(PrintLines& out) { printCalcLine(out, printedLine(), 1); }

} // namespace orv
