// The viewers' arithmetic: clicked x to ppm, wavenumber and m/z, the m/z
// axis, and the decoding of spectrum lines, including lines a reader accepts
// but that are cut short or out of the usual range.
#include "spectra/cmrplot.h"
#include "spectra/expandband.h"
#include "spectra/irplot.h"
#include "spectra/msplot.h"
#include "spectra/pmrplot.h"
#include "spectra/spectrumdata.h"
#include "tests/spectra/ethylacetate.h"

#include <gtest/gtest.h>

using namespace orv::spectra;

TEST(SpectrumGeometry, ClickedXToPpmWavenumberAndMz)
{
    struct Case {
        const char* name;
        double got;
        double want;
    };
    const ms::MzAxis axis100 = ms::mzAxisFor(QStringLiteral("88"));
    const Case cases[] = {
        {"proton x 60 is 10 ppm", pmr::ppmAtX(60), 10},
        {"proton x 8860 is 0 ppm", pmr::ppmAtX(8860), 0},
        {"proton x 6660 is 2.5 ppm", pmr::ppmAtX(6660), 2.5},
        {"carbon x 60 is 220 ppm", cmr::ppmAtX(60), 220},
        {"carbon x 3740 is 128 ppm", cmr::ppmAtX(3740), 128},
        {"infrared x 240 is 4000", double(*ir::measuredWavenumber(240, 1000)), 4000},
        {"infrared x 3735 is 2001 (first scale)", double(*ir::measuredWavenumber(3735, 1000)), 2001},
        {"infrared x 3736 is 1999 (second scale)", double(*ir::measuredWavenumber(3736, 1000)), 1999},
        {"infrared x 5481 is 1500", double(*ir::measuredWavenumber(5481, 1000)), 1500},
        {"m/z x 260 is 30", double(ms::mzAtX(260, axis100)), 30},
        {"m/z x 8660 is 100", double(ms::mzAtX(8660, axis100)), 100},
        {"m/z 31.5 rounds to 32", double(ms::mzAtX(260 + 1.5 * 120, axis100)), 32},
        {"m/z 30.5 rounds to 30", double(ms::mzAtX(260 + 0.5 * 120, axis100)), 30},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.got, c.want, 1e-3) << c.name;
}

TEST(SpectrumGeometry, MeasuringClicksOutsideThePlotMarkNothing)
{
    EXPECT_FALSE(ir::measuredWavenumber(239, 1000));
    EXPECT_FALSE(ir::measuredWavenumber(8630, 1000));
    EXPECT_FALSE(ir::measuredWavenumber(1000, 4620));
    EXPECT_FALSE(pmr::measureMark(4000, 750));
    EXPECT_FALSE(pmr::measureMark(4000, 4680));
    EXPECT_FALSE(pmr::measureMark(59, 2000));
    EXPECT_TRUE(pmr::measureMark(8860, 2000));
    EXPECT_FALSE(cmr::measureMark(4000, 350));
    EXPECT_FALSE(cmr::measureMark(4000, 4680));
    const ms::MzAxis axis = ms::mzAxisFor(QString());
    EXPECT_FALSE(ms::measureMark(260 + 0.5 * 120, 2000, axis));
    EXPECT_TRUE(ms::measureMark(260 + 1.5 * 120, 2000, axis));
    EXPECT_FALSE(ms::measureMark(4000, 4600, axis));
    EXPECT_FALSE(ms::measureMark(4000, 350, axis));
}

namespace {
QString textOf(const std::optional<Plot>& p)
{
    if (!p)
        return QStringLiteral("<none>");
    for (const PlotStep& s : p->steps())
        if (s.kind == PlotStep::Kind::Text)
            return s.text;
    return QString();
}
} // namespace

TEST(SpectrumGeometry, MeasuredValuesAreFormattedAsTheViewersPrintThem)
{
    struct Case {
        const char* name;
        QString got;
        QString want;
    };
    const ms::MzAxis axis = ms::mzAxisFor(QStringLiteral("88"));
    const Case cases[] = {
        {"proton 10 ppm", textOf(pmr::measureMark(60, 2000)), QStringLiteral("10.0")},
        {"proton 0 ppm", textOf(pmr::measureMark(8860, 2000)), QStringLiteral(".0")},
        {"proton half a ppm", textOf(pmr::measureMark(8860 - 440, 2000)), QStringLiteral(".5")},
        {"carbon 220 ppm", textOf(cmr::measureMark(60, 2000)), QStringLiteral("220")},
        {"carbon 0 ppm prints nothing", textOf(cmr::measureMark(8860, 2000)), QString()},
        {"carbon 99.6 ppm prints 100", textOf(cmr::measureMark(8860 - 40 * 99.6, 2000)), QStringLiteral("100")},
        {"infrared 1742 as a number", textOf(ir::measureMark(3735 + (2000 - 1742) * 874.0 / 250 - 2, 2000)),
         QStringLiteral(" 1742 ")},
        {"m/z 43", textOf(ms::measureMark(ms::xAtMz(43, axis), 2000, axis)), QStringLiteral("43")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.want) << c.name;
    // A 99.6 ppm label sits 95 twips left of its mark (below 100 ppm) though it prints 100.
    const auto mark = cmr::measureMark(8860 - 40 * 99.6, 2000);
    EXPECT_NEAR(mark->steps().last().at.x(), 8860 - 40 * 99.6 - 95, 1e-3);
}

TEST(SpectrumGeometry, MzAxisFollowsTheLastMolecularIonValue)
{
    // clang-format off
    struct Case { const char* ion; int top; int step; int ticks; int lastLabel; };
    const Case cases[] = {
        {"", 100, 1, 15, 100},      {"98", 100, 1, 15, 100},  {"99", 125, 1, 20, 125},
        {"148", 150, 1, 25, 150},   {"149", 175, 2, 15, 170}, {"200", 225, 2, 21, 230},
        {"43/57/112", 125, 1, 20, 125}, {"10/20/30/120", 100, 1, 15, 100},
        {"99999", 1025, 2, 101, 1030}, {"-50", 100, 1, 15, 100}, {"abc", 100, 1, 15, 100},
    };
    // clang-format on
    for (const Case& c : cases) {
        const ms::MzAxis a = ms::mzAxisFor(QString::fromLatin1(c.ion));
        EXPECT_EQ(a.top, c.top) << c.ion;
        EXPECT_EQ(a.tickStep, c.step) << c.ion;
        EXPECT_FLOAT_EQ(a.twipsPerMz, 8400.0f / float(c.top - 30)) << c.ion;
        const Plot frame = ms::frame(a, QString::fromLatin1(c.ion), QString());
        int ticks = 0;
        QString last;
        for (const PlotStep& s : frame.steps()) {
            if (s.kind == PlotStep::Kind::Polyline && s.points.size() == 2 && s.points[0].y() == 4700
                && s.points[1].y() == 4800)
                ++ticks;
            if (s.kind == PlotStep::Kind::Text && s.at.y() == 4820)
                last = s.text;
        }
        EXPECT_EQ(ticks, c.ticks) << c.ion;
        EXPECT_EQ(last, orv::spectra::printedNumber(c.lastLabel)) << c.ion;
    }
}

TEST(SpectrumData, CarbonRecordsRoundToWholePpmAndReadTheirHydrogens)
{
    const QByteArray data = QByteArray("1285") + fixture::heightByte(241) + '0' + QByteArray("1295")
                          + fixture::heightByte(0) + '3' + QByteArray("12x5") + char(5) + 'x';
    const auto peaks = decodeCarbonPeaks(data);
    ASSERT_EQ(peaks.size(), 3);
    EXPECT_EQ(peaks[0].ppm, 128);
    EXPECT_EQ(peaks[0].height, 241);
    EXPECT_EQ(peaks[0].hydrogens, 0);
    EXPECT_EQ(peaks[1].ppm, 130);
    EXPECT_EQ(peaks[1].hydrogens, 3);
    EXPECT_EQ(peaks[2].ppm, 1) << "the leading number 12 of 12x5, divided by 10";
    EXPECT_EQ(peaks[2].height, -9) << "bytes below 14 are negative heights";
    EXPECT_EQ(peaks[2].hydrogens, 0);
    EXPECT_EQ(cmr::xAtPpm(peaks[0].ppm), 3740);
    EXPECT_EQ(cmr::xAtPpm(peaks[1].ppm), 3660);
}

TEST(SpectrumData, OnlyWholeRecordsAreDecoded)
{
    struct Case {
        const char* name;
        QByteArray data;
        qsizetype carbon;
        qsizetype mass;
    };
    const Case cases[] = {
        {"empty line", QByteArray(), 0, 0},
        {"half a carbon record left over (9 characters)", QByteArray("0604x20604"), 1, 2},
        {"one character short of two mass records", QByteArray("043x045"), 1, 1},
        {"a record of six", QByteArray("0604x2"), 1, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decodeCarbonPeaks(c.data).size(), c.carbon) << c.name;
        EXPECT_EQ(decodeMsPeaks(c.data).size(), c.mass) << c.name;
    }
}

TEST(SpectrumData, OutOfRangeNumericFieldsStayWithinTheirDigits)
{
    const auto carbon = decodeCarbonPeaks(QByteArray("9e99") + fixture::heightByte(10) + '9');
    ASSERT_EQ(carbon.size(), 1);
    EXPECT_EQ(carbon[0].ppm, 999);
    EXPECT_EQ(carbon[0].hydrogens, 9);
    const auto mass = decodeMsPeaks(QByteArray("9e9") + fixture::heightByte(10));
    ASSERT_EQ(mass.size(), 1);
    EXPECT_EQ(mass[0].mz, 999);
}

TEST(SpectrumData, ProtonTraceRunsOnAcrossLinesAndBreaksAtEmptyOnes)
{
    std::array<QByteArray, 26> data{};
    data[5] = QByteArray(500, fixture::heightByte(0));
    data[7] = QByteArray(3, char(252));                // height 238
    data[8] = QByteArray(600, fixture::heightByte(0)); // longer than its span
    const Plot p = pmr::trace(data);
    // element 5 draws its 250 odd samples after (60, 4680); the empty element 6
    // ends that run and starts a flat one that runs on through 7 and 8; each
    // empty element 9..24 is a flat run of its own.
    ASSERT_EQ(p.steps().size(), 2 + 16);
    EXPECT_EQ(p.steps()[0].points.size(), 1 + 250);
    EXPECT_EQ(p.steps()[0].points.first(), QPointF(60, 4680));
    const auto& run = p.steps()[1].points;
    EXPECT_EQ(run.first(), QPointF(500, 4680));
    EXPECT_EQ(run[1], QPointF(940, 4680));
    EXPECT_NEAR(run[2].x(), 940 + 0.88, 1e-9);
    EXPECT_NEAR(run[2].y(), 4680 - 4080.0 * 238 / 252, 1e-9);
    // 600 characters run 528 twips, past the element's 440.
    EXPECT_NEAR(run[2 + 2 + 299].x(), 60 + 440 * 3 + 0.88 * 599, 1e-9);
    EXPECT_EQ(run.size(), 2 + 2 + 300);
    EXPECT_EQ(p.steps().last().points, (QList<QPointF>{QPointF(8420, 4680), QPointF(8860, 4680)}));
}

TEST(SpectrumData, EveryLineAtItsLimitDrawsWithinTheRangeOfItsFormula)
{
    std::array<QByteArray, 26> pmrData{};
    for (int e = 5; e <= 24; ++e)
        pmrData[e] = QByteArray(500, char(255));
    const Plot full = pmr::trace(pmrData);
    ASSERT_EQ(full.steps().size(), 1);
    const auto& points = full.steps().front().points;
    EXPECT_EQ(points.size(), 1 + 20 * 250);
    for (qsizetype i = 1; i < points.size(); ++i)
        ASSERT_NEAR(points[i].y(), 4680 - 4080.0 * 241 / 252, 1e-9) << i;
    const Plot irPlot = ir::trace(QByteArray(4000, char(255)));
    EXPECT_EQ(irPlot.steps().front().points.size(), 4000);
    EXPECT_NEAR(irPlot.steps().front().points.back().x(), 226 + 14.0 * 4000, 1e-6) << "no 16-bit wrap-around";
    EXPECT_NEAR(irPlot.steps().front().points.back().y(), 4600 - 4350.0 * 241 / 260, 1e-9);
    EXPECT_TRUE(ir::trace(QByteArray()).isEmpty());
    EXPECT_NEAR(ms::frame(ms::mzAxisFor(QString()), QString(400, u'1'), QString()).steps().last().at.x(),
                7000 - 90.0 * 400 + 500, 1e-9)
        << "a long ion text moves its label left without wrapping";
}

TEST(ExpandBandTest, GrowsTowardsThePointerAndShrinksFromTheNearerEdge)
{
    ExpandBand b;
    b.start(3000);
    EXPECT_EQ(b.changeFor(3000), BandChange::None);
    b.apply(b.changeFor(4000), 4000);
    EXPECT_EQ(b.left, 3000);
    EXPECT_EQ(b.right, 4000);
    EXPECT_EQ(b.changeFor(3800), BandChange::ShrinkRight);
    EXPECT_EQ(b.changeFor(3200), BandChange::ShrinkLeft);
    EXPECT_EQ(b.changeFor(3500), BandChange::None) << "exactly midway";
    EXPECT_EQ(b.changeFor(2000), BandChange::GrowLeft);
    // Dragging back left past the start: shrink from the right to the start, then grow left.
    ExpandBand back;
    back.start(3000);
    for (float x = 3010; x <= 4000; x += 10)
        back.apply(back.changeFor(x), x);
    for (float x = 3990; x >= 2500; x -= 10)
        back.apply(back.changeFor(x), x);
    EXPECT_EQ(back.left, 2500);
    EXPECT_EQ(back.right, 3020) << "a move exactly midway changes nothing, so 20 twips stay";
}
