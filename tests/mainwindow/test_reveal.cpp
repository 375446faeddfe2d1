#include "mainwindow/mainstatus.h"
#include "mainwindow/resultexplain.h"
#include "mainwindow/reveal.h"
#include "platform/resources.h"
#include "tests/common/testsupport.h"
#include "tests/mainwindow/fixture.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {
class Reveal : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    ModOrvan& m = modOrvan;
    void SetUp() override
    {
        mwtest::allowEverything(m);
        mwtest::loadButanone(m);
    }
};
} // namespace

TEST(TwoDigitItems, SplitsTheStoredList)
{
    // clang-format off
    const struct {
        const char* list;
        std::vector<int> items;
    } cases[] = {
        {"1307", {13, 7}},
        {"", {}},
        {"01", {1}},
        {"130", {13, 0}},     // half of 3 rounds to 2: the lone last digit "0" reads as 0
        {"13071", {13, 7}},   // half of 5 rounds to 2 (to even): the last digit is not read
        {"1a07", {1, 7}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(twoDigitItems(QString::fromLatin1(c.list)), c.items) << c.list;
}

TEST_F(Reveal, ProcessResultRevealsAndPrecludes)
{
    m.CurrentItem = 6;
    ProcessResult(m);
    EXPECT_EQ(m.ItemsRevealed[6], kTrue);
    for (int p : {13, 17, 19, 26, 28})
        EXPECT_EQ(m.ItemPrecluded[p], kTrue) << p;
    EXPECT_EQ(m.ItemPrecluded[18], kFalse);

    m.ItemPrecludes[2] = QStringLiteral("0099"); // a damaged list: out-of-range numbers are skipped
    m.CurrentItem = 2;
    ProcessResult(m);
    EXPECT_EQ(m.ItemsRevealed[2], kTrue);
    EXPECT_EQ(m.ItemPrecluded[0], kFalse);
}

TEST_F(Reveal, PhysicalPropertiesAndSpectra)
{
    RevealOutcome r = revealPhysProp(m, 0);
    EXPECT_EQ(m.CurrentItem, 1);
    EXPECT_TRUE(r.showResult);
    EXPECT_EQ(r.resultText, m.UnkItemTitle[1]);
    EXPECT_EQ(m.ItemPrecluded[14], kTrue);
    EXPECT_EQ(m.ItemPrecluded[29], kTrue);

    r = revealPhysProp(m, 6);
    EXPECT_TRUE(r.viewer && *r.viewer == forms::names::frmIr);
    EXPECT_FALSE(r.showResult);
    EXPECT_EQ(m.ItemsRevealed[6], kTrue);

    r = revealPhysProp(m, 9);
    EXPECT_EQ(m.CurrentItem, 9);
    EXPECT_EQ(r.resultText, m.UnkItemTitle[9]);

    const int before = m.CurrentItem;
    r = revealPhysProp(m, 4); // the separator
    EXPECT_FALSE(r.showResult);
    EXPECT_FALSE(r.viewer);
    EXPECT_EQ(m.CurrentItem, before);
}

TEST_F(Reveal, PrecludedTestIsCountedEachTimeAndStaysHidden)
{
    m.CurrentItem = 6;
    ProcessResult(m);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        const RevealOutcome r = revealChemTest(m, 0); // item 13
        EXPECT_EQ(r.resultText, "This is precluded by information that you already have.");
        EXPECT_EQ(m.PrecludedTries, attempt);
        EXPECT_EQ(m.ItemsRevealed[13], kFalse);
    }
    // A test revealed before it became precluded keeps showing its result.
    RevealOutcome r = revealChemTest(m, 5); // item 18, not precluded
    EXPECT_EQ(r.resultText, m.UnkItemTitle[18]);
    m.ItemPrecluded[18] = kTrue;
    r = revealChemTest(m, 5);
    EXPECT_EQ(r.resultText, m.UnkItemTitle[18]);
    EXPECT_EQ(m.PrecludedTries, 2);
}

TEST_F(Reveal, UnsuitableDerivativeCountsOnce)
{
    for (int k = 0; k < 2; ++k) {
        const RevealOutcome r = revealDerivative(m, 8); // item 43, unsuitable
        EXPECT_EQ(r.resultText, m.UnkItemTitle[43]);
    }
    EXPECT_EQ(m.UnsuitableDerivs, 1);
    EXPECT_EQ(m.ItemsRevealed[43], kTrue);
    revealDerivative(m, 9);  // item 44, a good derivative
    revealDerivative(m, 19); // item 53, an unsuitable equivalent
    EXPECT_EQ(m.UnsuitableDerivs, 2);
    EXPECT_EQ(m.CurrentItem, 53);
    m.UnkItemTitle[45] = QStringLiteral("Unsuitable (capital U) does not count");
    revealDerivative(m, 10);
    EXPECT_EQ(m.UnsuitableDerivs, 2);
    EXPECT_EQ(m.ItemPrecluded[13], kFalse) << "a derivative precludes nothing";
}

TEST_F(Reveal, ExplanationOfAPrecludedTest)
{
    m.ItemsRevealed[6] = m.ItemsRevealed[8] = kTrue;
    m.ItemPrecluded[13] = kTrue;
    const QString desc = LoadResString(itemDescriptionResource(13));
    EXPECT_EQ(resultExplanation(m, 13), "This is a test for " + desc
                                            + ".\r\nIt has been precluded by the following 2 items:"
                                              "\r\nInfra red spectrum - no NH or OH present."
                                              "\r\nProton nmr spectrum - no exchangeable proton(s) present.");

    m.ItemsRevealed[8] = kFalse; // a precluding item not revealed is skipped
    EXPECT_TRUE(resultExplanation(m, 13).endsWith("the following item:\r\nInfra red spectrum - no NH or OH present."));
    m.ItemsRevealed[6] = kFalse;
    EXPECT_TRUE(resultExplanation(m, 13).endsWith("It has been precluded by the following item:"));

    m.ItemsRevealed[1] = kTrue;
    m.ItemPrecluded[14] = kTrue;
    EXPECT_TRUE(resultExplanation(m, 14).endsWith("\r\nElemental analysis - no nitrogen present."));

    m.ItemsRevealed[13] = kTrue; // revealed before it was precluded: the plain explanation
    EXPECT_EQ(resultExplanation(m, 13), "This is a test for " + desc + ".\r\n" + m.UnkItemHelp[13]);
}

TEST_F(Reveal, ExplanationsByKindOfItem)
{
    const QString d2 = LoadResString(itemDescriptionResource(2));
    EXPECT_EQ(resultExplanation(m, 2), d2 + ".\r\n" + m.UnkItemHelp[2]);
    EXPECT_EQ(resultExplanation(m, 44), m.UnkItemHelp[44] + " This unknown is of this type.");
    EXPECT_EQ(resultExplanation(m, 43),
              m.UnkItemHelp[43]
                  + " Most likely this unknown is not of this type; alternatively it is of this type "
                    "but this particular unknown is somewhat unusual and does not form this derivative.");
    m.UnkItemTitle[43] = QStringLiteral("Unsuitable.");
    EXPECT_EQ(resultExplanation(m, 43), m.UnkItemHelp[43] + " This unknown is of this type.");
    EXPECT_EQ(resultExplanation(m, 53), m.UnkItemHelp[53] + " This unknown is not of this type.");
    m.UnkItemTitle[54] = QStringLiteral("112");
    EXPECT_EQ(resultExplanation(m, 54), " This unknown is of this type.");
    EXPECT_EQ(resultCaption(2), "Boiling point result");
}

TEST(PrecludeReason, ByTestAndPrecludingItem)
{
    // clang-format off
    const struct {
        int n, p;
        const char* reason;
    } cases[] = {
        {13, 6, " - no NH or OH present."},   {13, 8, " - no exchangeable proton(s) present."}, {13, 1, ""},
        {14, 1, " - no nitrogen present."},   {20, 7, " - no nitrogen present."},
        {15, 6, " - no >C=C< present."},      {27, 8, " - no >C=C< present."},
        {16, 5, " - no >C=C< present."},      {16, 8, " - no exchangeable proton(s) present."}, {16, 1, ""},
        {17, 6, " - no OH present."},         {26, 8, " - no exchangeable proton(s) present."}, {19, 5, ""},
        {18, 5, " - no >C=O present."},       {25, 6, " - no >C=O present."},
        {24, 6, " - no >C=O present or C triple bond N present."},
        {28, 5, " - no -CHO present."},       {31, 8, " - no -CHO proton present."},
        {29, 1, " - no halogen present."},    {30, 7, " - no halogen present."}, {29, 6, ""},
        {21, 6, ""},                          {22, 8, ""},
        {13, 18, " - negative result."},      {21, 25, " - negative result."},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(precludeReason(c.n, c.p), QString::fromLatin1(c.reason)) << c.n << " by " << c.p;
}

TEST(MainStatus, TimeTakenAndCaption)
{
    const double now = 10.5 / 24; // 10:30
    const double start = startTimeFor(now, 75);
    EXPECT_EQ(timeTakenText(start, now), "time taken 01:15:00");
    EXPECT_EQ(timeTakenText(start, now + 7 / 86400.0), "time taken 01:15:07");
    // Past midnight the count goes on instead of turning negative.
    EXPECT_EQ(timeTakenText(23.75 / 24, 0.25 / 24), "time taken 00:30:00");
    // Earlier sessions longer than the time of day: still the minutes used.
    EXPECT_EQ(timeTakenText(startTimeFor(0.5 / 24, 75), 0.5 / 24), "time taken 01:15:00");

    ModOrvan m;
    m.CurrentUnknown = 12;
    m.UnkItemTitle[0] = QStringLiteral("a colourless liquid");
    m.ShowUnknownNumber = kTrue;
    EXPECT_EQ(mainCaptionText(m), "Orvanto assigns you unknown 12, a colourless liquid");
    m.ShowUnknownNumber = kFalse;
    EXPECT_EQ(mainCaptionText(m), "Orvanto assigns you a colourless liquid");
}
