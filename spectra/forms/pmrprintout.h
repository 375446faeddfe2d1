#pragma once
// The two proton printouts laid out on a landscape page: the whole spectrum
// (title, unknown's number, note, axis, trace and, when shown, the integral)
// and the expansion (title, scale line, unknown's number, axis and trace).
// Each reports its progress (0..100) while the trace is printed.
#include "spectra/forms/printpage.h"
#include "spectra/pmrexpansion.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <array>
#include <functional>

namespace orv::spectra::pmr {

struct PrintoutData {
    QString caption;                                  // the viewer's caption
    const std::array<QByteArray, 26>* data = nullptr; // PmrData: 5..24 the trace, 25 the note
    bool integralShown = false;
    bool unknownNumberShown = false;
    int unknownNumber = 0;
};

void printout(spectra::PrintPage& page, QSizeF pageTwips, const PrintoutData& data,
              const std::function<void(double)>& progress);

} // namespace orv::spectra::pmr

namespace orv::spectra::pmrexp {

struct PrintoutData {
    Window window;
    QByteArray samples; // the window's samples as drawn on screen
    int verticalScale = 1;
    bool unknownNumberShown = false;
    int unknownNumber = 0;
};

void printout(spectra::PrintPage& page, QSizeF pageTwips, const PrintoutData& data,
              const std::function<void(double)>& progress);

} // namespace orv::spectra::pmrexp
