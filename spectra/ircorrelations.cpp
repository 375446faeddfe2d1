#include "spectra/ircorrelations.h"

#include "platform/basic.h"

#include <algorithm>

namespace orv::spectra::ir {

const std::array<CorrelationRegion, kCorrelationRows>& correlationTable()
{
    static const std::array<CorrelationRegion, kCorrelationRows> table{{
        {3700, 2700, "O-H and N-H stretch"},
        {3100, 2800, "C-H stretch"},
        {2850, 2650, "C-H aldehyde 2 stretches - weak intensities"},
        {2400, 2060, "alkyne and cyanide stretch"},
        {2000, 1650, "aromatic overtones - weak intensities"},
        {1850, 1620, "C=O stretch"},
        {1700, 1590, "C=N stretch"},
        {1700, 1560, "C=C stretch"},
        {1640, 1450, "N-H bend"},
        {1460, 1270, "C-H bend"},
        {1430, 1180, "O-H bend"},
        {1300, 880, "C-O & C-N stretch"},
        {1180, 980, "C-C stretch"},
        {910, 600, "C-H rock"},
        {890, 690, "N-H rock"},
        {1500, 600, "molecular vibrations \"fingerprint region\""},
    }};
    return table;
}

int correlationWavenumber(int x)
{
    if (x >= 240 && x <= 3735)
        return int(Int(4000 - (x - 240) * 500.0 / 874));
    if (x >= 3736 && x <= 8629)
        return int(Int(2000 - (x - 3733) * 250.0 / 874));
    return 0;
}

QList<CorrelationRegion> regionsAt(int w)
{
    QList<CorrelationRegion> rows;
    for (const CorrelationRegion& r : correlationTable())
        if (r.lower < w && w < r.upper)
            rows.append(r);
    return rows;
}

namespace {

double labelWidth(const CorrelationRegion& r) { return 67.0 * QString::fromLatin1(r.label).size() + 260; }

void bar(Plot& p, double x1, double x2, double y) { p.line(x1, y, x2, y, kMagenta); }

} // namespace

CorrelationPopup correlationPopup(int x)
{
    CorrelationPopup popup;
    const int w = correlationWavenumber(x);
    const QList<CorrelationRegion> found = regionsAt(w);
    // The first row's bar is 400 twips high, every other one 410.
    for (const CorrelationRegion& r : found)
        popup.height += r.label == correlationTable()[0].label ? 400 : 410;
    Plot& p = popup.plot;
    if (w > 2000 && w <= 4000) {
        const CorrelationRegion first = found.value(0, CorrelationRegion{0, 0, ""});
        const double b1 = (first.upper - first.lower) * 874.0 / 500;
        popup.placed = true;
        popup.left = 240 + (4000 - first.upper) * 874.0 / 500;
        popup.width = std::max(b1, labelWidth(first));
        if (found.isEmpty())
            return popup;
        p.text(1, 1, QString::fromLatin1(first.label), kMagenta);
        bar(p, 1, b1, 280);
        // Every further row below the last, offset to its own upper end: the
        // aldehyde C-H row is the third one from 2850 down to 2800.
        for (qsizetype i = 1; i < found.size(); ++i) {
            const CorrelationRegion& r = found[i];
            const double o = (first.upper - r.upper) * 874.0 / 500;
            const double b = (r.upper - r.lower) * 874.0 / 500;
            const double m = CInt(std::max(b, labelWidth(r)));
            popup.width = std::max(popup.width, o + m);
            p.text(o, i * 420.0, QString::fromLatin1(r.label), kMagenta);
            bar(p, o, o + b, i * 420.0 + 280);
        }
    } else if (w > 400 && w <= 2000) {
        int top = 0, bottom = 2000;
        for (const CorrelationRegion& r : found) {
            top = std::max(top, r.upper);
            if (r.lower != 0)
                bottom = std::min(bottom, r.lower);
        }
        if (top < 1)
            return popup;
        popup.placed = true;
        popup.left = 3736 + (2000 - top) * 874.0 / 250;
        popup.width = (top - bottom) * 874.0 / 250;
        for (const CorrelationRegion& r : found)
            popup.width = std::max(popup.width, (top - r.upper) * 874.0 / 250 + labelWidth(r));
        for (qsizetype i = 0; i < found.size(); ++i) {
            const CorrelationRegion& r = found[i];
            const double o = (top - r.upper) * 874.0 / 250;
            p.text(o + 1, i * 420.0 + 1, QString::fromLatin1(r.label), kMagenta);
            bar(p, o, o + (r.upper - r.lower) * 874.0 / 250, i * 420.0 + 280);
        }
    }
    return popup;
}

} // namespace orv::spectra::ir
