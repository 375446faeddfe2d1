#include "core/forms/registercore.h"
#include "core/forms/welcomewindows.h"
#include "core/modorvan.h"
#include "core/welcometexts.h"
#include "platform/forms/formregistry.h"
#include "tests/common/testsupport.h"

#include <QTextEdit>
#include <gtest/gtest.h>

using namespace orv;

namespace {
ModOrvan returningStudent()
{
    ModOrvan m;
    m.MultipleSessionsAllowed = kTrue;
    m.ShowUnknownNumber = kTrue;
    m.CurrentUnknown = 14;
    m.UnkItemTitle[0] = "A colourless liquid.";
    m.UnkItemHelp[0] = "an aliphatic ketone.";
    m.SessionNumber = 2;
    m.MinutesUsed = 1;
    return m;
}
}

TEST(WelcomeTexts, NewUserNamesTheUnknownOnlyWhenAllowed)
{
    ModOrvan m = returningStudent();
    QString t = newUserText(m);
    EXPECT_TRUE(t.startsWith("Welcome and special greetings."));
    EXPECT_TRUE(t.contains("compound (unknown 14, A colourless liquid). Your challenge"));
    EXPECT_TRUE(t.contains("\r\n" + QString(39, ' ') + "How to use Orvanto"));
    EXPECT_TRUE(t.endsWith("offer you some guidance."));
    m.ShowUnknownNumber = kFalse;
    t = newUserText(m);
    EXPECT_TRUE(t.contains("compound (A colourless liquid). "));
    EXPECT_FALSE(t.contains("14"));
}

TEST(WelcomeTexts, ReturningUserCountsAndPlurals)
{
    const struct {
        int revealed;
        long minutes;
        const char* counts;
        bool reminder;
    } cases[] = {
        {0, 0, "You have so far viewed 0 items and taken 0 minutes.", false},
        {1, 1, "You have so far viewed 1 item and taken 1 minute.", false},
        {2, 5, "You have so far viewed 2 items and taken 5 minutes.", true},
    };
    for (const auto& c : cases) {
        ModOrvan m = returningStudent();
        for (int k = 0; k < c.revealed; ++k)
            m.ItemsRevealed[13 + k] = kTrue;
        m.MinutesUsed = c.minutes;
        const QString t = oldUserText(m, 3, 1, 1);
        EXPECT_TRUE(t.startsWith("Glad that you are back.\r\n\r\n"));
        EXPECT_TRUE(t.contains(QString::fromLatin1(c.counts) + " This is session 2.")) << c.counts;
        EXPECT_EQ(t.contains("(Reminder: you can review these items"), c.reminder) << c.counts;
    }
}

TEST(WelcomeTexts, PraiseByCompletedUnknowns)
{
    const struct {
        const char* completed;
        const char* ending;
    } cases[] = {
        {"07", "To date you have already completed 1 unknown. Well done - keep up the good work."},
        {"0712", "To date you have already completed 2 unknowns. Well done - keep up the good work."},
        {"071233", "To date you have already completed 3 unknowns. Excellent work."},
    };
    for (const auto& c : cases) {
        ModOrvan m = returningStudent();
        m.CompletedUnknowns = QString::fromLatin1(c.completed);
        EXPECT_TRUE(oldUserText(m, 1, 1, 1).endsWith(QString::fromLatin1(c.ending))) << c.completed;
    }
}

TEST(WelcomeTexts, FirstUnknownEncouragementAndReminders)
{
    ModOrvan m = returningStudent();
    m.ItemHelpShown[0] = kTrue;
    m.ItemHelpAllowed = kTrue;
    m.UnknownHelpAllowed = kTrue;
    QString t = oldUserText(m, 6, 5, 4);
    EXPECT_TRUE(t.startsWith("Pleased to see you again."));
    EXPECT_TRUE(t.contains("It is unknown 14, A colourless liquid and it has already been revealed that it is "
                           "an aliphatic ketone."));
    EXPECT_TRUE(t.endsWith("This is your first unknown. Persevere and be victorious. (Reminder: you can get help "
                           "about each item and help about the unknown by using the Help menu item 'Help with "
                           "this unknown')."));
    m.ItemHelpAllowed = kFalse;
    m.UnknownHelpAllowed = kFalse;
    EXPECT_TRUE(oldUserText(m, 1, 2, 3).endsWith("This is your first unknown. Stick at it and succeed. "));
    m.ShowUnknownNumber = kFalse;
    EXPECT_FALSE(oldUserText(m, 1, 2, 3).contains("unknown 14"));
}

TEST(WelcomeTexts, SavingNotAllowedSpeaksOfAnotherUnknown)
{
    ModOrvan m = returningStudent();
    m.MultipleSessionsAllowed = kFalse;
    const QString t = oldUserText(m, 2, 1, 1);
    EXPECT_EQ(t, "Hello once more.\r\n\r\nOrvanto has already assigned you another unknown organic compound "
                 "(unknown number 14, A colourless liquid). Your ongoing challenge is to identify it. Use the "
                 "program's menu items to again get information about this unknown.\r\n\r\nGood luck and happy "
                 "identifying!");
}

TEST(TipsWindow, NeverRepeatsATipAndPicturesStopAtSix)
{
    orvtest::ProgramFolder folder;
    registerCoreForms();
    orvtest::scriptRandom({0.5, 0.5, 0.5, 0.1});
    auto* tips = qobject_cast<frmTips*>(forms::load(forms::names::frmTips));
    ASSERT_TRUE(tips);
    EXPECT_EQ(tips->tipShown(), 16);
    EXPECT_EQ(tips->pictureShown(), 1);
    EXPECT_TRUE(tips->txtTips->toPlainText().startsWith("Did you know...\n\n"));
    tips->cmdTipsNext_Click(); // draws 16 twice more, then 4
    EXPECT_EQ(tips->tipShown(), 4);
    EXPECT_TRUE(tips->txtTips->toPlainText().contains("odd number of nitrogen atoms"));
    orvtest::clearRandom();
    for (int i = 0; i < 40; ++i) {
        const int before = tips->tipShown();
        tips->cmdTipsNext_Click();
        ASSERT_NE(tips->tipShown(), before);
        ASSERT_GE(tips->tipShown(), 1);
        ASSERT_LE(tips->tipShown(), 30);
    }
    EXPECT_EQ(tips->pictureShown(), 6);
    forms::unload(tips);
}
