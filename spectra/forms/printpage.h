#pragma once
// The printer as the spectrum printouts use it: a painter in twips with a
// font size, bold, a line width in printer dots, a dotted or solid pen, text
// printed with its top left at a point, and lines from a point or from the
// current point (the end of a line becomes the current point).
#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QString>

namespace orv::spectra {

class PrintPage {
public:
    explicit PrintPage(QPainter& painter);

    void setFontSize(double points);
    // The face for the texts that follow (the default face's widths otherwise).
    void setFontFamily(const QString& family);
    void setBold(bool on);
    void setDrawWidth(int dots);
    void setDotted(bool on);

    void print(double x, double y, const QString& text);
    void line(double x1, double y1, double x2, double y2);
    void moveTo(double x, double y) { current_ = {x, y}; }
    void lineTo(double x, double y);
    // For pictures drawn as plots on the page.
    QPainter& painter() { return painter_; }

private:
    QPainter& painter_;
    QFont font_;
    QPen pen_;
    QPointF current_;
    void applyFont();
};

// The printouts' head: "Orvanto " and the viewer's caption at (500, 1000) in
// 12-point bold, then, when shown, "Unknown number " and the number at
// (500, numberY), still bold; bold is off afterwards.
void printTitle(PrintPage& page, const QString& caption, bool unknownNumberShown, int unknownNumber, double numberY);

} // namespace orv::spectra
