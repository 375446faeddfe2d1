#pragma once
// The texts of the welcome windows and the tips, built from the state.
#include <QString>

namespace orv {

struct ModOrvan;

// The unknown's title / type: element 0 of UnkItemTitle / UnkItemHelp
// without its last character.
QString unknownTitleText(const ModOrvan& m);
QString unknownTypeText(const ModOrvan& m);

// frmNewUser's introduction.
QString newUserText(const ModOrvan& m);

// frmOldUser's welcome-back text. greeting 1..6, encouragement 1..6 and
// ending 1..4 are the random picks (drawn by the caller).
QString oldUserText(const ModOrvan& m, int greeting, int encouragement, int ending);

// "Did you know..." + CRLF CRLF + tip t (string 2000 + t).
QString tipText(int tip);

// The next tip: draws 1..30 until it differs from the tip shown.
int nextTipNumber(int shown);

} // namespace orv
