#pragma once
// The isotope calculator's result laid out on the printer: the bold title
// between blank lines, the formula line, the peaks as listed in the result
// box (fixed pitch, tabs kept), the chart of M to M+12 (moved to the next
// page when it would run off this one), then the "printed" line.
#include "mscalc/isotope.h"
#include "mscalc/masses.h"

#include <QString>

namespace orv {
class PrintLines;
}

namespace orv::mscalc {

struct IsotopePrintoutData {
    AtomCounts counts;
    QString peaksText; // the result box's text (LF line ends)
    IsotopeCalc calc;  // the calculation shown
    QString printed;   // the closing "printed ..." line
};

inline constexpr const char* kIsotopePrintTitle = "Orvanto isotope peak calculator";

// Prints from the top of the first page in 12-point Arial; the lines' `ok`
// is false after a printer failure.
void printIsotopes(PrintLines& out, const IsotopePrintoutData& data);

} // namespace orv::mscalc
