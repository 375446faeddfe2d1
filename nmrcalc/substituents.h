#pragma once
// The 23 substituent groups offered by the shift calculators, in the order of
// their option buttons (the index is the row key of the increment tables).
#include <QList>
#include <QString>

namespace orv::nmr {

inline constexpr int kSubstituentCount = 23;

struct Substituent {
    const char* caption;
    const char* toolTip;
};

// The carbon-13 calculator's list differs at places 1, 4 and 5.
enum class SubstituentList { Proton, Carbon };

const Substituent& substituent(int index, SubstituentList list = SubstituentList::Proton);
QString substituentCaption(int index, SubstituentList list = SubstituentList::Proton);
QString substituentToolTip(int index, SubstituentList list = SubstituentList::Proton);

// One substituent page of a shift calculator: its key, the caption of the
// substituent frame, the diagram's file name, how many places it uses (X;
// X, Y; X, Y, Z) and the substituents it does not offer.
struct ShiftStage {
    const char* key;
    const char* groupsCaption;
    const char* picture;
    int places;
    QList<int> disabled;
};

} // namespace orv::nmr
