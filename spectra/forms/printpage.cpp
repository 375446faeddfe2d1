#include "spectra/forms/printpage.h"

#include "platform/forms/geometry.h"
#include "platform/forms/programlook.h"

#include <QFontMetricsF>
#include <QPaintDevice>

namespace orv::spectra {

PrintPage::PrintPage(QPainter& painter)
    : painter_(painter), font_(twipsFont(programFont().family(), 10)), pen_(Qt::black)
{
    painter_.setRenderHint(QPainter::Antialiasing, true);
    pen_.setCapStyle(Qt::RoundCap);
    pen_.setJoinStyle(Qt::RoundJoin);
    setDrawWidth(1);
    applyFont();
}

void PrintPage::applyFont() { painter_.setFont(font_); }

void PrintPage::setFontSize(double points)
{
    font_ = twipsFont(font_.family(), points, font_.bold());
    applyFont();
}

void PrintPage::setFontFamily(const QString& family)
{
    font_ = twipsFont(family, font_.pixelSize() / 20.0, font_.bold()); // twips fonts are sized in pixels of 1/20 point
    applyFont();
}

void PrintPage::setBold(bool on)
{
    font_.setBold(on);
    applyFont();
}

void PrintPage::setDrawWidth(int dots)
{
    const QPaintDevice* device = painter_.device();
    const double dpi = device && device->logicalDpiX() > 0 ? device->logicalDpiX() : 600.0;
    pen_.setWidthF(std::max(1, dots) * 1440.0 / dpi);
}

void PrintPage::setDotted(bool on) { pen_.setStyle(on ? Qt::DotLine : Qt::SolidLine); }

void PrintPage::print(double x, double y, const QString& text)
{
    painter_.setPen(pen_.color());
    painter_.drawText(QPointF(x, y + QFontMetricsF(font_).ascent()), text);
}

void PrintPage::line(double x1, double y1, double x2, double y2)
{
    current_ = {x1, y1};
    lineTo(x2, y2);
}

void PrintPage::lineTo(double x, double y)
{
    painter_.setPen(pen_);
    painter_.drawLine(current_, QPointF(x, y));
    current_ = {x, y};
}

void printTitle(PrintPage& page, const QString& caption, bool unknownNumberShown, int unknownNumber, double numberY)
{
    page.setFontSize(12);
    page.setBold(true);
    page.print(500, 1000, QStringLiteral("Orvanto ") + caption);
    if (unknownNumberShown)
        page.print(500, numberY, QStringLiteral("Unknown number ") + QString::number(unknownNumber));
    page.setBold(false);
}

} // namespace orv::spectra
