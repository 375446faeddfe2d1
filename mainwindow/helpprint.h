#pragma once
// How the help text window lays its text out on paper.
#include "platform/printwrap.h"

#include <QString>
#include <QStringList>

namespace orv {

// The printed lines of one line of help text, for a page `pageWidth` wide:
// wrapAtBlanks within pageWidth - 1000.
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
