#include "tests/spectra/ethylacetate.h"

#include "core/modorvan.h"
#include "spectra/irplot.h"

#include <algorithm>
#include <cmath>

namespace fixture {

std::array<QByteArray, 26> pmrTrace(const QList<Line>& lines, double halfWidthPpm)
{
    std::array<QByteArray, 26> data{};
    for (int e = 5; e <= 24; ++e) {
        QByteArray line;
        for (int j = 1; j <= 500; ++j) {
            const double ppm = 12.5 - 0.5 * e - 0.001 * j;
            double h = 0;
            for (const Line& l : lines) {
                const double d = (ppm - l.ppm) / halfWidthPpm;
                h += l.height / (1 + d * d);
            }
            line.append(heightByte(std::clamp(int(std::lround(h)), 0, 241)));
        }
        data[e] = line;
    }
    return data;
}

QList<Line> ethylAcetateProtonLines()
{
    const double j = 7.1 / 400; // 7.1 Hz at 400 MHz
    // clang-format off
    return {
        {1.26 - j, 80}, {1.26, 160}, {1.26 + j, 80},                          // CH3 triplet 1:2:1
        {2.051, 230},                                                           // CH3CO singlet
        {4.12 - 1.5 * j, 18}, {4.12 - 0.5 * j, 54}, {4.12 + 0.5 * j, 54}, {4.12 + 1.5 * j, 18}, // OCH2 quartet
        {0.0, 30},                                                              // TMS
    };
    // clang-format on
}

QByteArray irTrace(const QList<Line>& bands)
{
    QByteArray trace;
    for (int i = 1; i <= 600; ++i) {
        const double x = orv::spectra::ir::pointX(i);
        // The wavenumber the axis shows at x.
        const double wn = x <= 240 + 4 * 873 ? 4000 - (x - 240) * 500 / 873 : 2000 - (x - 240 - 4 * 873) * 250 / 873;
        double t = 0.9;
        for (const Line& b : bands) {
            const double width = b.ppm > 2500 ? 40 : 14;
            const double d = (wn - b.ppm) / width;
            t *= 1 - b.height * std::exp(-d * d);
        }
        trace.append(heightByte(std::clamp(int(std::lround(260 * t)), 0, 241)));
    }
    return trace;
}

void loadEthylAcetate()
{
    orv::ModOrvan& m = orv::modOrvan;
    m.CurrentUnknown = 7;
    m.PmrData = pmrTrace(ethylAcetateProtonLines());
    m.PmrData[25] = "CDCl3 solution, TMS reference";
    m.UnkItemTitle[8] = QStringLiteral("(CDCl3)");
    m.UnkItemTitle[6] = QStringLiteral("(liquid film)");
    m.IrData = irTrace({{2985, 0.35}, {2940, 0.2}, {1742, 0.92}, {1447, 0.3}, {1373, 0.5}, {1240, 0.9}, {1047, 0.6}});
    m.IrLabel = QStringLiteral("liquid film");
    m.UnkItemTitle[5] = QStringLiteral("(CDCl3)");
    m.CmrData = QByteArray("1710") + heightByte(90) + '0' + QByteArray("0604") + heightByte(200) + '2'
              + QByteArray("0210") + heightByte(220) + '3' + QByteArray("0142") + heightByte(210) + '3';
    m.CmrLabel = QStringLiteral("CDCl3 solution, proton decoupled");
    m.UnkItemTitle[7] = QStringLiteral("(electron impact, 70 eV)");
    const QList<std::pair<int, int>> ms{{29, 60}, {42, 15}, {43, 241}, {45, 36},
                                        {61, 30}, {70, 24}, {73, 10},  {88, 19}};
    m.MsData.clear();
    for (auto [mz, h] : ms)
        m.MsData += QByteArray::number(mz).rightJustified(3, '0') + heightByte(h);
    m.MsMolecularIon = QStringLiteral("88");
    m.MsLabel = QStringLiteral("EI 70 eV");
}

} // namespace fixture
