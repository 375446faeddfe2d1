#pragma once
// The infrared correlation table: functional-group absorption regions in
// cm-1 (upper, lower) with their labels, and the pop-up that shows, for one
// wavenumber, every region containing it as a bar on the plot's own scale.
#include "spectra/plot.h"

#include <QList>
#include <QString>
#include <array>

namespace orv::spectra::ir {

struct CorrelationRegion {
    int upper; // cm-1
    int lower; // cm-1
    const char* label;
};

inline constexpr int kCorrelationRows = 16;
const std::array<CorrelationRegion, kCorrelationRows>& correlationTable();

// The wavenumber (rounded down) under x twips on the plot, by the measuring
// scale; 0 left of 240 or right of 8629.
int correlationWavenumber(int x);

// The regions that strictly contain w, in table order (at most four).
QList<CorrelationRegion> regionsAt(int w);

// The pop-up for a press at x: where it goes on the plot (twips) and what is
// drawn on it (twips of the pop-up, magenta, pen four pixels wide).
struct CorrelationPopup {
    double left = 0, top = 400, width = 0, height = 0;
    bool placed = false; // false: the pop-up is shown without size
    Plot plot;
};
CorrelationPopup correlationPopup(int x);

} // namespace orv::spectra::ir
