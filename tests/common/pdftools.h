#pragma once
// Reading back the PDF files that printouts produce, with poppler-utils'
// pdftotext, pdfinfo and pdftoppm. A missing tool fails the calling test with
// a message that names the package to install, never a silent pass.
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace orvtest {

// Printouts go into a PDF file (`path`, or one in a folder of its own) while
// this lives.
class PdfOutput {
public:
    explicit PdfOutput(const QString& path = QString());
    ~PdfOutput();
    const QString& path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
};

// Text of every page (pdftotext; -layout keeps the lines as printed).
// nullopt, with the test failed, when the tool is missing or does not finish.
std::optional<QString> pdfText(const QString& pdfPath, bool layout = true);
// What pdfinfo says of the file (pages, page size), same failure rule.
std::optional<QString> pdfInfo(const QString& pdfPath);
// Number of pages, or 0 (the test failed) when pdfinfo could not tell.
int pdfPages(const QString& pdfPath);
// The first page rendered at the given resolution (pdftoppm); a null image,
// with the test failed, when the tool is missing.
QImage pdfFirstPage(const QString& pdfPath, int dpi);

} // namespace orvtest
