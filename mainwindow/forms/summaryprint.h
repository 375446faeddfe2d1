#pragma once
// The summary of completed unknowns laid out on the printer: the printout's
// lines in 12-point Times New Roman (bold where marked) at their print
// columns, in the pages that summaryPages makes of them for the page height.
#include "mainwindow/summarytext.h"

#include <QString>
#include <functional>

namespace orv {

class TwipsPrinter;

// Prints every page on the started `printer`, the "printed" line last;
// `progress` receives the bar's values (0..100) as the unknowns go out. False
// when a new page could not be started (the printer has said so).
bool printSummary(TwipsPrinter& printer, const SummaryPrintout& out, const QString& printed,
                  const std::function<void(int)>& progress);

} // namespace orv
