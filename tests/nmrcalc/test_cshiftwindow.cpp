// The carbon-13 shift window: type, the nine alkyl subtypes and the benzene
// patterns, the double-click that fills a one-place page, Calculate, Help by
// stage and the printout.
#include "core/modorvan.h"
#include "nmrcalc/forms/frmCalcCShift.h"
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

class CShiftWindow : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    frmCalcCShift* w = nullptr;

    void SetUp() override
    {
        orvtest::msgLog().shown.clear();
        modOrvan.ProgramPath = folder.path();
        for (const QString& f : QDir(orvtest::sourceFile("data/gifs")).entryList({"ov?c*.gif"}))
            folder.copyFromSource("data/gifs/" + f, "gifs/" + f);
        w = forms::instance<frmCalcCShift>();
        w->show();
    }
    void TearDown() override { forms::unloadAll(); }

    void chooseType(int type)
    {
        w->optCType[type]->click();
        w->cmdCShiftType->click();
    }
    void chooseSubtype(int sub)
    {
        w->optSubType[sub]->click();
        w->cmdCSubType->click();
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

TEST_F(CShiftWindow, StartsAtTheTypeStep)
{
    EXPECT_EQ(w->windowTitle(), "Orvanto carbon-13 shift calculator");
    EXPECT_EQ(w->StageKey, "ctype");
    EXPECT_FALSE(w->cmdCShiftType->isEnabled());
    EXPECT_FALSE(w->cmdCShiftPrint->isEnabled());
    EXPECT_FALSE(w->frmSubType->isVisible());
    EXPECT_FALSE(w->frmGroups->isVisible());
    EXPECT_EQ(w->optCType[0]->toolTip(), "methyl, ethyl etc");
    w->cmdCShiftHelp->click();
    EXPECT_TRUE(w->helpText().startsWith("Calculates carbon-13 chemical shifts."));
}

TEST_F(CShiftWindow, PagesOfferTheirClassSubstituents)
{
    struct Case {
        int type, subtype;
        const char* stage;
        const char* caption;
        int places;
        std::vector<int> disabled;
    } const cases[] = {
        {0, 0, "methyl", "substituents for substituted methyl", 1, {0, 1, 6, 13, 15, 18}},
        {0, 6, "cyclo", "substituents for substituted cyclopentyl, cyclohexyl", 1, {0, 1, 6, 13, 15, 18}},
        {0, 7, "methylene", "substituents for substituted methylene", 2, {0, 1, 6, 13, 15, 18}},
        {0, 8, "ethylene", "substituents for substituted ethylene", 2, {0, 1, 6, 13, 15, 18}},
        {1, -1, "alkene", "substituents for substituted alkenes", 2, {4, 6, 11, 13, 15, 18, 21}},
        {2, 5, "1,2,4-trisub", "substituents for 1,2,4-trisubstituted benzenes", 3, {0, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stage);
        chooseType(c.type);
        if (c.subtype >= 0) {
            EXPECT_EQ(w->optSubType[8]->isVisible(), c.type == 0);
            chooseSubtype(c.subtype);
        }
        EXPECT_EQ(w->StageKey, c.stage);
        EXPECT_EQ(w->frmGroups->title(), c.caption);
        EXPECT_EQ(disabledSubs(), c.disabled);
        EXPECT_EQ(w->cmdYSelect->isVisible(), c.places >= 2);
        EXPECT_EQ(w->cmdZSelect->isVisible(), c.places >= 3);
        EXPECT_FALSE(w->picCalcCShift->pixmap().isNull());
        EXPECT_NEAR(w->picCalcCShift->x() + w->picCalcCShift->width() / 2.0, 190, 1);
    }
    EXPECT_EQ(w->optSub[4]->text(), "NHH");
    EXPECT_EQ(w->optSub[5]->toolTip(), "secondary or tertiary amine (alkyl groups)");
}

TEST_F(CShiftWindow, DoubleClickFillsAOnePlacePage)
{
    chooseType(0);
    chooseSubtype(1);
    QTest::mouseDClick(w->optSub[9], Qt::LeftButton);
    EXPECT_EQ(w->txtX->text(), "Br");
    EXPECT_EQ(w->SubX, 9);
    EXPECT_TRUE(w->frmCalculate->isVisible());
    EXPECT_TRUE(w->cmdCShiftCalc->isEnabled());
    w->cmdCShiftCalc->click();
    EXPECT_EQ(w->resultText(), "substituted ethyl calculated shifts are:\r\n         C-1\t25.7   ppm\r\n"
                               "         C-2\t16.7   ppm");
    EXPECT_TRUE(w->cmdCShiftPrint->isEnabled());
    w->cmdCShiftHelp->click();
    EXPECT_TRUE(w->helpText().startsWith("Ethane gives a carbon nmr signal at 5.7 ppm"));

    // On a two-place page the double-click only chooses.
    chooseType(0);
    chooseSubtype(8);
    QTest::mouseDClick(w->optSub[11], Qt::LeftButton);
    EXPECT_TRUE(w->optSub[11]->isChecked());
    EXPECT_EQ(w->txtX->text(), "");
    w->cmdXSelect->click();
    EXPECT_FALSE(w->cmdCShiftCalc->isEnabled());
    put(w->cmdYSelect, 8);
    w->cmdCShiftCalc->click();
    EXPECT_TRUE(w->resultText().contains("C-1\t64.7"));
    // A new choice hides the result and disables Print; Calculate stays.
    put(w->cmdYSelect, 9);
    EXPECT_FALSE(w->txtResult->isVisible());
    EXPECT_FALSE(w->cmdCShiftPrint->isEnabled());
    EXPECT_TRUE(w->cmdCShiftCalc->isEnabled());
}

TEST_F(CShiftWindow, PrintoutOfABenzene)
{
    chooseType(2);
    chooseSubtype(3);
    put(w->cmdXSelect, 11);
    put(w->cmdYSelect, 7);
    w->cmdCShiftCalc->click();
    nmrtest::PdfOutput pdf;
    w->cmdCShiftPrint->click();
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(w->txtCalcMessage->text(), "Printing completed.");
    const auto text = nmrtest::pdfText(pdf.path());
    ASSERT_TRUE(text.has_value());
    for (const char* s : {"Orvanto carbon-13 nmr shift calculator", "Substituent X = OH (hydroxy (alcohol))",
                          "Substituent Y = NO2 (nitro)", "161.1 ppm", "140.8 ppm",
                          "This result, although approximate, should be fairly good.", "printed "})
        EXPECT_TRUE(text->contains(QString::fromLatin1(s))) << s;
}
