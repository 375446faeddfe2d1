#pragma once
// A current unknown ready to be identified: unknown 7 (ethanol) with two
// accepted names, four candidates, six structure pictures (the answer "B"),
// and a few items revealed.
#include "core/modorvan.h"
#include "tests/common/testsupport.h"

#include <QString>
#include <memory>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace identtest {

inline const QString kCrLf = QStringLiteral("\r\n");

// Time of day as a fraction of a day.
inline double clock(int h, int m, int s) { return (h * 3600 + m * 60 + s) / 86400.0; }

struct Unknown7 {
    orvtest::ProgramFolder folder;
    Unknown7();
    // Copies the structure pictures ovstaa..ovstaf into gifs/.
    void copyPictures() const;
};

// Marks items 1..54 as revealed.
void reveal(std::initializer_list<int> items);

} // namespace identtest
