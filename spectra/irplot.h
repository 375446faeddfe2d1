#pragma once
// The infrared spectrum picture in twips: transmittance 0..100 % (height
// 0..260) against wavenumber, 4000 cm-1 at x = 240 down to 750 cm-1 near
// x = 8100, 873 twips per 500 cm-1 above 2000 and per 250 cm-1 below it.
// Point i (1-based) of a trace stands at x = 226 + 14 i.
#include "spectra/plot.h"

#include <QByteArray>
#include <array>
#include <optional>

namespace orv::spectra::ir {

inline constexpr int kTraceBaseY = 4600; // height 0
inline constexpr int kNujolBaseY = 4580; // the overlay's height 0
inline constexpr int kNujolPoints = 600;

// x of point i of a trace.
inline double pointX(int i) { return 226.0 + 14.0 * i; }
double traceY(int height, int baseY = kTraceBaseY);
// Where the axis draws a wavenumber (the tick scale).
double xAtWavenumber(double wavenumber);

// Axes, ticks, labels, "T%", "cm-1" and the note.
Plot frame(const QString& note);
// One polyline through every point of the trace; nothing for an empty line.
Plot trace(const QByteArray& irData);
// The Nujol reference in red with the not-xor pen: drawing it twice leaves
// the picture as it was.
Plot nujolOverlay();
const std::array<int, 600>& nujolHeights();

// The wavenumber a measuring click reads (its own scale: 874 twips a step,
// the scales meeting at 3733/3735), rounded halves to even; nothing outside
// 239 < x < 8630 or at y >= 4620.
std::optional<int> measuredWavenumber(double x, double y);
// The mark and its label, or nothing when the wavenumber is not above 0.
std::optional<Plot> measureMark(double x, double y);

} // namespace orv::spectra::ir
