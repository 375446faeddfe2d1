#pragma once
// Judging an identification attempt: the typed or chosen name, the chosen
// structure picture and the resignation. Each routine reads and writes the
// program-wide state; the windows only gather the student's choice.
#include "platform/basic.h"

#include <QString>
#include <QStringList>

namespace orv {

// Attempt counters stop growing at 98, the successful attempt included.
inline constexpr int kMaxAttemptCount = 98;
// Adds 1 while the counter is below 98.
void countAttempt(int& counter);

// --- Naming by typing ---

// What the name entry does with a typed character (its character code).
enum class NameKey {
    Pass,    // inserted (or, for copy, paste and cut, carried out)
    Test,    // Enter: discarded, the name is tested
    Discard, // discarded with a beep while sound is on
};
NameKey nameKeyAction(int code);

// Twips added to the naming window's height for the drop-down list:
// 0 without the list, 600 for unknowns 1-20, 1200 above 20.
int nameListExtraHeight(Boolean offerNameList, int currentUnknown);

// True when the upper-case entry equals the upper-case form of one of the
// accepted names 1..NameCount. Nothing is trimmed.
bool nameIsAccepted(const QString& entry);

// The Continue of the naming window: sets UnkIdentified and IdentifiedByName
// on a match (never clears them), counts the attempt and sets CurrentItem 1.
void testTypedName(const QString& entry);

// --- Choosing a structure picture ---

struct StructureChoice {
    int answerPicture = -1;   // 0-based index the answer letter names; -1 for an empty line
    int pictureCount = 0;     // 0..6
    QStringList pictureFiles; // <ProgramPath>/gifs/ovst<code>.gif, pictureCount of them
};
// Reads the structure-choice line: the answer letter (either case) and one
// two-character picture code per picture; more than six codes offer six. An
// empty line offers no picture.
StructureChoice parseStructureChoiceLine(const QString& line, const QString& programPath);

// A choice of picture `selected`: counts the attempt, sets UnkIdentified and
// IdentifiedByChoosing when it is the answer, sets CurrentItem 1.
void chooseStructure(int selected, int answerPicture);

// The message shown when picture file `path` cannot be loaded.
QString structurePictureFailureText(const QString& path);

// --- Resignation ---

struct ResignationVerdict {
    bool accepted = false;
    QString text; // the verdict text of the resignation window
};
// Checks the work done on the current unknown. Refused: "Try a bit harder."
// and what is missing; accepted: the acceptance text. Changes no flag.
ResignationVerdict judgeResignation();
// Marks the unknown as finished by resignation.
void acceptResignation();

} // namespace orv
