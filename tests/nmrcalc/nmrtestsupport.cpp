#include "tests/nmrcalc/nmrtestsupport.h"

#include "tests/common/pdftools.h"

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace nmrtest {

std::optional<QString> pdfText(const QString& pdfPath) { return orvtest::pdfText(pdfPath); }

int pdfPages(const QString& pdfPath) { return orvtest::pdfPages(pdfPath); }

} // namespace nmrtest
