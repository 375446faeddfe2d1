#include "nmrcalc/substituents.h"

#include <algorithm>

namespace orv::nmr {

namespace {

constexpr Substituent kList[kSubstituentCount] = {
    {"H", "hydrogen"},
    {"R", "an alkyl group eg ethyl"},
    {"C=C", "ethene with H and/or alkyl groups"},
    {"Ph", "phenyl or a substituted benzene"},
    {"NRR", "amine with H and/or alkyl groups"},
    {"NHPh", "amine with H and phenyl or a substituted benzene"},
    {"NHCOR", "amide with H or alkyl group"},
    {"NO2", "nitro"},
    {"Cl", "chloro"},
    {"Br", "bromo"},
    {"I", "iodo"},
    {"OH", "hydroxy (alcohol)"},
    {"OR", "alkoxy eg methoxy"},
    {"OPh", "phenoxy or aryl ether"},
    {"OCOR", "aliphatic ester"},
    {"OCOPh", "aromatic ester"},
    {"CHO", "aldehyde"},
    {"COR", "aliphatic ketone"},
    {"COPh", "aromatic ketone"},
    {"COOH", "carboxylic acid"},
    {"COOR", "aliphatic/aromatic ester"},
    {"CONRR", "aliphatic/aromatic amide un-, mono- or di-substituted"},
    {"CN", "cyanide (nitrile)"},
};

constexpr Substituent kCarbonR = {"R", "an alkyl group eg methyl"};
constexpr Substituent kCarbonNHH = {"NHH", "primary amine"};
constexpr Substituent kCarbonNRR = {"NRR", "secondary or tertiary amine (alkyl groups)"};

} // namespace

const Substituent& substituent(int index, SubstituentList list)
{
    index = std::clamp(index, 0, kSubstituentCount - 1);
    if (list == SubstituentList::Carbon) {
        if (index == 1)
            return kCarbonR;
        if (index == 4)
            return kCarbonNHH;
        if (index == 5)
            return kCarbonNRR;
    }
    return kList[index];
}
QString substituentCaption(int index, SubstituentList list)
{
    return QString::fromLatin1(substituent(index, list).caption);
}
QString substituentToolTip(int index, SubstituentList list)
{
    return QString::fromLatin1(substituent(index, list).toolTip);
}

} // namespace orv::nmr
