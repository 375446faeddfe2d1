#pragma once
// The carbon-13 expansion window's geometry. The range dragged on the carbon
// viewer (ExpandLeftX..ExpandRightX, twips there, x = 8860 - 40 ppm) becomes a
// window of 5 ppm or a whole number of tens of ppm, drawn across 8000 twips
// from x = 80 (LeftPpm) to x = 8080 (LeftPpm - WidthPpm): a shift s lies at
// x = 80 + (LeftPpm - s) x 8000 / WidthPpm. Sticks stand at their exact
// tenth-of-a-ppm shifts. Also the measuring tool's mark and text, and the
// printout's page quantities.
#include "spectra/cmrplot.h"
#include "spectra/plot.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <optional>

namespace orv::spectra::cmrexp {

inline constexpr int kBaselineY = 4680;
inline constexpr int kPeakTopY = 660; // top of a height-241 stick
inline constexpr int kLeftX = 80;     // LeftPpm
inline constexpr int kRightX = 8080;  // LeftPpm - WidthPpm
inline constexpr int kSpan = 8000;

struct Window {
    int LeftPpm = 220;  // the highest shift shown, 5..220 for any dragged range
    float WidthPpm = 5; // 5, or 10, 20, ... 220
};

// The window for a dragged range. Narrower than 5 ppm (a click included):
// 5 ppm with its left end 2.5 ppm above the dragged left end; otherwise the
// width rounded up to tens of ppm (a width just over a ten, say 10.5, stays
// at that ten) with the left end at the dragged left end. The left end is
// kept at 220 at most and never lets the right end pass 0 ppm. Whole ppm are
// rounded halves to even.
Window windowFor(float expandLeftX, float expandRightX);

double xAtShift(const Window& w, double ppm);
double shiftAtX(const Window& w, double x);
// Drawn only when LeftPpm - WidthPpm <= s <= LeftPpm (both ends included).
bool shows(const Window& w, float ppm);

// "Horizontal scale is x 22.0 - width is 10 ppm".
QString header(const Window& w);
// The value of tick i (1..11), and where its label starts relative to the
// tick's x: 95 twips left, the last one 280 (above 99) or 200 left. The same
// on the screen and on the page.
double tickValue(const Window& w, int i);
double tickLabelOffset(const Window& w, int i);

// The header at (50, 50), the axis at y 4780 with its eleven ticks, labels
// and "ppm".
Plot frame(const Window& w);
// One continuous zig-zag of 400 segments 20 twips wide from x 80 to 8080,
// y 4660..4720; draws from the source as it stands (seed it first).
Plot baselineNoise(cmr::NoiseSource& source);
// Sticks (black) of the records inside the window, with their light blue
// "C", "CH", "CH 2", "CH 3" labels.
Plot sticks(const Window& w, const QByteArray& cmrData);
// The whole picture: frame, noise (re-seeded for `unknown` first, so that
// every paint draws the same pixels) and sticks.
Plot picture(const Window& w, const QByteArray& cmrData, cmr::NoiseSource& source, int unknown);

// Peak position measurement: a magenta mark just above the click and the
// shift to one decimal (a window below 50 ppm) or in whole ppm, or nothing
// outside 90 < x < 8080, 560 < y < 4680.
bool measureAccepted(double x, double y);
std::optional<Plot> measureMark(const Window& w, double x, double y);

// The printout's page, from the page's sides as the printer reports them
// (either orientation): the axis runs from x 500 to 500 + axisLength, the
// baseline at y baselineY, a height-241 stick reaches y 2000.
struct PrintGeometry {
    int longSide = 0;      // the longer side - 1000: the axis's right end
    double axisLength = 0; // longSide - 500
    double baselineY = 0;  // the shorter side - 2000
    int xAt(const Window& w, double ppm) const;
    int stickTop(int height) const;
};
PrintGeometry printGeometry(QSizeF pageTwips);

} // namespace orv::spectra::cmrexp
