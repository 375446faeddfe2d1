#pragma once
// The carbon-13 spectrum laid out on a landscape page: the bold title, the
// unknown's number and the note, a 220..0 ppm axis across the page, a
// zig-zag baseline noise and one stick per peak with its C/CH label.
#include "spectra/cmrplot.h"
#include "spectra/forms/printpage.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <functional>

namespace orv::spectra::cmr {

struct PrintoutData {
    QString caption;  // the viewer's caption
    QString note;     // CmrLabel
    QByteArray peaks; // CmrData
    bool unknownNumberShown = false;
    int unknownNumber = 0;
};

// Page quantities in twips from the page's sides as the printer reports them.
struct PrintGeometry {
    int longSide = 0;      // the longer side - 1000: where 0 ppm lies
    double shortSide = 0;  // the shorter side - 4000: the height of a full stick
    double axisLength = 0; // longSide - 500: the extent of 220 ppm
    double baselineY = 0;  // shortSide + 2000
    double xAt(double ppm) const;
    double stickTop(int height) const;
};
PrintGeometry printGeometry(QSizeF pageTwips);

// One printed stick, 4 dots wide from the baseline up to `top`; then, at
// 1 dot, "C" or "CH" (size 10) with its top left at `labelAt` and, for CH2
// and CH3, the digit at size 8 with its top left at `digitAt`.
void printStick(PrintPage& page, double x, double baseline, double top, int hydrogens, QPointF labelAt,
                QPointF digitAt);

// Lays the page out; the noise continues `noise` as it stands (not re-seeded).
void printout(PrintPage& page, QSizeF pageTwips, const PrintoutData& data, NoiseSource& noise,
              const std::function<void(double)>& progress);

} // namespace orv::spectra::cmr
