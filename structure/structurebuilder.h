#pragma once
// The state of the structure builder window without its widgets: which base
// structure is chosen, the code letters of the substituent slots, where each
// picture stands (twips on the window) and which controls are on show. The
// window renders this state after every event; the tests drive it directly.
#include "structure/structuretables.h"

#include <QString>
#include <QStringList>
#include <array>

namespace orv::structure {

enum class Slot { X = 0, Y = 1, Z = 2 };

// A picture box on the window: bitmap 0 is the empty picture.
struct PlacedPicture {
    bool visible = false;
    int bitmap = 0;
    int top = 0;
    int left = 0;
};

class StructureBuilder {
public:
    StructureBuilder(); // the load state

    // The names the window's code uses.
    QString SubTypeName;
    QString BaseCode, XCode, YCode, ZCode;
    int BaseTop = 0, BaseLeft = 0;
    bool StartPictureShown = true;

    // What is on show.
    bool subtypeFrameShown = false;
    QStringList subtypeItems;
    bool substituentsShown = false;
    std::array<bool, 3> slotShown{};        // list and Select button of X, Y, Z
    std::array<QStringList, 3> slotItems{}; // list contents (kept while hidden)
    bool drawingAreaBlank = false;          // white and empty; false: cyan with the prompt
    PlacedPicture basePicture;
    std::array<PlacedPicture, 3> fragments{};
    bool continueEnabled = false;

    // A compound type confirmed by its list text. Types with subtypes fill the
    // subtype list; acyl halide and amide set their base structure at once.
    void chooseType(const QString& text);
    // A subtype confirmed by its list text (empty when nothing is selected).
    void chooseSubtype(const QString& text);
    // A substituent confirmed by its list position; -1 (nothing selected)
    // changes nothing. Returns whether anything was done.
    bool chooseSubstituent(Slot slot, int index);

    // Base code followed by the letters of the used slots.
    QString structureCode() const;

    // Resets the substituent stage (lists keep their contents).
    void GetReady();
    // Enables Continue once X and every shown Y and Z slot has its letter.
    void SeeIfContinue();

private:
    void setBase(const BaseStructure& b);
    QString& code(Slot slot);
};

// Continue: judges the built code against the current unknown's accepted
// codes, exactly (case and blanks count), setting UnkIdentified and
// IdentifiedByGiving on a match and clearing nothing otherwise; counts the
// attempt while StructGiveTries is below 98 and sets CurrentItem to 1 for
// the progress report.
void recordGivenStructure(const QString& code);

// The help text, lines joined by CR LF.
QString giveStructureHelpText();

} // namespace orv::structure
