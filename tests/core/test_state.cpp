#include "core/coreservices.h"
#include "core/modorvan.h"
#include "core/userrecord.h"
#include "tests/common/testsupport.h"

#include <gtest/gtest.h>

using namespace orv;

class StateTest : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    ModOrvan& m = modOrvan;
};

TEST_F(StateTest, InitProgramSetsTheEnvironment)
{
    m.QuitReason = "Save";
    m.Password = "secret";
    m.PasswordVerified = kTrue;
    m.AllocatedUnknowns = "0709"; // the student before, as the start window finds them
    InitProgram();
    EXPECT_TRUE(m.AllocatedUnknowns.isEmpty());
    EXPECT_EQ(m.ProgramPath, folder.path());
    EXPECT_EQ(m.MaxUnknownNumber, 99);
    EXPECT_TRUE(m.QuitReason.isEmpty());
    EXPECT_TRUE(m.Password.isEmpty());
    EXPECT_EQ(m.PasswordVerified, kFalse);
}

// Everything one student leaves in the program, with the settings and the
// environment beside it: the reset takes the one and keeps the other, so the
// state afterwards is the state before the student came, whole.
TEST_F(StateTest, ResetUserRecordLeavesAFirstTimeStudent)
{
    m.MultipleSessionsAllowed = kTrue;
    m.ProgramChoosesUnknowns = kTrue;
    m.ProgramPath = folder.path();
    m.CommandLineUsed = "yes";
    m.NameCount = 2;
    m.UnkItemTitle[0] = "A colourless liquid.";
    m.MainWindowTop = 900;
    ResetUserRecord();
    const ModOrvan beforeTheStudent = m;

    m.UserFilePath = folder.file("users/anna.ovg");
    m.AllocatedUnknowns = "0709";
    m.CurrentUnknown = 5;
    m.ItemsRevealed.fill(kTrue);
    m.ItemHelpShown.fill(kTrue);
    m.ItemPrecluded.fill(kTrue);
    m.PrecludedTries = m.UnsuitableDerivs = m.NameTypingTries = m.StructChooseTries = m.StructGiveTries = 4;
    m.SessionNumber = 6;
    m.MinutesUsed = 75;
    markStartTime();
    m.TimerNow = 0.5;
    m.CompletedUnknowns = "1112";
    m.UnkResults[1] = {"11000000000000000000Ethanol", "00315"};
    m.UnkResults[2] = {"12010000000000000000Acetone", "00209"};
    m.UnkResults[3] = {"stale row", "00101"};
    m.LastUnknownDone = 12;
    m.Password = "annapass";
    m.PasswordCode = QString(46, u'x');
    m.PasswordVerified = kTrue;
    m.CurrentItem = 8;
    m.DataSaved = kTrue;
    m.AllUnknownsDone = kTrue;
    m.UnkIdentified = m.IdentifiedByName = m.ShowReportAfterResign = kTrue;
    m.ExampleMode = kTrue;
    m.QuitReason = "AnotherUser";
    SaveUnknownState();
    m.StatusPanelText[4] = "session 6";
    m.MainCaption = "Orvanto assigns you unknown 5";

    ResetUserRecord();

    EXPECT_EQ(userRecordOf(m), userRecordOf(beforeTheStudent));
    EXPECT_TRUE(m == beforeTheStudent) << "a field of the student's outlives the reset";
}

TEST_F(StateTest, ResetProgressClearsTheUnknownsProgress)
{
    m.ItemsRevealed[5] = kTrue;
    m.ItemHelpShown[0] = kTrue;
    m.ItemPrecluded[0] = kTrue;
    m.ItemPrecluded[20] = kTrue;
    m.PrecludedTries = 3;
    m.NameTypingTries = 98;
    m.MinutesUsed = 40;
    m.UnkIdentified = kTrue;
    m.SessionNumber = 7;
    ResetProgress();
    EXPECT_EQ(m.ItemsRevealed[5], kFalse);
    EXPECT_EQ(m.ItemHelpShown[0], kFalse);
    EXPECT_EQ(m.ItemPrecluded[20], kFalse);
    EXPECT_EQ(m.ItemPrecluded[0], kTrue) << "element 0 is left alone";
    EXPECT_EQ(m.PrecludedTries, 0);
    EXPECT_EQ(m.NameTypingTries, 0);
    EXPECT_EQ(m.MinutesUsed, 0);
    EXPECT_EQ(m.UnkIdentified, kFalse);
    EXPECT_EQ(m.SessionNumber, 1);
}

TEST_F(StateTest, IsNewUser)
{
    EXPECT_EQ(IsNewUser(), kTrue);
    m.ItemsRevealed[0] = kTrue;
    EXPECT_EQ(IsNewUser(), kTrue) << "item 0 is not examined";
    m.ItemsRevealed[54] = kTrue;
    EXPECT_EQ(IsNewUser(), kFalse);
    m.ItemsRevealed[54] = kFalse;
    m.CompletedUnknowns = "07";
    EXPECT_EQ(IsNewUser(), kFalse);
}

TEST_F(StateTest, SaveAndRestoreAroundTheSolvedExample)
{
    m.CurrentUnknown = 12;
    m.ItemsRevealed[8] = kTrue;
    m.ItemHelpShown[0] = kTrue;
    m.ItemPrecluded[14] = kTrue;
    m.PrecludedTries = 2;
    m.UnsuitableDerivs = 1;
    m.NameTypingTries = 3;
    m.StructChooseTries = 4;
    m.StructGiveTries = 5;
    m.SessionNumber = 3;
    m.StatusPanelText[1] = "1 item revealed";
    SaveUnknownState();
    EXPECT_TRUE(m.StatusPanelText[1].isEmpty());
    EXPECT_TRUE(m.StatusPanelText[2].isEmpty());

    // the example's own progress
    m.CurrentUnknown = 0;
    ResetProgress();
    m.ItemsRevealed[1] = kTrue;
    m.PrecludedTries = 9;
    m.SessionNumber = 1;
    m.MinutesUsed = 17;

    RestoreUnknownState();
    EXPECT_EQ(m.CurrentUnknown, 12);
    EXPECT_EQ(m.ItemsRevealed[8], kTrue);
    EXPECT_EQ(m.ItemsRevealed[1], kFalse);
    EXPECT_EQ(m.ItemHelpShown[0], kTrue);
    EXPECT_EQ(m.ItemPrecluded[14], kTrue);
    EXPECT_EQ(m.PrecludedTries, 2);
    EXPECT_EQ(m.UnsuitableDerivs, 1);
    EXPECT_EQ(m.NameTypingTries, 3);
    EXPECT_EQ(m.StructChooseTries, 4);
    EXPECT_EQ(m.StructGiveTries, 5);
    EXPECT_EQ(m.SessionNumber, 1) << "session and minutes keep the example's values";
    EXPECT_EQ(m.MinutesUsed, 17);
}

namespace {
// Every field of the progress away from its fresh value, the flag arrays in
// a different pattern each (element 0 and the last element set in all), so
// that a field, an element or an array mixed up shows.
UnknownProgress everyFieldSet()
{
    UnknownProgress p;
    p.CurrentUnknown = 37;
    for (int k = 0; k <= kLastItem; ++k) {
        p.ItemsRevealed[k] = vb(k % 3 != 2);
        p.ItemHelpShown[k] = vb(k % 4 != 3);
    }
    for (int k = 0; k <= kLastPrecludable; ++k)
        p.ItemPrecluded[k] = vb(k % 5 != 3);
    p.PrecludedTries = 11;
    p.UnsuitableDerivs = 12;
    p.NameTypingTries = 13;
    p.StructChooseTries = 14;
    p.StructGiveTries = 15;
    return p;
}
} // namespace

TEST_F(StateTest, SaveAndRestoreKeepEveryFieldOfTheProgress)
{
    const UnknownProgress real = everyFieldSet();
    m.progress() = real;
    SaveUnknownState();
    // The example: a fresh unknown 0, worked on.
    m.CurrentUnknown = 0;
    ResetProgress();
    m.ItemPrecluded.fill(kFalse);
    m.ItemsRevealed[7] = kTrue;
    m.NameTypingTries = 1;
    RestoreUnknownState();
    EXPECT_TRUE(m.progress() == real) << "a field of the real unknown's progress is lost across the example";
}

// Through the user file and back into the state: everything the file stores
// comes back, the session's count of unsuitable derivatives does not.
TEST_F(StateTest, TheUserFileKeepsEveryStoredFieldOfTheProgress)
{
    m.progress() = everyFieldSet();
    const UserRecord written = userRecordOf(m);
    int draws = 0;
    const UserFileContents read = parseUserFileLine(
        userFileLine(written, {}, [&](int lo, int hi) { return lo + draws++ % (hi - lo + 1); }));
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ResetUserRecord();
    applyUserRecord(read.record, m);

    UnknownProgress expected = everyFieldSet();
    expected.ItemsRevealed[0] = expected.ItemPrecluded[0] = kFalse; // no item's flags
    expected.UnsuitableDerivs = 0;
    EXPECT_TRUE(m.progress() == expected) << "a stored field of the progress is lost in the user file";
}

TEST_F(StateTest, StatusBarTexts)
{
    std::vector<std::pair<int, QString>> seen;
    m.statusBarSink = [&](int p, const QString& t) { seen.push_back({p, t}); };
    m.StatusPanelText[1] = "stale";
    UpdateStatusBar(1);
    EXPECT_EQ(m.StatusPanelText[1], "");
    m.ItemsRevealed[3] = kTrue;
    UpdateStatusBar(1);
    EXPECT_EQ(m.StatusPanelText[1], "1 item revealed");
    m.ItemsRevealed[40] = kTrue;
    UpdateStatusBar(1);
    EXPECT_EQ(m.StatusPanelText[1], "2 items revealed");

    m.UnkItemHelp[0] = "An aliphatic ketone.";
    m.StatusPanelText[2] = "old text";
    UpdateStatusBar(2);
    EXPECT_EQ(m.StatusPanelText[2], "") << "help not shown yet clears the panel";
    m.ItemHelpShown[0] = kTrue;
    UpdateStatusBar(2);
    EXPECT_EQ(m.StatusPanelText[2], "An aliphatic ketone ");

    m.SessionNumber = 12;
    UpdateStatusBar(4);
    EXPECT_EQ(m.StatusPanelText[4], "session 12");

    m.StatusPanelText[3] = "0:05";
    const size_t before = seen.size();
    UpdateStatusBar(3);
    EXPECT_EQ(m.StatusPanelText[3], "0:05");
    EXPECT_EQ(seen.size(), before) << "panel 3 belongs to the main window's timer";
    m.statusBarSink = nullptr;
}

TEST_F(StateTest, RandomNumbersStayInRange)
{
    const struct {
        int lo, hi;
    } ranges[] = {{0, 9}, {1, 9}, {0, 4}, {5, 9}, {1, 10}};
    for (const auto& r : ranges) {
        orvtest::scriptRandom({0.9999999});
        EXPECT_EQ(GetRandomNum(r.lo, r.hi), r.hi);
        orvtest::scriptRandom({0.0});
        EXPECT_EQ(GetRandomNum(r.lo, r.hi), r.lo);
    }
    orvtest::clearRandom();
    for (int i = 0; i < 2000; ++i) {
        const int v = GetRandomNum(0, 9);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 9);
    }
}

TEST_F(StateTest, SoundChoice)
{
    m.SoundOn = kFalse;
    EXPECT_EQ(PlayResourceSound("Sound").id, 2);
    m.SoundOn = kTrue;
    EXPECT_EQ(PlayResourceSound("Sound").id, 1);
    orvtest::scriptRandom({0.95});
    auto good = PlayResourceSound("Good");
    EXPECT_EQ(good.type, "WAVGD");
    EXPECT_EQ(good.id, 10);
    EXPECT_EQ(PlayResourceSound("Work").id, 101);
    EXPECT_EQ(PlayResourceSound("Other").id, 0);
    orvtest::clearRandom();
    EXPECT_EQ(PaletteColour(0x80FFFF), 0x280FFFFu);
    EXPECT_EQ(PaletteColour(PaletteColour(0xC0C0C0)), PaletteColour(0xC0C0C0));
}
