// The Help menu's actions over a real unknown: topics opened in the help
// viewer, the solved example with the real unknown set aside, and the two
// text answers in the help text window.
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "mainwindow/forms/frmHelp.h"
#include "mainwindow/forms/helpmenu.h"
#include "mainwindow/helpactions.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/helpviewer.h"
#include "tests/helpwin/helpwinfixture.h"

#include <QAction>
#include <QPushButton>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace orv;

namespace {

class HelpMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        helpwintest::registerWindows();
        m.CurrentUnknown = 1;
        ASSERT_TRUE(ReadUnknownFile());
        m.MultipleSessionsAllowed = m.ResignAllowed = kTrue;
        m.TestsAllowed = m.AnySpectrumAllowed = kTrue;
        m.QuitReason = QStringLiteral("Save");
        m.SessionNumber = 3;
        m.ItemsRevealed[1] = m.ItemsRevealed[6] = kTrue;
        m.ItemHelpShown[6] = kTrue;
        m.ItemPrecluded[13] = kTrue;
        m.NameTypingTries = 2;
        main = forms::instance<helpwintest::frmOVMain>();
        forms::showModeless(main);
    }
    void TearDown() override
    {
        delete currentHelpViewer();
        helpwintest::unloadEverything();
    }
    bool visible(const char* entry) const { return main->entry(entry)->isVisible(); }
    int shownTopic() const { return currentHelpViewer() ? currentHelpViewer()->topic() : 0; }

    helpwintest::Folder folder{0, 1};
    ModOrvan& m = modOrvan;
    helpwintest::frmOVMain* main = nullptr;
};

} // namespace

TEST_F(HelpMenuTest, TopicEntriesOpenTheHelpViewer)
{
    struct Case {
        const char* entry;
        int index;
        int topic;
    };
    // clang-format off
    const Case cases[]{
        {"mnuHelpGroup1", 0, 0 /* the contents */}, {"mnuHelpGroup1", 1, 707}, {"mnuHelpGroup1", 2, 733},
        {"mnuHelpGroup2", 0, 730}, {"mnuHelpGroup2", 1, 100}, {"mnuHelpGroup2", 2, 200},
        {"mnuHelpTables", 0, 545}, {"mnuHelpTables", 7, 535}, {"mnuHelpTables", 17, 585},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_TRUE(helpMenuClick(c.entry, c.index)) << c.entry << c.index;
        ASSERT_TRUE(currentHelpViewer()) << c.entry << " " << c.index;
        EXPECT_EQ(currentHelpViewer()->showingContents(), c.topic == 0) << c.entry << " " << c.index;
        EXPECT_EQ(shownTopic(), c.topic) << c.entry << " " << c.index;
    }
    // Separators do nothing: the viewer keeps its topic.
    for (auto [entry, index] : {std::pair{"mnuHelpGroup1", 3}, {"mnuHelpGroup2", 3}, {"mnuHelpGroup3", 1}}) {
        EXPECT_TRUE(helpMenuClick(entry, index)) << entry;
        EXPECT_EQ(shownTopic(), 585) << entry;
    }
    EXPECT_FALSE(helpMenuClick("mnuFile", 0)) << "not a Help entry";
    EXPECT_EQ(currentHelpViewer()->shownTitle(), "Table of compounds: Phenols")
        << "the tables open the program's own help file";
}

TEST_F(HelpMenuTest, SolvedExampleSetsTheRealUnknownAside)
{
    const QString realTitle = m.UnkItemTitle[0];
    EXPECT_TRUE(helpMenuClick("mnuHelpGroup4", 0));

    EXPECT_TRUE(isTrue(m.ExampleMode));
    EXPECT_EQ(m.CurrentUnknown, 0);
    EXPECT_EQ(m.UnkItemTitle[0], "a colourless liquid with a pleasant fruity smell.");
    EXPECT_EQ(m.MainCaption, "Orvanto's worked example is a colourless liquid with a pleasant fruity smell.");
    EXPECT_EQ(shownTopic(), kSolvedExampleTopic);
    EXPECT_EQ(currentHelpViewer()->shownTitle(), "The solved example: how the unknown was identified");
    // The example starts from nothing; the real unknown's progress is kept aside.
    EXPECT_FALSE(isTrue(m.ItemsRevealed[1]));
    EXPECT_FALSE(isTrue(m.ItemPrecluded[13]));
    EXPECT_EQ(m.NameTypingTries, 0);
    EXPECT_EQ(m.SavedProgress.CurrentUnknown, 1);
    EXPECT_TRUE(isTrue(m.SavedProgress.ItemsRevealed[6]));
    EXPECT_TRUE(isTrue(m.SavedProgress.ItemHelpShown[6]));
    EXPECT_EQ(m.SavedProgress.NameTypingTries, 2);
    EXPECT_EQ(m.SessionNumber, 3) << "the example runs inside the student's session";
    EXPECT_TRUE(m.StatusPanelText[1].isEmpty());
    EXPECT_TRUE(m.StatusPanelText[2].isEmpty());
    // Nothing can be saved meanwhile, and leaving does not store the example.
    EXPECT_FALSE(visible("mnuSaveCont"));
    EXPECT_FALSE(visible("mnuSaveNext"));
    EXPECT_FALSE(visible("mnuSaveQuit"));
    EXPECT_TRUE(visible("mnuNextUser"));
    EXPECT_TRUE(visible("mnuExit"));
    EXPECT_FALSE(visible("mnuNameItem3"));
    EXPECT_EQ(m.QuitReason, "NoSave");
    EXPECT_NE(realTitle, m.UnkItemTitle[0]);
}

TEST_F(HelpMenuTest, ChoosingTheExampleAgainKeepsTheFirstSavedState)
{
    helpMenuClick("mnuHelpGroup4", 0);
    m.ItemsRevealed[2] = kTrue; // work on the example
    m.NameTypingTries = 5;
    main->entry("mnuNameItem3")->setVisible(true); // would stay as the first choice left it
    helpMenuClick("mnuHelpGroup4", 0);
    EXPECT_FALSE(isTrue(m.ItemsRevealed[2])) << "the example restarts from an empty state";
    EXPECT_EQ(m.NameTypingTries, 0);
    EXPECT_EQ(m.SavedProgress.CurrentUnknown, 1);
    EXPECT_TRUE(isTrue(m.SavedProgress.ItemsRevealed[1]));
    EXPECT_FALSE(isTrue(m.SavedProgress.ItemsRevealed[2]));
    EXPECT_EQ(m.SavedProgress.NameTypingTries, 2);
    EXPECT_TRUE(visible("mnuNameItem3")) << "the menu changes are made once";
    EXPECT_EQ(m.QuitReason, "NoSave");
}

TEST_F(HelpMenuTest, ResignStaysWhenResigningIsNotAllowed)
{
    m.ResignAllowed = kFalse;
    helpMenuClick("mnuHelpGroup4", 0);
    EXPECT_TRUE(visible("mnuNameItem3"));
}

TEST(SolvedExample, QuitReasonComesBackAfterTheExample)
{
    struct Case {
        const char* name;
        bool sessions, instructor;
        const char* during; // as the example's start left it
        const char* after;
    };
    const Case cases[]{
        {"saving student", true, false, "NoSave", "Save"},
        {"one session only", false, false, "NoSave", "NoSave"},
        {"instructor", true, true, "NoSave", "NoSave"},
        {"leaving already chosen", true, false, "QuitNow", "QuitNow"},
    };
    for (const Case& c : cases) {
        ModOrvan s;
        s.MultipleSessionsAllowed = vb(c.sessions);
        s.InstructorMode = vb(c.instructor);
        s.QuitReason = c.during;
        restoreQuitReasonAfterExample(s);
        EXPECT_EQ(s.QuitReason, c.after) << c.name;
    }
}

TEST_F(HelpMenuTest, MissingExampleFileEndsTheProgram)
{
    QFile::remove(unknownFilePath(0));
    helpMenuClick("mnuHelpGroup4", 0);
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_TRUE(orvtest::msgLog().lastPrompt().startsWith("Error reading file "))
        << orvtest::msgLog().lastPrompt().toStdString();
    EXPECT_EQ(orvtest::programEnds(), 1);
    EXPECT_NE(shownTopic(), kSolvedExampleTopic);
}

TEST_F(HelpMenuTest, TextAnswersShowInTheHelpWindow)
{
    struct Case {
        int index;
        const char* caption;
        const char* begins;
    };
    const Case cases[]{
        {0, "Orvanto items revealed about current unknown", "The compound is "},
        {1, "Orvanto help for current unknown", "You have only looked at 2 items."},
    };
    for (const Case& c : cases) {
        QString caption, text;
        orvtest::later([&] {
            if (auto* w = forms::loaded<frmHelp>()) {
                caption = w->windowTitle();
                text = w->txtHelp->toPlainText();
                w->cmdHelpOk->click();
            }
        });
        EXPECT_TRUE(helpMenuClick("mnuHelpGroup5", c.index));
        EXPECT_EQ(caption, c.caption);
        EXPECT_TRUE(text.startsWith(c.begins)) << text.toStdString();
        EXPECT_FALSE(text.contains('\r')) << "line breaks arrive as the text box's own";
    }
    EXPECT_FALSE(isTrue(m.ItemHelpShown[0])) << "two items are not enough for the class help";
}
