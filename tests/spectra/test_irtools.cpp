// The infrared correlation table and pop-up, and the infrared printout: the
// regions found for a wavenumber, the pop-up's place and bars on the plot,
// the page laid out in an image and through the printer into a PDF.
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/printer.h"
#include "platform/twips.h"
#include "spectra/forms/frmIr.h"
#include "spectra/forms/irprint.h"
#include "spectra/forms/registerspectra.h"
#include "spectra/ircorrelations.h"
#include "spectra/irplot.h"
#include "tests/common/testsupport.h"
#include "tests/spectra/ethylacetate.h"
#include "tests/spectra/printcheck.h"
#include "tests/spectra/viewerfixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <gtest/gtest.h>

using namespace orv;
using namespace orv::spectra;
using printcheck::inkNear;
using printcheck::magentaNear;

namespace {

// A press position on the plot that reads wavenumber w.
int xReading(int w)
{
    for (int x = 0; x < 9000; ++x)
        if (ir::correlationWavenumber(x) == w)
            return x;
    return -1;
}

QStringList labelsAt(int w)
{
    QStringList labels;
    for (const auto& r : ir::regionsAt(w))
        labels.append(QString::fromLatin1(r.label));
    return labels;
}

QStringList rowLabels(std::initializer_list<int> rows)
{
    QStringList labels;
    for (int r : rows)
        labels.append(QString::fromLatin1(ir::correlationTable()[r - 1].label));
    return labels;
}

int textSteps(const Plot& p)
{
    int n = 0;
    for (const auto& s : p.steps())
        n += s.kind == PlotStep::Kind::Text;
    return n;
}


} // namespace

TEST(IrCorrelationTable, SixteenRegionsInsideTheSpectrumWithUpperAboveLower)
{
    const auto& table = ir::correlationTable();
    ASSERT_EQ(table.size(), 16u);
    QStringList seen;
    for (const auto& r : table) {
        EXPECT_GT(r.upper, r.lower) << r.label;
        EXPECT_LE(r.upper, 4000) << r.label;
        EXPECT_GE(r.lower, 600) << r.label;
        EXPECT_FALSE(seen.contains(QString::fromLatin1(r.label))) << r.label;
        seen.append(QString::fromLatin1(r.label));
    }
    // Group frequencies a chemist checks first.
    const auto has = [&](const char* label, int w) { return labelsAt(w).contains(QString::fromLatin1(label)); };
    EXPECT_TRUE(has("C=O stretch", 1715));                // ketone
    EXPECT_TRUE(has("C=O stretch", 1742));                // ester
    EXPECT_TRUE(has("alkyne and cyanide stretch", 2250)); // nitrile
    EXPECT_TRUE(has("O-H and N-H stretch", 3350));
    EXPECT_TRUE(has("C-H stretch", 2960));
    EXPECT_TRUE(has("C-H aldehyde 2 stretches - weak intensities", 2720));
    EXPECT_EQ(table[15].label, QByteArray("molecular vibrations \"fingerprint region\""));
}

TEST(IrCorrelationTable, WavenumbersFindTheRegionsThatStrictlyContainThem)
{
    // clang-format off
    struct Case { int w; std::initializer_list<int> rows; };
    const Case cases[] = {
        {3000, {1, 2}},
        {2825, {1, 2, 3}},
        {885, {12, 14, 15, 16}},
        {2700, {3}},           // the lower bound of row 1 is not inside it
        {600, {}},
        {1630, {6, 7, 8, 9}},
        {1650, {6, 7, 8}},
        {0, {}},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(labelsAt(c.w), rowLabels(c.rows)) << c.w;
    // No wavenumber finds more than four regions.
    for (int w = 0; w <= 4000; ++w)
        EXPECT_LE(ir::regionsAt(w).size(), 4) << w;
}

TEST(IrCorrelationTable, PressPositionsReadWavenumbersRoundedDown)
{
    struct Case {
        int x;
        int w;
    };
    const Case cases[] = {{239, 0}, {240, 4000}, {3735, 2000}, {3736, 1999}, {8629, 599}, {8630, 0}, {1988, 3000}};
    for (const Case& c : cases)
        EXPECT_EQ(ir::correlationWavenumber(c.x), c.w) << c.x;
}

TEST(IrCorrelationPopup, PlacesBarsUnderTheirRegionsOnBothScales)
{
    struct Case {
        int w;
        double left, width, height;
        int labels;
    };
    const Case cases[] = {
        // 3700..2700 and 3100..2800: the second label decides the width.
        {3000, 240 + 300 * 874.0 / 500, 1048.8 + 997, 810, 2},
        // Three rows: the aldehyde C-H row, offset to 2850, decides the width.
        {2825, 240 + 300 * 874.0 / 500, 850 * 874.0 / 500 + 67 * 43 + 260, 1220, 3},
        // Second scale: 1500 is the highest upper, 600 the lowest lower.
        {885, 3736 + 500 * 874.0 / 250, 900 * 874.0 / 250, 1640, 4},
        {1630, 3736 + 150 * 874.0 / 250, std::max(400 * 874.0 / 250, 210 * 874.0 / 250 + 67 * 8 + 260), 1640, 4},
    };
    for (const Case& c : cases) {
        const auto popup = ir::correlationPopup(xReading(c.w));
        EXPECT_TRUE(popup.placed) << c.w;
        EXPECT_NEAR(popup.left, c.left, 0.01) << c.w;
        EXPECT_NEAR(popup.width, c.width, 0.01) << c.w;
        EXPECT_EQ(popup.height, c.height) << c.w;
        EXPECT_EQ(popup.top, 400);
        EXPECT_EQ(textSteps(popup.plot), c.labels) << c.w;
    }
    // Outside the axis: shown without size and nothing drawn.
    for (int x : {100, 8700}) {
        const auto popup = ir::correlationPopup(x);
        EXPECT_FALSE(popup.placed);
        EXPECT_TRUE(popup.plot.isEmpty());
    }
    // Between regions on the first scale (2500): nothing found, nothing drawn, no height.
    const auto empty = ir::correlationPopup(xReading(2500));
    EXPECT_TRUE(empty.plot.isEmpty());
    EXPECT_EQ(empty.height, 0);
}

namespace {

class IrToolsTest : public ViewerFixture<frmIr, 6> {
protected:
    void SetUp() override
    {
        ViewerFixture::SetUp();
        modOrvan.CurrentUnknown = 17;
    }
};

} // namespace

TEST_F(IrToolsTest, TheAldehydeRowIsDrawnWhereThePopupMakesRoomForIt)
{
    // Between 2850 and 2800 three regions hold: O-H/N-H, C-H and the
    // aldehyde C-H pair, which a student looks for exactly here.
    auto* w = open();
    w->toolsItemClick(0);
    w->pictureMouseDown(1, 0, float(xReading(2825)), 2000);
    QApplication::processEvents();
    PopupPicture* pop = w->correlationPopup();
    ASSERT_TRUE(pop->isVisible());
    EXPECT_EQ(pop->height(), px(1220));
    EXPECT_EQ(textSteps(pop->plot()), 3);
    const QImage img = pop->image();
    // Third bar: 2850..2650 at y 1120, offset by 3700 - 2850 = 850 cm-1.
    const double left = 850 * 874.0 / 500, right = left + 200 * 874.0 / 500;
    EXPECT_TRUE(magentaNear(img, left + 30, 1120));
    EXPECT_TRUE(magentaNear(img, right - 30, 1120));
    EXPECT_FALSE(magentaNear(img, left - 150, 1120));
    EXPECT_FALSE(magentaNear(img, right + 150, 1120));
    // Its label is written above the bar, inside the pop-up.
    const QRgb back = img.pixel(img.width() - 2, px(1190)); // right of the third bar: nothing drawn
    int labelInk = 0;
    for (int y = px(860); y < px(1080); ++y)
        for (int x = px(left); x < img.width(); ++x)
            if (img.pixel(x, y) != back)
                ++labelInk;
    EXPECT_GT(labelInk, 60);
    EXPECT_GE(pop->width(), px(left + 67 * 43 + 260) - 1);
}

TEST_F(IrToolsTest, HoldingThePressShowsThePopupOverThePlotAndReleasingHidesIt)
{
    auto* w = open();
    w->toolsItemClick(0);
    ASSERT_EQ(w->toolMode(), QStringLiteral("CorBar"));
    w->pictureMouseDown(1, 0, float(xReading(3000)), 2000);
    QApplication::processEvents();
    PopupPicture* pop = w->correlationPopup();
    EXPECT_EQ(pop->objectName(), QStringLiteral("picIrCor"));
    ASSERT_TRUE(pop->isVisible());
    EXPECT_EQ(pop->pos(), QPoint(px(764.4), px(400)));
    EXPECT_EQ(pop->height(), px(810));
    EXPECT_GE(pop->width(), px(2045.8));
    const QImage img = pop->image();
    // Row 1's bar spans 3700..2700 at y 280; row 2's 3100..2800 at y 700, offset to 3100.
    EXPECT_TRUE(magentaNear(img, 30, 280));
    EXPECT_TRUE(magentaNear(img, 1700, 280));
    EXPECT_FALSE(magentaNear(img, 1900, 280));
    EXPECT_TRUE(magentaNear(img, 1100, 700));
    EXPECT_TRUE(magentaNear(img, 1520, 700));
    EXPECT_FALSE(magentaNear(img, 900, 700));
    EXPECT_FALSE(magentaNear(img, 1700, 700));
    // The next press clears what the last one drew.
    w->pictureMouseDown(1, 0, float(xReading(885)), 2000);
    EXPECT_EQ(textSteps(pop->plot()), 4);
    w->pictureMouseUp(1, 0, 0, 0);
    EXPECT_FALSE(pop->isVisible());
    // Outside the axis the pop-up is shown without size.
    w->pictureMouseDown(1, 0, 100, 2000);
    EXPECT_TRUE(pop->plot().isEmpty());
    EXPECT_EQ(pop->size(), QSize(0, 0));
    // Without the correlation tool a press shows nothing.
    w->pictureMouseUp(1, 0, 0, 0);
    w->toolsItemClick(0);
    w->pictureMouseDown(1, 0, float(xReading(3000)), 2000);
    EXPECT_FALSE(pop->isVisible());
}

namespace {

// The page as the printer would get it.
QImage pageImage(const ir::PrintoutData& data, QSizeF pageTwips, QList<double>* progress = nullptr)
{
    return printcheck::pageImage(pageTwips, [&](PrintPage& page) {
        ir::printout(page, pageTwips, data, [progress](double v) {
            if (progress)
                progress->append(v);
        });
    });
}

} // namespace

TEST_F(IrToolsTest, PrintedPageFollowsTheRawCodesOnALandscapeFrame)
{
    const QSizeF page(15840, 12240);
    const double pw = 15840 - 2000, ph = 12240 - 4000, left = 900, bottom = ph + 2000;
    QByteArray trace;
    trace.append(char(14));  // height 0 on the screen
    trace.append(char(255)); // the highest code a byte holds
    trace.append(QByteArray(98, char(14 + 130)));
    QList<double> progress;
    const QImage img = pageImage(
        {QStringLiteral("Infrared spectrum (film)"), QStringLiteral("film"), trace, false, 0, false}, page, &progress);
    EXPECT_EQ(img.width(), px(15840));
    EXPECT_TRUE(inkNear(img, left, 2000));
    EXPECT_TRUE(inkNear(img, left, bottom - 10));
    EXPECT_TRUE(inkNear(img, left + pw - 10, bottom));
    const double step = pw / 100;
    // Code 14 lies 14/270 of the height above the axis.
    EXPECT_TRUE(inkNear(img, left + step, bottom - ph * 14 / 270.0, 2));
    EXPECT_TRUE(inkNear(img, left + 2 * step, bottom - ph * 255 / 270.0, 2));
    EXPECT_TRUE(inkNear(img, left + 50 * step, bottom - ph * 144 / 270.0, 2));
    // Major ticks reach 150 below the axis, minor ones 50; none past the end.
    const double x6 = CInt(left + pw * 25 / 48.0);
    EXPECT_TRUE(inkNear(img, x6, bottom + 130));
    EXPECT_TRUE(inkNear(img, x6 + pw / 48, bottom + 40));
    EXPECT_FALSE(inkNear(img, x6 + pw / 48, bottom + 130));
    EXPECT_TRUE(inkNear(img, left + pw, bottom + 40));
    EXPECT_FALSE(inkNear(img, left + pw + pw / 48, bottom + 40, 1));
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.front(), 10);
    EXPECT_DOUBLE_EQ(progress.back(), 100);
    // An empty trace line prints the frame and nothing else, without fault.
    const QImage bare = pageImage({QStringLiteral("x"), QString(), QByteArray(), false, 0, true}, page);
    EXPECT_TRUE(inkNear(bare, left, 2000));
}

TEST_F(IrToolsTest, PrintoutHeadAndNujolCurveFollowTheViewer)
{
    modOrvan.UnkItemTitle[6] = QStringLiteral("(Nujol mull)");
    modOrvan.IrLabel = QStringLiteral("Nujol mull");
    modOrvan.ShowUnknownNumber = kTrue;
    auto* w = open();
    QString text = printToText(w, QStringLiteral("ir1.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Orvanto Infrared spectrum (Nujol mull)"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Unknown number 17")));
    EXPECT_FALSE(text.contains(QStringLiteral("dashed line")));
    for (const char* label : {"4000", "3500", "2000", "1750", "750", "600", "T%", "100", "cm"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(label))) << label;
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    printcheck::expectTimedNotice(w->printProgress());

    w->NujolSpectrum();
    modOrvan.ShowUnknownNumber = kFalse;
    text = printToText(w, QStringLiteral("ir2.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Nujol mull (dashed line is Nujol spectrum)")));
    EXPECT_FALSE(text.contains(QStringLiteral("Unknown number")));

    // The dotted Nujol curve: its deepest point (near 2920 cm-1) is printed only with the overlay.
    const QSizeF page(15840, 12240);
    ir::PrintoutData data{w->windowTitle(), modOrvan.IrLabel, QByteArray(600, char(14 + 250)), false, 0, false};
    const QImage plain = pageImage(data, page);
    data.nujolShown = true;
    const QImage nujol = pageImage(data, page);
    const double pw = 15840 - 2000, ph = 12240 - 4000;
    const double x = 900 + 135 * pw / 600, y = ph + 2000 - ph * 14 / 270.0;
    EXPECT_FALSE(inkNear(plain, x, y, 3));
    EXPECT_TRUE(inkNear(nujol, x, y, 3));
}

// The bar follows every trace point (600 here), but it is painted at the
// start and then at most once a frame while its filled part moves: a quick
// printout paints it a handful of times, however many points it has.
TEST_F(IrToolsTest, TheProgressBarRepaintsAHandfulOfTimesNotOncePerPoint)
{
    ASSERT_GE(modOrvan.IrData.size(), 600) << "a trace long enough to show the fault";
    auto* w = open();
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    QProgressBar* bar = w->printProgress().bar();
    bar->installEventFilter(&counter);
    int values = 0;
    QObject::connect(bar, &QProgressBar::valueChanged, &counter, [&](int) { ++values; });
    qputenv("ORVANTO_PRINT_PDF", folder.file(QStringLiteral("irpaints.pdf")).toLocal8Bit());
    QElapsedTimer clock;
    clock.start();
    w->printMenu()->trigger();
    const qint64 elapsedMs = clock.elapsed();
    EXPECT_EQ(bar->value(), 100);
    EXPECT_LE(values, 92) << "a value that repeats the whole number shown changes nothing";
    EXPECT_GE(counter.paints, 1) << "the bar is painted as the printout starts";
    EXPECT_LE(counter.paints, 2 + elapsedMs / PrintProgress::kFrameMs) << "in " << elapsedMs << " ms";
    EXPECT_LE(counter.paints, 47) << "never more than the pixels the bar moves by";
    printcheck::expectTimedNotice(w->printProgress());
}

// What the screen shows where the bar stood, once the notice has gone: the
// spectrum again, as a fresh paint of the whole window shows it (a bar hidden
// while its painting was held back would stay there as a picture).
TEST_F(IrToolsTest, TheBarLeavesNothingOnTheScreenOnceThePrintoutIsDone)
{
    auto* w = open();
    qputenv("ORVANTO_PRINT_PDF", folder.file(QStringLiteral("irscreen.pdf")).toLocal8Bit());
    QProgressBar* bar = w->printProgress().bar();
    const auto screenAtBar = [&] {
        QApplication::processEvents();
        const QRect r(bar->mapTo(w, QPoint(0, 0)), bar->size());
        return w->screen()->grabWindow(w->winId(), r.x(), r.y(), r.width(), r.height()).toImage();
    };
    w->printMenu()->trigger();
    printcheck::expectTimedNotice(w->printProgress());
    const QImage afterPrintout = screenAtBar();
    ASSERT_FALSE(afterPrintout.isNull()) << "the screen can be read back here";
    w->repaint();
    EXPECT_EQ(afterPrintout, screenAtBar());
}

TEST_F(IrToolsTest, PrintingShowsProgressThenTheNoticeAndAFailureTheMessage)
{
    auto* w = open();
    bool barSeen = false;
    const QString pdf = folder.file(QStringLiteral("ir.pdf"));
    qputenv("ORVANTO_PRINT_PDF", pdf.toLocal8Bit());
    QObject::connect(w->printProgress().bar(), &QProgressBar::valueChanged,
                     [&](int) { barSeen = barSeen || w->printProgress().bar()->isVisible(); });
    w->printMenu()->trigger();
    EXPECT_TRUE(barSeen);
    EXPECT_TRUE(QFile::exists(pdf));
    printcheck::expectTimedNotice(w->printProgress());

    // A PDF that cannot be written stands for a failing printer.
    qputenv("ORVANTO_PRINT_PDF", folder.file(QStringLiteral("no/such/dir/ir.pdf")).toLocal8Bit());
    w->printMenu()->trigger();
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown.front().prompt, QStringLiteral("Error with printer."));
    EXPECT_FALSE(w->printProgress().bar()->isVisible());
    EXPECT_FALSE(w->printProgress().notice()->isVisible());
    EXPECT_TRUE(w->isVisible());
}
