// Compound types, the fragment catalogue and the look-ups over the tables.
#include "structure/structuretables.h"

#include <array>

namespace orv::structure {

namespace {

const std::array<CompoundType, 14> kTypes = {{
    {'A', "acyl halide", false},
    {'B', "alcohol", true},
    {'C', "aldehyde", true},
    {'D', "alkene", true},
    {'E', "amide", false},
    {'F', "amine", true},
    {'G', "arene", true},
    {'H', "carboxylic acid", true},
    {'I', "cyanide", true},
    {'J', "ester", true},
    {'K', "ether", true},
    {'L', "haloalkane", true},
    {'M', "ketone", true},
    {'N', "phenol", true},
}};

// Sizes in pixels; the placements of the substituent lists depend on them.
// clang-format off
const std::vector<FragmentPicture> kFragments = {
    {455, 119, 104, "benzoic acid skeleton, CO2H on top, O-CH2-O bridge across ring positions 2 and 3"},
    {456, 84, 133, "benzoic acid skeleton, CO2H on top, O-CH2-O bridge across ring positions 3 and 4"},
    {474, 39, 41, "four-membered ring with one O"},
    {475, 50, 56, "five-membered ring with one O"},
    {476, 50, 65, "five-membered ring with two O in 1,3 positions"},
    {477, 53, 77, "six-membered ring with two O in 1,4 positions"},
    {501, 22, 24, "Br"},
    {502, 22, 24, "Cl"},
    {503, 10, 24, "I"},
    {504, 18, 24, "H"},
    {510, 36, 25, "CH3"},
    {512, 67, 25, "CH2CH3"},
    {513, 67, 25, "CH3CH2"},
    {514, 83, 25, "(CH2)2CH3"},
    {515, 83, 25, "CH3(CH2)2"},
    {516, 83, 25, "(CH2)3CH3"},
    {517, 83, 25, "CH3(CH2)3"},
    {518, 83, 25, "(CH2)4CH3"},
    {519, 83, 25, "CH3(CH2)4"},
    {520, 83, 25, "(CH2)5CH3"},
    {521, 83, 25, "CH3(CH2)5"},
    {523, 83, 25, "CH3(CH2)6"},
    {525, 83, 25, "CH3(CH2)7"},
    {527, 83, 25, "CH3(CH2)8"},
    {529, 83, 25, "CH3(CH2)9"},
    {531, 90, 25, "CH3(CH2)10"},
    {533, 90, 25, "CH3(CH2)11"},
    {534, 65, 25, "C(CH3)3"},
    {535, 65, 25, "(CH3)3C"},
    {537, 75, 25, "H2C=CH"},
    {539, 70, 25, "Cl-CH2"},
    {540, 74, 51, "CH bonded to CH3 on its right, with a second CH3 drawn above it and joined by a vertical bond"},
    {541, 80, 47, "CH3-CH- with CH3 above the CH (two lines)"},
    {542, 118, 51, "CH2-CH-CH3 in a row, with CH3 drawn above the CH"},
    {543, 121, 51, "CH3-CH-CH2 with CH3 above the CH"},
    {544, 136, 51, "(CH2)2-CH-CH3 in a row, with CH3 drawn above the CH"},
    {545, 139, 51, "CH3-CH-(CH2)2 with CH3 above the CH"},
    {550, 54, 52, "ring with flat top and bottom edges"},
    {551, 49, 54, "ring with corners at top and bottom"},
    {552, 109, 53, "CH2 bonded to a benzene ring"},
    {553, 110, 53, "ring-CH2"},
    {555, 142, 53, "ring-CH=CH"},
    {556, 105, 52, "benzene ring bonded on its right to CH3"},
    {558, 131, 52, "benzene ring bonded on its right to O, bonded to CH3"},
    {560, 134, 52, "benzene ring bonded on its right to O, bonded to C2H5"},
    {563, 137, 64, "ring-C-CH2 with a double-bonded O above the C"},
    {565, 137, 53, "ring-O-CH2"},
    {571, 91, 52, "CH3-O-C with a double-bonded O above the C"},
    {573, 98, 52, "C2H5-O-C with a double-bonded O above the C"},
    {575, 62, 51, "H2N-C with a double-bonded O above the C"},
    {580, 30, 24, "OH"},
    {582, 49, 25, "OCH3"},
    {583, 48, 25, "CH3O (bond at the right)"},
    {584, 93, 53, "O-ring (O at the left)"},
    {585, 92, 53, "ring-O (O at the right)"},
    {586, 36, 25, "NH2"},
    {588, 37, 25, "NO2"},
    {589, 37, 25, "O2N (bond at the right)"},
};
// clang-format on

} // namespace

std::span<const CompoundType> compoundTypes() { return kTypes; }
std::span<const FragmentPicture> fragmentPictures() { return kFragments; }

const CompoundType* findCompoundType(const QString& text)
{
    for (const CompoundType& t : kTypes)
        if (text == QLatin1String(t.text))
            return &t;
    return nullptr;
}

const BaseStructure* findBaseStructure(const QString& name)
{
    for (const BaseStructure& b : baseStructures())
        if (name == QLatin1String(b.name))
            return &b;
    return nullptr;
}

std::vector<const BaseStructure*> subtypesOf(char typeLetter)
{
    std::vector<const BaseStructure*> out;
    const CompoundType* type = nullptr;
    for (const CompoundType& t : kTypes)
        if (t.letter == typeLetter)
            type = &t;
    if (!type || !type->hasSubtypes)
        return out;
    for (const BaseStructure& b : baseStructures())
        if (b.typeLetter == typeLetter)
            out.push_back(&b);
    return out;
}

const FragmentPicture* findFragmentPicture(int bitmap)
{
    for (const FragmentPicture& f : kFragments)
        if (f.bitmap == bitmap)
            return &f;
    return nullptr;
}

} // namespace orv::structure
