#include "spectra/forms/cmrprint.h"

#include "platform/basic.h"
#include "spectra/spectrumdata.h"

#include <algorithm>

namespace orv::spectra::cmr {

PrintGeometry printGeometry(QSizeF pageTwips)
{
    PrintGeometry g;
    g.longSide = CInt(std::max(pageTwips.width(), pageTwips.height()) - 1000);
    g.shortSide = std::min(pageTwips.width(), pageTwips.height()) - 4000;
    g.axisLength = g.longSide - 500;
    g.baselineY = g.shortSide + 2000;
    return g;
}

double PrintGeometry::xAt(double ppm) const { return CInt(500 + axisLength * (220 - ppm) / 220); }
double PrintGeometry::stickTop(int height) const { return CInt(baselineY - shortSide * height / 241); }

void printout(PrintPage& page, QSizeF pageTwips, const PrintoutData& data, NoiseSource& noise,
              const std::function<void(double)>& progress)
{
    const PrintGeometry g = printGeometry(pageTwips);
    const double base = g.baselineY;

    printTitle(page, data.caption, data.unknownNumberShown, data.unknownNumber, 1230);
    page.print(500, 1460, data.note);
    page.setFontSize(10);

    page.line(500, base + 500, 500 + g.axisLength, base + 500);
    for (int i = 1; i <= 23; ++i) {
        const double x = CInt(500 + g.axisLength * (i - 1) / 22);
        page.line(x, base + 500, x, base + 600);
        page.print(x - 100, base + 650, printedNumber(220 - 10 * (i - 1)));
    }
    page.print(g.axisLength / 2 + 350, base + 850, QStringLiteral("ppm"));
    progress(5);

    const double step = g.axisLength / 500;
    int c = CInt(noise.next() * 20);
    page.setDrawWidth(4);
    for (int i = 1; i <= 500; ++i) {
        const int previous = c;
        c = CInt(noise.next() * 20);
        page.line(500 + (i - 1) * step, base + previous, 500 + i * step, base + c);
    }
    progress(30);

    const QList<CarbonPeakRecord> records = decodeCarbonPeaks(data.peaks);
    const double recordsInLine = data.peaks.size() / 6.0;
    for (qsizetype k = 1; k <= records.size(); ++k) {
        progress(double(k) * 70 / recordsInLine + 30);
        const CarbonPeakRecord& r = records[k - 1];
        const double x = g.xAt(r.ppm);
        const double top = g.stickTop(r.height);
        printStick(page, x, base, top, r.hydrogens, {x - 80, top - 250}, {x + 160, top - 140});
    }
}

void printStick(PrintPage& page, double x, double baseline, double top, int hydrogens, QPointF labelAt, QPointF digitAt)
{
    page.setDrawWidth(4);
    page.line(x, baseline, x, top);
    page.setDrawWidth(1);
    page.print(labelAt.x(), labelAt.y(), hydrogens == 0 ? QStringLiteral("C") : QStringLiteral("CH"));
    if (hydrogens > 1) {
        page.setFontSize(8);
        page.print(digitAt.x(), digitAt.y(), printedNumber(hydrogens));
        page.setFontSize(10);
    }
}

} // namespace orv::spectra::cmr
