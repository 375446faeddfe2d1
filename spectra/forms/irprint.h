#pragma once
// The infrared spectrum laid out on a landscape page: the head lines, the
// frame with its 4000..600 cm-1 axis, the trace and, when the overlay is on
// the screen, the Nujol reference as a dotted line.
#include "spectra/forms/printpage.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <functional>

namespace orv::spectra::ir {

struct PrintoutData {
    QString caption;  // the viewer's caption
    QString note;     // IrLabel
    QByteArray trace; // IrData
    bool unknownNumberShown = false;
    int unknownNumber = 0;
    bool nujolShown = false;
};

// Lays the page out; `progress` receives the progress bar's values (10..100).
void printout(PrintPage& page, QSizeF pageTwips, const PrintoutData& data, const std::function<void(double)>& progress);

} // namespace orv::spectra::ir
