#include "platform/forms/printer.h"

#include "platform/basic.h"
#include "platform/forms/geometry.h"
#include "platform/msgbox.h"

#include <QDateTime>
#include <QPrinter>
#include <QPrinterInfo>

namespace orv {

PrintTextFace::PrintTextFace(QPaintDevice* device)
    : normal(twipsFont(QStringLiteral("Times New Roman"), 12)),
      bold(twipsFont(QStringLiteral("Times New Roman"), 12, true)), metrics(normal, device),
      lineTw(metrics.height() > 0 ? metrics.height() : 280)
{
}

TwipsPrinter::TwipsPrinter() = default;
TwipsPrinter::~TwipsPrinter()
{
    if (active_)
        end();
}

void TwipsPrinter::fail()
{
    painter_.reset();
    printer_.reset();
    active_ = false;
    MsgBox(failureText_, MsgButtons::OkOnly, failureIcon_);
}

void TwipsPrinter::setFailureMessage(const QString& text, MsgIcon icon)
{
    failureText_ = text;
    failureIcon_ = icon;
}

bool TwipsPrinter::begin(const QString& documentName)
{
    const QString pdf = qEnvironmentVariable("ORVANTO_PRINT_PDF");
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!pdf.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdf);
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        fail();
        return false;
    }
    printer_->setDocName(documentName);
    if (landscape_)
        printer_->setPageOrientation(QPageLayout::Landscape);
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        fail();
        return false;
    }
    const double scale = printer_->resolution() / 1440.0;
    painter_->scale(scale, scale);
    active_ = true;
    return true;
}

QPainter* TwipsPrinter::painter() { return painter_.get(); }

QSizeF TwipsPrinter::pageSizeTwips() const
{
    if (!printer_)
        return {};
    const QRectF r = printer_->pageRect(QPrinter::Inch);
    return {r.width() * 1440.0, r.height() * 1440.0};
}

bool TwipsPrinter::newPage()
{
    if (!active_ || !printer_->newPage()) {
        fail();
        return false;
    }
    return true;
}

bool TwipsPrinter::end()
{
    if (!active_)
        return false;
    active_ = false;
    const bool ok = painter_->end();
    painter_.reset();
    printer_.reset();
    if (!ok) {
        MsgBox(failureText_, MsgButtons::OkOnly, failureIcon_);
        return false;
    }
    return true;
}

QString printedLine()
{
    const QDateTime now = QDateTime::currentDateTime();
    return QStringLiteral("printed ") + FormatTime(now.time(), QStringLiteral("hh:mm am/pm")) + QStringLiteral(", ")
         + FormatDate(now.date(), QStringLiteral("d mmm, yyyy"));
}

} // namespace orv
