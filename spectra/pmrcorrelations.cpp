#include "spectra/pmrcorrelations.h"

#include "core/coreservices.h"
#include "spectra/pmrplot.h"

#include <cstring>

namespace orv::spectra::pmr {

// Standard proton shift ranges (ppm) of the groups a student meets.
// clang-format off
const std::array<CorrelationRow, 16> kCorrelationRows{{
    {10.0f, 9.0f, "RCHO (aldehyde)"},
    {8.3f, 6.5f, "ArH (aromatic)"},
    {8.1f, 7.8f, "HCOOR (formate)"},
    {6.7f, 4.6f, ">C=CH (alkene)"},
    {4.8f, 3.6f, "CH-OCOR (ester)"},
    {4.6f, 3.3f, "CH next to OH, OR, OAr"},   // methanol and dialkyl ethers lie at 3.3-3.4
    {4.3f, 2.2f, "CH next to halogen"},
    {3.8f, 2.9f, "CH-NCOR (amide)"},
    {3.6f, 2.2f, "CH next to amine N"},        // trialkylamines lie at 2.2-2.5
    {3.4f, 2.4f, "CH-COAr (ketone)"},
    {2.7f, 2.1f, "CH next to CHO or COR"},
    {2.5f, 2.0f, "CH next to COOR or CONRR'"},
    {2.9f, 2.2f, "CH-Ar"},
    {2.6f, 1.6f, "CH-C=C"},
    {1.5f, 0.9f, "alkane"},
    {10.0f, 1.0f, "OH, NH or SH ( Note: exchangeable)"},
}};
// clang-format on

QList<int> correlationsAt(float s)
{
    QList<int> rows;
    for (int r = 0; r < int(kCorrelationRows.size()); ++r) {
        const CorrelationRow& row = kCorrelationRows[size_t(r)];
        if (row.low <= s && s <= row.high && rows.size() < kCorrelationSlots)
            rows.append(r);
    }
    return rows;
}

CorrelationPopup correlationPopup(int x)
{
    CorrelationPopup p;
    const float s = float(kRightX - x) / float(kTwipsPerPpm);
    p.rows = correlationsAt(s);
    p.height = kCorRowHeight * int(p.rows.size());
    if (p.rows.isEmpty())
        return p;
    float top = 0, bottom = 10;
    for (int r : p.rows) {
        top = std::max(top, kCorrelationRows[size_t(r)].high);
        bottom = std::min(bottom, kCorrelationRows[size_t(r)].low);
    }
    p.left = int(std::lround((10 - top) * 880 + 60));
    float width = (top - bottom) * 880 + 30;
    for (int r : p.rows) {
        const CorrelationRow& row = kCorrelationRows[size_t(r)];
        width = std::max(width, (top - row.high) * 880 + 280 + 73 * float(std::strlen(row.label)));
    }
    p.width = int(std::lround(width));
    std::uint32_t colour = kMagenta;
    for (int n = 0; n < p.rows.size(); ++n) {
        const CorrelationRow& row = kCorrelationRows[size_t(p.rows[n])];
        if (p.rows[n] == kExchangeableRow)
            colour = PaletteColour(kCorrelationBlue);
        const double x1 = (top - row.high) * 880, x2 = (top - row.low) * 880;
        const double y = n * kCorRowHeight;
        p.plot.text(x1 + 1, y + 1, QString::fromLatin1(row.label), colour);
        p.plot.line(x1, y + 280, x2, y + 280, colour);
    }
    return p;
}

} // namespace orv::spectra::pmr
