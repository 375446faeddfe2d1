#pragma once
// The calculators' printout: lines of 12-point text down the page (long lines
// wrap, a full page goes on to the next), the bold title between blank lines,
// the "printed ..." footer, and the "Printing completed." notice.
#include "platform/forms/printer.h"

#include <QFont>


namespace orv {

class CalcPrintout {
public:
    // Starts the document and prints the header; false after the printer's
    // failure message.
    bool begin(const QString& title);
    void print(const QString& text = QString(), double x = 0, bool bold = false);
    double y() const { return y_; }
    void setY(double y) { y_ = y; }
    QPainter* painter() { return printer_.painter(); }
    const QFont& font() const { return normal_; }
    // Footer line and end of document; false when anything failed.
    bool finish();

private:
    TwipsPrinter printer_;
    QFont normal_, bold_;
    double y_ = 0, lineH_ = 276;
    bool ok_ = false;
};

} // namespace orv
