#pragma once
// The structure builder's vocabulary: the 14 compound types, the 62 base
// structures (the 60 subtypes and the two types that have none, acyl halide
// and amide) with their base codes, skeleton pictures, reference points and
// substituent lists, and the catalogue of fragment pictures.
//
// Positions are twips on the builder window. A base structure's reference
// point (baseTop, baseLeft) is where the fragments are measured from; its
// skeleton picture stands at (baseTop, pictureLeft). The entry at position k
// of a substituent list stands for the code letter 'A' + k, so the order of
// the lists is part of the answer key the unknowns are written against.
#include <QString>
#include <span>
#include <vector>

namespace orv::structure {

// What choosing a substituent shows.
enum class ChoiceKind {
    Fragment,    // a fragment picture at (baseTop + topOffset, baseLeft + leftOffset)
    BaseVariant, // the skeleton picture is swapped; it stays where it is
    MovedBase,   // the skeleton picture is swapped and moved to (top, left)
};

struct ChoicePicture {
    ChoiceKind kind = ChoiceKind::Fragment;
    int bitmap = 0;
    int top = 0;  // offset from baseTop, or the absolute Top of a MovedBase
    int left = 0; // offset from baseLeft, or the absolute Left of a MovedBase
};

struct Substituent {
    const char* text;
    ChoicePicture picture;
};

struct BaseStructure {
    char typeLetter;      // 'A'..'N'
    const char* name;     // subtype text, or the type's own text for acyl halide and amide
    const char* baseCode; // "A1", "B3", "F12", ...
    int bitmap;           // skeleton picture
    int widthPx, heightPx;
    int baseTop, baseLeft, pictureLeft;
    std::vector<Substituent> x, y, z; // an empty list: the slot is not used
};

struct CompoundType {
    char letter;
    const char* text;
    bool hasSubtypes; // false: the type is its own base structure
};

struct FragmentPicture {
    int bitmap;
    int widthPx, heightPx;
    const char* shows;
};

// The 14 types in list order (alphabetical, letters A to N).
std::span<const CompoundType> compoundTypes();
// All 62 base structures: acyl halide, amide, then the subtypes grouped by
// type in list order.
std::span<const BaseStructure> baseStructures();
// The pictures the substituent choices show: fragments 501..589 and the
// skeleton variants that replace a base picture.
std::span<const FragmentPicture> fragmentPictures();

// The type whose text is exactly `text`, or nullptr.
const CompoundType* findCompoundType(const QString& text);
// The base structure whose name is exactly `name` (case-sensitive, no
// trimming), or nullptr.
const BaseStructure* findBaseStructure(const QString& name);
// The subtypes of a type in list order (empty for acyl halide and amide).
std::vector<const BaseStructure*> subtypesOf(char typeLetter);
// The catalogue entry of a fragment or variant picture, or nullptr.
const FragmentPicture* findFragmentPicture(int bitmap);

// Picture numbers used by the window besides the tables.
inline constexpr int kStartPicture = 400;

} // namespace orv::structure
