#include "spectra/pmrexpansion.h"

#include "platform/basic.h"
#include "spectra/spectrumdata.h"

#include <algorithm>
#include <cmath>

namespace orv::spectra::pmrexp {

namespace {

constexpr float kTwipsPerPpm = 880;
constexpr int kViewerRightX = 8860;
constexpr float kMaxWidthPpm = 10;

// Round half to even to the given number of decimals, as the window rounds LeftPpm.
float roundTo(float v, int decimals)
{
    const double f = std::pow(10.0, decimals);
    return float(double(CLng(double(v) * f)) / f);
}

long long milliPpm(double ppm) { return std::llround(ppm * 1000.0); }

QString numberFormat(Precision p)
{
    switch (p) {
    case Precision::High: return QStringLiteral("#.000");
    case Precision::Medium: return QStringLiteral("#.00");
    case Precision::Low: break;
    }
    return QStringLiteral("#.0");
}

double traceY(int h, int scale) { return 4700.0 - 4100.0 * h * scale / 252.0; }

} // namespace

float snappedWidth(float w)
{
    if (w <= 0.2f)
        return 0.2f;
    if (w <= 0.41f)
        return 0.4f;
    if (w <= 0.51f)
        return 0.5f;
    if (w <= 0.61f)
        return 0.6f;
    if (w <= 0.82f)
        return 0.8f;
    if (w <= 1.05f)
        return 1;
    if (w <= 1.55f)
        return 1.5f;
    if (w <= 2.05f)
        return 2;
    if (w <= 2.55f)
        return 2.5f;
    // Wider than the proton plot can hand over only from outside it; keep to 10 ppm.
    return std::min(float(Int(double(w) + 0.8)), kMaxWidthPpm);
}

Window snapRange(float expandLeftX, float expandRightX)
{
    Window win;
    win.RightX = expandRightX;
    win.LeftX = expandLeftX;
    const float w = (win.RightX - win.LeftX) / kTwipsPerPpm;
    win.WidthPpm = snappedWidth(w);
    if (!(w > 0.2f)) {
        const float m = (win.RightX + win.LeftX) / 2;
        win.LeftX = float(Int((double(m) - 88) * 10) / 10);
        win.RightX = m + 88;
    }
    win.LabelPrecision = win.WidthPpm <= 1 ? Precision::High : win.WidthPpm <= 5 ? Precision::Medium : Precision::Low;
    float left = (kViewerRightX - win.LeftX) / kTwipsPerPpm;
    if (left >= 10)
        left = 10;
    else if (left < win.WidthPpm)
        left = win.WidthPpm;
    const int decimals = win.LabelPrecision == Precision::High ? 2 : win.LabelPrecision == Precision::Medium ? 1 : 0;
    win.LeftPpm = roundTo(left, decimals);
    return win;
}

QByteArray windowSamples(const std::array<QByteArray, 26>& pmrData, const Window& w)
{
    const long long hi = milliPpm(w.LeftPpm);
    const long long lo = milliPpm(double(w.LeftPpm) - double(w.WidthPpm));
    // The element whose half ppm holds the shift just below LeftPpm.
    const int first = std::clamp(25 - int((hi + 499) / 500), 5, 24);
    QByteArray out;
    for (int e = first; e <= 24; ++e) {
        const QByteArray& line = pmrData[size_t(e)];
        const long long top = 12500 - 500LL * e;
        for (int i = 1; i <= 500; ++i) {
            const long long p = top - i;
            if (p < lo || p > hi)
                continue;
            // An empty element, or the part missing from a short one, is baseline:
            // every shift keeps its 0.001 ppm place.
            out.append(i <= line.size() ? line.at(i - 1) : char(14));
        }
        if (top - 500 <= lo)
            break;
    }
    return out;
}

int verticalScale(const QByteArray& samples)
{
    int tallest = 0;
    for (char c : samples)
        tallest = std::max(tallest, sampleHeight(c));
    if (tallest >= 1 && tallest <= 60)
        return 4;
    if (tallest >= 61 && tallest <= 120)
        return 2;
    return 1;
}

double ppmAtX(const Window& w, double x) { return float(w.LeftPpm - float(x - kLeftX) * w.WidthPpm / kSpan); }
double couplingHz(const Window& w, double dx) { return std::abs(dx) / 20.0 * w.WidthPpm; }

QString scaleLine(float widthPpm, int scale)
{
    return QStringLiteral("horizontal scale is x ") + Format(10.0f / widthPpm, QStringLiteral("##.0"))
         + QStringLiteral(" and width is ") + Format(widthPpm, QStringLiteral("#0.00"))
         + QStringLiteral(" ppm; vertical scale is x") + printedNumber(scale);
}

Plot trace(const QByteArray& samples, int scale)
{
    Plot p;
    const qsizetype n = samples.size();
    if (n == 0)
        return p;
    QList<QPointF> points{QPointF(kLeftX, traceY(sampleHeight(samples.at(0)), scale))};
    for (qsizetype i = 1; i <= n; ++i)
        points.append(
            QPointF(kLeftX + double(kSpan) * double(i) / double(n), traceY(sampleHeight(samples.at(i - 1)), scale)));
    p.polyline(points);
    return p;
}

Plot picture(const Window& w, const QByteArray& samples, int scale)
{
    Plot p;
    QString line = scaleLine(w.WidthPpm, scale);
    line[0] = u'H';
    p.text(50, 50, line);
    p.line(kLeftX, 4790, kRightX, 4790);
    const QString format = w.LabelPrecision == Precision::Low ? QStringLiteral("#.0") : QStringLiteral("#.00");
    for (int k = 1; k <= 11; ++k) {
        const double x = kLeftX + 800.0 * (k - 1);
        p.line(x, 4790, x, 4890);
        const float v = w.LeftPpm - (w.WidthPpm / 10) * float(k - 1);
        double at = x - 50;
        if (k == 11) {
            const bool small = v < 1;
            switch (w.LabelPrecision) {
            case Precision::High: at = kRightX - (small ? 200 : 240); break;
            case Precision::Medium: at = kRightX - (small ? 90 : 180); break;
            case Precision::Low: at = kRightX - (small ? 130 : 200); break;
            }
        }
        p.text(at, 4900, Format(v, format));
    }
    p.text(4040, 5060, QStringLiteral("ppm"));
    p.append(trace(samples, scale));
    return p;
}

std::optional<Plot> measureMark(const Window& w, double x, double y)
{
    const double v = ppmAtX(w, x);
    if (!(v > 0 && y > 350 && y < kPlotBaseY))
        return std::nullopt;
    int offset = 0;
    switch (w.LabelPrecision) {
    case Precision::High: offset = v >= 1 ? 200 : 150; break;
    case Precision::Medium: offset = v >= 1 ? 150 : 110; break;
    case Precision::Low: offset = v >= 1 ? 100 : 70; break;
    }
    Plot p;
    p.line(x, y - 150, x, y - 50, kMagenta);
    p.text(x - offset, y - 350, Format(v, numberFormat(w.LabelPrecision)), kMagenta);
    return p;
}

bool couplingAccepted(double x, double y) { return x >= kLeftX && x <= kRightX && y > 350 && y < kPlotBaseY + 50; }

QString couplingText(const Window& w, double dx)
{
    const QString format = w.LabelPrecision == Precision::Low ? QStringLiteral("#") : QStringLiteral("#.0");
    return Format(couplingHz(w, dx), format) + QStringLiteral(" Hz");
}

bool stepAccepted(double x, double y) { return x > kLeftX && x < kRightX && y > kPlotTopY - 30 && y < kPlotBaseY - 80; }

Plot integral(const QByteArray& samples)
{
    Plot p;
    long total = 0;
    for (char c : samples)
        total += sampleHeight(c);
    const float start = kPlotBaseY - 100;
    if (total == 0 || samples.isEmpty()) {
        p.line(kLeftX, start, kRightX, start, kRed, DrawMode::NotXorPen);
        return p;
    }
    const float dx = float(kSpan) / float(samples.size());
    const float climb = kPlotBaseY - kPlotTopY - 100;
    QList<QPointF> points{QPointF(kLeftX, start)};
    float y = start;
    for (qsizetype i = 1; i <= samples.size(); ++i) {
        y -= float(sampleHeight(samples.at(i - 1))) * climb / float(total);
        points.append(QPointF(float(i) * dx + kLeftX, y));
    }
    p.polyline(points, kRed, DrawMode::NotXorPen);
    return p;
}

Printout printout(const Window& w, const QByteArray& samples, int scale, QSizeF page, bool showUnknownNumber,
                  int unknown)
{
    const double longer = std::max(page.width(), page.height());
    const double shorter = std::min(page.width(), page.height());
    Printout out;
    out.PrintLongSide = CInt(longer - 1000);
    out.PrintShortSide = float(shorter - 4000);
    out.PrintAxisLength = float(out.PrintLongSide - 500);
    const double axisLength = out.PrintAxisLength;
    const double axisY = out.PrintShortSide + 2000;
    const double zeroY = out.PrintShortSide + 1900;
    out.texts.append({QPointF(500, 1000), QStringLiteral("Orvanto Expanded pmr spectrum"), 12, true});
    out.texts.append({QPointF(4500, 1000), QStringLiteral("  ") + scaleLine(w.WidthPpm, scale), 12, false});
    if (showUnknownNumber)
        out.texts.append({QPointF(500, 1250), QStringLiteral("Unknown number ") + QString::number(unknown), 12, true});
    out.axis.line(500, axisY, 500 + axisLength, axisY);
    for (int g = 1; g <= 11; ++g) {
        const int major = CInt(500 + (g - 1) * axisLength / 10);
        if (g < 11)
            for (int i = 1; i <= 4; ++i) {
                const double x = major + i * axisLength / 50;
                out.axis.line(x, axisY, x, axisY + 80);
            }
        out.axis.line(major, axisY, major, axisY + 150);
        const float v = w.LeftPpm - w.WidthPpm / 10 * float(g - 1);
        out.texts.append(
            {QPointF(g == 11 ? major - 250 : major - 100, axisY + 250), Format(v, QStringLiteral("#.00")), 10, false});
    }
    // A line below the scale's numbers (which stand 250 twips under the
    // axis), as on the full spectrum's printout, not across the middle one.
    out.texts.append(
        {QPointF(axisLength / 2 + 500 - 150, out.PrintShortSide + 2500), QStringLiteral("ppm"), 10, false});
    const qsizetype n = samples.size();
    if (n > 0) {
        const double rise = (out.PrintShortSide - 100) / 241.0 * scale;
        QList<QPointF> points{QPointF(500, zeroY - sampleHeight(samples.at(0)) * rise)};
        for (qsizetype i = 1; i <= n; ++i)
            points.append(
                QPointF(axisLength / double(n) * double(i) + 500, zeroY - sampleHeight(samples.at(i - 1)) * rise));
        out.trace.polyline(points);
    }
    return out;
}

} // namespace orv::spectra::pmrexp
