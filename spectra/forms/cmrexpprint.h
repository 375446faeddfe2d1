#pragma once
// The carbon-13 expansion laid out on a landscape page: the bold title, the
// scale header, the unknown's number, an axis with eleven labelled ticks, a
// printed baseline noise and the sticks inside the window, each with its
// carbon type and its shift to one decimal.
#include "spectra/cmrexpansion.h"
#include "spectra/forms/printpage.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <functional>

namespace orv::spectra::cmrexp {

struct PrintoutData {
    QString caption;  // the window's caption
    Window window;    // as the last paint computed it
    QByteArray peaks; // CmrData
    bool unknownNumberShown = false;
    int unknownNumber = 0;
};

// Lays the page out; the noise continues `noise` as it stands (not re-seeded).
// `progress` receives 10, 20, 30, then 30..100 over the records.
void printout(PrintPage& page, QSizeF pageTwips, const PrintoutData& data, cmr::NoiseSource& noise,
              const std::function<void(double)>& progress);

} // namespace orv::spectra::cmrexp
