#include "tests/nmrcalc/nmrtestsupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace nmrtest {

PdfOutput::PdfOutput(const QString& path) : path_(path.isEmpty() ? dir_.filePath(QStringLiteral("out.pdf")) : path)
{
    qputenv("ORVANTO_PRINT_PDF", path_.toLocal8Bit());
}

PdfOutput::~PdfOutput() { qputenv("ORVANTO_PRINT_PDF", QByteArray()); }

namespace {
std::optional<QString> run(const QString& toolName, const QStringList& args)
{
    const QString tool = QStandardPaths::findExecutable(toolName);
    if (tool.isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(20000))
        return std::nullopt;
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

std::optional<QString> pdfText(const QString& pdfPath)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
}

int pdfPages(const QString& pdfPath)
{
    const auto info = run(QStringLiteral("pdfinfo"), {pdfPath});
    if (!info)
        return 0;
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(*info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace nmrtest
