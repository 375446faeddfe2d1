#include "platform/forms/textprint.h"

#include "platform/forms/geometry.h"
#include "platform/forms/printnotice.h"
#include "platform/printwrap.h"

#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>
#include <cmath>

namespace orv {

PrintLines::PrintLines(TwipsPrinter& printer, std::function<void(int)> progress)
    : printer_(printer), progress_(std::move(progress))
{
    setFont(QStringLiteral("Times New Roman"), 12);
}

void PrintLines::setFont(const QString& family, double points, bool bold) { setFont(twipsFont(family, points, bold)); }

void PrintLines::applyFont() const
{
    if (QPainter* p = painter())
        p->setFont(font_);
}

void PrintLines::setFont(const QFont& font)
{
    font_ = font;
    if (font_.pixelSize() <= 0) // a point-sized font: make it print true in twips
        font_.setPixelSize(static_cast<int>(std::lround(font.pointSizeF() * 20)));
    applyFont();
}

void PrintLines::setBold(bool bold)
{
    font_.setBold(bold);
    applyFont();
}

// Measured on the printer while it runs; the text's own measure after a
// failure, when nothing is printed any more.
QFontMetricsF PrintLines::metrics() const
{
    QPainter* p = painter();
    return p ? QFontMetricsF(font_, p->device()) : QFontMetricsF(font_);
}

double PrintLines::lineHeight() const
{
    QFont plain = font_;
    plain.setBold(false);
    QPainter* p = painter();
    const double h = (p ? QFontMetricsF(plain, p->device()) : QFontMetricsF(plain)).height();
    return h > 0 ? h : 280;
}

double PrintLines::textWidth(const QString& s) const { return metrics().horizontalAdvance(s); }

bool PrintLines::newPage()
{
    if (!ok)
        return false;
    ok = printer_.newPage();
    y = 0;
    if (ok)
        applyFont();
    return ok;
}

bool PrintLines::ensureRoom(double heightTw)
{
    if (!ok || y + heightTw <= pageSize().height())
        return ok;
    return newPage();
}

void PrintLines::draw(double left, const QString& text)
{
    const double baseline = baselineOnFoot_ ? y + lineHeight() : y + metrics().ascent();
    painter()->drawText(QPointF(left, baseline), text);
}

void PrintLines::printLine(const QString& line)
{
    if (!ensureRoom(lineHeight()))
        return;
    if (!line.contains(u'\t')) {
        draw(x, line);
    } else {
        const double column = 8 * textWidth(QStringLiteral(" "));
        const double start = x;
        const QStringList pieces = line.split(u'\t');
        for (qsizetype k = 0; k < pieces.size(); ++k) {
            if (k > 0)
                x = (std::floor((x - start) / column + 1e-9) + 1) * column + start;
            draw(x, pieces[k]);
            x += textWidth(pieces[k]);
        }
    }
    y += lineHeight();
    x = 0;
}

void PrintLines::print(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QString& line : t.split(u'\n'))
        printLine(line);
}

void PrintLines::printWrapped(const QString& paragraph)
{
    for (const QString& line :
         wrapAtBlanks(paragraph, pageSize().width() - 1000, [this](const QString& s) { return textWidth(s); }))
        print(line);
}

void PrintLines::printFitted(const QString& text, double left)
{
    const auto width = [this](const QString& s) { return textWidth(s); };
    for (const QString& part : fitAtBlanks(text, pageSize().width() - left, width)) {
        if (!ensureRoom(lineHeight()))
            return;
        draw(left, part);
        y += lineHeight();
    }
    x = 0;
}

void PrintLines::setProgress(int percent) const
{
    if (progress_)
        progress_(percent);
}

TextPrintout::TextPrintout(const Feedback& feedback) : feedback_(feedback) {}

bool TextPrintout::busy() const { return running_ || (feedback_.oneAtATime && feedback_.noticeTimer->isActive()); }

bool TextPrintout::print(const QString& documentName, const Layout& layout)
{
    if (busy())
        return false;
    running_ = true;
    // The window may be closed while the printer's message waits; its
    // controls (and this, a part of it) are then gone.
    const QPointer<QLineEdit> notice = feedback_.notice;
    const QPointer<QProgressBar> bar = feedback_.bar;
    if (bar) {
        placeControl(bar, feedback_.barAt.left(), feedback_.barAt.top(), feedback_.barAt.width(),
                     feedback_.barAt.height());
        bar->setValue(0);
        bar->show();
    }
    bool ok = false;
    {
        TwipsPrinter printer;
        if (printer.begin(documentName)) {
            PrintLines lines(printer, [bar](int v) {
                if (bar)
                    bar->setValue(v);
            });
            layout(lines);
            ok = lines.ok && printer.end();
        }
    }
    if (!notice)
        return false;
    running_ = false;
    if (bar)
        bar->hide();
    if (!ok)
        return false;
    showPrintNotice(notice, feedback_.noticeAt.x(), feedback_.noticeAt.y(), feedback_.noticeTimer);
    return true;
}

} // namespace orv
