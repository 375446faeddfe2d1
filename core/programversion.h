#pragma once
// The student program's version, as its files and windows quote it.
#include <QString>

namespace orv {

inline constexpr int kVersionMajor = 4;
inline constexpr int kVersionMinor = 4;
inline constexpr int kVersionRevision = 0;

// Major, ".", then minor and revision run together: 4.4 revision 0 is "4.40".
inline QString versionText()
{
    return QString::number(kVersionMajor) + u'.' + QString::number(kVersionMinor) + QString::number(kVersionRevision);
}

} // namespace orv
