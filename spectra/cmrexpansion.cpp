#include "spectra/cmrexpansion.h"

#include "platform/basic.h"
#include "spectra/spectrumdata.h"

#include <algorithm>

namespace orv::spectra::cmrexp {

namespace {
constexpr float kViewerRightX = cmr::kRightX; // 0 ppm on the carbon viewer
constexpr float kViewerTwipsPerPpm = 40;
constexpr int kMaxLeftPpm = 220;
} // namespace

Window windowFor(float expandLeftX, float expandRightX)
{
    Window win;
    const float w = (expandRightX - expandLeftX) / kViewerTwipsPerPpm;
    const float left = (kViewerRightX - expandLeftX) / kViewerTwipsPerPpm;
    if (!(w >= 5)) {
        win.WidthPpm = 5;
        win.LeftPpm = CInt(left + 2.5f);
    } else {
        win.WidthPpm = float(Int((double(w) + 9) / 10) * 10);
        win.LeftPpm = CInt(left);
    }
    win.LeftPpm = std::min(win.LeftPpm, kMaxLeftPpm);
    if (win.WidthPpm > float(win.LeftPpm))
        win.LeftPpm = CInt(win.WidthPpm);
    return win;
}

double xAtShift(const Window& w, double ppm) { return kLeftX + (w.LeftPpm - ppm) * kSpan / w.WidthPpm; }
double shiftAtX(const Window& w, double x) { return w.LeftPpm - (x - kLeftX) * w.WidthPpm / kSpan; }

bool shows(const Window& w, float ppm) { return float(w.LeftPpm) - w.WidthPpm <= ppm && ppm <= float(w.LeftPpm); }

QString header(const Window& w)
{
    return QStringLiteral("Horizontal scale is x ") + Format(220.0f / w.WidthPpm, QStringLiteral("##.0"))
         + QStringLiteral(" - width is ") + QString::number(double(w.WidthPpm)) + QStringLiteral(" ppm");
}

double tickValue(const Window& w, int i) { return w.LeftPpm - (i - 1) * double(w.WidthPpm) / 10; }

double tickLabelOffset(const Window& w, int i)
{
    if (i < 11)
        return -95;
    return tickValue(w, i) > 99 ? -280 : -200;
}

Plot frame(const Window& w)
{
    Plot p;
    p.text(50, 50, header(w));
    p.line(kLeftX, kBaselineY + 100, kRightX, kBaselineY + 100);
    for (int i = 1; i <= 11; ++i) {
        const int x = kLeftX + 800 * (i - 1);
        p.line(x, 4780, x, 4880);
        p.text(x + tickLabelOffset(w, i), kBaselineY + 220, printedNumber(tickValue(w, i)));
    }
    p.text(4040, kBaselineY + 370, QStringLiteral("ppm"));
    return p;
}

Plot baselineNoise(cmr::NoiseSource& source)
{
    QList<QPointF> points{QPointF(kLeftX, kBaselineY)};
    for (int i = 1; i <= 400; ++i) {
        const int r = CInt(source.next() * 60);
        points.append(QPointF(kLeftX + 20 * i, kBaselineY - 20 + r));
    }
    Plot p;
    p.polyline(points);
    return p;
}

Plot sticks(const Window& w, const QByteArray& cmrData)
{
    Plot p;
    for (const CarbonPeakRecord& r : decodeCarbonPeaks(cmrData)) {
        if (!shows(w, r.shift))
            continue;
        const double top = kBaselineY - double(kBaselineY - kPeakTopY) * r.height / 241.0;
        cmr::labelledStick(p, xAtShift(w, r.shift), kBaselineY, top, r.hydrogens, 200, 80);
    }
    return p;
}

Plot picture(const Window& w, const QByteArray& cmrData, cmr::NoiseSource& source, int unknown)
{
    Plot p = frame(w);
    source.reseed(cmr::noiseSeed(unknown));
    p.append(cmrexp::baselineNoise(source));
    p.append(sticks(w, cmrData));
    return p;
}

bool measureAccepted(double x, double y) { return x > 90 && x < kRightX && y > kPeakTopY - 100 && y < kBaselineY; }

std::optional<Plot> measureMark(const Window& w, double x, double y)
{
    if (!measureAccepted(x, y))
        return std::nullopt;
    const float p = float(shiftAtX(w, x));
    const bool fine = w.WidthPpm < 50;
    double textX = 0;
    if (p < 10)
        textX = fine ? x - 100 : x - 56;
    else if (p < 100)
        textX = fine ? x - 130 : x - 104;
    else
        textX = fine ? x - 180 : x - 130;
    Plot mark;
    mark.line(x, y - 150, x, y - 50, kMagenta);
    mark.text(textX, y - 350, Format(p, fine ? QStringLiteral("#.0") : QStringLiteral("#")), kMagenta);
    return mark;
}

PrintGeometry printGeometry(QSizeF pageTwips)
{
    PrintGeometry g;
    g.longSide = CInt(std::max(pageTwips.width(), pageTwips.height()) - 1000);
    g.axisLength = g.longSide - 500;
    g.baselineY = std::min(pageTwips.width(), pageTwips.height()) - 2000;
    return g;
}

int PrintGeometry::xAt(const Window& w, double ppm) const
{
    return CInt(500 + (w.LeftPpm - ppm) * axisLength / w.WidthPpm);
}

int PrintGeometry::stickTop(int height) const { return CInt(baselineY - (baselineY - 2000) * height / 241); }

} // namespace orv::spectra::cmrexp
