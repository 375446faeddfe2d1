#pragma once
// The proton spectrum picture (400 MHz, 10 to 0 ppm) in twips: x = 60 is
// 10 ppm, x = 8860 is 0 ppm, 880 twips per ppm; trace element i (5..24)
// covers 0.5 ppm from x = 60 + 440 (i - 5), one character per 0.88 twips.
#include "spectra/plot.h"

#include <QByteArray>
#include <array>
#include <optional>

namespace orv::spectra::pmr {

inline constexpr int kBaselineY = 4680; // zero height
inline constexpr int kTopY = 600;       // where a height of 252 would reach
inline constexpr int kLeftX = 60;       // 10 ppm
inline constexpr int kRightX = 8860;    // 0 ppm
inline constexpr double kTwipsPerPpm = 880;

double ppmAtX(double x);
double xAtPpm(double ppm);
// x of character k (1-based) of trace element i.
double sampleX(int element, int k);
double sampleY(int height, int baselineY = kBaselineY, int topY = kTopY);

// Axis, ticks, labels 10..0 and "ppm".
Plot axis();
// The note line at the top left.
Plot note(const QString& text);
// The trace: one polyline that runs on from line to line, broken only where
// an empty element draws its flat stretch of baseline. Only the odd
// characters of a line are drawn; a line longer than 500 characters runs on
// past its span at the same spacing.
Plot trace(const std::array<QByteArray, 26>& pmrData, std::uint32_t colour = kBlack, DrawMode mode = DrawMode::CopyPen);

// A peak-position mark for a click of the measuring tool, or nothing when the
// click lies outside 0..10 ppm, at or above y 750 or on or below the baseline.
std::optional<Plot> measureMark(double x, double y);

// The expansion drag's accepted areas.
bool expandPressAccepted(double x, double y);
bool expandMoveAccepted(double x, double y); // also the release's area
// The band tinted or wiped between two x.
Plot bandBox(double x1, double x2, bool tint);

} // namespace orv::spectra::pmr
