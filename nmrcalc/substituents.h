#pragma once
// The 23 substituent groups offered by the shift calculators, in the order of
// their option buttons (the index is the row key of the increment tables).
#include <QString>

namespace orv::nmr {

inline constexpr int kSubstituentCount = 23;

struct Substituent {
    const char* caption;
    const char* toolTip;
};

const Substituent& substituent(int index);
QString substituentCaption(int index);
QString substituentToolTip(int index);

} // namespace orv::nmr
