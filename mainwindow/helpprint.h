#pragma once
// How the help text window lays its text out on paper.
#include <QString>
#include <QStringList>
#include <functional>

namespace orv {

// Printed width of a text, in the printer's units (twips).
using TextWidth = std::function<double(const QString&)>;

// The printed lines of one line of help text, for a page `pageWidth` wide.
// A line narrower than pageWidth - 1000 prints whole. A wider one is broken
// at single blanks: words gather in a buffer (each followed by its blank)
// and the buffer prints as soon as the next word would take it past
// pageWidth - 1000. A word wider than that prints on its own line, unbroken.
QStringList wrapHelpLine(const QString& line, double pageWidth, const TextWidth& width);

// The lines of a help text as its window holds it (CR LF, or LF alone).
QStringList helpTextLines(const QString& text);

// Progress when line i of lines 0..last is printed, in percent; a text of
// one line is done at once.
int helpPrintProgress(int i, int last);

// The whole printout, line by line: the caption in bold as the title, the
// text's lines (wrapped), an empty line and the "printed ..." line.
// `progress` is the bar's value while the line prints.
struct HelpPrintLine {
    QString text;
    bool bold = false;
    int progress = 0;
};
QList<HelpPrintLine> helpPrintout(const QString& caption, const QString& text, const QString& printedLine,
                                  double pageWidth, const TextWidth& width);

} // namespace orv
