#include "spectra/pmrplot.h"

#include "spectra/expandband.h"

#include "core/coreservices.h"
#include "platform/basic.h"
#include "spectra/spectrumdata.h"

namespace orv::spectra::pmr {

double ppmAtX(double x) { return (kRightX - x) / kTwipsPerPpm; }
double xAtPpm(double ppm) { return kRightX - kTwipsPerPpm * ppm; }
double sampleX(int element, int k) { return kLeftX + 440.0 * (element - 5) + 0.88 * k; }
double sampleY(int height, int baselineY, int topY) { return baselineY - double(baselineY - topY) * height / 252.0; }

Plot axis()
{
    Plot p;
    p.line(kLeftX, kBaselineY + 100, kRightX, kBaselineY + 100);
    for (int i = 1; i <= 11; ++i) {
        const int x = kLeftX + 880 * (i - 1);
        p.line(x, 4780, x, 4880);
        p.text(x - 95, kBaselineY + 220, printedNumber(11 - i));
        if (i < 11)
            p.line(500 + 880 * (i - 1), 4780, 500 + 880 * (i - 1), 4830);
    }
    p.text(4350, kBaselineY + 370, QStringLiteral("ppm"));
    return p;
}

Plot note(const QString& text)
{
    Plot p;
    p.text(50, 50, text);
    return p;
}

Plot trace(const std::array<QByteArray, 26>& pmrData, std::uint32_t colour, DrawMode mode)
{
    Plot p;
    QList<QPointF> run{QPointF(kLeftX, kBaselineY)};
    for (int i = 5; i <= 24; ++i) {
        const QByteArray& line = pmrData[i];
        if (line.isEmpty()) {
            // A flat stretch drawn from the start of its span, wherever the trace had got to.
            if (run.size() > 1)
                p.polyline(run, colour, mode);
            run = {QPointF(sampleX(i, 0), kBaselineY), QPointF(sampleX(i + 1, 0), kBaselineY)};
            continue;
        }
        for (qsizetype k = 1; k <= line.size(); k += 2)
            run.append(QPointF(sampleX(i, int(k)), sampleY(sampleHeight(line.at(k - 1)))));
    }
    if (run.size() > 1)
        p.polyline(run, colour, mode);
    return p;
}

std::optional<Plot> measureMark(double x, double y)
{
    const double v = ppmAtX(x);
    if (!(v >= 0 && v <= 10 && y < kBaselineY && y > 750))
        return std::nullopt;
    Plot p;
    p.line(x, y - 170, x, y - 70, kMagenta);
    p.text(v >= 1 ? x - 110 : x - 65, y - 370, Format(v, QStringLiteral("#.0")), kMagenta);
    return p;
}

bool expandPressAccepted(double x, double y) { return x > 50 && x < kRightX && y > kTopY - 30 && y < kBaselineY - 80; }

bool expandMoveAccepted(double x, double y) { return x > 50 && x < kRightX && y > kTopY - 30 && y < kBaselineY; }

Plot bandBox(double x1, double x2, bool tint) { return spectra::bandBox(x1, x2, kTopY, kBaselineY, tint); }

} // namespace orv::spectra::pmr
