// The proton viewer's correlation pop-up, integral curve, integration steps
// and printout, on the ethyl acetate fixture.
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "platform/twips.h"
#include "spectra/forms/corbarpopup.h"
#include "spectra/forms/frmPmr.h"
#include "spectra/forms/registerspectra.h"
#include "spectra/pmrcorrelations.h"
#include "spectra/pmrintegral.h"
#include "spectra/pmrplot.h"
#include "spectra/pmrprint.h"
#include "tests/common/pdftools.h"
#include "tests/common/testsupport.h"
#include "tests/spectra/ethylacetate.h"
#include "tests/spectra/printcheck.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;
using namespace orv::spectra;

namespace {

QStringList labelsAt(double ppm)
{
    QStringList labels;
    for (int r : pmr::correlationsAt(float(ppm)))
        labels.append(QString::fromLatin1(pmr::kCorrelationRows[size_t(r)].label));
    return labels;
}

// Pixels of exactly this colour within a rectangle given in twips.
int countColour(const QImage& image, QRectF twipsRect, QRgb colour)
{
    const QRect r = QRect(int(twipsRect.left() / 15), int(twipsRect.top() / 15), int(twipsRect.width() / 15) + 1,
                          int(twipsRect.height() / 15) + 1)
                        .intersected(image.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

// Pixels with more blue than red by far (text may be smoothed at its edges).
int countBluish(const QImage& image, QRectF twipsRect)
{
    int n = 0;
    for (int y = int(twipsRect.top() / 15); y <= int(twipsRect.bottom() / 15); ++y)
        for (int x = int(twipsRect.left() / 15); x <= int(twipsRect.right() / 15); ++x)
            n += qBlue(image.pixel(x, y)) > 200 && qRed(image.pixel(x, y)) < 120;
    return n;
}

const QRgb kRedPixel = qRgb(255, 0, 0);
const QRgb kBluePixel = qRgb(0, 0x40, 0xFF);

class PmrToolsTest : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    void SetUp() override
    {
        registerSpectraForms();
        fixture::loadEthylAcetate();
        modOrvan.CorrelationsAllowed = kTrue;
        modOrvan.CurrentItem = 8;
        orvtest::msgLog().shown.clear();
    }
    void TearDown() override { forms::unloadAll(); }

    frmPmr* open()
    {
        auto* w = forms::instance<frmPmr>();
        w->show();
        QApplication::processEvents();
        return w;
    }
    // A vertical step drag at x from y1 to y2 in the step tool.
    static void drag(frmPmr* w, float x, float y1, float y2)
    {
        w->pictureMouseDown(1, 0, x, y1);
        w->pictureMouseMove(1, 0, x, (y1 + y2) / 2);
        w->pictureMouseMove(1, 0, x, y2);
        w->pictureMouseUp(1, 0, x, y2);
    }
};

} // namespace

TEST(PmrCorrelationTable, RowsAreSoundRangesAndNeverOverflowThePopUp)
{
    ASSERT_EQ(pmr::kCorrelationRows.size(), 16u);
    for (const auto& row : pmr::kCorrelationRows) {
        SCOPED_TRACE(row.label);
        EXPECT_GT(row.high, row.low);
        EXPECT_GE(row.low, 0.0f);
        EXPECT_LE(row.high, 10.0f);
        EXPECT_GT(std::strlen(row.label), 0u);
    }
    const auto& exchangeable = pmr::kCorrelationRows[pmr::kExchangeableRow];
    EXPECT_EQ(pmr::kExchangeableRow, 15) << "the exchangeable row is listed last";
    EXPECT_STREQ(exchangeable.label, "OH, NH or SH ( Note: exchangeable)");
    // Every shift of the plot, on a 0.001 ppm grid: all matching rows fit in
    // the pop-up, so the exchangeable row is never crowded out.
    for (int i = 0; i <= 10000; ++i) {
        const float s = float(i) / 1000;
        int matching = 0;
        for (const auto& row : pmr::kCorrelationRows)
            matching += row.low <= s && s <= row.high;
        ASSERT_LE(matching, pmr::kCorrelationSlots) << s;
        const QList<int> kept = pmr::correlationsAt(s);
        ASSERT_EQ(kept.size(), matching);
        if (s >= exchangeable.low) {
            ASSERT_EQ(kept.back(), pmr::kExchangeableRow) << s;
        }
    }
}

TEST(PmrCorrelationTable, ShiftsFindTheirGroupsInTableOrder)
{
    // clang-format off
    const struct {
        double ppm;
        QStringList labels;
    } cases[] = {
        {2.6,
         {"CH next to halogen", "CH next to amine N", "CH-COAr (ketone)", "CH next to CHO or COR", "CH-Ar", "CH-C=C",
          "OH, NH or SH ( Note: exchangeable)"}},
        {9.5, {"RCHO (aldehyde)", "OH, NH or SH ( Note: exchangeable)"}},
        {0.95, {"alkane"}},
        {0.5, {}},
        {10.5, {}},
        // A range end belongs to the range.
        {4.6, {">C=CH (alkene)", "CH-OCOR (ester)", "CH next to OH, OR, OAr", "OH, NH or SH ( Note: exchangeable)"}},
        // Typical shifts a student meets.
        {3.4, {"CH next to OH, OR, OAr", "CH next to halogen", "CH-NCOR (amide)", "CH next to amine N",
               "CH-COAr (ketone)", "OH, NH or SH ( Note: exchangeable)"}},   // methanol, diethyl ether
        {7.26, {"ArH (aromatic)", "OH, NH or SH ( Note: exchangeable)"}},
        {8.05, {"ArH (aromatic)", "HCOOR (formate)", "OH, NH or SH ( Note: exchangeable)"}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(labelsAt(c.ppm), c.labels) << c.ppm;
}

TEST(PmrCorrelationTable, PopUpSitsOnTheSpectrumScaleWithRoomForItsLabels)
{
    // 9.5 ppm: the aldehyde row and the exchangeable row; left edge at the 10 ppm tick.
    const pmr::CorrelationPopup p = pmr::correlationPopup(int(pmr::xAtPpm(9.5)));
    EXPECT_EQ(p.left, 60);
    EXPECT_EQ(p.top, 1000);
    EXPECT_EQ(p.height, 840);
    // The exchangeable bar spans 10..1 ppm: 9 x 880 + 30 twips is wider than either label.
    EXPECT_EQ(p.width, 9 * 880 + 30);
    // 0.95 ppm: "alkane" only; its label is narrower than 280 + 73 x 6 twips needs.
    const pmr::CorrelationPopup a = pmr::correlationPopup(int(pmr::xAtPpm(0.95)));
    EXPECT_EQ(a.left, int((10 - 1.5) * 880 + 60));
    EXPECT_EQ(a.width, 280 + 73 * 6);
    EXPECT_EQ(a.height, 420);
    // Nothing to the left of the 10 ppm tick.
    const pmr::CorrelationPopup none = pmr::correlationPopup(30);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.height, 0);
    EXPECT_TRUE(none.plot.isEmpty());
}

TEST_F(PmrToolsTest, CorrelationPressShowsBarsAndReleaseHidesThem)
{
    auto* w = open();
    const QImage spectrum = w->picture()->image();
    w->toolsItemClick(0);
    ASSERT_EQ(w->toolMode(), QStringLiteral("CorBar"));
    w->pictureMouseDown(1, 0, 6572, 2000); // 2.6 ppm
    CorBarPopup* pop = w->correlationPopup();
    ASSERT_TRUE(pop->isVisible());
    EXPECT_EQ(pop->objectName(), QStringLiteral("picPmrCor"));
    // Seven rows; the greatest high shift (10, the exchangeable row) puts the
    // left edge at the 10 ppm tick, and the widest label sets the width.
    const QImage img = pop->image();
    EXPECT_EQ(pop->geometry(), QRect(px(60), px(1000), img.width(), px(7 * 420)));
    EXPECT_EQ(img.width(), px((10 - 2.7) * 880 + 280 + 73 * 21)) << "CH next to CHO or COR";
    // Row 1 (halogen, 4.3..2.2 ppm) has a magenta bar from its left end; the last row's bar is blue.
    const double top = 10;
    EXPECT_GT(countColour(img, QRectF((top - 4.2) * 880, 250, 1000, 60), qRgb(255, 0, 255)), 10);
    const double lastBar = 6 * 420 + 280;
    EXPECT_GT(countColour(img, QRectF((top - 4.0) * 880, lastBar - 30, 2000, 60), qRgb(0, 0x7D, 0xFF)), 10);
    EXPECT_EQ(countColour(img, QRectF(0, 0, img.width() * 15.0, 6 * 420), qRgb(0, 0x7D, 0xFF)), 0)
        << "only the exchangeable row is blue";
    // Bars end on the scale: the halogen bar stops at 2.2 ppm, 4 pixels thick.
    EXPECT_EQ(countColour(img, QRectF((top - 2.2) * 880 + 30, 250, 200, 60), qRgb(255, 0, 255)), 0);
    EXPECT_EQ(w->picture()->image(), spectrum) << "the spectrum is not drawn on";
    w->pictureMouseUp(1, 0, 6572, 2000);
    EXPECT_FALSE(pop->isVisible());
    // A click with no matching group shows nothing.
    w->pictureMouseDown(1, 0, int(pmr::xAtPpm(0.5)), 2000);
    EXPECT_LE(pop->width(), 1);
    w->pictureMouseUp(1, 0, int(pmr::xAtPpm(0.5)), 2000);
}

TEST_F(PmrToolsTest, IntegralDrawnTwiceRestoresThePictureAndTogglesTheStepTool)
{
    auto* w = open();
    w->toolsItemClick(4); // measuring on: the integral switches it off
    const QImage before = w->picture()->image();
    w->toolsItemClick(2);
    EXPECT_TRUE(w->IntegralShown());
    EXPECT_EQ(w->toolMode(), QStringLiteral("Integrate"));
    EXPECT_EQ(w->MousePointer(), 0);
    EXPECT_TRUE(w->printMenu()->isEnabled());
    EXPECT_TRUE(w->toolsItem(2)->isChecked());
    EXPECT_FALSE(w->toolsItem(4)->isChecked());
    EXPECT_TRUE(w->toolsItem(3)->isEnabled());
    EXPECT_TRUE(w->toolbar()->isButtonEnabled(QStringLiteral("step")));
    EXPECT_TRUE(w->toolbar()->isDown(QStringLiteral("integrate")));
    const QImage with = w->picture()->image();
    // Red from just above the baseline at 10 ppm; the curve climbs over the
    // quartet, singlet and triplet and ends at the top of the plot at 0 ppm.
    EXPECT_GT(countColour(with, QRectF(60, 4580 - 30, 600, 60), kRedPixel), 10);
    EXPECT_GT(countColour(with, QRectF(8700, 600 - 45, 200, 90), kRedPixel), 3);
    EXPECT_EQ(countColour(with, QRectF(60, 700, 5000, 3000), kRedPixel), 0) << "flat before the quartet";
    w->buttonClick(QStringLiteral("integrate"));
    EXPECT_EQ(w->picture()->image(), before);
    EXPECT_FALSE(w->IntegralShown());
    EXPECT_FALSE(w->toolsItem(2)->isChecked());
    EXPECT_FALSE(w->toolsItem(3)->isEnabled());
    EXPECT_FALSE(w->toolbar()->isButtonEnabled(QStringLiteral("step")));
    EXPECT_FALSE(w->toolbar()->isDown(QStringLiteral("integrate")));
}

TEST_F(PmrToolsTest, IntegralOfAnEmptyTraceDrawsNothingButToggles)
{
    for (int i = 5; i <= 24; ++i)
        modOrvan.PmrData[i] = i % 2 ? QByteArray() : QByteArray(500, fixture::heightByte(0));
    EXPECT_EQ(pmr::integralTotal(modOrvan.PmrData), 0);
    auto* w = open();
    const QImage before = w->picture()->image();
    w->toolsItemClick(2);
    EXPECT_TRUE(w->IntegralShown());
    EXPECT_TRUE(w->toolsItem(3)->isEnabled());
    EXPECT_EQ(w->picture()->image(), before);
}

TEST_F(PmrToolsTest, StepsAreCalibratedByTheFirstStepAndTheTypedDigit)
{
    auto* w = open();
    w->toolsItemClick(2);
    w->buttonClick(QStringLiteral("step"));
    EXPECT_EQ(w->toolMode(), QStringLiteral("Step"));
    EXPECT_EQ(w->MousePointer(), 2);
    EXPECT_FALSE(w->printMenu()->isEnabled());
    EXPECT_TRUE(w->toolsItem(3)->isChecked());
    EXPECT_FALSE(w->toolsItem(2)->isChecked()) << "unchecked although the integral stays drawn";
    EXPECT_TRUE(w->IntegralShown());
    EXPECT_TRUE(w->toolbar()->isDown(QStringLiteral("step")));
    w->pictureKeyPress('3');
    drag(w, 3000, 3000, 2400); // first step, 600 twips, upwards
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("3.0"));
    if (const QString dir = qEnvironmentVariable("ORV_SPECTRA_IMAGES"); !dir.isEmpty())
        w->picture()->image().save(dir + QStringLiteral("/pmrstep.png"));
    // The step line stays in blue with its value beside it.
    const QImage img = w->picture()->image();
    EXPECT_GT(countColour(img, QRectF(2985, 2420, 30, 560), kBluePixel), 30);
    EXPECT_GT(countBluish(img, QRectF(3050, 2600, 400, 250)), 5) << "the value 3.0";
    drag(w, 5000, 1000, 2200); // twice as high, downwards
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("6.0"));
    drag(w, 6000, 2200, 1000); // the same height upwards
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("6.0"));
    // Off and on again: a new calibration, to one proton without a digit.
    w->toolsItemClick(3);
    EXPECT_EQ(w->toolMode(), QString());
    EXPECT_TRUE(w->printMenu()->isEnabled());
    w->toolsItemClick(3);
    drag(w, 7000, 3000, 2000);
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("1.0"));
    drag(w, 7500, 3000, 2500);
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("0.5"));
}

TEST_F(PmrToolsTest, ShortStepsAndReleasesOutsideAreNotMeasured)
{
    auto* w = open();
    w->toolsItemClick(2);
    w->toolsItemClick(3);
    modOrvan.TextBuffer = QStringLiteral("unchanged");
    drag(w, 3000, 3000, 2970); // 30 twips
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("unchanged"));
    EXPECT_EQ(w->StepScale(), 0.0f);
    // Released above the plot: the rubber line is taken away, nothing measured.
    const QImage before = w->picture()->image();
    w->pictureMouseDown(1, 0, 4000, 2000);
    w->pictureMouseMove(1, 0, 4000, 1200);
    w->pictureMouseUp(1, 0, 4000, 300);
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("unchanged"));
    EXPECT_EQ(countColour(w->picture()->image(), QRectF(3985, 1200, 30, 800), kBluePixel), 0);
    EXPECT_EQ(w->StepScale(), 0.0f);
    // A press outside the area starts no drag.
    w->pictureMouseDown(1, 0, 4000, 4650);
    w->pictureMouseUp(1, 0, 4000, 3000);
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("unchanged"));
    // The digit 0 shows 0.0 and leaves the next step to calibrate; a letter means one proton.
    w->pictureKeyPress('0');
    drag(w, 5000, 3000, 2000);
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("0.0"));
    w->pictureKeyPress('x');
    EXPECT_EQ(w->StepDigit(), 1);
    drag(w, 5500, 3000, 2000);
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("1.0"));
    // The integral removed: the step tool is disabled again.
    w->toolsItemClick(2);
    EXPECT_FALSE(w->IntegralShown());
    EXPECT_FALSE(w->toolsItem(3)->isEnabled());
    EXPECT_FALSE(w->toolbar()->isButtonEnabled(QStringLiteral("step")));
}

TEST(PmrPrintout, PageRunsAcrossTheLongSideAndTheTraceFollowsIt)
{
    for (const QSizeF page : {QSizeF(12240, 15840), QSizeF(15840, 12240)}) {
        const pmr::PrintGeometry p = pmr::printGeometry(page);
        EXPECT_EQ(p.W, 14840);
        EXPECT_EQ(p.H, 8240);
    }
    const pmr::PrintGeometry p = pmr::printGeometry(QSizeF(15840, 12240));
    std::array<QByteArray, 26> data{};
    data[5] = QByteArray(500, fixture::heightByte(241));
    const QList<Plot> trace = pmr::printTrace(p, data);
    ASSERT_EQ(trace.size(), 20);
    // Every character of a line, a height of 241 reaching y 1900.
    const PlotStep& full = trace[0].steps().front();
    EXPECT_EQ(full.points.size(), 501);
    EXPECT_DOUBLE_EQ(full.points.back().y(), 1900);
    EXPECT_DOUBLE_EQ(full.points.back().x(), 500 + p.L() / 20);
    // An empty element is a flat baseline across its half ppm.
    const PlotStep& flat = trace[1].steps().front();
    EXPECT_EQ(flat.points, QList<QPointF>({QPointF(500 + p.L() / 20, 1900), QPointF(500 + p.L() / 10, 1900)}));
    // The integral needs a total above 150.
    data[5] = QByteArray(10, fixture::heightByte(15));
    EXPECT_TRUE(pmr::printIntegral(p, data).isEmpty());
    data[5] = QByteArray(10, fixture::heightByte(16));
    EXPECT_FALSE(pmr::printIntegral(p, data).isEmpty());
    // Half-ppm ticks from 9.5 to 1.5: 1 axis line + 11 ticks + 9 half ticks.
    int lines = 0;
    const Plot axis = pmr::printAxis(p); // kept: the loop walks its steps
    for (const PlotStep& s : axis.steps())
        lines += s.kind == PlotStep::Kind::Polyline;
    EXPECT_EQ(lines, 21);
    // A page longer than 32767 twips: the axis still runs from 500 to W.
    const pmr::PrintGeometry roll = pmr::printGeometry(QSizeF(12240, 40000));
    EXPECT_EQ(roll.W, 39000);
    EXPECT_EQ(pmr::printAxis(roll).steps().front().points, (QList<QPointF>{{500, 10240}, {39000, 10240}}));
}

namespace {
// Renders the first page of a PDF at 36 dpi.
QImage pdfPage(const QString& pdf) { return orvtest::pdfFirstPage(pdf, 36); }
QString pdfText(const QString& pdf) { return orvtest::pdfText(pdf, false).value_or(QString()); }
int darkPixels(const QImage& img, QRectF fraction)
{
    int n = 0;
    for (int y = int(fraction.top() * img.height()); y < int(fraction.bottom() * img.height()); ++y)
        for (int x = int(fraction.left() * img.width()); x < int(fraction.right() * img.width()); ++x)
            n += qGray(img.pixel(x, y)) < 128;
    return n;
}
} // namespace

TEST_F(PmrToolsTest, PrintoutIsALandscapePageWithTheIntegralOnlyWhenShown)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.pdf"));
    const QString integral = dir.filePath(QStringLiteral("integral.pdf"));
    modOrvan.ShowUnknownNumber = kTrue;
    modOrvan.CurrentUnknown = 12;
    auto* w = open();
    qputenv("ORVANTO_PRINT_PDF", plain.toLocal8Bit());
    w->printMenu()->trigger();
    EXPECT_EQ(w->printProgress().bar()->value(), 100);
    printcheck::expectTimedNotice(w->printProgress());
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    w->toolsItemClick(2);
    modOrvan.ShowUnknownNumber = kFalse;
    qputenv("ORVANTO_PRINT_PDF", integral.toLocal8Bit());
    w->printMenu()->trigger();
    qunsetenv("ORVANTO_PRINT_PDF");

    const QImage a = pdfPage(plain), b = pdfPage(integral);
    ASSERT_FALSE(a.isNull());
    EXPECT_GT(a.width(), a.height()) << "landscape";
    EXPECT_GT(darkPixels(a, QRectF(0.02, 0.02, 0.5, 0.15)), 20) << "the header";
    // Near 0 ppm, above the trace (TMS is small): the integral ends there at the top.
    const QRectF topRight(0.85, 0.1, 0.13, 0.5);
    EXPECT_EQ(darkPixels(a, topRight), 0);
    EXPECT_GT(darkPixels(b, topRight), 5);
    // The header names the program, the window and (when the setting asks) the unknown.
    const QString textA = pdfText(plain), textB = pdfText(integral);
    EXPECT_TRUE(textA.contains(QStringLiteral("Orvanto Proton nmr spectrum (400 MHz) (CDCl3)"))) << textA.toStdString();
    EXPECT_TRUE(textA.contains(QStringLiteral("Unknown number 12"))) << textA.toStdString();
    EXPECT_TRUE(textA.contains(QString::fromLatin1(modOrvan.PmrData[25]))) << textA.toStdString();
    EXPECT_FALSE(textB.contains(QStringLiteral("Unknown number"))) << textB.toStdString();
    EXPECT_TRUE(textB.contains(QStringLiteral("ppm")));
}

TEST_F(PmrToolsTest, PrinterFailureSaysSoAndHidesTheProgressBar)
{
    auto* w = open();
    qputenv("ORVANTO_PRINT_PDF", (folder.path() + QStringLiteral("/no/such/folder/out.pdf")).toLocal8Bit());
    w->printMenu()->trigger();
    qunsetenv("ORVANTO_PRINT_PDF");
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown.front().prompt, QStringLiteral("Error with printer."));
    EXPECT_EQ(orvtest::msgLog().shown.front().icon, MsgIcon::Exclamation);
    EXPECT_FALSE(w->printProgress().bar()->isVisible());
    EXPECT_FALSE(w->printProgress().notice()->isVisible());
}
