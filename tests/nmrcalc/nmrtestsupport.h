#pragma once
// Helpers for the calculator window tests: a printout captured as a PDF and
// its text.
#include "tests/common/pdftools.h"
#include <QString>

#include <QTemporaryDir>
#include <optional>
#include <ostream>

void PrintTo(const QString& s, std::ostream* os);

namespace nmrtest {

using orvtest::PdfOutput;

// The text of a PDF file (pdftotext -layout); a missing tool fails the test.
std::optional<QString> pdfText(const QString& pdfPath);

// Number of pages of a PDF (pdfinfo); a missing tool fails the test.
int pdfPages(const QString& pdfPath);

} // namespace nmrtest
