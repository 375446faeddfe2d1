#include "tests/common/pdftools.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace orvtest {

PdfOutput::PdfOutput(const QString& path) : path_(path.isEmpty() ? dir_.filePath(QStringLiteral("out.pdf")) : path)
{
    qputenv("ORVANTO_PRINT_PDF", path_.toLocal8Bit());
}

PdfOutput::~PdfOutput() { qputenv("ORVANTO_PRINT_PDF", QByteArray()); }

namespace {

// Runs a poppler tool and returns its standard output.
std::optional<QString> runPoppler(const QString& name, const QStringList& args)
{
    const QString tool = QStandardPaths::findExecutable(name);
    if (tool.isEmpty()) {
        ADD_FAILURE() << name.toStdString() << " not found: install poppler-utils";
        return std::nullopt;
    }
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << name.toStdString() << " did not finish on " << args.join(u' ').toStdString();
        return std::nullopt;
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

std::optional<QString> pdfText(const QString& pdfPath, bool layout)
{
    QStringList args;
    if (layout)
        args << QStringLiteral("-layout");
    args << pdfPath << QStringLiteral("-");
    return runPoppler(QStringLiteral("pdftotext"), args);
}

std::optional<QString> pdfInfo(const QString& pdfPath) { return runPoppler(QStringLiteral("pdfinfo"), {pdfPath}); }

int pdfPages(const QString& pdfPath)
{
    const auto info = pdfInfo(pdfPath);
    if (!info)
        return 0;
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(*info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QImage pdfFirstPage(const QString& pdfPath, int dpi)
{
    const QString base = pdfPath + QStringLiteral("-page");
    if (!runPoppler(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                                 QStringLiteral("-singlefile"), pdfPath, base}))
        return {};
    return QImage(base + QStringLiteral(".png"));
}

} // namespace orvtest
