#pragma once
// The main window's clock and caption. Times are times of day as fractions
// of a day, as the program keeps them.
#include "core/modorvan.h"

#include <QString>

namespace orv {

// "time taken " and the time from start to now as "hh:mm:ss"; hours run
// modulo 24. A session that ran past midnight counts on across it rather
// than showing a negative time.
QString timeTakenText(double startTime, double now);

// "Orvanto assigns you " [+ "unknown " + number + ", "] + the unknown's title.
QString mainCaptionText(const ModOrvan& m);

} // namespace orv
