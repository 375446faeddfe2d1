// The proton expansion window on the ethyl acetate fixture: opened modally by
// the proton viewer's expansion drag, its tools' states, measuring and
// coupling marks, the integral drawn twice, calibrated integration steps and
// the printout.
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "spectra/forms/frmPmr.h"
#include "spectra/forms/frmPmrExp.h"
#include "spectra/forms/registerspectra.h"
#include "spectra/pmrexpansion.h"
#include "tests/common/pdftools.h"
#include "tests/common/testsupport.h"
#include "tests/spectra/ethylacetate.h"
#include "tests/spectra/printcheck.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace orv;
using namespace orv::spectra;
using printcheck::colourNear;

namespace {

float viewerX(double ppm) { return float(8860 - 880 * ppm); }


int countColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

// Pixels of a bluish tint (the text's edges may be blended with the paper).
int countBluish(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            n += qBlue(p) > 180 && qRed(p) < 150 && qGreen(p) < 200;
        }
    return n;
}

const QRgb kBlueRgb = qRgb(0, 64, 255);

class ExpansionWindowTest : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    void SetUp() override
    {
        registerSpectraForms();
        fixture::loadEthylAcetate();
        modOrvan.HShiftCalcAllowed = kTrue;
        modOrvan.CouplingCalcAllowed = kTrue;
    }
    void TearDown() override { forms::unloadAll(); }

    // The window for a band dragged on the proton viewer from one shift to another.
    frmPmrExp* open(double fromPpm, double toPpm)
    {
        modOrvan.ExpandLeftX = viewerX(fromPpm);
        modOrvan.ExpandRightX = viewerX(toPpm);
        modOrvan.CurrentItem = 8;
        auto* w = forms::instance<frmPmrExp>();
        w->show();
        QApplication::processEvents();
        return w;
    }
};

} // namespace

TEST_F(ExpansionWindowTest, OpensModallyFromTheProtonViewersDragAndShowsTheSnappedBand)
{
    struct Seen {
        int shown = 0;
        QString title;
        float leftPpm = 0, widthPpm = 0;
        qsizetype samples = 0;
        bool modal = false, singletDrawn = false, helpVisible = true;
    } seen;
    modOrvan.CurrentItem = 8;
    auto* viewer = forms::instance<frmPmr>();
    viewer->show();
    QApplication::processEvents();
    viewer->toolsItemClick(1);
    // A band from 2.2 to 1.0 ppm (1.2 ppm) over the singlet at 2.05 and the triplet at 1.26.
    viewer->pictureMouseDown(1, 0, viewerX(2.2), 2000);
    viewer->pictureMouseMove(1, 0, viewerX(1.0), 2000);
    orvtest::later(
        [&seen] {
            auto* exp = qobject_cast<frmPmrExp*>(forms::find(forms::names::frmPmrExp));
            if (!exp)
                return;
            ++seen.shown;
            QApplication::processEvents();
            seen.modal = exp->isModal() || exp->windowModality() != Qt::NonModal;
            seen.title = exp->windowTitle();
            seen.leftPpm = exp->window().LeftPpm;
            seen.widthPpm = exp->window().WidthPpm;
            seen.samples = exp->WindowSamples().size();
            seen.helpVisible = exp->helpMenu()->isVisible();
            // The singlet (2.051 ppm, height 230) reaches near the top at scale 1.
            const double x = 60 + (2.2 - 2.051) * 8000 / 1.5;
            seen.singletDrawn = colourNear(exp->picture()->image(), x, 4700 - 4100 * 230 / 252.0, qRgb(0, 0, 0), 3);
            exp->closeMenu()->trigger();
        },
        50);
    viewer->pictureMouseUp(1, 0, viewerX(1.0), 2000);
    EXPECT_EQ(seen.shown, 1);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.title, QStringLiteral("Expanded pmr spectrum"));
    EXPECT_FLOAT_EQ(seen.widthPpm, 1.5f);
    EXPECT_FLOAT_EQ(seen.leftPpm, 2.2f);
    EXPECT_EQ(seen.samples, 1501);
    EXPECT_TRUE(seen.singletDrawn);
    EXPECT_FALSE(seen.helpVisible) << "the expansion window has no Help menu";
    EXPECT_EQ(forms::find(forms::names::frmPmrExp), nullptr) << "closing unloads it";
    EXPECT_EQ(viewer->toolMode(), QString()) << "the viewer comes back clean";
}

TEST_F(ExpansionWindowTest, LoadsWithNoToolAndTheDesignedControls)
{
    auto* w = open(1.3, 2.0); // dragged right to left: a 0.2 ppm window round the middle
    EXPECT_FLOAT_EQ(w->window().WidthPpm, 0.2f);
    EXPECT_EQ(w->picture()->image().size(), QSize(549, 353));
    EXPECT_EQ(w->toolMode(), QString());
    EXPECT_FALSE(w->toolsItem(1)->isEnabled());
    EXPECT_FALSE(w->toolbar()->isButtonEnabled(QStringLiteral("step")));
    EXPECT_FALSE(w->printProgress().bar()->isVisible());
    EXPECT_FALSE(w->printProgress().notice()->isVisible());
    EXPECT_EQ(w->toolsItem(2)->text(), QStringLiteral("Pea&k position measurement "));
    EXPECT_EQ(w->toolsItem(6)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_EQ(w->toolsItem(7)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_J));
    QStringList menus;
    for (QAction* a : w->menuBar()->actions())
        if (a->isVisible())
            menus.append(a->menu() ? a->menu()->objectName() : a->objectName());
    EXPECT_EQ(menus, (QStringList{QStringLiteral("mnuPmrExpPrint"), QStringLiteral("mnuPmrExp"),
                                  QStringLiteral("mnuPmrExpTools"), QStringLiteral("mnuPmrExpClose")}));
    // The calculators follow the settings.
    forms::unloadAll();
    modOrvan.HShiftCalcAllowed = kFalse;
    modOrvan.CouplingCalcAllowed = kFalse;
    w = open(1.3, 2.0);
    EXPECT_FALSE(w->toolsItem(6)->isEnabled());
    EXPECT_FALSE(w->toolsItem(7)->isEnabled());
}

TEST_F(ExpansionWindowTest, ToolsToggleAndSetPointerPrintChecksAndButtons)
{
    auto* w = open(2.0, 1.2);
    auto state = [w] {
        QString s = w->toolMode() + u'|' + QString::number(w->MousePointer()) + u'|'
                  + (w->printMenu()->isEnabled() ? u'P' : u'-') + u'|';
        for (int i : {0, 1, 2, 3})
            s += w->toolsItem(i)->isChecked() ? u'x' : u'.';
        s += u'|';
        for (const char* k : {"integrate", "step", "measure", "coupling"})
            s += w->toolbar()->isDown(QString::fromLatin1(k)) ? u'1' : u'0';
        return s;
    };
    w->toolsItemClick(2);
    EXPECT_EQ(state(), QStringLiteral("Measure|2|-|..x.|0010"));
    w->toolsItemClick(2);
    EXPECT_EQ(state(), QStringLiteral("|0|P|....|0000")) << "choosing the active tool switches it off";
    w->toolsItemClick(2);
    w->buttonClick(QStringLiteral("coupling"));
    EXPECT_EQ(state(), QStringLiteral("Coupling|2|-|...x|0001")) << "Measure off and Coupling on in one step";
    w->toolsItemClick(0);
    EXPECT_EQ(state(), QStringLiteral("Integrate|0|P|x...|1000"));
    EXPECT_TRUE(w->toolsItem(1)->isEnabled());
    w->buttonClick(QStringLiteral("step"));
    EXPECT_EQ(state(), QStringLiteral("Step|2|-|.x..|1100")) << "the step tool takes item 0's check";
    EXPECT_EQ(w->StepDigit(), 1);
    w->toolsItemClick(2);
    EXPECT_EQ(state(), QStringLiteral("Measure|2|-|.xx.|1010")) << "item 1 keeps its check";
    w->toolsItemClick(1);
    w->toolsItemClick(0); // the integral off ends the step tool
    EXPECT_EQ(state(), QStringLiteral("Integrate|0|P|....|0000"));
    EXPECT_FALSE(w->toolsItem(1)->isEnabled());
    EXPECT_FALSE(w->toolbar()->isButtonEnabled(QStringLiteral("step")));
}

TEST_F(ExpansionWindowTest, IntegralTwiceRestoresThePictureTraceIncluded)
{
    auto* w = open(1.4, 1.1); // the triplet at 1.26 (0.4 ppm window)
    const QImage before = w->picture()->image();
    w->toolsItemClick(0);
    const QImage with = w->picture()->image();
    EXPECT_TRUE(w->IntegralShown());
    EXPECT_TRUE(colourNear(with, 80, 4500, qRgb(255, 0, 0))) << "starts at the lower left";
    EXPECT_TRUE(colourNear(with, 8040, 600, qRgb(255, 0, 0))) << "ends at the upper right";
    EXPECT_GT(countColour(with, qRgb(255, 0, 0)), 500);
    w->buttonClick(QStringLiteral("integrate"));
    EXPECT_FALSE(w->IntegralShown());
    EXPECT_EQ(w->picture()->image(), before);
    // A window without signal (6.0 ppm) gets a flat line at y 4500.
    forms::unloadAll();
    w = open(6.1, 5.9);
    w->toolsItemClick(0);
    const QImage flat = w->picture()->image();
    for (double x : {100.0, 4000.0, 8000.0})
        EXPECT_TRUE(colourNear(flat, x, 4500, qRgb(255, 0, 0), 1)) << x;
    EXPECT_FALSE(colourNear(flat, 8040, 600, qRgb(255, 0, 0)));
}

TEST_F(ExpansionWindowTest, PeakPositionAndCouplingMarks)
{
    auto* w = open(1.3, 1.1); // 0.2 ppm from 1.30
    ASSERT_FLOAT_EQ(w->window().LeftPpm, 1.3f);
    w->toolsItemClick(2);
    w->pictureMouseDown(1, 0, 60 + 0.04f * 40000, 3000); // 1.26 ppm
    EXPECT_TRUE(colourNear(w->picture()->image(), 1660, 2900, qRgb(255, 0, 255))) << "magenta tick";
    const QImage marked = w->picture()->image();
    w->pictureMouseDown(1, 0, 4000, 350);
    w->pictureMouseDown(1, 0, 4000, 4600);
    EXPECT_EQ(w->picture()->image(), marked) << "clicks at y 350 or 4600 mark nothing";
    // Coupling: 800 twips in a 0.2 ppm window is 8.0 Hz.
    w->toolsItemClick(3);
    w->pictureMouseDown(1, 0, 2000, 3000);
    w->pictureMouseMove(1, 0, 2500, 3000);
    w->pictureMouseMove(1, 0, 1800, 3000);
    w->pictureMouseMove(1, 0, 2800, 3000);
    EXPECT_TRUE(colourNear(w->picture()->image(), 1850, 3000, kBlueRgb)) << "the band follows the drag";
    w->pictureMouseUp(1, 0, 2800, 3000);
    const QImage measured = w->picture()->image();
    EXPECT_FALSE(colourNear(measured, 1850, 3000, kBlueRgb, 1)) << "the band beyond the end is erased";
    EXPECT_TRUE(colourNear(measured, 2400, 3000, kBlueRgb)) << "the final band";
    EXPECT_GT(countBluish(measured.copy(QRect(2100 / 15, 2750 / 15, 1000 / 15, 250 / 15))), 10)
        << "the 8.0 Hz text above the band";
    // A drag of exactly 30 twips measures nothing and keeps its band; released at the top it erases it.
    forms::unloadAll();
    w = open(1.3, 1.1);
    w->toolsItemClick(3);
    const QImage blank = w->picture()->image();
    w->pictureMouseDown(1, 0, 4000, 2000);
    w->pictureMouseMove(1, 0, 4030, 2000);
    w->pictureMouseUp(1, 0, 4030, 2000);
    const QImage kept = w->picture()->image();
    EXPECT_NE(kept, blank);
    w->pictureMouseDown(1, 0, 5000, 2000);
    w->pictureMouseMove(1, 0, 6000, 2000);
    w->pictureMouseMove(1, 0, 6500, 2000);
    w->pictureMouseUp(1, 0, 6500, 300);
    EXPECT_EQ(w->picture()->image(), kept) << "released above the plot: band erased, nothing printed";
}

TEST_F(ExpansionWindowTest, IntegrationStepsCalibrateToTheTypedDigit)
{
    auto* w = open(1.4, 1.1);
    w->toolsItemClick(0);
    w->toolsItemClick(1);
    auto step = [w](float x, float y0, float y1) {
        w->pictureMouseDown(1, 0, x, y0);
        w->pictureMouseMove(1, 0, x, (y0 + y1) / 2);
        w->pictureMouseMove(1, 0, x, y1);
        w->pictureMouseUp(1, 0, x, y1);
        return modOrvan.TextBuffer;
    };
    modOrvan.TextBuffer.clear();
    w->picPmrExp_KeyPress('4');
    EXPECT_EQ(w->StepDigit(), 4);
    EXPECT_EQ(step(2000, 3000, 3030), QString()) << "30 twips measure nothing";
    EXPECT_EQ(step(2000, 3000, 4520), QString()) << "released at y 4520: erased, calibration unused";
    EXPECT_FLOAT_EQ(w->StepScale(), 0);
    EXPECT_EQ(step(2000, 3000, 1800), QStringLiteral("4.0"));
    EXPECT_EQ(step(5000, 2000, 2900), QStringLiteral("3.0"));
    EXPECT_TRUE(colourNear(w->picture()->image(), 5000, 2500, kBlueRgb)) << "the step's band";
    // Switching the tool on again resets the calibration; a letter calibrates to 1.
    w->toolsItemClick(1);
    w->toolsItemClick(1);
    EXPECT_FLOAT_EQ(w->StepScale(), 0);
    w->picPmrExp_KeyPress('a');
    EXPECT_EQ(step(3000, 1000, 2500), QStringLiteral("1.0"));
    EXPECT_EQ(step(3500, 1000, 1750), QStringLiteral("0.5"));
    // A calibration digit of 0 leaves the tool uncalibrated.
    w->toolsItemClick(1);
    w->toolsItemClick(1);
    w->picPmrExp_KeyPress('0');
    EXPECT_EQ(step(4000, 1000, 2000), QStringLiteral("0.0"));
    EXPECT_FLOAT_EQ(w->StepScale(), 0);
    // The clean redraw puts everything back.
    w->buttonClick(QStringLiteral("redraw"));
    EXPECT_FALSE(w->IntegralShown());
    EXPECT_EQ(w->toolMode(), QString());
    EXPECT_EQ(w->StepDigit(), 0);
    EXPECT_EQ(countColour(w->picture()->image(), kBlueRgb), 0);
    EXPECT_EQ(countColour(w->picture()->image(), qRgb(255, 0, 0)), 0);
}

TEST_F(ExpansionWindowTest, PrintsTheTraceOnALandscapePage)
{
    const QString pdf = folder.file(QStringLiteral("pmrexp.pdf"));
    qputenv("ORVANTO_PRINT_PDF", pdf.toLocal8Bit());
    modOrvan.ShowUnknownNumber = kTrue;
    auto* w = open(2.2, 1.0);
    w->toolsItemClick(0); // the integral is not printed
    w->printMenu()->trigger();
    qputenv("ORVANTO_PRINT_PDF", QByteArray());
    printcheck::expectTimedNotice(w->printProgress());
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    ASSERT_GT(QFileInfo(pdf).size(), 1000);
    if (const QString dir = qEnvironmentVariable("ORV_SPECTRA_IMAGES"); !dir.isEmpty())
        QFile::copy(pdf, dir + QStringLiteral("/frmPmrExp.pdf"));
    const QString info = orvtest::pdfInfo(pdf).value_or(QString());
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+(\\d+) x (\\d+)")).match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_GT(size.captured(1).toInt(), size.captured(2).toInt()) << "landscape";
    const QString out = orvtest::pdfText(pdf).value_or(QString());
    EXPECT_TRUE(out.contains(QStringLiteral("Orvanto Expanded pmr spectrum"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Unknown number 7"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("width is 1.50 ppm"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("2.20"))) << out.toStdString();
}

TEST_F(ExpansionWindowTest, PrinterFailureShowsTheMessageAndHidesTheProgress)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is installed";
    qputenv("ORVANTO_PRINT_PDF", QByteArray());
    auto* w = open(2.2, 1.0);
    modOrvan.TextBuffer.clear();
    w->printMenu()->trigger();
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().lastPrompt(), QStringLiteral("Error with printer."));
    EXPECT_EQ(orvtest::msgLog().shown.front().icon, MsgIcon::Exclamation);
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("1"));
    EXPECT_FALSE(w->printProgress().bar()->isVisible());
    EXPECT_FALSE(w->printProgress().notice()->isVisible());
}

TEST_F(ExpansionWindowTest, ToolsOpenTheProtonCalculatorsByNameWhenAllowed)
{
    QStringList opened;
    for (const QString& name : {QStringLiteral("frmCalcHShift"), QStringLiteral("frmCalcCoupling")})
        forms::registerForm(orvtest::form(name), [&opened, name] {
            auto* calc = new QWidget;
            calc->setObjectName(name);
            orvtest::later([&opened, calc, name] {
                opened.append(name);
                forms::unload(calc);
            });
            return calc;
        });
    auto* w = open(2.0, 1.2);
    w->toolsItem(6)->trigger();
    w->toolsItem(7)->trigger();
    EXPECT_EQ(opened, (QStringList{QStringLiteral("frmCalcHShift"), QStringLiteral("frmCalcCoupling")}));
    EXPECT_TRUE(forms::find(forms::names::frmPmrExp)) << "the expansion stays open beneath";
    forms::unloadAll();
    modOrvan.HShiftCalcAllowed = kFalse;
    modOrvan.CouplingCalcAllowed = kFalse;
    opened.clear();
    w = open(2.0, 1.2);
    w->toolsItem(6)->trigger();
    w->toolsItem(7)->trigger();
    EXPECT_TRUE(opened.isEmpty());
    for (const QString& name : {QStringLiteral("frmCalcHShift"), QStringLiteral("frmCalcCoupling")})
        forms::registerForm(orvtest::form(name), [] { return nullptr; });
}
