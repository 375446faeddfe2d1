#pragma once
// The proton spectrum printout in printer twips: one landscape page with the
// header, the ppm axis, the whole trace at full resolution (every character)
// and, when it is shown on screen, the integral curve.
#include "spectra/plot.h"

#include <QByteArray>
#include <QList>
#include <QSizeF>
#include <array>

namespace orv::spectra::pmr {

struct PrintGeometry {
    int W = 0; // the page's long side - 1000: the axis runs from x 500 to W
    int H = 0; // the page's short side - 4000: the baseline lies at H + 1900
    double L() const { return W - 500; }
    double elementX(int element) const { return 500 + (element - 5) * L() / 20; }
    double sampleX(int element, int k) const { return elementX(element) + k * L() / 10000; }
};

// The page laid out across its long side, whichever way the sheet comes.
PrintGeometry printGeometry(QSizeF pageTwips);

// Axis line, ticks (half-ppm ticks from 9.5 to 1.5), the labels 10..0 and "ppm".
Plot printAxis(const PrintGeometry& page);
// The trace, one plot per element 5..24 (printed one after the other while
// the progress bar runs); an empty element is a flat baseline across its half ppm.
QList<Plot> printTrace(const PrintGeometry& page, const std::array<QByteArray, 26>& pmrData);
// The integral curve from (500, H + 1800), scaled by the total minus 150;
// empty when the total is 150 or less (it cannot be scaled that way).
Plot printIntegral(const PrintGeometry& page, const std::array<QByteArray, 26>& pmrData);

} // namespace orv::spectra::pmr
