// The coupling calculator window: enabling of the inputs, results that go
// away when an input changes, display changes, Help, printing, a fresh window
// for each opening.
#include "nmrcalc/forms/frmCalcCoupling.h"
#include "nmrcalc/forms/registernmrcalc.h"
#include "nmrcalc/forms/spincontrol.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/programlook.h"
#include "tests/common/testsupport.h"
#include "tests/nmrcalc/nmrtestsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace orv;

namespace {

class CouplingWindow : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    frmCalcCoupling* w = nullptr;

    void SetUp() override
    {
        orvtest::msgLog().shown.clear();
        w = forms::instance<frmCalcCoupling>();
        w->show();
    }
    void TearDown() override { forms::unloadAll(); }

    void set(int nA, int nM = 0, int nX = 0, int jAM = 0, int jAX = 0, int jMX = 0)
    {
        w->updA->setValue(nA);
        w->updM->setValue(nM);
        w->updX->setValue(nX);
        w->updAM->setValue(jAM);
        w->updAX->setValue(jAX);
        w->updMX->setValue(jMX);
    }
};

} // namespace

TEST_F(CouplingWindow, StartsInTheInitialStage)
{
    EXPECT_EQ(w->windowTitle(), "Orvanto first order proton coupling calculator");
    EXPECT_EQ(w->CurrentSet(), "Initial");
    EXPECT_FALSE(w->picCalcCoupling->isVisible());
    EXPECT_FALSE(w->txtCalcCoupling->isVisible());
    EXPECT_FALSE(w->txtCalcMessage->isVisible());
    EXPECT_FALSE(w->cmdCalcCouplingPrint->isEnabled());
    EXPECT_TRUE(w->cmdCalcCouplingHelp->isEnabled());
    for (QPushButton* b : {w->cmdCalcSetA, w->cmdCalcSetM, w->cmdCalcSetX})
        EXPECT_FALSE(b->isEnabled());
    EXPECT_TRUE(w->updA->isEnabled());
    for (SpinControl* s : {w->updM, w->updX, w->updAM, w->updAX, w->updMX})
        EXPECT_FALSE(s->isEnabled());
    EXPECT_TRUE(w->optDisplay[0]->isChecked());
    EXPECT_EQ(w->cmdCalcCouplingOk->toolTip(), "Click here to proceed");
    EXPECT_EQ(w->cmdCalcCouplingHelp->toolTip(), "Click here to get help");
    EXPECT_EQ(w->txtA->text(), "0");

    // Help shows the general text, also with the stick diagram chosen.
    w->optDisplay[2]->click();
    w->cmdCalcCouplingHelp->click();
    EXPECT_TRUE(w->txtCalcCoupling->isVisible());
    EXPECT_TRUE(w->explanationText().startsWith("Calculates proton multiplicities"));
    EXPECT_FALSE(w->explanationText().contains("stick diagram does not show"));
}

TEST_F(CouplingWindow, SpinRangesHoldTheirLimits)
{
    w->updA->setValue(9);
    EXPECT_EQ(w->updA->Value(), 6);
    EXPECT_EQ(w->txtA->text(), "6");
    w->updM->setValue(4);
    EXPECT_EQ(w->updM->Value(), 3);
    w->updAM->setValue(25);
    EXPECT_EQ(w->txtAM->text(), "20");
    w->updAM->setValue(-1);
    EXPECT_EQ(w->updAM->Value(), 0);
    EXPECT_TRUE(w->txtA->isReadOnly());
}

TEST_F(CouplingWindow, SetsOpenInTurnAndEmptyingCascades)
{
    w->updA->setValue(1);
    EXPECT_TRUE(w->updM->isEnabled());
    EXPECT_TRUE(w->cmdCalcSetA->isEnabled());
    EXPECT_FALSE(w->cmdCalcCouplingHelp->isEnabled());
    EXPECT_FALSE(w->updX->isEnabled());

    set(2, 1, 1, 7, 5, 3);
    EXPECT_TRUE(w->updAX->isEnabled());
    EXPECT_TRUE(w->updMX->isEnabled());
    EXPECT_TRUE(w->cmdCalcSetX->isEnabled());

    // Emptying M empties X and every constant touching them.
    w->updM->setValue(0);
    EXPECT_EQ(w->updX->Value(), 0);
    EXPECT_EQ(w->updAM->Value(), 0);
    EXPECT_EQ(w->updAX->Value(), 0);
    EXPECT_EQ(w->updMX->Value(), 0);
    EXPECT_FALSE(w->cmdCalcSetM->isEnabled());
    EXPECT_FALSE(w->cmdCalcSetX->isEnabled());
    EXPECT_FALSE(w->updAM->isEnabled());

    set(2, 1, 1, 7, 5, 3);
    w->cmdCalcSetA->click();
    w->updA->setValue(0);
    EXPECT_EQ(w->CurrentSet(), "Initial");
    EXPECT_FALSE(w->picCalcCoupling->isVisible());
    EXPECT_FALSE(w->cmdCalcCouplingPrint->isEnabled());
    EXPECT_TRUE(w->cmdCalcCouplingHelp->isEnabled());
    for (SpinControl* s : {w->updM, w->updX, w->updAM, w->updAX, w->updMX}) {
        EXPECT_EQ(s->Value(), 0);
        EXPECT_FALSE(s->isEnabled());
    }
}

TEST_F(CouplingWindow, CalculateShowsAndAChangeHidesTheResult)
{
    set(3, 2, 0, 7);
    w->cmdCalcSetM->click();
    EXPECT_EQ(w->CurrentSet(), "Set M");
    EXPECT_TRUE(w->picCalcCoupling->isVisible());
    EXPECT_TRUE(w->cmdCalcCouplingPrint->isEnabled());
    EXPECT_TRUE(w->cmdCalcCouplingHelp->isEnabled());
    EXPECT_EQ(w->calc().lineCount(), 4);
    w->cmdCalcCouplingHelp->click();
    EXPECT_EQ(w->explanationText(), "Set M is a quartet since it has 3 neighbours (set A).");

    w->updAM->setValue(8);
    EXPECT_FALSE(w->picCalcCoupling->isVisible());
    EXPECT_FALSE(w->txtCalcCoupling->isVisible());
    EXPECT_FALSE(w->cmdCalcCouplingHelp->isEnabled());
    EXPECT_FALSE(w->cmdCalcCouplingPrint->isEnabled());
    w->cmdCalcSetM->click();
    EXPECT_TRUE(w->picCalcCoupling->isVisible());
    EXPECT_EQ(w->calc().CurrentLines[1].Position, -12.0f);
}

TEST_F(CouplingWindow, DisplayChangeRedrawsTheSameSet)
{
    set(1, 1, 2, 8, 4);
    w->cmdCalcSetA->click();
    w->cmdCalcCouplingHelp->click();
    EXPECT_TRUE(w->explanationText().contains("Use the stick diagram to see why."));
    w->optDisplay[2]->click();
    EXPECT_FALSE(w->txtCalcCoupling->isVisible());
    EXPECT_TRUE(w->picCalcCoupling->isVisible());
    EXPECT_EQ(w->diagram().front().text, "Set A    +---> note that relative peak heights are NOT shown <---+");
    w->cmdCalcCouplingHelp->click();
    EXPECT_FALSE(w->explanationText().contains("Use the stick diagram"));
    EXPECT_TRUE(w->explanationText().endsWith("Note that the stick diagram does not show relative peak heights."));

    // A second click only hides the box and keeps its text.
    const QString before = w->explanationText();
    w->cmdCalcCouplingHelp->click();
    EXPECT_FALSE(w->txtCalcCoupling->isVisible());
    EXPECT_EQ(w->explanationText(), before);

    w->optDisplay[1]->click();
    EXPECT_EQ(w->diagram().front().text, "Set A");
    EXPECT_EQ(w->calc().CurrentSet, "Set A");
}

TEST_F(CouplingWindow, DisplayChangeDrawsNothingForAnEmptiedSet)
{
    set(2, 1, 1, 7, 5, 3);
    w->cmdCalcSetX->click();
    w->updX->setValue(0);
    w->optDisplay[1]->click();
    EXPECT_FALSE(w->picCalcCoupling->isVisible());
    EXPECT_FALSE(w->cmdCalcCouplingPrint->isEnabled());
}

TEST_F(CouplingWindow, PrintoutHoldsInputsDiagramExplanationAndFooter)
{
    set(1);
    w->cmdCalcSetA->click();
    {
        nmrtest::PdfOutput pdf;
        w->cmdCalcCouplingPrint->click();
        EXPECT_TRUE(orvtest::msgLog().shown.empty());
        EXPECT_TRUE(w->txtCalcMessage->isVisible());
        EXPECT_EQ(w->txtCalcMessage->text(), "Printing completed.");
        const auto text = nmrtest::pdfText(pdf.path());
        ASSERT_TRUE(text.has_value());
        for (const char* s :
             {"Orvanto first order proton coupling calculator", "Set A contains 1 proton\n", "Set M contains 0 protons",
              "Set X contains 0 protons", "Coupling constant for AM = 0 Hz", "Coupling constant for MX = 0 Hz",
              "Set A multiplicity - straight line display", "10 Hz", "printed "})
            EXPECT_TRUE(text->contains(QString::fromLatin1(s))) << s;
        EXPECT_FALSE(text->contains("singlet"));
        EXPECT_EQ(nmrtest::pdfPages(pdf.path()), 1);
    }
    w->optDisplay[2]->click();
    w->cmdCalcCouplingHelp->click();
    nmrtest::PdfOutput pdf;
    w->cmdCalcCouplingPrint->click();
    const auto text = nmrtest::pdfText(pdf.path());
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->contains("Set A multiplicity - stick diagram"));
    EXPECT_TRUE(text->contains("Please note that this stick diagram does not show relative"));
    EXPECT_TRUE(text->contains("Set A is a singlet since there are no neighbours."));
    EXPECT_LT(text->indexOf("Set A is a singlet"), text->indexOf("printed "));
}

TEST_F(CouplingWindow, PrinterFailureLeavesTheWindowAsItWas)
{
    set(3, 2, 0, 7);
    w->cmdCalcSetA->click();
    nmrtest::PdfOutput pdf(QStringLiteral("/nonexistent-folder/out.pdf"));
    w->cmdCalcCouplingPrint->click();
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown[0].prompt, "Error with printer.");
    EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(w->txtCalcMessage->isVisible());
    EXPECT_TRUE(w->picCalcCoupling->isVisible());
    EXPECT_TRUE(w->cmdCalcCouplingPrint->isEnabled());
}

TEST_F(CouplingWindow, OpensFreshByNameAfterContinue)
{
    registerNmrcalcForms();
    set(3, 2, 0, 7);
    w->cmdCalcSetA->click();
    w->cmdCalcCouplingOk->click();
    EXPECT_EQ(forms::find(forms::names::frmCalcCoupling), nullptr);
    auto* again = qobject_cast<frmCalcCoupling*>(forms::load(forms::names::frmCalcCoupling));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->CurrentSet(), "Initial");
    EXPECT_EQ(again->updA->Value(), 0);
    w = again;
}

// The count boxes answer Up and Down within their limits, and a click on a
// box's arrows puts the keyboard focus in the box.
TEST_F(CouplingWindow, CountBoxesStepWithTheArrowKeysWithinTheirLimits)
{
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    set(5);
    w->txtA->setFocus();
    QTest::keyClick(w->txtA, Qt::Key_Up);
    EXPECT_EQ(w->updA->Value(), 6);
    QTest::keyClick(w->txtA, Qt::Key_Up);
    EXPECT_EQ(w->txtA->text(), "6") << "no further than the set's maximum";
    QTest::keyClick(w->txtA, Qt::Key_Down);
    EXPECT_EQ(w->txtA->text(), "5");
    QTest::keyClick(w->txtAM, Qt::Key_Down);
    EXPECT_EQ(w->updAM->Value(), 0) << "never below 0";
    auto* up = w->updM->findChildren<QToolButton*>().value(0);
    ASSERT_TRUE(up);
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_TRUE(w->txtM->hasFocus());
}
