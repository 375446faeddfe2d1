#include "spectra/forms/pmrprintout.h"

#include "platform/forms/geometry.h"
#include "spectra/forms/twipspainter.h"
#include "spectra/pmrprint.h"

#include <QFontMetricsF>

namespace orv::spectra {

namespace {
// The spectrum's lines on paper.
constexpr double kPrintLineTwips = 10;
// The expansion's thick trace pen: three dots of a 600 dpi printer.
constexpr double kTracePenTwips = 3 * 1440.0 / 600.0;
// The expansion's trace goes out in this many pieces, so that the bar follows it.
constexpr int kExpansionSteps = 50;
} // namespace

void pmr::printout(spectra::PrintPage& page, QSizeF pageTwips, const PrintoutData& data,
                   const std::function<void(double)>& progress)
{
    QPainter& painter = page.painter();
    const pmr::PrintGeometry layout = pmr::printGeometry(pageTwips);
    const QString family = pictureFont().family();

    Plot header;
    header.text(500, 1000, QStringLiteral("Orvanto ") + data.caption);
    if (data.unknownNumberShown)
        header.text(500, 1250, QStringLiteral("Unknown number ") + QString::number(data.unknownNumber));
    paintPlot(painter, header, {kPrintLineTwips, twipsFont(family, 12, true)});
    Plot note;
    note.text(500, 1500, QString::fromLatin1((*data.data)[25]));
    paintPlot(painter, note, {kPrintLineTwips, twipsFont(family, 12)});
    const PaintStyle small{kPrintLineTwips, twipsFont(family, 10)};
    paintPlot(painter, pmr::printAxis(layout), small);
    const QList<Plot> trace = pmr::printTrace(layout, *data.data);
    for (int i = 5; i <= 24; ++i) {
        progress(i * 100 / 24);
        paintPlot(painter, trace[i - 5], small);
    }
    if (data.integralShown)
        paintPlot(painter, pmr::printIntegral(layout, *data.data), small);
}

void pmrexp::printout(spectra::PrintPage& page, QSizeF pageTwips, const PrintoutData& data,
                      const std::function<void(double)>& progress)
{
    QPainter& painter = page.painter();
    const pmrexp::Printout laid = pmrexp::printout(data.window, data.samples, data.verticalScale, pageTwips,
                                                   data.unknownNumberShown, data.unknownNumber);
    for (const pmrexp::PrintText& t : laid.texts) {
        // A face of Arial's widths, so that the bold title ends before the scale line begins.
        const QFont font = twipsFont(QStringLiteral("Arial"), t.points, t.bold);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(t.at.x(), t.at.y() + QFontMetricsF(font).ascent()), t.text);
    }
    paintPlot(painter, laid.axis);
    if (laid.trace.isEmpty())
        return;
    const QList<QPointF>& points = laid.trace.steps().front().points;
    const qsizetype n = points.size();
    for (int piece = 0; piece < kExpansionSteps; ++piece) {
        const qsizetype from = n * piece / kExpansionSteps;
        const qsizetype to = std::min(n - 1, n * (piece + 1) / kExpansionSteps);
        if (to > from) {
            Plot part;
            part.polyline(points.mid(from, to - from + 1));
            paintPlot(painter, part, {kTracePenTwips});
        }
        progress(100.0 * (piece + 1) / kExpansionSteps);
    }
}

} // namespace orv::spectra
