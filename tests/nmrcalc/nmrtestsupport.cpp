#include "tests/nmrcalc/nmrtestsupport.h"

#include "tests/common/pdftools.h"

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace nmrtest {

PdfOutput::PdfOutput(const QString& path) : path_(path.isEmpty() ? dir_.filePath(QStringLiteral("out.pdf")) : path)
{
    qputenv("ORVANTO_PRINT_PDF", path_.toLocal8Bit());
}

PdfOutput::~PdfOutput() { qputenv("ORVANTO_PRINT_PDF", QByteArray()); }

std::optional<QString> pdfText(const QString& pdfPath) { return orvtest::pdfText(pdfPath); }

int pdfPages(const QString& pdfPath) { return orvtest::pdfPages(pdfPath); }

} // namespace nmrtest
