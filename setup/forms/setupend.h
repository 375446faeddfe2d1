#pragma once
// The setup program's road out when the system ends it (a shutdown, a
// logout; see platform/forms/systemend.h).
#include "platform/forms/systemend.h"

namespace orv {

// Ends the setup program as its close box would without the instructor's
// answer: settings not saved are not written, and no window asks. A save
// under way is finished first (it is one synchronous step), so orvanto.ini
// is never left half written, nor its temporary copy left.
SystemEndRoad setupSystemEndRoad();

} // namespace orv
