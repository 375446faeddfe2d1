// The proton expansion window's geometry: snapping the dragged range, the
// window's samples, the vertical scale, ppm and Hz of the measuring tools,
// the integral and the printed page.
#include "core/unknownfile.h"
#include "spectra/pmrexpansion.h"
#include "tests/spectra/ethylacetate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

using namespace orv::spectra;
using pmrexp::Precision;

namespace {

pmrexp::Window windowOf(float leftPpm, float widthPpm, Precision precision)
{
    pmrexp::Window w;
    w.LeftPpm = leftPpm;
    w.WidthPpm = widthPpm;
    w.LabelPrecision = precision;
    return w;
}

// Trace lines whose every sample has the height of its element's number.
std::array<QByteArray, 26> elementNumbers()
{
    std::array<QByteArray, 26> data{};
    for (int e = 5; e <= 24; ++e)
        data[size_t(e)] = QByteArray(500, fixture::heightByte(e));
    return data;
}

QStringList textsOf(const Plot& p)
{
    QStringList out;
    for (const PlotStep& s : p.steps())
        if (s.kind == PlotStep::Kind::Text)
            out.append(s.text);
    return out;
}

} // namespace

TEST(PmrExpansion, DraggedRangesSnapToRoundWidthsAndLeftEdges)
{
    struct Case {
        const char* name;
        float left, right;
        float width, leftPpm;
        Precision precision;
    };
    // clang-format off
    const Case cases[] = {
        {"click: 0.2 ppm centred", 4000, 4000, 0.2f, 5.62f, Precision::High},  // LeftX = Int(3912 x 10) / 10
        {"reversed range: 0.2 ppm round its middle", 5000, 4000, 0.2f, 5.05f, Precision::High},
        {"0.45 ppm gives 0.5", 1000, 1000 + 0.45f * 880, 0.5f, 8.93f, Precision::High},
        {"0.7 ppm gives 0.8", 1000, 1000 + 0.7f * 880, 0.8f, 8.93f, Precision::High},
        {"1.06 ppm gives 1.5", 1000, 1000 + 1.06f * 880, 1.5f, 8.9f, Precision::Medium},
        {"2.6 ppm gives Int(3.4) = 3", 1000, 1000 + 2.6f * 880, 3, 8.9f, Precision::Medium},
        {"4.3 ppm gives 5", 1000, 1000 + 4.3f * 880, 5, 8.9f, Precision::Medium},
        {"6 ppm gives 6, whole-number edge", 1000, 1000 + 6 * 880, 6, 9, Precision::Low},
        {"near 0 ppm: left edge raised to the width", 8000, 8850, 1, 1, Precision::High},
        {"narrow near 0 ppm", 8800, 8850, 0.2f, 0.2f, Precision::High},
        {"left end: limited to 10 ppm", 55, 500, 0.5f, 10, Precision::High},
        {"a range past the plot stays within 10 ppm", 60, 9900, 10, 10, Precision::Low},
    };
    // clang-format on
    for (const Case& c : cases) {
        const pmrexp::Window w = pmrexp::snapRange(c.left, c.right);
        EXPECT_FLOAT_EQ(w.WidthPpm, c.width) << c.name;
        EXPECT_FLOAT_EQ(w.LeftPpm, c.leftPpm) << c.name;
        EXPECT_EQ(w.LabelPrecision, c.precision) << c.name;
    }
    const pmrexp::Window click = pmrexp::snapRange(4000, 4000);
    EXPECT_FLOAT_EQ(click.LeftX, 3912);
    EXPECT_FLOAT_EQ(click.RightX, 4088);
}

TEST(PmrExpansion, SnappedWidthsAtTheTableEdges)
{
    // clang-format off
    const std::pair<float, float> cases[] = {{0.0f, 0.2f}, {-3, 0.2f}, {0.2f, 0.2f}, {0.3f, 0.4f}, {0.5f, 0.5f},
                                             {0.6f, 0.6f}, {0.81f, 0.8f}, {1.0f, 1},  {1.5f, 1.5f}, {2.0f, 2},
                                             {2.5f, 2.5f}, {2.56f, 3}, {3.2f, 4},    {9.3f, 10},   {25, 10}};
    // clang-format on
    for (auto [w, want] : cases)
        EXPECT_FLOAT_EQ(pmrexp::snappedWidth(w), want) << "dragged " << w;
}

TEST(PmrExpansion, SamplesStartInTheElementHoldingTheShiftBelowTheLeftEdge)
{
    const auto data = elementNumbers();
    struct Case {
        float leftPpm, widthPpm;
        int firstElement, lastElement;
        qsizetype count;
    };
    // clang-format off
    const Case cases[] = {
        {1.0f, 0.2f, 23, 23, 200},   // 0.999 .. 0.800
        {0.5f, 0.2f, 24, 24, 200},   // 0.499 .. 0.300
        {0.2f, 0.2f, 24, 24, 201},   // 0.200 .. 0.000, both ends
        {10, 1, 5, 6, 1000},         // 9.999 .. 9.000
        {1.05f, 0.2f, 22, 23, 201},  // 1.050 .. 1.001 and 1.000 .. 0.850
        {10, 10, 5, 24, 10000},
    };
    // clang-format on
    for (const Case& c : cases) {
        const QByteArray s = pmrexp::windowSamples(data, windowOf(c.leftPpm, c.widthPpm, Precision::High));
        ASSERT_EQ(s.size(), c.count) << "left " << c.leftPpm;
        EXPECT_EQ(orv::sampleHeight(s.front()), c.firstElement) << "left " << c.leftPpm;
        EXPECT_EQ(orv::sampleHeight(s.back()), c.lastElement) << "left " << c.leftPpm;
    }
}

TEST(PmrExpansion, SamplesFollowTheShiftEmptyLinesAndShortLinesAreFlat)
{
    auto data = fixture::pmrTrace({{1.234, 200}}, 0.0001);
    const pmrexp::Window w = windowOf(1.3f, 0.2f, Precision::High);
    QByteArray s = pmrexp::windowSamples(data, w);
    ASSERT_EQ(s.size(), 201);
    EXPECT_EQ(orv::sampleHeight(s.at(66)), 200) << "1.300 - 0.066 = 1.234 ppm";
    // Element 22 (1.5 .. 1.0 ppm) empty: the whole window lies flat.
    data[22].clear();
    s = pmrexp::windowSamples(data, w);
    ASSERT_EQ(s.size(), 201);
    EXPECT_EQ(s, QByteArray(201, char(14)));
    // A line cut after 300 characters (down to 1.2 ppm) is baseline below.
    data[22] = QByteArray(300, fixture::heightByte(5));
    s = pmrexp::windowSamples(data, w);
    ASSERT_EQ(s.size(), 201);
    EXPECT_EQ(s.left(101), QByteArray(101, fixture::heightByte(5)));
    EXPECT_EQ(s.mid(101), QByteArray(100, char(14)));
}

// A 60-character line holding a peak at 4.95 ppm: padded, the peak is drawn
// at 4.95 ppm, not stretched across the window to 5.6.
TEST(PmrExpansion, APeakOfAShortLineStaysAtItsShift)
{
    std::array<QByteArray, 26> data{};
    data[15] = QByteArray(60, fixture::heightByte(0)); // 4.999 .. 4.940 ppm
    data[15][49] = fixture::heightByte(200);           // 4.950 ppm
    const pmrexp::Window w = windowOf(5.0f, 0.2f, Precision::High);
    const QByteArray s = pmrexp::windowSamples(data, w);
    ASSERT_EQ(s.size(), 200);
    EXPECT_EQ(orv::sampleHeight(s.at(49)), 200);
    const QList<QPointF> points = pmrexp::trace(s, 1).steps().front().points;
    const auto peak = std::min_element(points.begin(), points.end(),
                                       [](QPointF a, QPointF b) { return a.y() < b.y(); });
    EXPECT_NEAR(pmrexp::ppmAtX(w, peak->x()), 4.95, 1e-4);
}

TEST(PmrExpansion, VerticalScaleFromTheTallestSample)
{
    const std::pair<int, int> cases[] = {{0, 1}, {1, 4}, {60, 4}, {61, 2}, {120, 2}, {121, 1}, {241, 1}};
    for (auto [tallest, scale] : cases) {
        QByteArray s(50, fixture::heightByte(0));
        s[20] = fixture::heightByte(tallest);
        EXPECT_EQ(pmrexp::verticalScale(s), scale) << "tallest " << tallest;
    }
    EXPECT_EQ(pmrexp::verticalScale(QByteArray()), 1);
}

TEST(PmrExpansion, ShiftsAndCouplingConstantsFromPictureDistances)
{
    // clang-format off
    struct Case {
        float leftPpm, widthPpm;
        double x, ppm;
    };
    const Case shifts[] = {{2.0f, 0.8f, 60, 2.0}, {2.0f, 0.8f, 8060, 1.2}, {2.0f, 0.8f, 4060, 1.6},
                           {1.5f, 0.2f, 860, 1.48}, {9, 6, 2060, 7.5}};
    // clang-format on
    for (const Case& c : shifts)
        EXPECT_NEAR(pmrexp::ppmAtX(windowOf(c.leftPpm, c.widthPpm, Precision::High), c.x), c.ppm, 1e-5)
            << c.leftPpm << " - " << c.widthPpm << " at x " << c.x;
    struct Coupling {
        float widthPpm;
        Precision precision;
        double dx;
        const char* text;
    };
    // clang-format off
    const Coupling couplings[] = {
        {0.2f, Precision::High, 800, "8.0 Hz"},    // 0.2 x 800 / 20
        {0.2f, Precision::High, -800, "8.0 Hz"},   // dragged leftwards
        {1.0f, Precision::High, 144, "7.2 Hz"},
        {1.5f, Precision::Medium, 31, "2.3 Hz"},
        {6, Precision::Low, 47, "14 Hz"},          // 14.1 Hz, whole hertz in a wide window
    };
    // clang-format on
    for (const Coupling& c : couplings)
        EXPECT_EQ(pmrexp::couplingText(windowOf(5, c.widthPpm, c.precision), c.dx), QString::fromLatin1(c.text))
            << c.widthPpm << " ppm, " << c.dx << " twips";
}

TEST(PmrExpansion, PeakMarksFormatByPrecisionAndRejectClicksOutsideThePlot)
{
    struct Case {
        pmrexp::Window w;
        double ppm;
        const char* text;
        double offset;
    };
    const Case cases[] = {
        {windowOf(0.6f, 0.2f, Precision::High), 0.512, ".512", 150},
        {windowOf(1.5f, 0.2f, Precision::High), 1.42, "1.420", 200},
        {windowOf(2.5f, 2, Precision::Medium), 1.25, "1.25", 150},
        {windowOf(2.5f, 2, Precision::Medium), 0.75, ".75", 110},
        {windowOf(6, 6, Precision::Low), 0.4, ".4", 70},
        {windowOf(9, 6, Precision::Low), 7.5, "7.5", 100},
    };
    for (const Case& c : cases) {
        const double x = 60 + (c.w.LeftPpm - c.ppm) * 8000 / c.w.WidthPpm;
        const auto mark = pmrexp::measureMark(c.w, x, 2000);
        ASSERT_TRUE(mark) << c.text;
        const PlotStep& text = mark->steps().at(1);
        EXPECT_EQ(text.text, QString::fromLatin1(c.text));
        EXPECT_DOUBLE_EQ(text.at.x(), x - c.offset) << c.text;
        EXPECT_DOUBLE_EQ(text.at.y(), 2000 - 350) << c.text;
        EXPECT_EQ(text.colour, kMagenta);
    }
    const pmrexp::Window w = windowOf(0.2f, 0.2f, Precision::High);
    EXPECT_FALSE(pmrexp::measureMark(w, 4000, 350)) << "at the top";
    EXPECT_FALSE(pmrexp::measureMark(w, 4000, 4600)) << "on the plot's base";
    EXPECT_FALSE(pmrexp::measureMark(w, 8060, 2000)) << "0 ppm";
    EXPECT_FALSE(pmrexp::measureMark(w, 8200, 2000)) << "below 0 ppm";
    EXPECT_TRUE(pmrexp::measureMark(w, 8000, 4599));
}

TEST(PmrExpansion, PictureLabelsAndScaleLine)
{
    const pmrexp::Window w = windowOf(1.5f, 0.2f, Precision::High);
    const QByteArray samples(201, fixture::heightByte(50));
    const QStringList texts = textsOf(pmrexp::picture(w, samples, 4));
    ASSERT_EQ(texts.size(), 13);
    EXPECT_EQ(texts[0], QStringLiteral("Horizontal scale is x 50.0 and width is 0.20 ppm; vertical scale is x 4 "));
    EXPECT_EQ(texts[1], QStringLiteral("1.50"));
    EXPECT_EQ(texts[6], QStringLiteral("1.40"));
    EXPECT_EQ(texts[11], QStringLiteral("1.30"));
    EXPECT_EQ(texts[12], QStringLiteral("ppm"));
    const QStringList low = textsOf(pmrexp::picture(windowOf(6, 6, Precision::Low), samples, 1));
    EXPECT_EQ(low[0], QStringLiteral("Horizontal scale is x 1.7 and width is 6.00 ppm; vertical scale is x 1 "));
    EXPECT_EQ(low[1], QStringLiteral("6.0"));
    EXPECT_EQ(low[11], QStringLiteral(".0"));
    // The trace: a sample of height 63 at scale 4 reaches y = 4700 - 4100.
    const Plot t = pmrexp::trace(QByteArray(10, fixture::heightByte(63)), 4);
    const QList<QPointF>& pts = t.steps().front().points;
    ASSERT_EQ(pts.size(), 11);
    EXPECT_EQ(pts.front(), QPointF(60, 600));
    EXPECT_EQ(pts.back(), QPointF(8060, 600));
    EXPECT_TRUE(pmrexp::trace(QByteArray(), 1).isEmpty());
}

TEST(PmrExpansion, IntegralClimbsFromLowerLeftToUpperRightOrRunsFlat)
{
    QByteArray samples(400, fixture::heightByte(0));
    samples[100] = fixture::heightByte(30);
    samples[300] = fixture::heightByte(10);
    const Plot p = pmrexp::integral(samples);
    ASSERT_EQ(p.steps().size(), 1);
    const PlotStep& s = p.steps().front();
    EXPECT_EQ(s.mode, DrawMode::NotXorPen);
    EXPECT_EQ(s.colour, kRed);
    EXPECT_EQ(s.points.front(), QPointF(60, 4500));
    EXPECT_NEAR(s.points.back().x(), 8060, 1e-3);
    EXPECT_NEAR(s.points.back().y(), 600, 1e-2);
    EXPECT_NEAR(s.points.at(200).y(), 4500 - 3900 * 0.75, 1e-2) << "three quarters of the area lie left";
    for (const QByteArray& flat : {QByteArray(400, fixture::heightByte(0)), QByteArray()}) {
        const Plot f = pmrexp::integral(flat);
        ASSERT_EQ(f.steps().size(), 1);
        EXPECT_EQ(f.steps().front().points, (QList<QPointF>{{60, 4500}, {8060, 4500}}));
    }
}

TEST(PmrExpansion, PrintedPageOnPortraitA4)
{
    const pmrexp::Window w = windowOf(0.3f, 0.2f, Precision::High);
    QByteArray samples(201, fixture::heightByte(0));
    samples[0] = fixture::heightByte(241);
    for (QSizeF page : {QSizeF(11906, 16838), QSizeF(16838, 11906)}) {
        const std::optional<pmrexp::Printout> out = pmrexp::printout(w, samples, 1, page, true, 14);
        EXPECT_EQ(out->PrintLongSide, 15838);
        EXPECT_DOUBLE_EQ(out->PrintShortSide, 7906);
        EXPECT_DOUBLE_EQ(out->PrintAxisLength, 15338);
        const QList<QPointF>& axis = out->axis.steps().front().points;
        EXPECT_EQ(axis, (QList<QPointF>{{500, 9906}, {15838, 9906}}));
        const QList<QPointF>& trace = out->trace.steps().front().points;
        EXPECT_EQ(trace.front(), QPointF(500, 2000)) << "height 241 at scale 1";
        EXPECT_EQ(trace.at(1), QPointF(500 + 15338.0 / 201, 2000));
        EXPECT_DOUBLE_EQ(trace.back().y(), 9806) << "the zero line";
        EXPECT_DOUBLE_EQ(trace.back().x(), 15838);
        QStringList texts;
        for (const auto& t : out->texts)
            texts.append(t.text);
        EXPECT_EQ(texts.mid(0, 3), (QStringList{QStringLiteral("Orvanto Expanded pmr spectrum"),
                                                QStringLiteral("  horizontal scale is x 50.0 and width is 0.20 ppm; "
                                                               "vertical scale is x 1 "),
                                                QStringLiteral("Unknown number 14")}));
        EXPECT_EQ(texts[3], QStringLiteral(".30"));
        EXPECT_EQ(texts[13], QStringLiteral(".10"));
        EXPECT_EQ(out->texts[13].at, QPointF(15838 - 250, 9906 + 250)) << "the last label";
        EXPECT_EQ(out->texts[4].at, QPointF(500 + 1534 - 100, 9906 + 250)); // CInt(2033.8)
    }
    // "ppm" stands a whole 10-point line (about 230 twips) below the scale's
    // numbers, not across the middle one.
    const auto out = pmrexp::printout(w, samples, 1, QSizeF(11906, 16838), true, 14);
    const auto& ppm = out.texts.back();
    ASSERT_EQ(ppm.text, QStringLiteral("ppm"));
    for (int k = 3; k <= 13; ++k)
        EXPECT_GE(ppm.at.y() - out.texts[k].at.y(), 230) << out.texts[k].text.toStdString();
    // Without the unknown's number nothing else moves.
    const auto hidden = pmrexp::printout(w, samples, 1, QSizeF(11906, 16838), false, 14);
    EXPECT_EQ(hidden.texts.size(), 14);
    EXPECT_EQ(hidden.texts[2].text, QStringLiteral(".30"));
    // A page longer than 32767 twips is laid out like any other.
    const auto roll = pmrexp::printout(w, samples, 1, QSizeF(11906, 40000), true, 14);
    EXPECT_EQ(roll.PrintLongSide, 39000);
    EXPECT_EQ(roll.axis.steps().front().points, (QList<QPointF>{{500, 9906}, {39000, 9906}}));
    EXPECT_DOUBLE_EQ(roll.trace.steps().front().points.back().x(), 39000);
}
