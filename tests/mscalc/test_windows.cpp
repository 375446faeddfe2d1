// The three mass-spectrometry calculator windows, offscreen: placement,
// inputs and their limits, help toggles, results and printouts.
#include "core/coreservices.h"
#include "core/modorvan.h"
#include "mscalc/forms/frmCalcFormula.h"
#include "mscalc/forms/frmCalcIsotope.h"
#include "mscalc/forms/frmCalcMass.h"
#include "mscalc/forms/registermscalc.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/twips.h"
#include "tests/common/pdftools.h"
#include "tests/common/testsupport.h"
#include "tests/core/qtprinters.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace orv {
// Stand-ins for the windows the calculators look at while loading.
class frmOVMain : public QWidget {
    Q_OBJECT
};
class frmMs : public QWidget {
    Q_OBJECT
};
} // namespace orv

using namespace orv;
using mscalc::Limit;

namespace {

class CalcWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        registerMscalcForms();
        orvtest::msgLog().shown.clear();
        modOrvan.ProgramPath = folder.path();
    }
    void TearDown() override
    {
        forms::unloadAll();
        QApplication::processEvents();
        qputenv("ORVANTO_PRINT_PDF", QByteArray());
    }
    template <class T> T* open()
    {
        auto* w = qobject_cast<T*>(forms::load(orvtest::form(forms::formName(&T::staticMetaObject))));
        w->show();
        return w;
    }
    orvtest::ProgramFolder folder;
};

QString boxText(const QPlainTextEdit* box) { return box->toPlainText(); }

// Prints through the window's Print button into a PDF and returns its text.
QString printToPdf(QPushButton* print, const QString& pdf)
{
    qputenv("ORVANTO_PRINT_PDF", pdf.toLocal8Bit());
    print->click();
    qputenv("ORVANTO_PRINT_PDF", QByteArray());
    return orvtest::pdfText(pdf).value_or(QString());
}

void typeKey(QWidget* w, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
}

} // namespace

// ---------------------------------------------------------------- common

TEST_F(CalcWindows, PlacedUnderTheMainWindowCentredEvenWhenNarrower)
{
    auto* main = new frmOVMain;
    forms::adopt(main);
    setFormGeometry(main, 3000, 1500, 6000, 5000); // narrower than the calculators
    main->show();
    const QString names[] = {"frmCalcFormula", "frmCalcMass", "frmCalcIsotope"};
    const QString captions[] = {"Orvanto formula calculator", "Orvanto mass calculator", "Orvanto isotope calculator"};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(names[k].toStdString());
        QWidget* w = forms::load(orvtest::form(names[k]));
        ASSERT_TRUE(w);
        EXPECT_EQ(w->windowTitle(), captions[k]);
        const QRect r = formRectTwips(w);
        // Within the pixel the twips round to.
        EXPECT_NEAR(r.x(), 3000 + (6000 - 7500) / 2, kTwipsPerPixel);
        EXPECT_NEAR(r.y(), 1500 + 400 + CaptionExtraTwips(), kTwipsPerPixel);
        EXPECT_NEAR(r.width(), 7500, kTwipsPerPixel);
        forms::unload(w);
    }
}

TEST_F(CalcWindows, EachOpeningStartsAfresh)
{
    auto* f = open<frmCalcFormula>();
    f->txtMass->setText("78");
    f->cmdCalcCalc->click();
    ASSERT_TRUE(f->txtCalc->isVisible());
    forms::unload(f);
    QApplication::processEvents();
    f = open<frmCalcFormula>();
    EXPECT_FALSE(f->txtCalc->isVisible());
    EXPECT_TRUE(f->txtMass->text().isEmpty());
    EXPECT_FALSE(f->cmdCalcPrint->isEnabled());

    auto* i = open<frmCalcIsotope>();
    i->updBr->setValue(2);
    i->cmdIsotopeCalc->click();
    forms::unload(i);
    QApplication::processEvents();
    i = open<frmCalcIsotope>();
    EXPECT_EQ(i->txtC->text(), "1");
    EXPECT_EQ(i->txtBr->text(), "0");
    EXPECT_TRUE(i->LastAction.isEmpty());
}

TEST_F(CalcWindows, OpenModallyByNameAndContinueUnloads)
{
    for (const char* name : {"frmCalcFormula", "frmCalcMass", "frmCalcIsotope"}) {
        SCOPED_TRACE(name);
        bool seen = false;
        orvtest::later([&] {
            QWidget* w = forms::find(orvtest::form(QString::fromLatin1(name)));
            seen = w && w->isVisible() && w->isModal();
            for (QPushButton* b : w->findChildren<QPushButton*>())
                if (b->text() == "&Continue")
                    b->click();
        });
        ASSERT_TRUE(forms::showModal(orvtest::form(QString::fromLatin1(name))));
        EXPECT_TRUE(seen);
        QApplication::processEvents();
        EXPECT_EQ(forms::find(orvtest::form(QString::fromLatin1(name))), nullptr);
    }
}

// ---------------------------------------------------------------- formula

TEST_F(CalcWindows, FormulaDefaultsAndTips)
{
    auto* f = open<frmCalcFormula>();
    const int mins[] = {1, 4, 0, 0, 0, 0, 0, 0};
    const int maxs[] = {15, 32, 0, 3, 0, 0, 0, 16};
    for (int k = 0; k < mscalc::kLimitCount; ++k) {
        EXPECT_EQ(f->txtMin[k]->text(), QString::number(mins[k])) << k;
        EXPECT_EQ(f->txtMax[k]->text(), QString::number(maxs[k])) << k;
        EXPECT_EQ(f->updMax[k]->Max(), mscalc::kLimitTop[k]);
    }
    // The load order leaves carbon's maximum free down to 0.
    EXPECT_EQ(f->upd(Limit::C, true)->Min(), 0);
    EXPECT_EQ(f->upd(Limit::C, false)->toolTip(), "Click here to change minimum number of C atoms (0-15)");
    EXPECT_EQ(f->upd(Limit::IHD, true)->toolTip(), "Click here to change maximum ihd (0-16)");
    EXPECT_EQ(f->txtMass->toolTip(), "Supply mass here via keyboard (max 250)");
    EXPECT_FALSE(f->cmdCalcPrint->isEnabled());
    EXPECT_FALSE(f->txtCalc->isVisible());
}

TEST_F(CalcWindows, FormulaCalculatesFromButtonAndEnter)
{
    auto* f = open<frmCalcFormula>();
    f->txtMass->setText("78");
    f->cmdCalcCalc->click();
    ASSERT_TRUE(f->txtCalc->isVisible());
    EXPECT_TRUE(f->cmdCalcPrint->isEnabled());
    EXPECT_FALSE(f->pbCalcText->isVisible());
    EXPECT_EQ(boxText(f->txtCalc), "For mass = 78\n  C  H  O   ihd\n  6  6       4 \n  2  6  3    0 \n2 found");
    EXPECT_EQ(QFontInfo(f->txtCalc->font()).fixedPitch(), true);

    f->txtMass->setText("29");
    EXPECT_FALSE(f->txtCalc->isVisible()); // any input change hides the result
    EXPECT_FALSE(f->cmdCalcPrint->isEnabled());
    typeKey(f->txtMass, Qt::Key_Return, "\r");
    EXPECT_TRUE(boxText(f->txtCalc).contains("  2  5       0.5 not mol"));
    EXPECT_EQ(f->search().TargetMass, 29);
}

TEST_F(CalcWindows, FormulaWidestSearchRepaintsItsBarAFewDozenTimes)
{
    // Every limit at its top: 4 x 5 x 3 x 3 x 3 = 540 combinations. Each
    // change of the bar's value repaints it at once (its percentage text
    // changes), so the bar may not follow every combination or every per cent.
    auto* f = open<frmCalcFormula>();
    for (Limit l : {Limit::N, Limit::O, Limit::Br, Limit::Cl, Limit::I})
        f->updMax[int(l)]->setValue(mscalc::kLimitTop[int(l)]);
    f->txtMass->setText("250");
    QList<int> values;
    QObject::connect(f->pbCalcText, &QProgressBar::valueChanged, f, [&values](int v) { values.append(v); });
    f->cmdCalcCalc->click();
    ASSERT_TRUE(f->txtCalc->isVisible());
    EXPECT_TRUE(boxText(f->txtCalc).startsWith("For mass = 250"));
    EXPECT_LE(values.size(), 30);
    ASSERT_FALSE(values.isEmpty());
    EXPECT_EQ(values.last(), 100) << "the bar still reaches its end";
}

TEST_F(CalcWindows, FormulaRefusesOutOfRangeMassesAndLetters)
{
    auto* f = open<frmCalcFormula>();
    f->txtMass->setText("78");
    f->cmdCalcCalc->click();
    const QString before = boxText(f->txtCalc);
    for (const char* bad : {"13", "0", "", "251"}) {
        SCOPED_TRACE(bad);
        orvtest::msgLog().shown.clear();
        f->txtMass->setText(bad);
        typeKey(f->txtMass, Qt::Key_Enter, "\r");
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
        EXPECT_EQ(orvtest::msgLog().shown[0].prompt, "Mass should be in range 14 - 250");
        EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(boxText(f->txtCalc), before);
        EXPECT_FALSE(f->cmdCalcPrint->isEnabled());
    }
    // Only digits and Backspace get into the box.
    f->txtMass->setText("7");
    f->txtMass->setFocus();
    QTest::keyClicks(f->txtMass, "a8.-x");
    EXPECT_EQ(f->txtMass->text(), "78");
    // Nor by pasting.
    QApplication::clipboard()->setText(QStringLiteral("9x"));
    QTest::sendKeyEvent(QTest::Click, f->txtMass, Qt::Key_V, QString(QChar(22)), Qt::ControlModifier);
    QTest::keyClick(f->txtMass, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(f->txtMass->text(), "78");
    QTest::keyClick(f->txtMass, Qt::Key_Backspace);
    EXPECT_EQ(f->txtMass->text(), "7");
}

// The Mass box has the focus when the window opens and after Calculate: the
// keys it does not use must still get out of it.
TEST_F(CalcWindows, FormulaMassBoxLetsEscapeAndTabOut)
{
    enum class Then { Closes, LeavesTheBox };
    struct Case {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* text; // as the keyboard sends it
        Then then;
    };
    const Case cases[] = {
        {"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", Then::Closes},
        {"Tab", Qt::Key_Tab, Qt::NoModifier, "\t", Then::LeavesTheBox},
        {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, "", Then::LeavesTheBox},
        {"Shift+Tab with its character", Qt::Key_Backtab, Qt::ShiftModifier, "\t", Then::LeavesTheBox},
    };
    for (const bool withResult : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (withResult ? ", result shown" : ", nothing calculated"));
            QPointer<frmCalcFormula> f = open<frmCalcFormula>();
            f->txtMass->setFocus();
            QTest::keyClicks(f->txtMass, QStringLiteral("78"));
            if (withResult) {
                QTest::keyClick(f->txtMass, Qt::Key_Return);
                ASSERT_TRUE(f->txtCalc->isVisible());
            }
            ASSERT_EQ(f->focusWidget(), f->txtMass);
            QTest::sendKeyEvent(QTest::Click, f->txtMass, c.key, QString::fromLatin1(c.text), c.mods);
            QApplication::processEvents();
            if (c.then == Then::Closes) {
                EXPECT_EQ(forms::find(forms::names::frmCalcFormula), nullptr);
                EXPECT_TRUE(!f || !f->isVisible());
            } else {
                ASSERT_TRUE(f);
                EXPECT_TRUE(f->isVisible());
                EXPECT_NE(f->focusWidget(), f->txtMass);
                EXPECT_EQ(f->txtMass->text(), "78");
                EXPECT_EQ(f->txtCalc->isVisible(), withResult) << "the result stands";
            }
            forms::unloadAll();
            QApplication::processEvents();
        }
    }
}

TEST_F(CalcWindows, FormulaLimitsCoupleAndRaiseTheMassLimit)
{
    auto* f = open<frmCalcFormula>();
    f->txtMass->setText("78");
    f->cmdCalcCalc->click();
    // A required bromine raises the limit to 328 and hides the result.
    f->upd(Limit::Br, false)->upButton()->click();
    EXPECT_EQ(f->txtMass->toolTip(), "Supply mass here via keyboard (max 328)");
    EXPECT_FALSE(f->txtCalc->isVisible());
    EXPECT_FALSE(f->cmdCalcPrint->isEnabled());
    EXPECT_EQ(f->txtMax[int(Limit::Br)]->text(), "1"); // the maximum follows its minimum up
    f->txtMass->setText("300");
    orvtest::msgLog().shown.clear();
    f->cmdCalcCalc->click();
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_TRUE(boxText(f->txtCalc).contains(" Br"));
    f->txtMass->setText("329");
    f->cmdCalcCalc->click();
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().lastPrompt(), "Mass should be in range 14 - 328");

    // Minimum 5 keeps the maximum at 5 or more; maximum 3 keeps the minimum at 3 or less.
    f->upd(Limit::C, false)->setValue(5);
    f->upd(Limit::C, true)->setValue(2);
    EXPECT_EQ(f->txtMax[int(Limit::C)]->text(), "5");
    f->upd(Limit::C, false)->setValue(1);
    f->upd(Limit::C, true)->setValue(3);
    f->upd(Limit::C, false)->setValue(9);
    EXPECT_EQ(f->txtMin[int(Limit::C)]->text(), "3");
}

TEST_F(CalcWindows, FormulaTakesTheMolecularIonFromTheVisibleViewer)
{
    modOrvan.MsMolecularIon = "136/138";
    auto* ms = new frmMs;
    forms::adopt(ms);
    ms->show();
    auto* f = open<frmCalcFormula>();
    EXPECT_EQ(f->txtMass->text(), "136");
    forms::unload(f);
    QApplication::processEvents();
    modOrvan.MsMolecularIon = "120";
    f = open<frmCalcFormula>();
    EXPECT_EQ(f->txtMass->text(), "120");
    forms::unload(f);
    ms->hide();
    QApplication::processEvents();
    f = open<frmCalcFormula>(); // from the main window: empty
    EXPECT_TRUE(f->txtMass->text().isEmpty());
}

TEST_F(CalcWindows, FormulaHelpReplacesResultsAndToggles)
{
    auto* f = open<frmCalcFormula>();
    const QFont design = f->txtCalc->font();
    f->txtMass->setText("78");
    f->cmdCalcCalc->click();
    f->cmdCalcHelp->click();
    EXPECT_TRUE(f->txtCalc->isVisible());
    EXPECT_TRUE(boxText(f->txtCalc).startsWith("Calculates possible formulae from a specified mass"));
    EXPECT_EQ(f->txtCalc->font(), design);
    EXPECT_FALSE(f->cmdCalcPrint->isEnabled());
    f->cmdCalcHelp->click();
    EXPECT_FALSE(f->txtCalc->isVisible());
    f->cmdCalcHelp->click();
    EXPECT_TRUE(f->txtCalc->isVisible());
}

// ---------------------------------------------------------------- mass

TEST_F(CalcWindows, MassCalculatesAndEmptiesOnChange)
{
    auto* m = open<frmCalcMass>();
    EXPECT_FALSE(m->cmdMCalcCalc->isEnabled()); // no atoms, no zero mass
    EXPECT_FALSE(m->cmdMCalcPrint->isEnabled());
    EXPECT_EQ(m->updI->Max(), 3);
    EXPECT_EQ(m->updC->toolTip(), "Click here to choose number of C atoms (max 15)");
    m->updC->setValue(6);
    m->updH->setValue(6);
    ASSERT_TRUE(m->cmdMCalcCalc->isEnabled());
    m->cmdMCalcCalc->click();
    EXPECT_EQ(m->txtIMCalc->text(), "78");
    EXPECT_EQ(m->txtHMCalc->text(), "78.046950");
    EXPECT_EQ(m->txtMMCalc->text(), "78.115");
    EXPECT_TRUE(m->cmdMCalcPrint->isEnabled());
    m->updH->downButton()->click();
    EXPECT_TRUE(m->txtIMCalc->text().isEmpty());
    EXPECT_TRUE(m->txtHMCalc->text().isEmpty());
    EXPECT_TRUE(m->txtMMCalc->text().isEmpty());
    EXPECT_FALSE(m->cmdMCalcPrint->isEnabled());
    EXPECT_TRUE(m->cmdMCalcCalc->isEnabled());
    m->updC->setValue(0);
    m->updH->setValue(0);
    EXPECT_FALSE(m->cmdMCalcCalc->isEnabled());
    // Spin controls stop at their maxima; the arrow keys step them too.
    m->updO->setValue(9);
    EXPECT_EQ(m->txtO->text(), "4");
    QTest::keyClick(m->updO, Qt::Key_Down);
    QTest::keyClick(m->updO, Qt::Key_Down);
    EXPECT_EQ(m->txtO->text(), "2");
    EXPECT_TRUE(m->cmdMCalcCalc->isEnabled());
}

TEST_F(CalcWindows, MassHelpTogglesAndKeepsItsStateAcrossChanges)
{
    auto* m = open<frmCalcMass>();
    EXPECT_FALSE(m->txtMassHelp->isVisible());
    m->cmdMCalcHelp->click();
    EXPECT_TRUE(m->txtMassHelp->isVisible());
    EXPECT_TRUE(m->txtMassHelp->toPlainText().startsWith("Select the required number of atoms"));
    EXPECT_TRUE(m->MassHelpText.startsWith("Integer mass is the sum"));
    m->updC->setValue(2);
    EXPECT_TRUE(m->txtMassHelp->isVisible());
    m->cmdMCalcHelp->click();
    EXPECT_FALSE(m->txtMassHelp->isVisible());
}

// ---------------------------------------------------------------- isotope

TEST_F(CalcWindows, IsotopeStartsWithOneCarbon)
{
    auto* w = open<frmCalcIsotope>();
    EXPECT_FALSE(w->txtIsotope->isVisible());
    EXPECT_FALSE(w->picCalcIsotope->isVisible());
    EXPECT_FALSE(w->cmdIsotopePrint->isEnabled());
    EXPECT_EQ(w->updI->Max(), 2);
    EXPECT_EQ(w->updI->toolTip(), "Click here to change number of I atoms (max 3)");
    w->cmdIsotopeCalc->click();
    EXPECT_EQ(boxText(w->txtIsotope), "Mass      Relative abundance\n  12\t\t100.0\n  13\t\t  1.1\n");
    EXPECT_TRUE(w->picCalcIsotope->isVisible());
    EXPECT_EQ(w->picCalcIsotope->barCount(), 2);
    EXPECT_TRUE(w->cmdIsotopePrint->isEnabled());
    EXPECT_EQ(w->LastAction, "Calculate");

    w->updC->setValue(0);
    EXPECT_FALSE(w->txtIsotope->isVisible());
    EXPECT_FALSE(w->picCalcIsotope->isVisible());
    orvtest::msgLog().shown.clear();
    w->cmdIsotopeCalc->click();
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown[0].prompt, "No elements selected");
    EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(w->txtIsotope->isVisible());

    // Two bromines: the tallest peak is M+2, bars stop at M+12.
    w->updBr->setValue(2);
    w->cmdIsotopeCalc->click();
    EXPECT_TRUE(boxText(w->txtIsotope).contains(" 158\t\t 51.4\n"));
    EXPECT_TRUE(boxText(w->txtIsotope).contains(" 160\t\t100.0\n"));
    EXPECT_EQ(w->picCalcIsotope->barCount(), 3);
}

TEST_F(CalcWindows, IsotopeHelpBeforeAndAfterACalculation)
{
    auto* w = open<frmCalcIsotope>();
    const QFont design = w->txtIsotope->font();
    w->cmdIsotopeHelp->click();
    EXPECT_TRUE(w->txtIsotope->isVisible());
    EXPECT_TRUE(boxText(w->txtIsotope).startsWith("Calculates relative abundances of isotope peaks"));
    EXPECT_FALSE(w->picCalcIsotope->isVisible());
    w->cmdIsotopeHelp->click();
    EXPECT_FALSE(w->txtIsotope->isVisible());
    w->cmdIsotopeHelp->click();
    w->updH->setValue(3); // a change between presses hides it too
    EXPECT_FALSE(w->txtIsotope->isVisible());
    w->cmdIsotopeHelp->click();
    EXPECT_TRUE(w->txtIsotope->isVisible());

    w->cmdIsotopeCalc->click();
    const QRect chart = w->picCalcIsotope->geometry();
    w->cmdIsotopeHelp->click(); // results help with the picture, Print off
    EXPECT_TRUE(boxText(w->txtIsotope).startsWith("The results of these calculations depend"));
    EXPECT_TRUE(w->picCalcIsotope->showsPicture());
    EXPECT_TRUE(w->picCalcIsotope->isVisible());
    EXPECT_TRUE(w->ResultsHelpShown);
    EXPECT_FALSE(w->cmdIsotopePrint->isEnabled());
    EXPECT_EQ(w->txtIsotope->font(), design);
    EXPECT_EQ(w->picCalcIsotope->x(), chart.x() + px(200) - px(120));
    w->cmdIsotopeHelp->click();
    EXPECT_FALSE(w->txtIsotope->isVisible());
    EXPECT_FALSE(w->picCalcIsotope->isVisible());
    EXPECT_FALSE(w->ResultsHelpShown);
    w->cmdIsotopeHelp->click();
    EXPECT_TRUE(w->ResultsHelpShown);
    w->cmdIsotopeCalc->click();
    EXPECT_FALSE(w->picCalcIsotope->showsPicture());
    EXPECT_EQ(w->picCalcIsotope->x(), chart.x() + px(200) - px(120)); // stays moved
}

TEST_F(CalcWindows, IsotopeResultsHelpWithoutThePictureStillShowsText)
{
    auto* w = open<frmCalcIsotope>(); // the temporary program folder has no gifs/ovicaa.gif
    w->cmdIsotopeCalc->click();
    w->cmdIsotopeHelp->click();
    EXPECT_TRUE(boxText(w->txtIsotope).startsWith("The results of these calculations"));
}

TEST(ShippedPicture, AbundancePictureIsShipped)
{
    const QPixmap pic(orvtest::sourceFile("data/gifs/ovicaa.gif"));
    ASSERT_FALSE(pic.isNull());
    EXPECT_LE(pic.width(), px(1775));
    EXPECT_LE(pic.height(), px(4800));
}

// ---------------------------------------------------------------- printing

TEST_F(CalcWindows, PrintoutsCarryTitleBodyAndFooter)
{
    QTemporaryDir dir;
    auto* f = open<frmCalcFormula>();
    f->txtMass->setText("78");
    f->cmdCalcCalc->click();
    QString text = printToPdf(f->cmdCalcPrint, dir.filePath("formula.pdf"));
    EXPECT_TRUE(text.contains("Orvanto formula calculator results"));
    EXPECT_TRUE(text.contains("Mass selected = 78"));
    EXPECT_TRUE(text.contains("Ranges C(1-15) H(4-32) O(0-3)"));
    EXPECT_TRUE(text.contains("Index of Hydrogen Deficiency 0-16"));
    EXPECT_TRUE(text.contains("2 found"));
    EXPECT_TRUE(text.contains("printed "));
    EXPECT_TRUE(f->txtCalcPrtMessage->isVisible());
    EXPECT_EQ(f->txtCalcPrtMessage->text(), "Printing completed.");
    EXPECT_TRUE(modOrvan.TextBuffer.startsWith("printed "));

    auto* m = open<frmCalcMass>();
    m->updC->setValue(2), m->updH->setValue(5), m->updBr->setValue(1);
    m->cmdMCalcCalc->click();
    text = printToPdf(m->cmdMCalcPrint, dir.filePath("mass.pdf"));
    EXPECT_TRUE(text.contains("Orvanto mass calculator"));
    EXPECT_TRUE(text.contains(QRegularExpression("For the formula C = 2 +H = 5 +Br = 1")));
    EXPECT_TRUE(text.contains("High resolution mass = 107.957473"));
    EXPECT_TRUE(text.contains("Molar mass = 108.966"));
    EXPECT_FALSE(text.contains("Integer mass is the sum"));
    m->cmdMCalcHelp->click();
    text = printToPdf(m->cmdMCalcPrint, dir.filePath("masshelp.pdf"));
    EXPECT_TRUE(text.contains("Integer mass is the sum"));
    EXPECT_TRUE(text.contains("printed "));

    auto* i = open<frmCalcIsotope>();
    i->updC->setValue(6), i->updH->setValue(6);
    i->cmdIsotopeCalc->click();
    text = printToPdf(i->cmdIsotopePrint, dir.filePath("isotope.pdf"));
    EXPECT_TRUE(text.contains("Orvanto isotope peak calculator"));
    EXPECT_TRUE(text.contains(QRegularExpression("For the formula C = 6 +H = 6")));
    EXPECT_TRUE(text.contains("the peaks due to isotopes in a mass spectrum are:"));
    EXPECT_TRUE(text.contains("100.0"));
    EXPECT_TRUE(text.contains("RA"));
    EXPECT_TRUE(text.contains("90")); // the M+12 label
    EXPECT_TRUE(text.contains("printed "));
    EXPECT_TRUE(i->txtCalcMessage->isVisible());
    QTest::qWait(3200);
    EXPECT_FALSE(i->txtCalcMessage->isVisible());
}

TEST_F(CalcWindows, LongFormulaListsRunOntoMorePages)
{
    QTemporaryDir dir;
    auto* f = open<frmCalcFormula>();
    for (Limit l : {Limit::N, Limit::O, Limit::Br, Limit::Cl, Limit::I})
        f->upd(l, true)->setValue(mscalc::kLimitTop[int(l)]);
    f->upd(Limit::H, false)->setValue(0);
    f->txtMass->setText("250");
    f->cmdCalcCalc->click();
    ASSERT_GT(f->search().FoundCount, 60);
    const QString pdf = dir.filePath("long.pdf");
    const QString text = printToPdf(f->cmdCalcPrint, pdf);
    EXPECT_TRUE(text.contains(QString::number(f->search().FoundCount) + " found"));
    EXPECT_GT(orvtest::pdfPages(pdf), 1);
}

TEST_F(CalcWindows, PrinterFailureIsReportedAndNothingElseChanges)
{
    auto* i = open<frmCalcIsotope>();
    i->cmdIsotopeCalc->click();
    qputenv("ORVANTO_PRINT_PDF", "/nonexistent-folder/out.pdf");
    orvtest::msgLog().shown.clear();
    i->cmdIsotopePrint->click();
    qputenv("ORVANTO_PRINT_PDF", QByteArray());
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown[0].prompt, "Error with printer.");
    EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(i->txtCalcMessage->isVisible());
    EXPECT_TRUE(i->txtIsotope->isVisible());
    EXPECT_TRUE(i->cmdIsotopePrint->isEnabled());
}

#include "test_windows.moc"

// A click on a count box moves the keyboard focus to it: the keys typed next
// step that count and no longer edit the mass typed before.
TEST_F(CalcWindows, AClickOnACountBoxTakesTheKeyboardFocusFromTheMass)
{
    auto* w = open<frmCalcFormula>();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->txtMass->setFocus();
    QTest::keyClicks(w->txtMass, QStringLiteral("59"));
    ASSERT_EQ(w->txtMass->text(), "59");
    QLineEdit* nMax = w->txtMax[static_cast<int>(mscalc::Limit::N)];
    mscalc::UpDown* spin = w->upd(mscalc::Limit::N, true);
    const int before = spin->Value();
    QTest::mouseClick(nMax, Qt::LeftButton);
    EXPECT_TRUE(spin->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1"));
    EXPECT_EQ(w->txtMass->text(), "59");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(spin->Value(), std::max(spin->Min(), before - 1));
}
