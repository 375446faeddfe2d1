#include "spectra/cmrplot.h"

#include "spectra/expandband.h"

#include "core/coreservices.h"
#include "platform/basic.h"

#include <cstring>

namespace orv::spectra::cmr {

double ppmAtX(double x) { return (kRightX - x) / 40.0; }
double xAtPpm(double ppm) { return kRightX - 40.0 * ppm; }
double stickTopY(int height) { return kBaselineY - double(kBaselineY - kPeakTopY) * height / 241.0; }

void NoiseSource::reseed(int seed)
{
    // As the runtime seeds from a negative number: the bits of the value as a
    // single, folded into 24 bits.
    const float f = float(seed);
    unsigned bits = 0;
    static_assert(sizeof bits == sizeof f);
    std::memcpy(&bits, &f, sizeof bits);
    state_ = ((bits & 0xFFFFFFu) + (bits >> 24)) & 0xFFFFFFu;
}

double NoiseSource::next()
{
    state_ = (state_ * 1140671485u + 12820163u) & 0xFFFFFFu;
    return state_ / 16777216.0;
}

Plot axis()
{
    Plot p;
    p.line(60, 4780, 8860, 4780);
    for (int i = 1; i <= 23; ++i) {
        const int x = 60 + 400 * (i - 1);
        p.line(x, 4780, x, 4880);
        p.text(x - 95, 4900, printedNumber(220 - 10 * (i - 1)));
    }
    p.text(4350, 5050, QStringLiteral("ppm"));
    return p;
}

Plot baselineNoise(NoiseSource& source)
{
    Plot p;
    double y = kBaselineY;
    for (int i = 1; i <= 440; ++i) {
        const int r = CInt(source.next() * 50);
        p.line(20 * i + 40, y, 20 * i + 80, kBaselineY - 30 + r);
        y = kBaselineY + r;
    }
    return p;
}

Plot sticks(const QByteArray& cmrData)
{
    Plot p;
    for (const CarbonPeakRecord& r : decodeCarbonPeaks(cmrData))
        labelledStick(p, xAtPpm(r.ppm), kBaselineY, stickTopY(r.height), r.hydrogens, 180, 60);
    return p;
}

void labelledStick(Plot& p, double x, double baseline, double top, int hydrogens, double labelRise, double digitDrop)
{
    const std::uint32_t labelColour = PaletteColour(0xFF7D00); // RGB 0, 125, 255
    p.line(x, baseline, x, top);
    const double anchorX = CLng(x - 80), anchorY = CLng(top - labelRise);
    p.text(anchorX, anchorY, hydrogens == 0 ? QStringLiteral("C") : QStringLiteral("CH"), labelColour);
    if (hydrogens > 1)
        p.text(anchorX + 190, anchorY + digitDrop, printedNumber(hydrogens), labelColour);
}

Plot note(const QString& text)
{
    Plot p;
    p.text(50, 50, text);
    return p;
}

std::optional<Plot> measureMark(double x, double y)
{
    const double ppm = float(ppmAtX(x));
    if (!(ppm >= 0 && ppm <= 220 && y > 350 && y < kBaselineY))
        return std::nullopt;
    Plot p;
    p.line(x, y - 170, x, y - 70, kMagenta);
    const double textX = ppm >= 100 ? x - 140 : (ppm >= 10 ? x - 95 : x - 45);
    p.text(textX, y - 370, Format(ppm, QStringLiteral("#")), kMagenta);
    return p;
}

bool expandPressAccepted(double x, double y)
{
    return x > 50 && x < kRightX && y > kPeakTopY - 30 && y < kBaselineY - 80;
}

bool expandMoveAccepted(double x, double y) { return x > 50 && x < kRightX && y > kPeakTopY - 30 && y < kBaselineY; }

Plot bandBox(double x1, double x2, bool tint) { return spectra::bandBox(x1, x2, kPeakTopY, kBaselineY - 35, tint); }

} // namespace orv::spectra::cmr
