#include "mainwindow/forms/summaryprint.h"

#include "platform/forms/textprint.h"

namespace orv {

bool printSummary(PrintLines& lines, const SummaryPrintout& out, const QString& printed)
{
    lines.setBaselineOnLineFoot(true);
    const double charWidth = lines.metrics().averageCharWidth();
    const QList<QList<PagedLine>> pages = summaryPages(
        out, {printed, 1, false}, summaryLinesPerPage(lines.pageSize().height(), lines.lineHeight()));
    for (qsizetype page = 0; page < pages.size(); ++page) {
        if (page > 0 && !lines.newPage())
            return false;
        for (const PagedLine& l : pages[page]) {
            lines.setBold(l.line.bold);
            lines.x = (l.line.column - 1) * charWidth;
            lines.printLine(l.line.text);
            if (l.progress > 0)
                lines.setProgress(l.progress);
        }
    }
    return lines.ok;
}

} // namespace orv
