#include "spectra/forms/cmrexpprint.h"

#include "spectra/forms/cmrprint.h"

#include "platform/basic.h"
#include "spectra/spectrumdata.h"

namespace orv::spectra::cmrexp {

void printout(PrintPage& page, QSizeF pageTwips, const PrintoutData& data, cmr::NoiseSource& noise,
              const std::function<void(double)>& progress)
{
    const PrintGeometry g = printGeometry(pageTwips);
    const Window& w = data.window;
    const double x0 = 500, length = g.axisLength, base = g.baselineY;

    // A face of Arial's widths, so that the bold title ends before the header begins.
    page.setFontFamily(QStringLiteral("Arial"));
    printTitle(page, data.caption, data.unknownNumberShown, data.unknownNumber, 1230);
    page.print(x0 + 4000, 1000, header(w));
    page.setFontSize(10);
    progress(10);

    page.line(x0, base + 500, x0 + length, base + 500);
    for (int i = 1; i <= 11; ++i) {
        const double x = x0 + length * (i - 1) / 10;
        page.line(x, base + 400, x, base + 600);
        page.print(x + tickLabelOffset(w, i), base + 640, printedNumber(tickValue(w, i)));
    }
    page.print(x0 + length / 2 - 150, base + 850, QStringLiteral("ppm"));
    progress(20);

    int r = CInt(noise.next() * 20);
    page.setDrawWidth(4);
    for (int i = 1; i <= 100; ++i) {
        const int next = CInt(noise.next() * 20);
        page.line(x0 + length * (i - 1) / 100, base + r, x0 + length * i / 100, base + next);
        r = next;
    }
    progress(30);

    const QList<CarbonPeakRecord> records = decodeCarbonPeaks(data.peaks);
    const double recordsInLine = data.peaks.size() / 6.0;
    for (qsizetype k = 1; k <= records.size(); ++k) {
        progress(30 + 70.0 * double(k) / recordsInLine);
        const CarbonPeakRecord& rec = records[k - 1];
        if (!shows(w, rec.shift))
            continue;
        const double x = g.xAt(w, rec.shift);
        const double top = g.stickTop(rec.height);
        cmr::printStick(page, x, base, top, rec.hydrogens, {x - 150, top - 500}, {x + 90, top - 410});
        page.print(x - 130, top - 220, Format(rec.shift, QStringLiteral("#.0")));
    }
}

} // namespace orv::spectra::cmrexp
