// The carbon-13 expansion's geometry worked by hand: the window a dragged
// range becomes, the header, the tick labels, where sticks stand, the
// measuring tool's texts and accepted area, the seeded noise, and the
// printout's page.
#include "platform/basic.h"
#include "spectra/cmrexpansion.h"
#include "spectra/forms/cmrexpprint.h"
#include "spectra/forms/twipspainter.h"
#include "tests/spectra/ethylacetate.h"
#include "tests/spectra/printcheck.h"

#include <gtest/gtest.h>

using namespace orv;
using namespace orv::spectra;
using printcheck::inkNear;

namespace {

// x on the carbon viewer's picture at a shift.
float viewerX(double ppm) { return float(cmr::xAtPpm(ppm)); }

QByteArray record(const char* shift, int h, char hydrogens)
{
    return QByteArray(shift) + fixture::heightByte(h) + hydrogens;
}

cmrexp::Window window(int left, float width) { return {left, width}; }

// The x of every stick (vertical line standing on the baseline) in a plot.
QList<double> stickXs(const Plot& p)
{
    QList<double> xs;
    for (const PlotStep& s : p.steps())
        if (s.kind == PlotStep::Kind::Polyline && s.points.size() == 2 && s.points[0].x() == s.points[1].x()
            && s.points[0].y() == cmrexp::kBaselineY)
            xs.append(s.points[0].x());
    return xs;
}

const PlotStep* textStep(const Plot& p, const QString& text)
{
    for (const PlotStep& s : p.steps())
        if (s.kind == PlotStep::Kind::Text && s.text == text)
            return &s;
    return nullptr;
}

} // namespace

TEST(CmrExpansionWindow, DraggedRangesBecomeWholePpmWindows)
{
    struct Case {
        const char* name;
        float leftX, rightX;
        int leftPpm;
        float widthPpm;
        const char* header;
    };
    const Case cases[] = {
        {"1 ppm from x 860: 202.5 rounds to even", 860, 900, 202, 5, "Horizontal scale is x 44.0 - width is 5 ppm"},
        {"22.5 to 19.5 ppm (two close carbons)", viewerX(22.5), viewerX(19.5), 25, 5,
         "Horizontal scale is x 44.0 - width is 5 ppm"},
        {"a click hands over zero width", 3000, 3000, 149, 5, "Horizontal scale is x 44.0 - width is 5 ppm"},
        {"4.9 ppm from 100: 102.5 rounds to even", viewerX(100), viewerX(100) + 196, 102, 5,
         "Horizontal scale is x 44.0 - width is 5 ppm"},
        {"exactly 5 ppm", viewerX(100), viewerX(95), 100, 10, "Horizontal scale is x 22.0 - width is 10 ppm"},
        {"10.5 ppm stays at 10", viewerX(100), viewerX(89.5), 100, 10, "Horizontal scale is x 22.0 - width is 10 ppm"},
        {"11 ppm", viewerX(100), viewerX(89), 100, 20, "Horizontal scale is x 11.0 - width is 20 ppm"},
        {"about 15 ppm", viewerX(100), viewerX(85), 100, 20, "Horizontal scale is x 11.0 - width is 20 ppm"},
        {"25 ppm", viewerX(150), viewerX(125), 150, 30, "Horizontal scale is x 7.3 - width is 30 ppm"},
        {"about 37 ppm", viewerX(80), viewerX(43), 80, 40, "Horizontal scale is x 5.5 - width is 40 ppm"},
        {"about 180 ppm", viewerX(200), viewerX(20), 200, 180, "Horizontal scale is x 1.2 - width is 180 ppm"},
        {"the whole axis", viewerX(220), viewerX(0), 220, 220, "Horizontal scale is x 1.0 - width is 220 ppm"},
        {"left end above 220 ppm", 55, 95, 220, 5, "Horizontal scale is x 44.0 - width is 5 ppm"},
        {"1 ppm from x 60: 222.5 gives 222, then the cap", 60, 100, 220, 5,
         "Horizontal scale is x 44.0 - width is 5 ppm"},
        {"20 ppm from 12 ppm is moved to 20..0", viewerX(12), viewerX(-3), 20, 20,
         "Horizontal scale is x 11.0 - width is 20 ppm"},
        {"5 ppm from 1 ppm is moved to 5..0", viewerX(1), viewerX(0.5), 5, 5,
         "Horizontal scale is x 44.0 - width is 5 ppm"},
        {"dragged right to left reads as narrow", 5000, 4000, 99, 5, "Horizontal scale is x 44.0 - width is 5 ppm"},
    };
    for (const Case& c : cases) {
        const cmrexp::Window w = cmrexp::windowFor(c.leftX, c.rightX);
        EXPECT_EQ(w.LeftPpm, c.leftPpm) << c.name;
        EXPECT_FLOAT_EQ(w.WidthPpm, c.widthPpm) << c.name;
        EXPECT_EQ(cmrexp::header(w), QString::fromLatin1(c.header)) << c.name;
        EXPECT_GE(w.LeftPpm - w.WidthPpm, 0) << c.name;
        EXPECT_LE(w.LeftPpm, 220) << c.name;
    }
}

TEST(CmrExpansionWindow, ElevenTicksWithLabelsAndTheLastOneMovedLeft)
{
    const Plot p = cmrexp::frame(window(202, 5));
    const QStringList labels{" 202 ", " 201.5 ", " 201 ", " 200.5 ", " 200 ", " 199.5 ",
                             " 199 ", " 198.5 ", " 198 ", " 197.5 ", " 197 "};
    for (int i = 1; i <= 11; ++i) {
        const PlotStep* t = textStep(p, labels[i - 1]);
        ASSERT_NE(t, nullptr) << labels[i - 1].toStdString();
        const double tick = 80 + 800 * (i - 1);
        EXPECT_EQ(t->at, QPointF(i < 11 ? tick - 95 : tick - 280, 4900)) << i;
    }
    ASSERT_NE(textStep(p, QStringLiteral("Horizontal scale is x 44.0 - width is 5 ppm")), nullptr);
    EXPECT_EQ(textStep(p, QStringLiteral("Horizontal scale is x 44.0 - width is 5 ppm"))->at, QPointF(50, 50));
    EXPECT_EQ(textStep(p, QStringLiteral("ppm"))->at, QPointF(4040, 5050));
    // A right end below 100 ppm: the last label starts 200 twips left of its tick.
    const Plot low = cmrexp::frame(window(25, 5));
    ASSERT_NE(textStep(low, QStringLiteral(" 20 ")), nullptr);
    EXPECT_EQ(textStep(low, QStringLiteral(" 20 "))->at.x(), 8080 - 200);
    // clang-format off
    struct Case { int left; float width; int tick; double value; double offset; };
    for (const Case c : {Case{100, 10, 11, 90, -200}, {110, 10, 11, 100, -280}, {110, 10, 10, 101, -95},
                         {220, 220, 6, 110, -95}, {220, 220, 11, 0, -200}}) {
        // clang-format on
        EXPECT_DOUBLE_EQ(cmrexp::tickValue(window(c.left, c.width), c.tick), c.value) << c.left << " " << c.tick;
        EXPECT_EQ(cmrexp::tickLabelOffset(window(c.left, c.width), c.tick), c.offset) << c.left << " " << c.tick;
    }
}

TEST(CmrExpansionWindow, SticksStandAtTheirExactShiftsWithinTheWindowOnly)
{
    const QByteArray peaks = record("1300", 241, '0') + record("1200", 100, '2') + record("1285", 60, '1')
                           + record("1301", 100, '3') + record("1199", 100, '3');
    const Plot p = cmrexp::sticks(window(130, 10), peaks);
    EXPECT_EQ(stickXs(p), (QList<double>{80, 8080, 1280}));
    // Labels 200 twips above the stick's top; the lowered digit of CH2 190 right of and 80 below the label.
    const PlotStep* c = textStep(p, QStringLiteral("C"));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->at, QPointF(0, 460));
    const PlotStep* two = textStep(p, QStringLiteral(" 2 "));
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->at, QPointF(8080 - 80 + 190, 2812 + 80)); // the top of height 100: 3011.95
    EXPECT_EQ(textStep(p, QStringLiteral(" 3 ")), nullptr) << "the records just outside draw nothing";

    // Two close carbons, 22.0 and 21.0 ppm, 1600 twips apart in a 5 ppm window.
    const QByteArray close = record("0220", 200, '2') + record("0210", 180, '3');
    EXPECT_EQ(stickXs(cmrexp::sticks(window(25, 5), close)), (QList<double>{4880, 6480}));
    EXPECT_DOUBLE_EQ(cmrexp::xAtShift(window(25, 5), 22.0), 4880);
    EXPECT_DOUBLE_EQ(cmrexp::shiftAtX(window(25, 5), 6480), 21.0);
}

TEST(CmrExpansionWindow, MeasureReadoutsAndTheAcceptedArea)
{
    struct Case {
        const char* name;
        int left;
        float width;
        double x, y;
        const char* text; // nullptr: the click counts for nothing; "": a mark without text
        double textX;
    };
    const Case cases[] = {
        {"145 ppm, 10 ppm window", 150, 10, 4080, 3000, "145.0", 3900},
        {"145 ppm, 50 ppm window", 150, 50, 880, 3000, "145", 750},
        {"21.0 ppm, 5 ppm window", 25, 5, 6480, 3000, "21.0", 6350},
        {"22.0 ppm, 5 ppm window", 25, 5, 4880, 3000, "22.0", 4750},
        {"0.5 ppm, no digit before the point", 5, 5, 7280, 3000, ".5", 7180},
        {"55 ppm, whole ppm from 50 up", 100, 50, 7280, 3000, "55", 7176},
        {"8 ppm in a 50 ppm window", 50, 50, 6800, 3000, "8", 6744},
        {"0.2 ppm rounds to nothing", 50, 50, 8048, 3000, "", 0},
        {"x 90", 150, 10, 90, 3000, nullptr, 0},
        {"x 8080", 150, 10, 8080, 3000, nullptr, 0},
        {"y 560", 150, 10, 4080, 560, nullptr, 0},
        {"y 4680", 150, 10, 4080, 4680, nullptr, 0},
        {"just inside", 150, 10, 91, 561, "150.0", 91 - 180},
    };
    for (const Case& c : cases) {
        const std::optional<Plot> mark = cmrexp::measureMark(window(c.left, c.width), c.x, c.y);
        ASSERT_EQ(mark.has_value(), c.text != nullptr) << c.name;
        if (!mark)
            continue;
        const PlotStep& line = mark->steps().front();
        EXPECT_EQ(line.points, (QList<QPointF>{QPointF(c.x, c.y - 150), QPointF(c.x, c.y - 50)})) << c.name;
        EXPECT_EQ(line.colour, kMagenta) << c.name;
        if (!*c.text) {
            EXPECT_EQ(mark->steps().size(), 1) << c.name;
            continue;
        }
        ASSERT_EQ(mark->steps().size(), 2) << c.name;
        const PlotStep& text = mark->steps().back();
        EXPECT_EQ(text.text, QString::fromLatin1(c.text)) << c.name;
        EXPECT_EQ(text.at, QPointF(c.textX, c.y - 350)) << c.name;
        EXPECT_EQ(text.colour, kMagenta) << c.name;
    }
}

TEST(CmrExpansionWindow, NoiseIsReseededForEveryPaintAndStaysInItsBand)
{
    const QByteArray peaks = record("0220", 200, '2') + record("0210", 180, '3');
    cmr::NoiseSource source(cmr::noiseSeed(0));
    const QImage first = renderPlot(cmrexp::picture(window(25, 5), peaks, source, 20), 8240, 5300);
    source.next(); // a printout in between takes values from the same generator
    const QImage second = renderPlot(cmrexp::picture(window(25, 5), peaks, source, 20), 8240, 5300);
    EXPECT_EQ(first, second);
    const QImage other = renderPlot(cmrexp::picture(window(25, 5), peaks, source, 21), 8240, 5300);
    EXPECT_NE(first, other) << "another unknown, another noise";

    source.reseed(cmr::noiseSeed(20));
    const Plot noise = cmrexp::baselineNoise(source);
    ASSERT_EQ(noise.steps().size(), 1);
    const QList<QPointF>& points = noise.steps().front().points;
    ASSERT_EQ(points.size(), 401);
    EXPECT_EQ(points.front(), QPointF(80, 4680));
    EXPECT_EQ(points.back().x(), 8080);
    bool low = false, high = false;
    for (qsizetype i = 1; i < points.size(); ++i) {
        EXPECT_EQ(points[i].x() - points[i - 1].x(), 20);
        EXPECT_GE(points[i].y(), 4660);
        EXPECT_LE(points[i].y(), 4720);
        low = low || points[i].y() < 4670;
        high = high || points[i].y() > 4710;
    }
    EXPECT_TRUE(low && high) << "the noise spreads over its band";
}

TEST(CmrExpansionPrintout, PageQuantitiesFromEitherOrientation)
{
    for (const QSizeF page : {QSizeF(11906, 16838), QSizeF(16838, 11906)}) {
        const cmrexp::PrintGeometry g = cmrexp::printGeometry(page);
        EXPECT_EQ(g.longSide, 15838);
        EXPECT_EQ(g.axisLength, 15338);
        EXPECT_EQ(g.baselineY, 9906);
        EXPECT_EQ(g.xAt(window(130, 10), 130), 500);
        EXPECT_EQ(g.xAt(window(130, 10), 120), 15838);
        EXPECT_EQ(g.xAt(window(130, 10), 125), CInt(500 + 15338 / 2.0));
        EXPECT_EQ(g.stickTop(241), 2000);
        EXPECT_EQ(g.stickTop(0), 9906);
    }
}

TEST(CmrExpansionPrintout, SticksLabelsNoiseAndProgress)
{
    const QSizeF page(16838, 11906);
    const cmrexp::PrintGeometry g = cmrexp::printGeometry(page);
    const cmrexp::Window w = window(130, 10);
    const QByteArray peaks = record("1300", 241, '0') + record("1200", 120, '3') + record("1285", 60, '1')
                           + record("1199", 241, '1');
    QList<double> progress;
    cmr::NoiseSource noise(cmr::noiseSeed(1));
    const QImage img = printcheck::pageImage(page, [&](PrintPage& p) {
        cmrexp::printout(p, page, {QStringLiteral("Expanded cmr spectrum"), w, peaks, true, 3}, noise,
                         [&](double v) { progress.append(v); });
    });
    const double base = g.baselineY;
    EXPECT_TRUE(inkNear(img, 500, 2020)) << "the left end's stick reaches y 2000";
    EXPECT_TRUE(inkNear(img, 15838, g.stickTop(120) + 20));
    EXPECT_TRUE(inkNear(img, g.xAt(w, 128.5), g.stickTop(60) + 20));
    EXPECT_FALSE(inkNear(img, g.xAt(w, 119.9), 4000, 2)) << "outside the window";
    // The shift value over each stick, its type label above it.
    EXPECT_TRUE(inkNear(img, g.xAt(w, 128.5) + 20, g.stickTop(60) - 120, 3));
    EXPECT_TRUE(inkNear(img, g.xAt(w, 128.5) - 40, g.stickTop(60) - 400, 3));
    // Axis 500 under the baseline, ticks crossing it, noise on and below the baseline.
    EXPECT_TRUE(inkNear(img, 8000, base + 500));
    EXPECT_TRUE(inkNear(img, 500 + g.axisLength / 2, base + 420));
    EXPECT_TRUE(inkNear(img, 500 + g.axisLength / 2, base + 580));
    EXPECT_TRUE(inkNear(img, 4000, base + 10, 2));
    EXPECT_FALSE(inkNear(img, 4000, base + 200, 2));
    ASSERT_EQ(progress.size(), 7);
    EXPECT_EQ(progress.mid(0, 3), (QList<double>{10, 20, 30}));
    EXPECT_DOUBLE_EQ(progress[3], 30 + 70.0 / 4);
    EXPECT_DOUBLE_EQ(progress.back(), 100) << "the last record counts though it is outside the window";
}
