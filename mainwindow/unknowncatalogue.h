#pragma once
// The instructor's catalogue of the 99 unknowns: each unknown's name and the
// compound classes the selection window highlights. A fixed table; it says
// nothing about what the unknown files hold.
#include <QList>
#include <QString>

namespace orv {

inline constexpr int kCatalogueUnknowns = 99;
inline constexpr int kCatalogueClasses = 17; // class 0 is "none"

// The compound's name for unknown 1..99 (the button's tool tip; unknown 48's
// begins with a blank); empty outside that range.
QString catalogueName(int unknown);
// Class k's list entry, 0..16 ("none", "acyl halide", ... "phenol"); empty
// outside that range.
QString catalogueClassName(int k);
// Unknowns of class k in increasing order; none for class 0 and for any
// index outside 1..16 (such as -1, no selection).
QList<int> catalogueClassMembers(int k);

} // namespace orv
