#pragma once
// The summary of completed unknowns laid out on the printer: the printout's
// lines in 12-point Times New Roman (bold where marked) at their print
// columns, their baselines on the lines' feet, in the pages that summaryPages
// makes of them for the page height.
#include "mainwindow/summarytext.h"

#include <QString>

namespace orv {

class PrintLines;

// Prints every page from the top of the first, the "printed" line last; the
// progress (0..100) goes to the lines' bar as the unknowns go out. False when
// a new page could not be started (the printer has said so).
bool printSummary(PrintLines& lines, const SummaryPrintout& out, const QString& printed);

} // namespace orv
