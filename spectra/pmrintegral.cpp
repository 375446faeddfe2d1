#include "spectra/pmrintegral.h"

#include "platform/basic.h"
#include "spectra/pmrplot.h"
#include "spectra/spectrumdata.h"

#include <QLineF>

namespace orv::spectra::pmr {

std::int32_t integralTotal(const std::array<QByteArray, 26>& pmrData)
{
    std::int32_t total = 0;
    for (int i = 5; i <= 24; ++i)
        for (char c : pmrData[size_t(i)])
            total += sampleHeight(c);
    return total;
}

Plot integralCurve(const std::array<QByteArray, 26>& pmrData)
{
    Plot p;
    const std::int32_t total = integralTotal(pmrData);
    if (total <= 0)
        return p;
    const double rise = double(kBaselineY - 100 - kTopY) / total;
    // Only points that move the pen by at least a pixel are kept: with the
    // not-xor pen, segments inside one pixel would cancel each other.
    double y = kBaselineY - 100;
    double lastX = kLeftX;
    QList<QPointF> run{QPointF(kLeftX, y)};
    const auto add = [&run](double x, double yy) {
        const QPointF& last = run.back();
        if (std::abs(x - last.x()) >= 15 || std::abs(yy - last.y()) >= 15)
            run.append(QPointF(x, yy));
    };
    for (int i = 5; i <= 24; ++i) {
        const QByteArray& line = pmrData[size_t(i)];
        if (line.isEmpty()) {
            lastX = sampleX(i + 1, 0);
            add(lastX, y);
            continue;
        }
        for (qsizetype k = 1; k <= line.size(); ++k) {
            y -= sampleHeight(line.at(k - 1)) * rise;
            lastX = sampleX(i, int(k));
            add(lastX, y);
        }
    }
    // The curve ends where the last sample put it (at the top of the plot).
    const QPointF end(lastX, y);
    if (run.size() > 1 && QLineF(run[run.size() - 2], end).length() < 15)
        run.back() = end;
    else if (run.back() != end)
        run.append(end);
    p.polyline(run, kRed, DrawMode::NotXorPen);
    return p;
}

bool stepAreaContains(double x, double y) { return x > kLeftX && x < kRightX && y > kTopY - 30 && y < kBaselineY - 80; }

float StepMeter::measure(float height)
{
    if (scale == 0)
        scale = float(digit) / height;
    return height * scale;
}

QString stepText(float value) { return Format(double(value), QStringLiteral("#0.0")); }

} // namespace orv::spectra::pmr
