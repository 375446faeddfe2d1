#pragma once
// Printing in twips on the default printer, or into a PDF file when the
// environment variable ORVANTO_PRINT_PDF names one (how tests read printouts).
#include "platform/msgbox.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QSizeF>
#include <QString>
#include <memory>

class QPrinter;

namespace orv {

class TwipsPrinter {
public:
    TwipsPrinter();
    ~TwipsPrinter();

    // The message shown on a failure: "Error with printer." with the
    // exclamation icon unless a program gives its own.
    void setFailureMessage(const QString& text, MsgIcon icon);
    // Pages of the next document run landscape (the long side across).
    void setLandscape(bool landscape) { landscape_ = landscape; }

    // Starts a document. On failure shows the failure message and returns false.
    bool begin(const QString& documentName = QString());
    // Painter whose units are twips from the top left of the printable area.
    // Use twipsFont() for text so that point sizes print true.
    QPainter* painter();
    QSizeF pageSizeTwips() const;
    bool newPage();
    // Finishes the document; false (after the message) on failure.
    bool end();
    bool active() const { return active_; }

private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    bool active_ = false;
    bool landscape_ = false;
    QString failureText_ = QStringLiteral("Error with printer.");
    MsgIcon failureIcon_ = MsgIcon::Exclamation;
    void fail();
};

// The text printouts' face: Times New Roman 12 point (twipsFont), plain and
// bold, its metrics on the printer and the height of one line in twips (280
// where the metrics give none).
struct PrintTextFace {
    explicit PrintTextFace(QPaintDevice* device);
    QFont normal, bold;
    QFontMetricsF metrics;
    double lineTw;
};

// The line that ends the text printouts: "printed hh:mm am/pm, d mmm, yyyy".
QString printedLine();

} // namespace orv
