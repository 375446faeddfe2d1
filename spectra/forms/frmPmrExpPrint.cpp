// The expansion window's printout: one landscape page with the title, the
// scale line, the unknown's number, the axis and the trace only.
#include "spectra/forms/frmPmrExp.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "platform/forms/geometry.h"
#include "platform/forms/printer.h"
#include "platform/runtime.h"
#include "spectra/forms/printprogress.h"
#include "spectra/forms/twipspainter.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>

namespace orv::spectra {

namespace {
// The thick trace pen: three dots of a 600 dpi printer.
constexpr double kTracePenTwips = 3 * 1440.0 / 600.0;
constexpr int kProgressSteps = 50;

void printText(QPainter& painter, const pmrexp::PrintText& t)
{
    // A face of Arial's widths, so that the bold title ends before the scale line begins.
    const QFont font = twipsFont(QStringLiteral("Arial"), t.points, t.bold);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(t.at.x(), t.at.y() + QFontMetricsF(font).ascent()), t.text);
}
} // namespace

void frmPmrExp::printSpectrum()
{
    const int width = 8440;
    placeControl(pbPmrExp, 100, 2200, width - 330, 330);
    pbPmrExp->setValue(1);
    pbPmrExp->show();
    pbPmrExp->raise();

    const auto failed = [this] {
        modOrvan.TextBuffer = QStringLiteral("1");  // the message box's OK
        pbPmrExp->hide();
        txtPmrExp->hide();
    };
    TwipsPrinter printer;
    printer.setLandscape(true);
    if (!printer.begin(windowTitle())) {
        failed();
        return;
    }
    const pmrexp::Printout page =
        pmrexp::printout(window_, WindowSamples_, VerticalScale_, printer.pageSizeTwips(),
                         isTrue(modOrvan.ShowUnknownNumber), modOrvan.CurrentUnknown);
    QPainter& painter = *printer.painter();
    for (const pmrexp::PrintText& t : page.texts)
        printText(painter, t);
    paintPlot(painter, page.axis);
    if (!page.trace.isEmpty()) {
        // The trace in pieces, so that the progress bar follows it.
        const QList<QPointF>& points = page.trace.steps().front().points;
        const qsizetype n = points.size();
        for (int piece = 0; piece < kProgressSteps; ++piece) {
            const qsizetype from = n * piece / kProgressSteps;
            const qsizetype to = std::min(n - 1, n * (piece + 1) / kProgressSteps);
            if (to > from) {
                Plot part;
                part.polyline(points.mid(from, to - from + 1));
                paintPlot(painter, part, {kTracePenTwips});
            }
            pbPmrExp->setValue(100 * (piece + 1) / kProgressSteps);
        }
    }
    if (!printer.end()) {
        failed();
        return;
    }
    pbPmrExp->hide();
    showPrintedNotice(txtPmrExp, width);
}

} // namespace orv::spectra
