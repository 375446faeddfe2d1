// The proton shift window: the type, subtype and substituent steps, which
// substituents each page offers, Calculate and its enabling, Help by stage,
// the printout and a missing diagram.
#include "core/modorvan.h"
#include "nmrcalc/forms/frmCalcHShift.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/programlook.h"
#include "tests/common/testsupport.h"
#include "tests/nmrcalc/nmrtestsupport.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace orv;

namespace {

class HShiftWindow : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    frmCalcHShift* w = nullptr;

    void SetUp() override
    {
        orvtest::msgLog().shown.clear();
        modOrvan.ProgramPath = folder.path();
        for (const QString& f : QDir(orvtest::sourceFile("data/gifs")).entryList({"ovhc*.gif"}))
            folder.copyFromSource("data/gifs/" + f, "gifs/" + f);
        w = forms::instance<frmCalcHShift>();
        w->show();
    }
    void TearDown() override { forms::unloadAll(); }

    void chooseType(int type)
    {
        w->optHType[type]->click();
        w->cmdHShiftType->click();
    }
    void chooseSubtype(int sub)
    {
        w->optSubType[sub]->click();
        w->cmdHSubType->click();
    }
    void put(QPushButton* select, int sub)
    {
        w->optSub[sub]->click();
        select->click();
    }
    std::vector<int> disabledSubs() const
    {
        std::vector<int> d;
        for (int i = 0; i < 23; ++i)
            if (!w->optSub[i]->isEnabled())
                d.push_back(i);
        return d;
    }
};

} // namespace

TEST_F(HShiftWindow, StartsAtTheTypeStep)
{
    EXPECT_EQ(w->windowTitle(), "Orvanto proton shift calculator");
    EXPECT_EQ(w->StageKey, "htype");
    EXPECT_FALSE(w->cmdHShiftType->isEnabled());
    EXPECT_FALSE(w->cmdHShiftPrint->isEnabled());
    for (QWidget* hidden : std::initializer_list<QWidget*>{w->frmSubType, w->frmGroups, w->frmCalculate,
                                                           w->picCalcHShift, w->txtHShift, w->txtCalcMessage})
        EXPECT_FALSE(hidden->isVisible());
    EXPECT_EQ(w->cmdHShiftOk->toolTip(), "Click here to continue with Orvanto");
    w->cmdHShiftHelp->click();
    EXPECT_TRUE(w->helpText().startsWith("Calculates proton chemical shifts."));
    w->cmdHShiftHelp->click();
    EXPECT_FALSE(w->txtHShift->isVisible());
    w->optHType[0]->click();
    EXPECT_TRUE(w->cmdHShiftType->isEnabled());
}

TEST_F(HShiftWindow, EachPageOffersOnlyItsSubstituents)
{
    struct Case {
        int type, subtype;
        const char* stage;
        const char* caption;
        int places;
        std::vector<int> disabled;
    } const cases[] = {
        {1, -1, "alkene", "substituents for substituted alkenes", 3, {5, 6, 10, 11, 13, 15}},
        {0, 0, "methylene", "substituents for substituted methyl or methylene", 2, {}},
        {0, 1, "methine", "substituents for substituted methine", 2, {0, 1, 10}},
        {2, 0, "monosub", "substituents for monosubstituted benzenes", 1, {0, 5, 13, 15, 18}},
        {2, 3, "1,4-disub", "substituents for 1,4-disubstituted benzenes", 2, {0, 5, 13, 15, 18}},
        {2, 6, "1,3,5-trisub", "substituents for 1,3,5-trisubstituted benzenes", 3, {0, 5, 13, 15, 18}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stage);
        chooseType(c.type);
        if (c.subtype >= 0) {
            EXPECT_TRUE(w->frmSubType->isVisible());
            EXPECT_EQ(w->StageKey, c.type == 0 ? "subtypealkyl" : "subtypearyl");
            EXPECT_EQ(w->optSubType[2]->isVisible(), c.type == 2);
            chooseSubtype(c.subtype);
        }
        EXPECT_EQ(w->StageKey, c.stage);
        EXPECT_FALSE(w->frmSubType->isVisible());
        EXPECT_TRUE(w->frmGroups->isVisible());
        EXPECT_EQ(w->frmGroups->title(), c.caption);
        EXPECT_EQ(disabledSubs(), c.disabled);
        EXPECT_EQ(w->cmdXSelect->isVisible(), true);
        EXPECT_EQ(w->cmdYSelect->isVisible(), c.places >= 2);
        EXPECT_EQ(w->cmdZSelect->isVisible(), c.places >= 3);
        EXPECT_FALSE(w->cmdXSelect->isEnabled());
        ASSERT_TRUE(w->picCalcHShift->isVisible());
        EXPECT_FALSE(w->picCalcHShift->pixmap().isNull());
        // Centred on x = 2100 twips.
        EXPECT_NEAR(w->picCalcHShift->x() + w->picCalcHShift->width() / 2.0, 140, 1);
        w->optSub[8]->click();
        EXPECT_TRUE(w->cmdXSelect->isEnabled());
        EXPECT_EQ(w->cmdZSelect->isEnabled(), c.places >= 3);
    }
}

TEST_F(HShiftWindow, CalculateNeedsEveryShownPlace)
{
    chooseType(0);
    chooseSubtype(0);
    put(w->cmdXSelect, 8);
    EXPECT_TRUE(w->frmCalculate->isVisible());
    EXPECT_TRUE(w->txtY->isVisible());
    EXPECT_FALSE(w->txtZ->isVisible());
    EXPECT_FALSE(w->cmdHShiftCalc->isEnabled());
    EXPECT_EQ(w->txtX->text(), "Cl");
    // The same substituent can go into a second place.
    w->cmdYSelect->click();
    EXPECT_EQ(w->txtY->text(), "Cl");
    EXPECT_TRUE(w->cmdHShiftCalc->isEnabled());
    put(w->cmdYSelect, 0);
    w->cmdHShiftCalc->click();
    EXPECT_EQ(w->resultText(), "Methyl calculated shift is:\r\n\r\n\t3.10 ppm");
    EXPECT_TRUE(w->cmdHShiftPrint->isEnabled());

    // Help: the explanation of the result; a new choice hides the result.
    w->cmdHShiftHelp->click();
    EXPECT_TRUE(w->helpText().startsWith("The protons in methane occur at 0.23 ppm"));
    put(w->cmdXSelect, 9);
    EXPECT_FALSE(w->txtResult->isVisible());
    EXPECT_FALSE(w->cmdHShiftPrint->isEnabled());
    EXPECT_EQ(w->SubX, 9);
    w->cmdHShiftHelp->click();
    w->cmdHShiftHelp->click();
    EXPECT_TRUE(w->helpText().startsWith("Select one or more substituents."));
}

TEST_F(HShiftWindow, BenzeneResultAndTypeChangeGoesBack)
{
    chooseType(2);
    chooseSubtype(0);
    put(w->cmdXSelect, 7);
    EXPECT_TRUE(w->cmdHShiftCalc->isEnabled());
    w->cmdHShiftCalc->click();
    EXPECT_TRUE(w->resultText().contains("H-2 \t         8.22 ppm"));
    EXPECT_TRUE(w->resultText().contains("H-4 \t         7.65 ppm"));

    w->optHType[1]->click();
    w->cmdHShiftType->click();
    EXPECT_EQ(w->StageKey, "alkene");
    EXPECT_FALSE(w->frmCalculate->isVisible());
    EXPECT_EQ(w->txtX->text(), "");
    put(w->cmdXSelect, 0);
    put(w->cmdYSelect, 0);
    EXPECT_FALSE(w->cmdHShiftCalc->isEnabled());
    put(w->cmdZSelect, 0);
    w->cmdHShiftCalc->click();
    EXPECT_EQ(w->resultText(), "Ethylene H calculated shift is:\r\n\r\n\t5.25 ppm");
}

TEST_F(HShiftWindow, PrintoutListsChoicesResultAndExplanation)
{
    chooseType(2);
    chooseSubtype(3);
    put(w->cmdXSelect, 8);
    w->cmdYSelect->click();
    w->cmdHShiftCalc->click();
    nmrtest::PdfOutput pdf;
    w->cmdHShiftPrint->click();
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(w->txtCalcMessage->text(), "Printing completed.");
    EXPECT_TRUE(w->txtCalcMessage->isVisible());
    const auto text = nmrtest::pdfText(pdf.path());
    ASSERT_TRUE(text.has_value());
    for (const char* s : {"Orvanto proton nmr shift calculator", "Substituent X = Cl (chloro)",
                          "Substituent Y = Cl (chloro)", "1,4-disubstituted benzene calculated shifts are:", "7.28 ppm",
                          "This result, although approximate, should be fairly good.", "printed "})
        EXPECT_TRUE(text->contains(QString::fromLatin1(s))) << s;
    EXPECT_FALSE(text->contains("Substituent Z"));
}

TEST_F(HShiftWindow, MissingDiagramLeavesThePageUsable)
{
    QFile::remove(folder.file("gifs/ovhcmb.gif"));
    chooseType(0);
    chooseSubtype(1);
    EXPECT_EQ(w->StageKey, "methine");
    EXPECT_TRUE(w->picCalcHShift->pixmap().isNull());
    put(w->cmdXSelect, 11);
    put(w->cmdYSelect, 3);
    w->cmdHShiftCalc->click();
    EXPECT_EQ(w->resultText(), "Methine calculated shift is:\r\n\r\n\t4.63 ppm");
    nmrtest::PdfOutput pdf;
    w->cmdHShiftPrint->click();
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
}
