#pragma once
// The proton correlation table: the shift ranges of functional groups that the
// proton viewer's correlation tool shows for a clicked shift, and the pop-up
// built from the rows that contain it (labels with bars on the spectrum's own
// ppm scale, 880 twips per ppm).
#include "spectra/plot.h"

#include <QList>
#include <array>

namespace orv::spectra::pmr {

struct CorrelationRow {
    float high; // ppm, both ends belong to the range
    float low;
    const char* label;
};

// Sixteen rows in the order the pop-up lists them; the last is the
// exchangeable-proton row, drawn in its own colour.
extern const std::array<CorrelationRow, 16> kCorrelationRows;
inline constexpr int kExchangeableRow = 15; // index into kCorrelationRows
// Rows the pop-up can list at once; the table never puts more rows on one shift.
inline constexpr int kCorrelationSlots = 8;
inline constexpr int kCorRowHeight = 420; // twips per listed row
inline constexpr int kCorPopupTop = 1000;

// Indexes of the rows whose range contains the shift s, in table order, at
// most kCorrelationSlots of them.
QList<int> correlationsAt(float s);

// The pop-up for a click at x (twips of the spectrum picture): its place and
// size on the picture and what is drawn in it (bars 4 pixels wide). Empty
// (zero size) when no row matches.
struct CorrelationPopup {
    int left = 0;
    int top = kCorPopupTop;
    int width = 0;
    int height = 0;
    QList<int> rows;
    Plot plot;
};
CorrelationPopup correlationPopup(int x);

inline constexpr std::uint32_t kCorrelationBlue = 0xFF7D00; // the exchangeable row

} // namespace orv::spectra::pmr
