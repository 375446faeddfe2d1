#pragma once
// The summary of completed unknowns, read back from the stored result lines:
// the text shown on screen and the lines of the printout.
#include <QList>
#include <QString>

namespace orv {

struct ModOrvan;

// One stored result line taken apart (fields by position, read as numbers).
struct ResultFields {
    // clang-format off
    int physProps = 0;          // P, position 1
    int spectra = 0;            // S, position 2
    int tests = 0;              // T, positions 3-4
    int derivatives = 0;        // D, positions 5-6
    bool unknownHelp = false;   // position 7 not "0"
    int helpItems = 0;          // H, positions 8-9
    int precluded = 0;          // R, positions 10-11
    int unsuitable = 0;         // U, positions 12-13
    QChar method = u'0';        // M, position 14
    int typingTries = 0, choosingTries = 0, givingTries = 0; // 15-16, 17-18, 19-20
    QString name;               // from position 21
    int sessions = 0;           // column 2: first three characters
    long minutes = 0;           // column 2: the rest
    // clang-format on
};
ResultFields resultFields(const QString& resultLine, const QString& sessionTime);

// The on-screen summary text (CR LF line breaks).
QString summaryText(const ModOrvan& m);

// One line of the printout: text at a print column (1-based), bold or not.
struct PrintLine {
    QString text;
    int column = 1;
    bool bold = false;
};
struct SummaryBlock {
    QList<PrintLine> lines; // the block of one unknown, ending with an empty line
};
struct SummaryPrintout {
    QList<PrintLine> header; // title, count, hidden-feature lines, empty line
    QList<SummaryBlock> blocks;
};
SummaryPrintout summaryPrintout(const ModOrvan& m);

// The printout's lines in pages of `linesPerPage` (at least 10): the header,
// then each unknown's block, kept on one page where it fits, and the
// "printed" line last. `progress` is the bar's value once a line is out (0 for
// lines that do not move it).
struct PagedLine {
    PrintLine line;
    int progress = 0;
};
QList<QList<PagedLine>> summaryPages(const SummaryPrintout& out, const PrintLine& printed, int linesPerPage);
// Lines that fit on a page of this height, lines of this height (twips).
int summaryLinesPerPage(double pageHeightTwips, double lineTwips);

} // namespace orv
