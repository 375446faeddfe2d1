#include "spectra/cmrcorrelations.h"

#include "platform/basic.h"

namespace orv::spectra::cmr {

const std::array<CorrelationClass, kCorrelationRows>& correlationTable()
{
    static const std::array<CorrelationClass, kCorrelationRows> table{{
        {179, 221, 220, 180, "aldehydes and ketones"},
        {150, 190, 190, 150, "acids, esters amides, etc"},
        {99, 161, 160, 100, "alkenes, arenes and heteroaromatics"},
        {116, 131, 130, 115, "cyanides"},
        {71, 91, 90, 70, "alkynes"},
        {9, 91, 90, 10, "alkyl C next to O, N or halogen"},
        {-1, 51, 50, 0, "alkanes"},
    }};
    return table;
}

int correlationShift(int x) { return CInt((8880 - x) / 40.0); }

QList<CorrelationClass> classesAt(int d)
{
    QList<CorrelationClass> rows;
    for (const CorrelationClass& c : correlationTable())
        if (c.matchAbove < d && d < c.matchBelow)
            rows.append(c);
    return rows;
}

namespace {

// A row's width: its bar when that is longer than 79 twips a character, else its label's.
double rowWidth(const CorrelationClass& c)
{
    const int chars = int(qstrlen(c.label));
    const double bar = 40.0 * (c.high - c.low);
    return bar > 79.0 * chars ? bar : 67.0 * chars + 260;
}

} // namespace

CorrelationPopup correlationPopup(int x)
{
    CorrelationPopup popup;
    const QList<CorrelationClass> rows = classesAt(correlationShift(x));
    popup.height = 400.0 * rows.size();
    popup.shown = int(std::min<qsizetype>(rows.size(), 2));
    if (rows.isEmpty()) {
        popup.left = 80 + 40 * 220;
        popup.width = 67 * 0 + 260;
        return popup;
    }
    const CorrelationClass& first = rows[0];
    popup.left = 80 + 40.0 * (220 - first.high);
    popup.width = rowWidth(first);
    Plot& p = popup.plot;
    p.text(1, 1, QString::fromLatin1(first.label), kMagenta);
    p.line(1, 300, 40.0 * (first.high - first.low), 300, kMagenta);
    if (rows.size() >= 2) {
        const CorrelationClass& second = rows[1];
        const double o = 40.0 * (first.high - second.high);
        popup.width = std::max(popup.width, o + rowWidth(second));
        p.text(o, 420, QString::fromLatin1(second.label), kMagenta);
        p.line(o, 700, 40.0 * (first.high - second.low), 700, kMagenta);
    }
    return popup;
}

} // namespace orv::spectra::cmr
