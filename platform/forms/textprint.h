#pragma once
// The text printouts (help texts, the summary, the assignments, the
// calculators): one flow that runs them and one line engine that lays their
// lines on the paper. A window owns a TextPrintout made with its feedback
// controls; its Print handler calls print() with the document's name and a
// layout that declares the lines, their fonts and their places.
#include "platform/forms/printer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>

class QLineEdit;
class QPainter;
class QProgressBar;
class QTimer;

namespace orv {

// Lines of text down the paper, in twips from the top left of the printable
// area. A line is drawn at (x, y) and moves the cursor to the left margin of
// the next line; a line that would run past the page's foot starts a new
// page first (its top at 0). The font is Times New Roman 12 until a layout
// sets another; point sizes print true. `ok` turns false once the printer
// has failed (it has then said so) and nothing more is printed.
class PrintLines {
public:
    explicit PrintLines(TwipsPrinter& printer, std::function<void(int)> progress = {});

    // Null once the printer has failed.
    QPainter* painter() const { return printer_.painter(); }
    void setFont(const QString& family, double points, bool bold = false);
    // A point-sized font is given the same size in twips.
    void setFont(const QFont& font);
    void setBold(bool bold);
    const QFont& font() const { return font_; }
    // Metrics of the current font on the printer.
    QFontMetricsF metrics() const;
    // The height of a line of the current font without bold (280 where the
    // printer's metrics give none): bold lines keep the spacing of the text.
    double lineHeight() const;
    double textWidth(const QString& s) const;
    QSizeF pageSize() const { return printer_.pageSizeTwips(); }

    // Text sits with its top on the line's top, or (for a layout designed
    // so) with its baseline on the line's foot.
    void setBaselineOnLineFoot(bool on) { baselineOnFoot_ = on; }

    // Starts a new page unless `heightTw` more twips fit below the cursor.
    bool ensureRoom(double heightTw);
    bool newPage();
    // One line at the cursor; tabs advance to the next eighth column of the
    // current font.
    void printLine(const QString& line);
    // Each line of the text (CR LF or LF part them) by printLine.
    void print(const QString& text = QString());
    // A paragraph broken by wrapAtBlanks within the page width less 1000.
    void printWrapped(const QString& paragraph);
    // A text broken by fitAtBlanks to the room from `left` to the page's
    // right edge, every part at `left` (tabs printed as they come).
    void printFitted(const QString& text, double left);
    // The progress of the printout, 0..100, for the window's bar.
    void setProgress(int percent) const;

    double x = 0, y = 0;
    bool ok = true;

private:
    void draw(double left, const QString& text);
    void applyFont() const;
    TwipsPrinter& printer_;
    QFont font_;
    std::function<void(int)> progress_;
    bool baselineOnFoot_ = false;
};

// A window's text printouts: the printer, the progress bar, the pages, the
// "Printing completed." notice and the failure. The controls are the
// window's (children of it); the notice box is hidden until shown here.
class TextPrintout {
public:
    struct Feedback {
        QLineEdit* notice = nullptr;
        QPoint noticeAt{};             // twips in the window
        QTimer* noticeTimer = nullptr; // single shot; the window connects it to hide the notice
        QProgressBar* bar = nullptr;   // none: the window shows no progress
        QRect barAt{};                 // twips in the window
        // A second printout is refused while the notice of the last one shows.
        bool oneAtATime = false;
    };
    explicit TextPrintout(const Feedback& feedback);

    using Layout = std::function<void(PrintLines&)>;
    // Runs one printout: the bar shown at 0, the document started on the
    // printer, the layout run, the document ended, the bar hidden, then the
    // notice for three seconds. On a failure the printer has shown its
    // message; the notice is not shown and false comes back. Refused (false,
    // nothing printed) while a printout runs, or its notice shows where
    // oneAtATime. Should the window be closed and deleted while the printer's
    // message waits, nothing of it is touched afterwards.
    bool print(const QString& documentName, const Layout& layout);
    bool busy() const;

private:
    Feedback feedback_;
    bool running_ = false;
};

} // namespace orv
