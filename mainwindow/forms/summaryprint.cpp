#include "mainwindow/forms/summaryprint.h"

#include "platform/forms/geometry.h"
#include "platform/forms/printer.h"

#include <QFontMetricsF>
#include <QPainter>

namespace orv {

bool printSummary(TwipsPrinter& printer, const SummaryPrintout& out, const QString& printed,
                  const std::function<void(int)>& progress)
{
    QPainter* p = printer.painter();
    const PrintTextFace face(p->device());
    const double lineTw = face.lineTw;
    const QList<QList<PagedLine>> pages = summaryPages(out, {printed, 1, false},
                                                       summaryLinesPerPage(printer.pageSizeTwips().height(), lineTw));
    for (qsizetype page = 0; page < pages.size(); ++page) {
        if (page > 0 && !printer.newPage())
            return false;
        for (qsizetype k = 0; k < pages[page].size(); ++k) {
            const PagedLine& l = pages[page][k];
            p->setFont(l.line.bold ? face.bold : face.normal);
            p->drawText(QPointF((l.line.column - 1) * face.metrics.averageCharWidth(), (k + 1) * lineTw), l.line.text);
            if (l.progress > 0)
                progress(l.progress);
        }
    }
    return true;
}

} // namespace orv
