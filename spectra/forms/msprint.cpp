#include "spectra/forms/msprint.h"

#include "platform/basic.h"
#include "spectra/plot.h"
#include "spectra/spectrumdata.h"

#include <algorithm>

namespace orv::spectra::ms {

PrintGeometry printGeometry(QSizeF pageTwips)
{
    PrintGeometry g;
    g.longSide = CInt(std::max(pageTwips.width(), pageTwips.height()) - 1000);
    g.shortSide = std::min(pageTwips.width(), pageTwips.height()) - 4000;
    g.axisLength = g.longSide - 500 - 400;
    g.baselineY = g.shortSide + 2000;
    return g;
}

void printout(PrintPage& page, QSizeF pageTwips, const PrintoutData& data, const std::function<void(double)>& progress)
{
    const PrintGeometry g = printGeometry(pageTwips);
    const double base = g.baselineY;

    printTitle(page, data.caption, data.unknownNumberShown, data.unknownNumber, 1250);
    if (!data.molecularIon.isEmpty())
        page.print(3500, 1250, QStringLiteral("Molecular ion = ") + data.molecularIon);
    page.print(500, 1500, data.note);

    page.setFontSize(10);
    page.print(500, 1900, QStringLiteral("100"));
    page.print(500, g.shortSide / 2 + 1900, QStringLiteral("RA"));
    page.print(600, g.shortSide + 1850, QStringLiteral("  0"));
    page.line(900, 2000, 900, base);
    page.line(850, 2000, 900, 2000);
    page.line(850, base, 900, base);
    page.line(900, base, 900 + g.axisLength, base);
    for (int i = 1; i <= 21; ++i) {
        const double major = CInt((i - 1) * g.axisLength / 20 + 900);
        if (i < 21)
            for (int j = 1; j <= 9; ++j) {
                const double x = major + j * g.axisLength / 200;
                page.line(x, base, x, base + (j == 5 ? 90 : 60));
            }
        page.line(major, base, major, base + 130);
        page.print(major - 150, base + 180, printedNumber((i - 1) * 10 + 30));
    }
    page.print(700 + g.axisLength / 2, g.shortSide + 2350, QStringLiteral("m/z"));

    const QList<MsPeakRecord> records = decodeMsPeaks(data.peaks);
    const double recordsInLine = data.peaks.size() / 4.0;
    for (qsizetype k = 1; k <= records.size(); ++k) {
        progress(double(k) * 100 / recordsInLine);
        const MsPeakRecord& r = records[k - 1];
        if (r.mz <= 30 || r.mz >= 230)
            continue;
        const double x = (r.mz - 30) * g.axisLength / 200 + 900;
        page.line(x, base - r.intensity * g.shortSide / 241, x, base);
    }
}

} // namespace orv::spectra::ms
