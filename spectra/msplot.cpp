#include "spectra/msplot.h"

#include "core/coreservices.h"
#include "platform/basic.h"
#include "spectra/spectrumdata.h"

#include <algorithm>
#include <cmath>

namespace orv::spectra::ms {

QString axisIonText(const QString& molecularIon)
{
    QString t = molecularIon;
    for (int cut = 0; cut < 2; ++cut) {
        const qsizetype slash = t.indexOf(u'/');
        if (slash < 0)
            break;
        t = t.mid(slash + 1);
    }
    return t;
}

MzAxis mzAxisFor(const QString& molecularIon)
{
    MzAxis a;
    // Kept to three digits, as the peaks are, so the axis stays finite.
    const int target = CInt(std::clamp(Val(axisIonText(molecularIon)), 0.0, 999.0) + 2);
    a.top = 100;
    while (a.top < target)
        a.top += 25;
    a.tickStep = a.top > 150 ? 2 : 1;
    a.twipsPerMz = 8400.0f / float(a.top - 30);
    return a;
}

double xAtMz(double mz, const MzAxis& axis) { return (mz - 30) * axis.twipsPerMz + 260; }
int mzAtX(double x, const MzAxis& axis) { return CInt((x - 260) / axis.twipsPerMz + 30); }

Plot frame(const MzAxis& axis, const QString& molecularIon, const QString& note)
{
    Plot p;
    p.line(260, kPeakTopY - 10, 260, kBaselineY + 100);
    p.line(170, kPeakTopY - 10, 260, kPeakTopY - 10);
    p.line(170, kBaselineY + 100, 260, kBaselineY + 100);
    p.text(10, kPeakTopY - 200, QStringLiteral("100"));
    p.text(15, kBaselineY / 2, QStringLiteral("RI"));
    p.text(120, kBaselineY - 90, QStringLiteral("0"));
    p.line(260, kBaselineY + 100, 8660, kBaselineY + 100);
    const int step = 5 * axis.tickStep;
    const int ticks = CInt(double(axis.top - 30) / step) + 1;
    for (int i = 1; i <= ticks; ++i) {
        const float x = float(i - 1) * axis.twipsPerMz * float(step) + 260;
        p.line(x, 4700, x, 4800);
        p.text(x - 180, kBaselineY + 220, printedNumber((i - 1) * step + 30));
    }
    p.text(4350, kBaselineY + 420, QStringLiteral("m/z"));
    if (!molecularIon.isEmpty()) {
        const double at = 7000 - 90.0 * molecularIon.size();
        p.text(at + 150, 70, QStringLiteral("M"));
        p.text(at + 280, 21, QStringLiteral("+"));
        // The radical's dot beside the charge, not on it.
        p.text(at + 385, 50, QStringLiteral("."));
        p.text(at + 500, 70, molecularIon);
    }
    p.text(300, 50, note);
    return p;
}

Plot bars(const QByteArray& msData, const MzAxis& axis)
{
    Plot p;
    for (const MsPeakRecord& r : decodeMsPeaks(msData)) {
        if (r.mz <= 30 || r.mz >= 230)
            continue;
        const double x = float(r.mz - 30) * axis.twipsPerMz + 260;
        p.line(x, kBaselineY + 100, x, kBaselineY - double(kBaselineY - kPeakTopY) * r.intensity / 241.0);
    }
    return p;
}

std::optional<Plot> measureMark(double x, double y, const MzAxis& axis)
{
    const int m = mzAtX(x, axis);
    if (!(y < kBaselineY && y > 350 && m >= 31 && m <= axis.top))
        return std::nullopt;
    Plot p;
    p.line(x, y - 170, x, y - 70, kMagenta);
    p.text(x - 150, y - 370, Format(m, QStringLiteral("#")), kMagenta);
    return p;
}

bool lossZone(double x, double y) { return x > 240 && x < 8720 && y > kPeakTopY && y < kBaselineY + 50; }

int lossBetween(double x1, double x2, const MzAxis& axis)
{
    return CInt(std::fabs(((x1 - 260) / axis.twipsPerMz + 30) - ((x2 - 260) / axis.twipsPerMz + 30)));
}

std::uint32_t lossColour() { return PaletteColour(0xFF4000); } // RGB 0, 64, 255

} // namespace orv::spectra::ms
