// The carbon-13 correlation table and pop-up, and the carbon-13 printout:
// classes found for a shift, the pop-up's size and place, sticks and labels
// on the page, and the head lines through the viewer into a PDF.
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "platform/twips.h"
#include "spectra/cmrcorrelations.h"
#include "spectra/forms/cmrprint.h"
#include "spectra/forms/frmCmr.h"
#include "spectra/forms/registerspectra.h"
#include "tests/common/testsupport.h"
#include "tests/spectra/ethylacetate.h"
#include "tests/spectra/printcheck.h"
#include "tests/spectra/viewerfixture.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <gtest/gtest.h>

using namespace orv;
using namespace orv::spectra;
using printcheck::inkNear;
using printcheck::magentaNear;

namespace {

// A press position that reads shift d.
int xReading(int d) { return 8880 - 40 * d; }

QStringList labelsAt(int d)
{
    QStringList labels;
    for (const auto& c : cmr::classesAt(d))
        labels.append(QString::fromLatin1(c.label));
    return labels;
}

} // namespace

TEST(CmrCorrelationTable, SevenClassesWithinTheAxisAndNeverMoreThanTwoAtOnce)
{
    const auto& table = cmr::correlationTable();
    ASSERT_EQ(table.size(), 7u);
    for (const auto& c : table) {
        EXPECT_GT(c.high, c.low) << c.label;
        EXPECT_LE(c.high, 220) << c.label;
        EXPECT_GE(c.low, 0) << c.label;
        EXPECT_LT(c.matchAbove, c.matchBelow) << c.label;
    }
    for (int d = -5; d <= 230; ++d)
        EXPECT_LE(cmr::classesAt(d).size(), 2) << d;
    // Shifts a chemist checks first.
    EXPECT_TRUE(labelsAt(207).contains(u"aldehydes and ketones"));               // acetone C=O
    EXPECT_TRUE(labelsAt(171).contains(u"acids, esters amides, etc"));           // ethyl acetate C=O
    EXPECT_TRUE(labelsAt(128).contains(u"alkenes, arenes and heteroaromatics")); // benzene
    EXPECT_TRUE(labelsAt(118).contains(u"cyanides"));                            // acetonitrile CN
    EXPECT_TRUE(labelsAt(84).contains(u"alkynes"));
    EXPECT_TRUE(labelsAt(60).contains(u"alkyl C next to O, N or halogen")); // OCH2
    EXPECT_TRUE(labelsAt(14).contains(u"alkanes"));
    struct Case {
        int d;
        int count;
    };
    for (const Case c : {Case{185, 2}, {155, 2}, {120, 2}, {80, 2}, {30, 2}, {95, 0}, {0, 1}, {-1, 0}, {221, 0}})
        EXPECT_EQ(cmr::classesAt(c.d).size(), c.count) << c.d;
}

TEST(CmrCorrelationPopup, SizeAndPlaceFollowTheShownClasses)
{
    struct Case {
        int d;
        double left, width, height;
        int shown;
    };
    const Case cases[] = {
        {185, 80, 1200 + 67 * 25 + 260, 800, 2},
        {200, 80, 67 * 21 + 260, 400, 1},
        {5, 80 + 40 * 170, 2000, 400, 1},
        {95, 8880, 260, 0, 0},
    };
    for (const Case& c : cases) {
        const auto popup = cmr::correlationPopup(xReading(c.d));
        EXPECT_EQ(popup.left, c.left) << c.d;
        EXPECT_EQ(popup.width, c.width) << c.d;
        EXPECT_EQ(popup.height, c.height) << c.d;
        EXPECT_EQ(popup.top, 2000);
        EXPECT_EQ(popup.shown, c.shown) << c.d;
    }
    EXPECT_EQ(cmr::correlationShift(8900), 0);
    EXPECT_EQ(cmr::correlationPopup(8900).shown, 1);
    EXPECT_LT(cmr::correlationShift(8901), 0);
    EXPECT_EQ(cmr::correlationPopup(8901).shown, 0);
}

namespace {

class CmrToolsTest : public ViewerFixture<frmCmr, 5> {
protected:
    void SetUp() override
    {
        ViewerFixture::SetUp();
        modOrvan.CurrentUnknown = 23;
    }
};


} // namespace

TEST_F(CmrToolsTest, PressInCorrelationModeShowsThePopupWhileHeld)
{
    auto* w = open();
    w->toolsItemClick(0);
    w->pictureMouseDown(1, 0, float(xReading(185)), 2500);
    QApplication::processEvents();
    PopupPicture* pop = w->correlationPopup();
    EXPECT_EQ(pop->objectName(), QStringLiteral("picCmrCor"));
    ASSERT_TRUE(pop->isVisible());
    EXPECT_EQ(pop->pos(), QPoint(px(80), px(2000)));
    EXPECT_EQ(pop->height(), px(800));
    // 3135 twips wide, or wider where the screen font needs it for the labels.
    EXPECT_GE(pop->width(), px(3135));
    const QImage img = pop->image();
    EXPECT_TRUE(magentaNear(img, 30, 300));
    EXPECT_TRUE(magentaNear(img, 1580, 300));
    EXPECT_FALSE(magentaNear(img, 1700, 300));
    EXPECT_TRUE(magentaNear(img, 1230, 700));
    EXPECT_TRUE(magentaNear(img, 2780, 700));
    EXPECT_FALSE(magentaNear(img, 1100, 700));
    w->pictureMouseUp(1, 0, 0, 0);
    EXPECT_FALSE(pop->isVisible());
    // A shift that matches nothing shows a pop-up without height.
    w->pictureMouseDown(1, 0, float(xReading(95)), 2500);
    EXPECT_EQ(pop->height(), 0);
    EXPECT_TRUE(pop->plot().isEmpty());
}

TEST(CmrPrintout, PageQuantitiesSticksAndLabels)
{
    const cmr::PrintGeometry a4 = cmr::printGeometry(QSizeF(11906, 16838));
    EXPECT_EQ(a4.longSide, 15838);
    EXPECT_EQ(a4.shortSide, 7906);
    EXPECT_EQ(a4.axisLength, 15338);
    EXPECT_EQ(a4.baselineY, 9906);
    EXPECT_EQ(a4.xAt(0), 15838);
    EXPECT_EQ(a4.xAt(220), 500);
    EXPECT_EQ(a4.stickTop(241), 2000);

    const QSizeF page(16838, 11906);
    const auto record = [](const char* shift, int h, char hydrogens) {
        return QByteArray(shift) + fixture::heightByte(h) + hydrogens;
    };
    const QByteArray peaks = record("2200", 241, '0') + record("0000", 120, '3') + record("1100", 60, '1');
    QList<double> progress;
    cmr::NoiseSource noise(cmr::noiseSeed(1));
    const QImage img = printcheck::pageImage(page, [&](PrintPage& p) {
        cmr::printout(p, page, {QStringLiteral("Carbon"), QStringLiteral("note"), peaks, false, 0}, noise,
                      [&](double v) { progress.append(v); });
    });
    const double base = a4.baselineY;
    EXPECT_TRUE(inkNear(img, 500, 2020)); // the 220 ppm stick reaches y 2000
    EXPECT_TRUE(inkNear(img, 15838, a4.stickTop(120) + 20));
    EXPECT_FALSE(inkNear(img, 15838, a4.stickTop(120) - 60, 0));
    EXPECT_TRUE(inkNear(img, a4.xAt(110), a4.stickTop(60) + 20));
    // Axis 500 twips under the baseline with its ticks; noise 0..20 twips under the baseline.
    EXPECT_TRUE(inkNear(img, 8000, base + 500));
    EXPECT_TRUE(inkNear(img, CInt(500 + a4.axisLength * 11 / 22), base + 580));
    EXPECT_TRUE(inkNear(img, 4000, base + 10, 2));
    EXPECT_FALSE(inkNear(img, 4000, base + 200, 2));
    ASSERT_EQ(progress.size(), 5);
    EXPECT_EQ(progress[0], 5);
    EXPECT_EQ(progress[1], 30);
    EXPECT_DOUBLE_EQ(progress.back(), 100);
}

TEST_F(CmrToolsTest, PrintedHeadAndLabelsThroughTheViewer)
{
    modOrvan.ShowUnknownNumber = kTrue;
    auto* w = open();
    QString text = printToText(w, QStringLiteral("cmr1.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Orvanto Carbon nmr spectrum (25 MHz)"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Unknown number 23")));
    EXPECT_TRUE(text.contains(modOrvan.CmrLabel));
    for (const char* label : {"220", "110", "0", "ppm", "CH"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(label))) << label;
    printcheck::expectTimedNotice(w->printProgress());
    EXPECT_TRUE(orvtest::msgLog().shown.empty());

    // Without the number and with no peaks: head, axis and noise only.
    modOrvan.ShowUnknownNumber = kFalse;
    modOrvan.CmrData.clear();
    text = printToText(w, QStringLiteral("cmr2.pdf"));
    EXPECT_FALSE(text.contains(QStringLiteral("Unknown number")));
    EXPECT_FALSE(text.contains(QStringLiteral("CH")));
    EXPECT_TRUE(text.contains(QStringLiteral("ppm")));

    qputenv("ORVANTO_PRINT_PDF", folder.file(QStringLiteral("none/cmr.pdf")).toLocal8Bit());
    w->printMenu()->trigger();
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown.front().prompt, QStringLiteral("Error with printer."));
    EXPECT_FALSE(w->printProgress().bar()->isVisible());
}
