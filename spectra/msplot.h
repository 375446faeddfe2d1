#pragma once
// The mass spectrum picture in twips: relative intensity (0..241 = 0..100 %)
// against m/z from 30 at x = 260 to the axis top at x = 8660.
#include "spectra/plot.h"

#include <QByteArray>
#include <optional>

namespace orv::spectra::ms {

inline constexpr int kBaselineY = 4600; // zero intensity
inline constexpr int kPeakTopY = 400;   // full intensity

// The m/z axis set by the molecular ion (its last "/"-separated value of
// up to three, read as a number and kept within 0..999 like the peaks).
struct MzAxis {
    int top = 100;          // 100, 125, 150, ...: first at least the ion + 2
    int tickStep = 1;       // 1 up to 150, else 2; ticks every 5 x tickStep
    float twipsPerMz = 120; // 8400 / (top - 30)
};
MzAxis mzAxisFor(const QString& molecularIon);
// The value the axis is set from: drops up to two leading "a/" parts.
QString axisIonText(const QString& molecularIon);

double xAtMz(double mz, const MzAxis& axis);
// m/z under a click, rounded halves to even.
int mzAtX(double x, const MzAxis& axis);

// Axes, ticks, labels, "m/z", the M+. label with the ion text, and the note.
Plot frame(const MzAxis& axis, const QString& molecularIon, const QString& note);
// One bar per whole record with 30 < m/z < 230, from 100 twips below the zero line.
Plot bars(const QByteArray& msData, const MzAxis& axis);

// The m/z tool's mark and label, or nothing outside 350 < y < 4600 or
// m/z 31..axis top.
std::optional<Plot> measureMark(double x, double y, const MzAxis& axis);

// The loss tool's drag zone and its measured loss (rounded, halves to even).
bool lossZone(double x, double y);
int lossBetween(double x1, double x2, const MzAxis& axis);
std::uint32_t lossColour();

} // namespace orv::spectra::ms
