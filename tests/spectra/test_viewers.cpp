// The four viewers on a fixture unknown (ethyl acetate): pixels where the
// drawing is fixed, the tools' states, measuring marks, the Nujol overlay,
// the expansion hand-over and the quick help.
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/printer.h"
#include "spectra/cmrplot.h"
#include "spectra/forms/frmCmr.h"
#include "spectra/forms/frmIr.h"
#include "spectra/forms/frmMs.h"
#include "spectra/forms/frmPmr.h"
#include "spectra/forms/registerspectra.h"
#include "spectra/forms/twipspainter.h"
#include "spectra/irplot.h"
#include "spectra/msplot.h"
#include "spectra/pmrplot.h"
#include "spectra/spectrumdata.h"
#include "tests/common/testsupport.h"
#include "tests/spectra/ethylacetate.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

using namespace orv;
using namespace orv::spectra;

namespace {

// The darkest pixel within one pixel of a point given in twips.
int darkness(const QImage& image, double xTw, double yTw)
{
    const int cx = int(xTw / 15), cy = int(yTw / 15);
    int best = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint p(cx + dx, cy + dy);
            if (!image.rect().contains(p))
                continue;
            best = std::max(best, 255 - qGray(image.pixel(p)));
        }
    return best;
}
bool inkAt(const QImage& image, double xTw, double yTw) { return darkness(image, xTw, yTw) > 100; }

// A carbon label's colour anywhere in the box its text starts at (left,
// top twips): 13 x 13 pixels, whatever the face's glyph shapes. Thin strokes
// cover no whole pixel, so a pixel of at least half the colour over the
// white ground counts.
bool labelColourAt(const QImage& image, double leftTw, double topTw, QRgb colour)
{
    const auto halfOrMore = [colour](QRgb p) {
        for (int shift : {0, 8, 16}) {
            const int c = (colour >> shift) & 0xFF, v = (p >> shift) & 0xFF;
            if (std::abs(v - c) > (255 - c) / 2)
                return false;
        }
        return true;
    };
    const int x0 = int(leftTw / 15), y0 = int(topTw / 15);
    for (int y = y0; y < y0 + 13; ++y)
        for (int x = x0; x < x0 + 13; ++x)
            if (image.rect().contains(x, y) && halfOrMore(image.pixel(x, y)))
                return true;
    return false;
}

bool colourNear(const QImage& image, double xTw, double yTw, QRgb colour)
{
    const int cx = int(xTw / 15), cy = int(yTw / 15);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (image.rect().contains(cx + dx, cy + dy)
                && (image.pixel(cx + dx, cy + dy) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

// Topmost inked pixel row (in twips) of a pixel column and its neighbours.
double topInk(const QImage& image, double xTw, double fromY = 0, double toY = 5300)
{
    const int x = int(xTw / 15);
    for (int y = int(fromY / 15); y < int(toY / 15); ++y)
        for (int dx = -1; dx <= 1; ++dx)
            if (255 - qGray(image.pixel(x + dx, y)) > 100)
                return y * 15.0;
    return -1;
}

// Stands in for an expansion window: records the band it was handed and closes.
struct ExpansionStandIn {
    int shown = 0;
    float left = -1, right = -1;
    explicit ExpansionStandIn(const QString& name)
    {
        forms::registerForm(orvtest::form(name), [this, name] {
            auto* w = new QWidget;
            w->setObjectName(name);
            orvtest::later([this, w] {
                ++shown;
                left = modOrvan.ExpandLeftX;
                right = modOrvan.ExpandRightX;
                forms::unload(w);
            });
            return w;
        });
        name_ = name;
    }
    ~ExpansionStandIn()
    {
        forms::registerForm(orvtest::form(name_), [] { return nullptr; });
    }
private:
    QString name_;
};

class ViewerTest : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    void SetUp() override
    {
        registerSpectraForms();
        fixture::loadEthylAcetate();
        modOrvan.CorrelationsAllowed = kTrue;
        modOrvan.ItemHelpAllowed = kTrue;
    }
    void TearDown() override { forms::unloadAll(); }

    template <class T> T* open(int item)
    {
        modOrvan.CurrentItem = item;
        auto* w = forms::instance<T>();
        w->show();
        QApplication::processEvents();
        if (const QString dir = qEnvironmentVariable("ORV_SPECTRA_IMAGES"); !dir.isEmpty())
            w->picture()->image().save(dir + u'/' + w->objectName() + QStringLiteral(".png"));
        return w;
    }
};

} // namespace

TEST_F(ViewerTest, ProtonViewerDrawsAxisPeaksAndBaselineWhereTheGeometryPutsThem)
{
    auto* w = open<frmPmr>(8);
    const QImage img = w->picture()->image();
    EXPECT_EQ(img.size(), QSize(599, 353));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Proton nmr spectrum (400 MHz) (CDCl3)"));
    // Axis 100 twips below the baseline from 10 to 0 ppm, ticks at whole ppm.
    EXPECT_TRUE(inkAt(img, 60, 4780));
    EXPECT_TRUE(inkAt(img, 8860, 4780));
    EXPECT_FALSE(inkAt(img, 9000 - 80, 4780)) << "the axis ends at 0 ppm";
    EXPECT_TRUE(inkAt(img, pmr::xAtPpm(5), 4870));
    EXPECT_TRUE(inkAt(img, pmr::xAtPpm(5.5), 4820)) << "half-ppm tick";
    EXPECT_FALSE(inkAt(img, pmr::xAtPpm(5.5), 4870)) << "half-ppm ticks are short";
    // The baseline where there is no signal, and the singlet at 2.05 ppm.
    EXPECT_TRUE(inkAt(img, pmr::xAtPpm(6), 4680));
    EXPECT_FALSE(inkAt(img, pmr::xAtPpm(6), 3000));
    const double singletTop = topInk(img, pmr::xAtPpm(2.051), 700, 4600);
    EXPECT_NEAR(singletTop, pmr::sampleY(230), 30);
    // The triplet's middle line (height 160 + wings) is lower than the singlet.
    EXPECT_GT(topInk(img, pmr::xAtPpm(1.26), 700, 4600), singletTop + 500);
}

TEST_F(ViewerTest, InfraredViewerDrawsFrameAndTheCarbonylBand)
{
    auto* w = open<frmIr>(6);
    const QImage img = w->picture()->image();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Infrared spectrum (liquid film)"));
    EXPECT_TRUE(inkAt(img, 240, 440));
    EXPECT_TRUE(inkAt(img, 240, 4890));
    EXPECT_TRUE(inkAt(img, 8740, 4900));
    EXPECT_TRUE(inkAt(img, 240 + 873 * 9, 4990)) << "the 750 tick";
    // The C=O band at 1742 dips towards zero transmission.
    const int point = int(std::lround((ir::xAtWavenumber(1742) - 226) / 14));
    const int h = sampleHeight(modOrvan.IrData.at(point - 1));
    EXPECT_LT(h, 40);
    EXPECT_TRUE(inkAt(img, ir::pointX(point), ir::traceY(h)));
    // Between bands (2200 cm-1) the trace runs near 90 %.
    EXPECT_NEAR(topInk(img, ir::xAtWavenumber(2200), 300, 4700), ir::traceY(234), 40);
    EXPECT_FALSE(w->NujolAvailable());
    EXPECT_FALSE(w->toolsItem(2)->isEnabled());
    EXPECT_FALSE(w->toolbar()->isButtonEnabled(QStringLiteral("nujol")));
}

TEST_F(ViewerTest, CarbonViewerDrawsLabelledSticksOverRepeatableNoise)
{
    auto* w = open<frmCmr>(5);
    const QImage img = w->picture()->image();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Carbon nmr spectrum (25 MHz) (CDCl3)"));
    EXPECT_TRUE(inkAt(img, 60, 4780));
    EXPECT_TRUE(inkAt(img, 8860, 4780));
    // 171.0 ppm, height 90: stick from the baseline up to its height.
    // (The search starts just below each label, which stands 180 twips above its stick.)
    EXPECT_NEAR(topInk(img, cmr::xAtPpm(171), cmr::stickTopY(90) - 10, 4640), cmr::stickTopY(90), 20);
    EXPECT_TRUE(inkAt(img, cmr::xAtPpm(171), 4000));
    // 60.4 rounds to 60 ppm, 14.2 to 14 ppm; 21.0 (height 220) is the tallest.
    EXPECT_NEAR(topInk(img, cmr::xAtPpm(60), cmr::stickTopY(200) - 10, 4640), cmr::stickTopY(200), 20);
    EXPECT_NEAR(topInk(img, cmr::xAtPpm(21), cmr::stickTopY(220) - 10, 4640), cmr::stickTopY(220), 20);
    EXPECT_FALSE(inkAt(img, cmr::xAtPpm(100), 3000));
    // Labels in light blue above the sticks.
    EXPECT_TRUE(labelColourAt(img, cmr::xAtPpm(171) - 80, cmr::stickTopY(90) - 180, qRgb(0, 125, 255)));
    // The same unknown always shows the same noise: a fresh window draws the same picture.
    forms::unloadAll();
    auto* again = open<frmCmr>(5);
    EXPECT_EQ(again->picture()->image(), img);
    // Another unknown's noise differs.
    forms::unloadAll();
    modOrvan.CurrentUnknown = 8;
    auto* other = open<frmCmr>(5);
    EXPECT_NE(other->picture()->image(), img);
}

TEST_F(ViewerTest, MassViewerDrawsBarsOnTheMolecularIonAxis)
{
    auto* w = open<frmMs>(7);
    const QImage img = w->picture()->image();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Mass spectrum (electron impact, 70 eV)"));
    const ms::MzAxis& a = w->axis();
    EXPECT_EQ(a.top, 100);
    EXPECT_TRUE(inkAt(img, 260, 390));
    EXPECT_TRUE(inkAt(img, 8660, 4700));
    // Base peak 43 reaches full height; 88 (the molecular ion, 19/241) a short bar.
    EXPECT_NEAR(topInk(img, ms::xAtMz(43, a), 300, 4800), 400, 20);
    EXPECT_NEAR(topInk(img, ms::xAtMz(88, a), 300, 4690), 4600 - 4200.0 * 19 / 241, 20);
    // m/z 29 is not drawn (only 31..229), and nothing stands at 50.
    EXPECT_EQ(ms::bars(modOrvan.MsData, a).steps().size(), 7);
    EXPECT_EQ(topInk(img, ms::xAtMz(50, a), 600, 4690), -1);
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("88"));
}

TEST_F(ViewerTest, NujolOverlayDrawnTwiceRestoresThePictureExactly)
{
    modOrvan.UnkItemTitle[6] = QStringLiteral("(Nujol mull)");
    auto* w = open<frmIr>(6);
    ASSERT_TRUE(w->NujolAvailable());
    const QImage before = w->picture()->image();
    w->toolsItemClick(2);
    const QImage with = w->picture()->image();
    EXPECT_NE(with, before);
    EXPECT_TRUE(w->NujolShown());
    EXPECT_TRUE(w->toolsItem(2)->isChecked());
    EXPECT_TRUE(w->toolbar()->isDown(QStringLiteral("nujol")));
    // Red where the overlay crosses white paper: the C-H band's foot near 2900 cm-1.
    EXPECT_TRUE(colourNear(with, ir::pointX(135), ir::traceY(0, ir::kNujolBaseY), qRgb(255, 0, 0)));
    w->buttonClick(QStringLiteral("nujol"));
    EXPECT_EQ(w->picture()->image(), before);
    EXPECT_FALSE(w->NujolShown());
    EXPECT_FALSE(w->toolbar()->isDown(QStringLiteral("nujol")));
    // "NUJOL" in capitals does not offer it (the match is case-sensitive).
    forms::unloadAll();
    modOrvan.UnkItemTitle[6] = QStringLiteral("(NUJOL mull)");
    EXPECT_FALSE(open<frmIr>(6)->NujolAvailable());
}

TEST_F(ViewerTest, ToolModesToggleAndSetPointerPrintChecksAndButtons)
{
    auto* w = open<frmPmr>(8);
    EXPECT_EQ(w->toolMode(), QString());
    EXPECT_FALSE(w->toolsItem(3)->isEnabled());
    EXPECT_FALSE(w->toolbar()->isButtonEnabled(QStringLiteral("step")));
    w->toolsItemClick(4);
    EXPECT_EQ(w->toolMode(), QStringLiteral("Measure"));
    EXPECT_EQ(w->MousePointer(), 2);
    EXPECT_FALSE(w->printMenu()->isEnabled());
    EXPECT_TRUE(w->toolsItem(4)->isChecked());
    EXPECT_TRUE(w->toolbar()->isDown(QStringLiteral("measure")));
    w->buttonClick(QStringLiteral("expand"));
    EXPECT_EQ(w->toolMode(), QStringLiteral("Expand"));
    EXPECT_EQ(w->MousePointer(), 99);
    EXPECT_EQ(w->MouseIconId(), 101);
    EXPECT_FALSE(w->toolsItem(4)->isChecked());
    EXPECT_TRUE(w->toolsItem(1)->isChecked());
    EXPECT_FALSE(w->toolbar()->isDown(QStringLiteral("measure")));
    EXPECT_TRUE(w->toolbar()->isDown(QStringLiteral("expand")));
    w->buttonClick(QStringLiteral("correlate"));
    EXPECT_EQ(w->MouseIconId(), 102);
    EXPECT_EQ(w->cursor().shape(), Qt::BitmapCursor) << "cursor resource 102 is built in";
    // The active tool chosen again switches off.
    w->toolsItemClick(0);
    EXPECT_EQ(w->toolMode(), QString());
    EXPECT_EQ(w->MousePointer(), 0);
    EXPECT_TRUE(w->printMenu()->isEnabled());
    EXPECT_FALSE(w->toolsItem(0)->isChecked());
    EXPECT_FALSE(w->toolbar()->isDown(QStringLiteral("correlate")));
    // Integrate while measuring leaves no pointer tool on.
    w->toolsItemClick(4);
    w->toolsItemClick(2);
    EXPECT_EQ(w->toolMode(), QStringLiteral("Integrate"));
    EXPECT_EQ(w->MousePointer(), 0);
    EXPECT_TRUE(w->printMenu()->isEnabled());

    auto* ms = open<frmMs>(7);
    ms->buttonClick(QStringLiteral("loss"));
    ms->toolsItemClick(0);
    EXPECT_EQ(ms->toolMode(), QStringLiteral("Measure"));
    EXPECT_TRUE(ms->toolsItem(0)->isChecked());
    EXPECT_FALSE(ms->toolsItem(1)->isChecked());
    EXPECT_FALSE(ms->toolbar()->isDown(QStringLiteral("loss")));
    EXPECT_TRUE(ms->toolbar()->isDown(QStringLiteral("measure")));

    auto* irw = open<frmIr>(6);
    irw->toolsItemClick(1);
    irw->buttonClick(QStringLiteral("correlate"));
    EXPECT_EQ(irw->toolMode(), QStringLiteral("CorBar"));
    EXPECT_FALSE(irw->toolbar()->isDown(QStringLiteral("measure")));
    EXPECT_TRUE(irw->toolbar()->isDown(QStringLiteral("correlate")));
    EXPECT_EQ(irw->MouseIconId(), 102);
}

TEST_F(ViewerTest, SettingsEnableTheirToolsAndHelp)
{
    modOrvan.CorrelationsAllowed = kFalse;
    modOrvan.ItemHelpAllowed = kFalse;
    modOrvan.HShiftCalcAllowed = kTrue;
    modOrvan.CShiftCalcAllowed = kFalse;
    modOrvan.FormulaCalcAllowed = kTrue;
    auto* p = open<frmPmr>(8);
    EXPECT_FALSE(p->toolsItem(0)->isEnabled());
    EXPECT_FALSE(p->toolbar()->isButtonEnabled(QStringLiteral("correlate")));
    EXPECT_TRUE(p->toolsItem(7)->isEnabled());
    EXPECT_FALSE(p->toolsItem(8)->isEnabled());
    EXPECT_FALSE(p->helpMenu()->isEnabled());
    auto* c = open<frmCmr>(5);
    EXPECT_FALSE(c->toolsItem(0)->isEnabled());
    EXPECT_FALSE(c->toolsItem(5)->isEnabled());
    EXPECT_EQ(c->toolsItem(5)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
    auto* m = open<frmMs>(7);
    EXPECT_TRUE(m->toolsItem(4)->isEnabled());
    EXPECT_FALSE(m->toolsItem(5)->isEnabled());
    EXPECT_FALSE(m->toolsItem(6)->isEnabled());
    EXPECT_FALSE(m->helpMenu()->isEnabled());
    auto* i = open<frmIr>(6);
    EXPECT_FALSE(i->toolsItem(0)->isEnabled());
    EXPECT_FALSE(i->helpMenu()->isEnabled());
}

TEST_F(ViewerTest, MeasuringClicksMarkInMagentaAndCleanRedrawRemovesThem)
{
    struct Case {
        const char* name;
        std::function<SpectrumViewer*()> open;
        int item;
        double x, y, outX, outY;
    };
    const ms::MzAxis axis = ms::mzAxisFor(QStringLiteral("88"));
    const Case cases[] = {
        {"proton", [this] { return open<frmPmr>(8); }, 4, pmr::xAtPpm(2.05), 2000, 4000, 700},
        {"infrared", [this] { return open<frmIr>(6); }, 1, ir::xAtWavenumber(1742), 3000, 200, 3000},
        {"carbon", [this] { return open<frmCmr>(5); }, 2, cmr::xAtPpm(171), 2000, 4000, 340},
        {"mass", [this] { return open<frmMs>(7); }, 0, ms::xAtMz(43, axis), 2000, 200, 2000},
    };
    for (const Case& c : cases) {
        SpectrumViewer* w = c.open();
        const QImage clean = w->picture()->image();
        w->toolsItemClick(c.item);
        w->pictureMouseDown(1, 0, float(c.outX), float(c.outY)); // outside the accepted area
        EXPECT_EQ(w->picture()->image(), clean) << c.name;
        w->pictureMouseDown(1, 0, float(c.x), float(c.y));
        const QImage marked = w->picture()->image();
        EXPECT_TRUE(
            colourNear(marked, c.x, c.name == std::string("infrared") ? c.y + 50 : c.y - 120, qRgb(255, 0, 255)))
            << c.name;
        w->buttonClick(QStringLiteral("redraw"));
        EXPECT_EQ(w->picture()->image(), clean) << c.name;
        EXPECT_EQ(w->toolMode(), QString()) << c.name;
        forms::unloadAll();
    }
}

TEST_F(ViewerTest, ExpansionDragHandsItsBandToTheExpansionWindow)
{
    ExpansionStandIn expansion(QStringLiteral("frmPmrExp"));
    const int& shown = expansion.shown;
    const float& seenLeft = expansion.left;
    const float& seenRight = expansion.right;
    auto* w = open<frmPmr>(8);
    const QImage clean = w->picture()->image();
    w->toolsItemClick(1);
    // Right to left: the band is the same as from left to right.
    w->pictureMouseDown(1, 0, 6000, 2000);
    EXPECT_TRUE(w->ExpandDragging());
    w->pictureMouseMove(1, 0, 5500, 2000);
    w->pictureMouseMove(1, 0, 5000, 2000);
    EXPECT_TRUE(colourNear(w->picture()->image(), 5300, 2000, qRgb(0x7D, 0xFF, 0xFF))) << "band tinted light cyan";
    EXPECT_TRUE(inkAt(w->picture()->image(), pmr::xAtPpm(3.5), pmr::kBaselineY)) << "the trace stays black";
    w->pictureMouseMove(1, 0, 5900, 2000); // nearer the right edge: shrinks from the right
    EXPECT_FLOAT_EQ(modOrvan.ExpandLeftX, 5000);
    EXPECT_FLOAT_EQ(modOrvan.ExpandRightX, 5900);
    EXPECT_FALSE(colourNear(w->picture()->image(), 5950, 2000, qRgb(0x7D, 0xFF, 0xFF))) << "wiped white";
    w->pictureMouseUp(1, 0, 5900, 2000);
    EXPECT_EQ(shown, 1);
    EXPECT_FLOAT_EQ(seenLeft, 5000);
    EXPECT_FLOAT_EQ(seenRight, 5900);
    EXPECT_FALSE(w->ExpandDragging());
    EXPECT_EQ(w->toolMode(), QString()) << "the viewer comes back clean";
    EXPECT_EQ(w->picture()->image(), clean);
    // A release outside the plot opens nothing but still redraws clean.
    w->toolsItemClick(1);
    w->pictureMouseDown(1, 0, 3000, 2000);
    w->pictureMouseMove(1, 0, 3500, 2000);
    w->pictureMouseUp(1, 0, 3500, 5000);
    QApplication::processEvents();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(w->picture()->image(), clean);
    EXPECT_EQ(w->toolMode(), QString());
}

TEST_F(ViewerTest, MassLossDragPrintsTheDifferenceAndErasesItsBand)
{
    auto* w = open<frmMs>(7);
    const ms::MzAxis& a = w->axis();
    w->toolsItemClick(1);
    const float y = 3000;
    w->pictureMouseDown(1, 0, float(ms::xAtMz(88, a)), y);
    for (double mz = 87; mz >= 60; mz -= 1)
        w->pictureMouseMove(1, 0, float(ms::xAtMz(mz, a)), y);
    w->pictureMouseMove(1, 0, float(ms::xAtMz(61, a)), y);
    w->pictureMouseUp(1, 0, float(ms::xAtMz(61, a)), y);
    EXPECT_EQ(ms::lossBetween(ms::xAtMz(88, a), ms::xAtMz(61, a), a), 27);
    EXPECT_TRUE(colourNear(w->picture()->image(), ms::xAtMz(75, a), y, qRgb(0, 64, 255)));
    EXPECT_FALSE(w->LossDragging());
}

TEST_F(ViewerTest, QuickHelpFillsTheHelpWindowAndMarksTheItem)
{
    QString caption, text;
    forms::registerForm(forms::names::frmSpecQHelp, [&] {
        auto* w = new QWidget;
        w->setObjectName(QStringLiteral("frmSpecQHelp"));
        auto* box = new QPlainTextEdit(w);
        box->setObjectName(QStringLiteral("txtQHelp"));
        orvtest::later([&, w, box] {
            caption = w->windowTitle();
            text = box->toPlainText();
            EXPECT_EQ(modOrvan.ItemHelpShown[modOrvan.CurrentItem], kFalse) << "marked only once the help closes";
            forms::unload(w);
        });
        return w;
    });
    modOrvan.UnkItemHelp[7] = QStringLiteral("Look for the loss of 45 (OEt).");
    auto* w = open<frmMs>(7);
    w->helpMenu()->trigger();
    EXPECT_EQ(caption, QStringLiteral("Ms spectrum quick help"));
    EXPECT_EQ(text, modOrvan.UnkItemHelp[7]);
    EXPECT_EQ(modOrvan.ItemHelpShown[7], kTrue);
    auto* c = open<frmCmr>(5);
    c->helpMenu()->trigger();
    EXPECT_EQ(caption, QStringLiteral("Cmr spectrum help"));
    EXPECT_EQ(modOrvan.ItemHelpShown[5], kTrue);
}

TEST_F(ViewerTest, CopyPutsThePictureWithItsMarksOnTheClipboard)
{
    auto* w = open<frmPmr>(8);
    w->toolsItemClick(4);
    w->pictureMouseDown(1, 0, float(pmr::xAtPpm(2.05)), 2000);
    w->copyMenu()->trigger();
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              w->picture()->image().convertToFormat(QImage::Format_RGB32));
}

TEST_F(ViewerTest, EdgeCaseDataDrawsWithoutFault)
{
    // Empty lines, a proton line longer than its span, incomplete last
    // records, all heights zero and an oversized molecular ion.
    ModOrvan& m = modOrvan;
    m.PmrData = {};
    m.PmrData[10] = QByteArray(800, fixture::heightByte(0));
    m.IrData.clear();
    m.CmrData = QByteArray("0604") + fixture::heightByte(0) + "20210";
    m.MsData = QByteArray("043") + fixture::heightByte(0) + "07";
    m.MsMolecularIon = QStringLiteral("99999/1e40");
    auto* p = open<frmPmr>(8);
    EXPECT_TRUE(inkAt(p->picture()->image(), pmr::xAtPpm(5), 4680));
    EXPECT_FALSE(inkAt(p->picture()->image(), pmr::xAtPpm(5), 3000));
    auto* i = open<frmIr>(6);
    EXPECT_TRUE(inkAt(i->picture()->image(), 240, 2000)) << "the frame is drawn with no trace";
    auto* c = open<frmCmr>(5);
    EXPECT_TRUE(labelColourAt(c->picture()->image(), cmr::xAtPpm(60) - 80, 4680 - 180, qRgb(0, 125, 255)))
        << "a zero-height peak still shows its label";
    auto* s = open<frmMs>(7);
    EXPECT_EQ(s->axis().top, 1025);
    EXPECT_TRUE(inkAt(s->picture()->image(), ms::xAtMz(43, s->axis()), 4650)) << "a 100-twip stub";
}

TEST_F(ViewerTest, OneDrawingLayerServesImageAndPrinter)
{
    // The same steps drawn into an image of the picture's size give the
    // viewer's picture; drawn through the printer they make a page.
    auto* w = open<frmCmr>(5);
    Plot p = cmr::note(modOrvan.CmrLabel);
    p.append(cmr::axis());
    cmr::NoiseSource noise(cmr::noiseSeed(modOrvan.CurrentUnknown));
    p.append(cmr::baselineNoise(noise));
    p.append(cmr::sticks(modOrvan.CmrData));
    EXPECT_EQ(renderPlot(p, 8990, 5300), w->picture()->image());

    const QString pdf = folder.file(QStringLiteral("cmr.pdf"));
    qputenv("ORVANTO_PRINT_PDF", pdf.toLocal8Bit());
    {
        TwipsPrinter printer;
        ASSERT_TRUE(printer.begin());
        paintPlot(*printer.painter(), p, {15});
        paintPlot(*printer.painter(), ir::nujolOverlay(), {15}); // raster modes draw as copy on a printer
        EXPECT_TRUE(printer.end());
    }
    qputenv("ORVANTO_PRINT_PDF", QByteArray());
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
}

TEST_F(ViewerTest, ViewersOpenByNameAsSingleInstancesAndCloseByTheirMenu)
{
    for (const char* name : {"frmPmr", "frmIr", "frmCmr", "frmMs"}) {
        QWidget* w = forms::load(orvtest::form(QString::fromLatin1(name)));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(forms::find(orvtest::form(QString::fromLatin1(name))), w) << name;
        EXPECT_EQ(forms::load(orvtest::form(QString::fromLatin1(name))), w) << name;
        auto* viewer = qobject_cast<SpectrumViewer*>(w);
        ASSERT_NE(viewer, nullptr) << name;
        viewer->show();
        viewer->closeMenu()->trigger();
        QApplication::processEvents();
        EXPECT_EQ(forms::find(orvtest::form(QString::fromLatin1(name))), nullptr) << name;
    }
    // Shown modally by name, a viewer returns once it is closed.
    modOrvan.CurrentItem = 7;
    orvtest::later([] { forms::unload(forms::names::frmMs); }, 50);
    EXPECT_TRUE(forms::showModal(forms::names::frmMs));
    EXPECT_EQ(forms::find(forms::names::frmMs), nullptr);
}

TEST_F(ViewerTest, CarbonExpansionDragKeepsTheNoiseAndHandsOverItsBand)
{
    ExpansionStandIn expansion(QStringLiteral("frmCmrExp"));
    const int& shown = expansion.shown;
    const float& seenLeft = expansion.left;
    const float& seenRight = expansion.right;
    auto* w = open<frmCmr>(5);
    const QImage clean = w->picture()->image();
    w->buttonClick(QStringLiteral("expand"));
    EXPECT_EQ(w->MouseIconId(), 101);
    w->pictureMouseDown(1, 0, float(cmr::xAtPpm(70)), 2000);
    w->pictureMouseMove(1, 0, float(cmr::xAtPpm(50)), 2000);
    const QImage banded = w->picture()->image();
    EXPECT_TRUE(colourNear(banded, cmr::xAtPpm(55), 2000, qRgb(0x7D, 0xFF, 0xFF)));
    EXPECT_TRUE(inkAt(banded, cmr::xAtPpm(60), 3000)) << "the stick at 60 ppm stays black in the band";
    EXPECT_FALSE(colourNear(banded, cmr::xAtPpm(55), 4700, qRgb(0x7D, 0xFF, 0xFF))) << "the noise band is untouched";
    // A click without movement hands over a band of zero width; here the drag's band.
    w->pictureMouseUp(1, 0, float(cmr::xAtPpm(50)), 2000);
    EXPECT_EQ(shown, 1);
    EXPECT_FLOAT_EQ(seenLeft, float(cmr::xAtPpm(70)));
    EXPECT_FLOAT_EQ(seenRight, float(cmr::xAtPpm(50)));
    EXPECT_EQ(w->picture()->image(), clean) << "reloaded clean with the same noise";
    EXPECT_EQ(w->toolMode(), QString());
    w->buttonClick(QStringLiteral("expand"));
    w->pictureMouseDown(1, 0, 3000, 2000);
    w->pictureMouseUp(1, 0, 3000, 2000);
    EXPECT_EQ(shown, 2);
    EXPECT_FLOAT_EQ(seenLeft, 3000);
    EXPECT_FLOAT_EQ(seenRight, 3000);
}

TEST_F(ViewerTest, CarbonExpansionBandShrinkingKeepsEveryStickBlack)
{
    ExpansionStandIn expansion(QStringLiteral("frmCmrExp"));
    auto* w = open<frmCmr>(5);
    w->buttonClick(QStringLiteral("expand"));
    // Over the first record's stick (171 ppm), grown to 150 ppm, then shrunk from the right.
    w->pictureMouseDown(1, 0, float(cmr::xAtPpm(180)), 2000);
    w->pictureMouseMove(1, 0, float(cmr::xAtPpm(150)), 2000);
    w->pictureMouseMove(1, 0, float(cmr::xAtPpm(160)), 2000);
    const QImage shrunk = w->picture()->image();
    EXPECT_TRUE(colourNear(shrunk, cmr::xAtPpm(175), 2000, qRgb(0x7D, 0xFF, 0xFF)));
    EXPECT_TRUE(inkAt(shrunk, cmr::xAtPpm(171), 4000)) << "the first stick is redrawn black";
    EXPECT_TRUE(inkAt(shrunk, cmr::xAtPpm(60), 4000));
    // Shrunk from the left as well.
    w->pictureMouseMove(1, 0, float(cmr::xAtPpm(170.5)), 2000); // wipes over the stick
    EXPECT_TRUE(inkAt(w->picture()->image(), cmr::xAtPpm(171), 4000));
    w->pictureMouseUp(1, 0, float(cmr::xAtPpm(165)), 2000);
    EXPECT_EQ(expansion.shown, 1);
}

TEST_F(ViewerTest, EveryShippedUnknownDrawsInEveryViewer)
{
    const QDir unks(orvtest::sourceFile(QStringLiteral("data/unks")));
    const QStringList files = unks.entryList({QStringLiteral("ovunk*.txt")});
    ASSERT_EQ(files.size(), 100) << "the solved example and the 99 unknowns ship";
    for (const QString& f : files)
        folder.copyFromSource(QStringLiteral("data/unks/") + f, QStringLiteral("unks/") + f);
    InitProgram();
    int drawn = 0;
    for (int n = 0; n <= 99; ++n) {
        if (!files.contains(QStringLiteral("ovunk%1.txt").arg(UnknownFileCode(n))))
            continue;
        modOrvan.CurrentUnknown = n;
        ASSERT_TRUE(ReadUnknownFile()) << n;
        const QImage pmrImage = open<frmPmr>(8)->picture()->image();
        EXPECT_TRUE(inkAt(pmrImage, 60, 4780)) << n;
        const QImage irImage = open<frmIr>(6)->picture()->image();
        EXPECT_TRUE(inkAt(irImage, 240, 4900)) << n;
        auto* c = open<frmCmr>(5);
        EXPECT_EQ(decodeCarbonPeaks(modOrvan.CmrData).size() * 6, modOrvan.CmrData.size()) << n;
        EXPECT_TRUE(inkAt(c->picture()->image(), 8860, 4780)) << n;
        auto* m = open<frmMs>(7);
        EXPECT_EQ(decodeMsPeaks(modOrvan.MsData).size() * 4, modOrvan.MsData.size()) << n;
        EXPECT_GE(m->axis().top, int(Val(ms::axisIonText(modOrvan.MsMolecularIon))) + 2) << n;
        forms::unloadAll();
        ++drawn;
    }
    EXPECT_EQ(drawn, files.size());
    EXPECT_EQ(orvtest::programEnds(), 0);
}

// Escape closes a viewer as its Close item does, but not while the mouse is
// held down on the picture for a drag; the picture keeps its keys otherwise.
TEST_F(ViewerTest, EscapeClosesEveryViewerButNotInTheMiddleOfADrag)
{
    modOrvan.ExpandLeftX = float(cmr::xAtPpm(40));
    modOrvan.ExpandRightX = float(cmr::xAtPpm(8));
    // clang-format off
    const struct { const char* name; int item; } viewers[] = {
        {"frmPmr", 8}, {"frmCmr", 5}, {"frmIr", 6}, {"frmMs", 7}, {"frmPmrExp", 8}, {"frmCmrExp", 5},
    };
    // clang-format on
    for (const auto& v : viewers) {
        SCOPED_TRACE(v.name);
        modOrvan.CurrentItem = v.item;
        QPointer<SpectrumViewer> w = qobject_cast<SpectrumViewer*>(
            forms::load(orvtest::form(QString::fromLatin1(v.name))));
        ASSERT_TRUE(w);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        w->picture()->setFocus();
        const QPoint mid = w->picture()->rect().center();
        QTest::mousePress(w->picture(), Qt::LeftButton, {}, mid);
        QTest::keyClick(w->picture(), Qt::Key_Escape);
        EXPECT_TRUE(w && w->isVisible()) << "a drag in progress keeps the window";
        QTest::mouseRelease(w->picture(), Qt::LeftButton, {}, mid);
        QTest::keyClick(w->picture(), Qt::Key_Escape);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull()) << "Escape closed and unloaded it";
        EXPECT_EQ(forms::find(orvtest::form(QString::fromLatin1(v.name))), nullptr);
        forms::unloadAll();
    }
}
