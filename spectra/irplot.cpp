#include "spectra/irplot.h"

#include "platform/basic.h"
#include "spectra/spectrumdata.h"

namespace orv::spectra::ir {

double traceY(int height, int baseY) { return baseY - 4350.0 * height / 260.0; }

double xAtWavenumber(double wavenumber)
{
    if (wavenumber >= 2000)
        return 240 + (4000 - wavenumber) * 873.0 / 500.0;
    return 240 + 4 * 873 + (2000 - wavenumber) * 873.0 / 250.0;
}

Plot frame(const QString& note)
{
    Plot p;
    p.line(240, 440, 240, 4900);
    p.line(170, 440, 240, 440);
    p.line(170, 4900, 240, 4900);
    p.text(1, 250, QStringLiteral("100"));
    p.text(10, 2400, QStringLiteral("T%"));
    p.text(120, 4710, QStringLiteral("0"));
    p.line(240, 4900, 8750, 4900);
    for (int k = 1; k <= 10; ++k) {
        const int x = 240 + 873 * (k - 1);
        p.line(x, 4900, x, 5000);
        const int label = k <= 5 ? 4000 - 500 * (k - 1) : 2000 - 250 * (k - 5);
        p.text(x - 95, 5020, printedNumber(label));
    }
    // Clear of the superscript that follows.
    p.text(8400, 5020, QStringLiteral("cm"));
    p.text(8650, 4930, QStringLiteral("-1"));
    p.text(280, 50, note);
    return p;
}

Plot trace(const QByteArray& irData)
{
    QList<QPointF> points;
    points.reserve(irData.size());
    for (qsizetype i = 1; i <= irData.size(); ++i)
        points.append(QPointF(pointX(int(i)), traceY(sampleHeight(irData.at(i - 1)))));
    Plot p;
    p.polyline(points);
    return p;
}

Plot nujolOverlay()
{
    QList<QPointF> points;
    const auto& n = nujolHeights();
    for (int i = 1; i <= kNujolPoints; ++i)
        points.append(QPointF(pointX(i), traceY(n[i - 1], kNujolBaseY)));
    Plot p;
    p.polyline(points, kRed, DrawMode::NotXorPen);
    return p;
}

std::optional<int> measuredWavenumber(double x, double y)
{
    if (y >= 4620)
        return std::nullopt;
    if (x > 239 && x <= 3735)
        return CInt(4000 - (x - 240) * 500 / 874);
    if (x > 3735 && x < 8630)
        return CInt(2000 - (x - 3733) * 250 / 874);
    return std::nullopt;
}

std::optional<Plot> measureMark(double x, double y)
{
    const auto wavenumber = measuredWavenumber(x, y);
    if (!wavenumber || *wavenumber <= 0)
        return std::nullopt;
    Plot p;
    p.line(x, y, x, y + 100, kMagenta);
    p.text(x - 100, y + 100, printedNumber(*wavenumber), kMagenta);
    return p;
}

} // namespace orv::spectra::ir
