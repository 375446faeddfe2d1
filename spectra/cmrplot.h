#pragma once
// The carbon-13 spectrum picture (25 MHz, 220 to 0 ppm) in twips: x = 8860 - 40 ppm.
// One stick per peak record over a seeded zig-zag baseline noise.
#include "spectra/plot.h"
#include "spectra/spectrumdata.h"

#include <QByteArray>
#include <optional>

namespace orv::spectra::cmr {

inline constexpr int kBaselineY = 4680;
inline constexpr int kPeakTopY = 600; // top of a height-241 stick
inline constexpr int kRightX = 8860;  // 0 ppm

double ppmAtX(double x);
double xAtPpm(double ppm);
double stickTopY(int height);

// A deterministic generator of uniform values in [0, 1), fully reset by its
// seed (the runtime's 24-bit linear congruential rule).
class NoiseSource {
public:
    explicit NoiseSource(int seed) { reseed(seed); }
    void reseed(int seed);
    double next();
private:
    unsigned state_ = 0;
};
// The seed of an unknown's noise: -1 - unknown number.
inline int noiseSeed(int unknown) { return -1 - unknown; }

// Axis, ticks, labels 220..0 and "ppm".
Plot axis();
// 440 segments between x 60 and 8880, in the band y 4650..4730; draws from
// the source as it stands (callers seed it first for the screen).
Plot baselineNoise(NoiseSource& source);
// Sticks (black) and their light blue "C", "CH", "CH 2", "CH 3" labels.
Plot sticks(const QByteArray& cmrData);
// One black stick from the baseline up to `top` and its light blue label:
// "C" or "CH" with its top left at (x - 80, top - labelRise), rounded to
// whole twips, and for CH2 and CH3 the digit 190 twips right of the label
// and `digitDrop` below it.
void labelledStick(Plot& p, double x, double baseline, double top, int hydrogens, double labelRise, double digitDrop);
Plot note(const QString& text);

// The measuring tool's mark and its whole-ppm label, or nothing outside
// 0..220 ppm or 350 < y < 4680.
std::optional<Plot> measureMark(double x, double y);

// The expansion drag's accepted areas and boxes (y 600..4645, above the noise).
bool expandPressAccepted(double x, double y);
bool expandMoveAccepted(double x, double y);
Plot bandBox(double x1, double x2, bool tint);

} // namespace orv::spectra::cmr
