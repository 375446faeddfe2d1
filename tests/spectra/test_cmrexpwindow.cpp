// The carbon-13 expansion window on the ethyl acetate fixture with a second
// carbon at 22.0 ppm beside its 21.0: opened modally by the carbon viewer's
// expansion drag, its controls, the measuring tool's states and marks, the
// same picture from every paint, the calculator and the printout.
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "spectra/cmrexpansion.h"
#include "spectra/forms/frmCmr.h"
#include "spectra/forms/frmCmrExp.h"
#include "tests/common/testsupport.h"
#include "tests/spectra/ethylacetate.h"
#include "tests/spectra/printcheck.h"
#include "tests/spectra/viewerfixture.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <gtest/gtest.h>

using namespace orv;
using namespace orv::spectra;
using printcheck::colourNear;

namespace {

float viewerX(double ppm) { return float(cmr::xAtPpm(ppm)); }


// The light blue of the carbon-type labels, blended with the paper at the glyphs' edges.
bool labelBlueNear(const QImage& image, double xTw, double yTw)
{
    const int cx = px(xTw), cy = px(yTw);
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            const QRgb p = image.pixel(std::clamp(cx + dx, 0, image.width() - 1),
                                       std::clamp(cy + dy, 0, image.height() - 1));
            if (qBlue(p) == 255 && qRed(p) < 80 && qGreen(p) < 170)
                return true;
        }
    return false;
}

class CmrExpansionTest : public ViewerFixture<frmCmrExp, 5> {
protected:
    void SetUp() override
    {
        ViewerFixture::SetUp();
        modOrvan.CShiftCalcAllowed = kTrue;
        // Propyl acetate's close pair: a CH2 at 22.0 beside the acetate CH3 at 21.0.
        modOrvan.CmrData += QByteArray("0220") + fixture::heightByte(200) + '2';
    }
    // The window for a band dragged on the carbon viewer from one shift to another.
    frmCmrExp* openBand(double fromPpm, double toPpm)
    {
        modOrvan.ExpandLeftX = viewerX(fromPpm);
        modOrvan.ExpandRightX = viewerX(toPpm);
        return open();
    }
};

} // namespace

TEST_F(CmrExpansionTest, OpensModallyFromTheCarbonViewersDragAFreshWindowEachTime)
{
    struct Seen {
        int shown = 0;
        bool modal = false, pairDrawn = false, fresh = true;
        int leftPpm = 0;
        float widthPpm = 0;
        QString title;
    } seen;
    QObject* previous = nullptr;
    auto* viewer = forms::instance<frmCmr>();
    viewer->show();
    QApplication::processEvents();
    for (int round = 0; round < 2; ++round) {
        viewer = qobject_cast<frmCmr*>(forms::find(forms::names::frmCmr));
        ASSERT_NE(viewer, nullptr);
        viewer->buttonClick(QStringLiteral("expand"));
        viewer->pictureMouseDown(1, 0, viewerX(22.5), 2000);
        viewer->pictureMouseMove(1, 0, viewerX(19.5), 2000);
        orvtest::later(
            [&] {
                auto* exp = qobject_cast<frmCmrExp*>(forms::find(forms::names::frmCmrExp));
                if (!exp)
                    return;
                ++seen.shown;
                QApplication::processEvents();
                seen.fresh = seen.fresh && exp != previous;
                previous = exp;
                seen.modal = exp->isModal() || exp->windowModality() != Qt::NonModal;
                seen.title = exp->windowTitle();
                seen.leftPpm = exp->window().LeftPpm;
                seen.widthPpm = exp->window().WidthPpm;
                const QImage img = exp->picture()->image();
                seen.pairDrawn = colourNear(img, 4880, 3000, qRgb(0, 0, 0), 1)
                              && colourNear(img, 6480, 3000, qRgb(0, 0, 0), 1);
                exp->closeMenu()->trigger();
            },
            50);
        viewer->pictureMouseUp(1, 0, viewerX(19.5), 2000);
    }
    EXPECT_EQ(seen.shown, 2);
    EXPECT_TRUE(seen.fresh) << "every expansion is a new window";
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.title, QStringLiteral("Expanded cmr spectrum"));
    EXPECT_EQ(seen.leftPpm, 25);
    EXPECT_FLOAT_EQ(seen.widthPpm, 5);
    EXPECT_TRUE(seen.pairDrawn) << "22.0 and 21.0 ppm stand 1600 twips apart";
    EXPECT_EQ(forms::find(forms::names::frmCmrExp), nullptr) << "closing unloads it";
}

TEST_F(CmrExpansionTest, LoadsWithNoToolAndTheDesignedControls)
{
    auto* w = openBand(22.5, 19.5);
    EXPECT_EQ(w->picture()->image().size(), QSize(549, 353));
    EXPECT_EQ(w->toolMode(), QString());
    EXPECT_TRUE(w->printMenu()->isEnabled());
    EXPECT_FALSE(w->printProgress().bar()->isVisible());
    EXPECT_FALSE(w->printProgress().notice()->isVisible());
    QStringList menus;
    for (QAction* a : w->menuBar()->actions())
        if (a->isVisible())
            menus.append(a->menu() ? a->menu()->objectName() : a->objectName());
    EXPECT_EQ(menus, (QStringList{QStringLiteral("mnuCmrExpPrint"), QStringLiteral("mnuCmrExpCopy"),
                                  QStringLiteral("mnuCmrExpTools"), QStringLiteral("mnuCmrExpClose")}));
    QStringList tools;
    for (int i = 0; i < 4; ++i)
        tools.append(w->toolsItem(i)->isSeparator() ? QStringLiteral("-") : w->toolsItem(i)->text());
    EXPECT_EQ(tools,
              (QStringList{QStringLiteral("&Peak position measurement"), QStringLiteral("&Redraw a clean spectrum"),
                           QStringLiteral("-"), QStringLiteral("&Carbon shift calculator")}));
    EXPECT_NE(w->toolbar()->button(QStringLiteral("measure")), nullptr);
    EXPECT_NE(w->toolbar()->button(QStringLiteral("redraw")), nullptr);
    EXPECT_TRUE(w->toolsItem(3)->isEnabled());
    forms::unloadAll();
    modOrvan.CShiftCalcAllowed = kFalse;
    w = openBand(22.5, 19.5);
    EXPECT_FALSE(w->toolsItem(3)->isEnabled());
}

TEST_F(CmrExpansionTest, MeasureToggleMarksAndTheCleanRedrawGivesTheSamePicture)
{
    auto* w = openBand(22.5, 19.5);
    const QImage clean = w->picture()->image();
    // Labels in light blue over both close sticks; none for the peaks outside.
    EXPECT_TRUE(labelBlueNear(clean, 4880 - 30, 4680 - 4020 * 200 / 241.0 - 120));
    EXPECT_TRUE(labelBlueNear(clean, 6480 - 30, 4680 - 4020 * 220 / 241.0 - 120));
    EXPECT_FALSE(labelBlueNear(clean, 80 + (25 - 14.2) * 1600, 3000)) << "14.2 ppm lies outside";

    w->buttonClick(QStringLiteral("measure"));
    EXPECT_EQ(w->toolMode(), QStringLiteral("Measure"));
    EXPECT_FALSE(w->printMenu()->isEnabled());
    EXPECT_EQ(w->MousePointer(), 2);
    EXPECT_TRUE(w->toolsItem(0)->isChecked());
    EXPECT_TRUE(w->toolbar()->isDown(QStringLiteral("measure")));
    w->pictureMouseDown(1, 0, 4080, 4680); // on the baseline: nothing
    EXPECT_EQ(w->picture()->image(), clean);
    w->pictureMouseDown(1, 0, 6480, 2000);
    EXPECT_TRUE(colourNear(w->picture()->image(), 6480, 1900, qRgb(255, 0, 255)));
    // Switched off by the menu: everything back, the mark stays.
    w->toolsItemClick(0);
    EXPECT_EQ(w->toolMode(), QString());
    EXPECT_TRUE(w->printMenu()->isEnabled());
    EXPECT_EQ(w->MousePointer(), 0);
    EXPECT_FALSE(w->toolsItem(0)->isChecked());
    EXPECT_FALSE(w->toolbar()->isDown(QStringLiteral("measure")));
    w->pictureMouseDown(1, 0, 4880, 2000);
    EXPECT_FALSE(colourNear(w->picture()->image(), 4880, 1900, qRgb(255, 0, 255))) << "no tool, no mark";
    EXPECT_TRUE(colourNear(w->picture()->image(), 6480, 1900, qRgb(255, 0, 255)));

    w->buttonClick(QStringLiteral("redraw"));
    EXPECT_EQ(w->picture()->image(), clean) << "the same noise, no marks";
    // Another window of the same range paints the same pixels.
    forms::unloadAll();
    EXPECT_EQ(openBand(22.5, 19.5)->picture()->image(), clean);
}

TEST_F(CmrExpansionTest, CarbonShiftCalculatorOpensByNameOverTheWindow)
{
    int opened = 0;
    forms::registerForm(forms::names::frmCalcCShift, [&opened] {
        auto* calc = new QWidget;
        calc->setObjectName(QStringLiteral("frmCalcCShift"));
        orvtest::later([&opened, calc] {
            ++opened;
            forms::unload(calc);
        });
        return calc;
    });
    auto* w = openBand(22.5, 19.5);
    w->toolsItem(3)->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(forms::find(forms::names::frmCmrExp)) << "the expansion stays open beneath";
    forms::registerForm(forms::names::frmCalcCShift, [] { return nullptr; });
}

TEST_F(CmrExpansionTest, PrintsTitleHeaderNumberAndTheShiftsInsideTheWindow)
{
    modOrvan.ShowUnknownNumber = kTrue;
    auto* w = openBand(22.5, 19.5);
    const QImage before = w->picture()->image();
    QString text = printToText(w, QStringLiteral("cmrexp1.pdf"));
    printcheck::expectTimedNotice(w->printProgress());
    EXPECT_TRUE(text.contains(QStringLiteral("Orvanto Expanded cmr spectrum"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Horizontal scale is x 44.0 - width is 5 ppm"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Unknown number 7")));
    for (const char* label : {"22.0", "21.0", "CH", "25", "22.5", "20", "ppm"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(label))) << label;
    EXPECT_FALSE(text.contains(QStringLiteral("14.2"))) << "outside the window";
    EXPECT_FALSE(text.contains(QStringLiteral("171.0")));
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(w->picture()->image(), before) << "printing leaves the picture alone";

    // Without the number, and a whole-axis window with every peak.
    modOrvan.ShowUnknownNumber = kFalse;
    forms::unloadAll();
    w = openBand(220, 0);
    text = printToText(w, QStringLiteral("cmrexp2.pdf"));
    EXPECT_FALSE(text.contains(QStringLiteral("Unknown number")));
    for (const char* label : {"171.0", "60.4", "22.0", "21.0", "14.2", "width is 220 ppm"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(label))) << label;

    qputenv("ORVANTO_PRINT_PDF", folder.file(QStringLiteral("none/cmrexp.pdf")).toLocal8Bit());
    w->printMenu()->trigger();
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown.front().prompt, QStringLiteral("Error with printer."));
    EXPECT_EQ(orvtest::msgLog().shown.front().icon, MsgIcon::Exclamation);
    EXPECT_FALSE(w->printProgress().bar()->isVisible());
    EXPECT_FALSE(w->printProgress().notice()->isVisible());
}
