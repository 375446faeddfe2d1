#include "spectra/pmrprint.h"

#include "platform/basic.h"
#include "spectra/pmrintegral.h"
#include "spectra/spectrumdata.h"

#include <cmath>

namespace orv::spectra::pmr {

PrintGeometry printGeometry(QSizeF pageTwips)
{
    const double longSide = std::max(pageTwips.width(), pageTwips.height());
    const double shortSide = std::min(pageTwips.width(), pageTwips.height());
    PrintGeometry p;
    // Whole twips on any page size (a long roll of paper included).
    p.W = CInt(longSide - 1000);
    p.H = CInt(shortSide - 4000);
    return p;
}

Plot printAxis(const PrintGeometry& page)
{
    Plot p;
    const double axisY = page.H + 2000;
    p.line(500, axisY, page.W, axisY);
    for (int i = 1; i <= 11; ++i) {
        const double x = std::round(500 + (i - 1) * page.L() / 10);
        p.line(x, axisY, x, axisY + 50);
        p.text(x - 100, page.H + 2100, printedNumber(11 - i));
        if (i <= 9)
            p.line(x + page.L() / 20, axisY, x + page.L() / 20, axisY + 50);
    }
    p.text(500 + page.L() / 2 - 150, page.H + 2350, QStringLiteral("ppm"));
    return p;
}

namespace {

// Runs a pen across the elements: an empty element draws a straight stretch
// across its span at the pen's height, a filled one a point per character.
template <class NextY>
QList<Plot> runAcross(const PrintGeometry& page, const std::array<QByteArray, 26>& pmrData, double startY,
                      std::uint32_t colour, NextY nextY)
{
    QList<Plot> plots;
    QPointF pen(500, startY);
    for (int i = 5; i <= 24; ++i) {
        Plot p;
        const QByteArray& line = pmrData[size_t(i)];
        if (line.isEmpty()) {
            p.line(page.elementX(i), pen.y(), page.elementX(i + 1), pen.y(), colour);
            pen = QPointF(page.elementX(i + 1), pen.y());
        } else {
            QList<QPointF> run{pen};
            for (qsizetype k = 1; k <= line.size(); ++k) {
                pen = QPointF(page.sampleX(i, int(k)), nextY(pen.y(), sampleHeight(line.at(k - 1))));
                run.append(pen);
            }
            p.polyline(run, colour);
        }
        plots.append(p);
    }
    return plots;
}

} // namespace

QList<Plot> printTrace(const PrintGeometry& page, const std::array<QByteArray, 26>& pmrData)
{
    const double base = page.H + 1900;
    return runAcross(page, pmrData, base, kBlack, [&](double, int h) { return base - double(h) * page.H / 241; });
}

Plot printIntegral(const PrintGeometry& page, const std::array<QByteArray, 26>& pmrData)
{
    Plot all;
    const std::int32_t total = integralTotal(pmrData);
    if (total <= 150)
        return all;
    const double rise = double(page.H) / (total - 150);
    for (const Plot& p : runAcross(page, pmrData, page.H + 1800, kBlack, [&](double y, int h) { return y - h * rise; }))
        all.append(p);
    return all;
}

} // namespace orv::spectra::pmr
