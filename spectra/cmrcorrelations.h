#pragma once
// The carbon-13 correlation table: functional-group classes with the shifts
// that select them and the ppm range their bar spans, and the pop-up that
// shows, for one clicked shift, at most two of them on the spectrum's scale
// (40 twips a ppm).
#include "spectra/plot.h"

#include <QList>
#include <array>

namespace orv::spectra::cmr {

struct CorrelationClass {
    int matchAbove; // selected when matchAbove < D ...
    int matchBelow; // ... and D < matchBelow (the alkanes also at D = 0)
    int high;       // the bar from high ppm ...
    int low;        // ... to low ppm
    const char* label;
};

inline constexpr int kCorrelationRows = 7;
const std::array<CorrelationClass, kCorrelationRows>& correlationTable();

// The shift a press at x reads: (8880 - x) / 40 rounded, halves to even.
int correlationShift(int x);
// Every row whose test the shift passes, in table order.
QList<CorrelationClass> classesAt(int d);

// The pop-up in twips of the viewer's client area and what it shows (magenta, pen four pixels wide).
struct CorrelationPopup {
    double left = 0, top = 2000, width = 0, height = 0;
    int shown = 0; // rows drawn (at most two)
    Plot plot;
};
CorrelationPopup correlationPopup(int x);

} // namespace orv::spectra::cmr
