#pragma once
// The texts of the item result window: its caption and the explanation it
// adds on request (what the item is for, the unknown's help text, and for a
// precluded test the revealed items that rule it out, each with its reason).
#include "core/modorvan.h"

#include <QString>

namespace orv {

// Item n's display name followed by " result".
QString resultCaption(int n);

// Why a revealed item p rules out chemical test n; empty when the pair has
// no reason of its own. Another test (p of 10 or more) was negative.
QString precludeReason(int n, int p);

// The explanation for item n as the result window shows it, lines joined
// with CR LF. A test that is precluded and not revealed lists the revealed
// items of its precluded-by list.
QString resultExplanation(const ModOrvan& m, int n);

// The sentence added after a derivative's or equivalent's help text.
QString derivativeVerdict(const ModOrvan& m, int n);

} // namespace orv
