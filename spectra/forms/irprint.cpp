#include "spectra/forms/irprint.h"

#include "platform/basic.h"
#include "spectra/irplot.h"

#include <algorithm>

namespace orv::spectra::ir {

namespace {

constexpr double kMargin = 500;

// One curve of raw character codes over 270 of the plot's height.
void curve(PrintPage& page, const QByteArray& codes, double step, double ph,
           const std::function<void(double)>& progress)
{
    const auto y = [ph](unsigned char c) { return ph + 2000 - ph * c / 270.0; };
    page.moveTo(kMargin + 400, y(static_cast<unsigned char>(codes.front())));
    for (qsizetype i = 1; i <= codes.size(); ++i) {
        page.lineTo(kMargin + 400 + i * step, y(static_cast<unsigned char>(codes.at(i - 1))));
        progress(double(i) / double(codes.size()) * 90 + 10);
    }
}

QByteArray nujolCodes()
{
    QByteArray codes;
    for (int h : nujolHeights())
        codes.append(char(h + 14));
    return codes;
}

} // namespace

void printout(PrintPage& page, QSizeF pageTwips, const PrintoutData& data, const std::function<void(double)>& progress)
{
    const double longSide = std::max(pageTwips.width(), pageTwips.height());
    const double shortSide = std::min(pageTwips.width(), pageTwips.height());
    const double pw = longSide - 2000;
    const double ph = shortSide - 4000;
    const double left = kMargin + 400;
    const double bottom = ph + 2000;

    printTitle(page, data.caption, data.unknownNumberShown, data.unknownNumber, 1300);
    page.print(500, 1600,
               data.note + (data.nujolShown ? QStringLiteral(" (dashed line is Nujol spectrum)") : QString()));

    page.setFontSize(10);
    page.print(500, 1900, QStringLiteral("100"));
    page.print(500, ph / 2 + 1900, QStringLiteral("T%"));
    page.print(500, ph + 1850, QStringLiteral("  0"));

    page.line(left, 2000, left, bottom);
    page.line(kMargin + 350, 2000, left, 2000);
    page.line(kMargin + 350, bottom, left, bottom);
    page.line(left, bottom, left + pw, bottom);

    for (int k = 1; k <= 10; ++k) {
        const double x = CInt(left + pw * 5 * (k - 1) / 48.0);
        const int minors = k < 10 ? 4 : 3;
        for (int j = 1; j <= minors; ++j)
            page.line(x + j * pw / 48, bottom, x + j * pw / 48, bottom + 50);
        page.line(x, bottom, x, bottom + 150);
        const int label = k <= 5 ? 4000 - 500 * (k - 1) : 2000 - 250 * (k - 5);
        page.print(x - 250, bottom + 200, printedNumber(label));
    }
    page.print(kMargin + pw + 10, bottom + 200, printedNumber(600));

    progress(10);
    page.print(left + pw / 2 - 150, ph + 2450, QStringLiteral("cm"));
    page.setFontSize(8);
    page.print(left + pw / 2 + 120, ph + 2400, QStringLiteral("-1"));
    page.setFontSize(10);

    // An empty trace line has nothing to draw and no step to take.
    if (data.trace.isEmpty())
        return;
    const double step = pw / data.trace.size();
    page.setDrawWidth(3);
    curve(page, data.trace, step, ph, progress);
    if (data.nujolShown) {
        page.setDrawWidth(1);
        page.setDotted(true);
        curve(page, nujolCodes(), step, ph, progress);
        page.setDotted(false);
        page.setDrawWidth(3);
    }
}

} // namespace orv::spectra::ir
