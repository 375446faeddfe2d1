#pragma once
// What the item menus do to the progress on the current unknown: revealing
// an item, precluding what its result rules out, and counting the attempts
// at precluded tests and unsuitable derivatives.
#include "core/modorvan.h"
#include "platform/formnames.h"

#include <optional>

#include <QString>
#include <vector>

namespace orv {

// The notice shown in place of a test's result when earlier evidence rules
// the test out.
inline const QString kPrecludedNotice = QStringLiteral("This is precluded by information that you already have.");

// Item numbers stored as two digits back to back ("1307": 13 and 7). The
// count is half the length rounded to even, so an odd length reads its last
// digit alone. Pieces that are not numbers read as 0.
std::vector<int> twoDigitItems(const QString& list);

// Marks CurrentItem revealed and precludes the items its precluded-item list
// names. Numbers outside 1-34 are a fault of the unknown's file and skipped.
void ProcessResult(ModOrvan& m);

// What the window shows after an item entry: the viewer to open (by window
// name) or the text to show in the result window. Neither for a separator.
struct RevealOutcome {
    std::optional<forms::FormName> viewer;
    QString resultText;
    bool showResult = false;
};

// Each sets CurrentItem from the entry's index and updates the progress.
RevealOutcome revealPhysProp(ModOrvan& m, int index);
RevealOutcome revealChemTest(ModOrvan& m, int index);
RevealOutcome revealDerivative(ModOrvan& m, int index);

} // namespace orv
