#include "core/coreservices.h"
#include "core/modorvan.h"
#include "core/nextunknown.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "core/userrecord.h"
#include "platform/basic.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"
#include "tests/core/qtprinters.h"

#include <QFile>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

using namespace orv;

namespace {

// The random value that makes GetRandomNum(lo, hi) return n.
double drawOf(int n, int lo, int hi) { return (n - lo + 0.5) / (hi - lo + 1); }
double basicDraw(int n) { return drawOf(n, 1, 20); }
double advancedDraw(int n) { return drawOf(n, 21, 99); }

std::vector<int> range(int lo, int hi, std::set<int> except = {})
{
    std::vector<int> v;
    for (int n = lo; n <= hi; ++n)
        if (!except.count(n))
            v.push_back(n);
    return v;
}

QString listOf(const std::vector<int>& unknowns)
{
    QString s;
    for (int n : unknowns)
        s += QString::number(n).rightJustified(2, u'0');
    return s;
}

// The kinds of simple unknowns: completing one member blocks the group.
const std::vector<std::set<int>> kGroups = {
    {1}, {2}, {10}, {11}, {13}, {3, 4}, {5, 6}, {7, 12}, {8, 9}, {14, 15}, {16, 17, 18}, {19, 20},
};
const std::set<int>& groupOf(int n)
{
    for (const auto& g : kGroups)
        if (g.count(n))
            return g;
    static const std::set<int> none;
    return none;
}

class NextUnknownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitProgram();
        m.ProgramChoosesUnknowns = kTrue;
        m.BasicUnknownsBeforeAdvanced = 3;
        setUnknownAvailability([](int) { return true; });
    }
    void TearDown() override
    {
        orvtest::clearRandom();
        setUnknownAvailability({});
    }

    // Scripts the draws and counts how many were taken.
    void script(std::vector<double> values)
    {
        auto v = std::make_shared<std::vector<double>>(std::move(values));
        draws = std::make_shared<size_t>(0);
        setRandomSource([v, d = draws] { return (*v)[std::min((*d)++, v->size() - 1)]; });
    }
    size_t drawsTaken() const { return draws ? *draws : 0; }

    orvtest::ProgramFolder folder;
    ModOrvan& m = modOrvan;
    std::shared_ptr<size_t> draws;
};

} // namespace

TEST_F(NextUnknownTest, IsUnknownInListComparesWholeEntries)
{
    const struct {
        const char* list;
        int n;
        Boolean expected;
    } cases[] = {
        {"", 7, kFalse},     {"0712", 7, kTrue},  {"0712", 12, kTrue}, {"0712", 71, kFalse},
        {"0712", 1, kFalse}, {"2199", 99, kTrue}, {"071", 1, kFalse},  {"05", 50, kFalse},
    };
    for (const auto& c : cases) {
        m.CompletedUnknowns = QString::fromLatin1(c.list);
        EXPECT_EQ(IsUnknownInList(c.n), c.expected) << "'" << c.list << "' holds " << c.n;
    }
}

TEST_F(NextUnknownTest, TheAllocationListIsConsumedFromTheFront)
{
    m.ProgramChoosesUnknowns = kFalse;
    m.AllocatedUnknowns = QStringLiteral("051299");
    m.CompletedUnknowns = QStringLiteral("05"); // an allocation is taken as it stands
    script({basicDraw(1)});
    for (const auto& [unknown, rest] : std::vector<std::pair<int, QString>>{{5, "1299"}, {12, "99"}, {99, ""}}) {
        ChooseUnknown();
        EXPECT_EQ(m.CurrentUnknown, unknown);
        EXPECT_EQ(m.AllocatedUnknowns, rest);
    }
    EXPECT_EQ(drawsTaken(), 0u) << "no random draw for an allocated unknown";
}

TEST_F(NextUnknownTest, FirstSimpleUnknownIsTheFirstDraw)
{
    for (int n = 1; n <= 20; ++n) {
        m.CompletedUnknowns.clear();
        script({basicDraw(n), basicDraw(1)});
        ChooseUnknown();
        EXPECT_EQ(m.CurrentUnknown, n);
        EXPECT_EQ(drawsTaken(), 1u);
    }
}

TEST_F(NextUnknownTest, APartnerGroupIsNeverBroken)
{
    // Each simple unknown completed on its own: a first draw from its group
    // is rejected (and the next acceptable draw taken), any other accepted.
    for (int done = 1; done <= 20; ++done) {
        const std::set<int>& blocked = groupOf(done);
        const int fallback = blocked.count(2) ? 1 : 2;
        for (int d = 1; d <= 20; ++d) {
            m.CompletedUnknowns = listOf({done});
            script({basicDraw(d), basicDraw(fallback)});
            PickBasicUnknown();
            EXPECT_EQ(m.CurrentUnknown, blocked.count(d) ? fallback : d) << done << " completed, draw " << d;
        }
    }
}

TEST_F(NextUnknownTest, PickersSkipWhatIsDone)
{
    struct Case {
        const char* name;
        QString completed;
        int basicBeforeAdvanced;
        std::vector<double> draws;
        int expected;
    };
    const Case cases[] = {
        {"03 blocks 3 and 4", listOf({3}), 3, {basicDraw(3), basicDraw(4), basicDraw(5)}, 5},
        {"17 blocks 16-18", listOf({17}), 3, {basicDraw(16), basicDraw(18), basicDraw(17), basicDraw(19)}, 19},
        {"07 blocks 12, leaves 8", listOf({7}), 3, {basicDraw(12), basicDraw(8)}, 8},
        {"N reached: advanced", listOf({3, 5, 19}), 3, {advancedDraw(21)}, 21},
        {"advanced done are skipped",
         listOf({3, 5, 19, 21, 22}),
         3,
         {advancedDraw(21), advancedDraw(22), advancedDraw(99)},
         99},
        {"N 0: advanced first", "", 0, {advancedDraw(40)}, 40},
        {"entries count twice", listOf({3, 3}), 2, {advancedDraw(50)}, 50},
        // Ten simple ones done (below N = 15): still one of each kind.
        {"ten done, kinds kept", listOf({1, 3, 5, 7, 8, 10, 11, 13, 14, 16}), 15, {basicDraw(4), basicDraw(20)}, 20},
        // Eleven done: any simple one not done, partners included.
        {"eleven done, any simple",
         listOf({1, 3, 5, 7, 8, 10, 11, 13, 14, 16, 19}),
         15,
         {basicDraw(3), basicDraw(4)},
         4},
        {"basic count ignores advanced", listOf({21, 30, 31, 32, 7}), 3, {basicDraw(12), basicDraw(2)}, 2},
        {"20 counts as simple", listOf({20, 3, 5}), 3, {advancedDraw(60)}, 60},
    };
    for (const Case& c : cases) {
        m.CompletedUnknowns = c.completed;
        m.BasicUnknownsBeforeAdvanced = c.basicBeforeAdvanced;
        script(c.draws);
        ChooseUnknown();
        EXPECT_EQ(m.CurrentUnknown, c.expected) << c.name;
        EXPECT_EQ(drawsTaken(), c.draws.size()) << c.name;
    }
}

TEST_F(NextUnknownTest, CompletedUnknownsAreNeverChosenAgain)
{
    // Real random draws: a student who has done all but two of a range only
    // ever gets those two.
    orvtest::clearRandom();
    auto outcomes = [&](void (*pick)()) {
        std::set<int> seen;
        for (int i = 0; i < 200; ++i) {
            pick();
            seen.insert(m.CurrentUnknown);
        }
        return seen;
    };
    m.CompletedUnknowns = listOf({3, 5, 19}) + listOf(range(21, 99, {42, 77}));
    EXPECT_EQ(outcomes(PickAdvancedUnknown), (std::set<int>{42, 77}));
    m.CompletedUnknowns = listOf(range(1, 20, {4, 18}));
    EXPECT_EQ(outcomes(PickBasicUnknownAny), (std::set<int>{4, 18}));
}

TEST_F(NextUnknownTest, ARangeUsedUpHandsOverInsteadOfDrawingForever)
{
    // Lists the teaching plan never produces (an edited user file): the
    // choice still ends with an unknown not done.
    m.CompletedUnknowns = listOf(range(21, 99));
    script({basicDraw(6)});
    PickAdvancedUnknown();
    EXPECT_EQ(m.CurrentUnknown, 6);

    m.CompletedUnknowns = listOf(range(1, 20));
    script({advancedDraw(33)});
    PickBasicUnknown();
    EXPECT_EQ(m.CurrentUnknown, 33);
}

TEST_F(NextUnknownTest, StartNewUnknownResetsChoosesReadsAndNotesTheTime)
{
    m.ProgramChoosesUnknowns = kFalse;
    m.AllocatedUnknowns = QStringLiteral("1221");
    folder.copyFromSource(QStringLiteral("tests/core/fixtures/ovunk_every_field.txt"),
                          QStringLiteral("unks/ovunk") + UnknownFileCode(12) + QStringLiteral(".txt"));
    m.ItemsRevealed[8] = kTrue;
    m.NameTypingTries = 4;
    m.SessionNumber = 6;
    m.UnkIdentified = kTrue;
    const double before = TimeOfDay();
    ASSERT_TRUE(StartNewUnknown());
    EXPECT_EQ(m.CurrentUnknown, 12);
    EXPECT_EQ(m.AllocatedUnknowns, QStringLiteral("21"));
    EXPECT_EQ(m.ItemsRevealed[8], kFalse);
    EXPECT_EQ(m.NameTypingTries, 0);
    EXPECT_EQ(m.SessionNumber, 1);
    EXPECT_EQ(m.UnkIdentified, kFalse);
    EXPECT_EQ(m.AcceptedNames[1], QStringLiteral("ethyl benzoate"));
    EXPECT_GE(m.StartTime, before);
    EXPECT_LE(m.StartTime, TimeOfDay());
    EXPECT_TRUE(orvtest::msgLog().shown.empty());

    // The next one (21) has no file and is the last: the program does not
    // end, the student leaves through the quit window with the reason.
    QString why;
    EXPECT_FALSE(StartNewUnknown(&why));
    EXPECT_EQ(m.CurrentUnknown, 21);
    EXPECT_EQ(orvtest::programEnds(), 0);
    EXPECT_TRUE(why.startsWith("Error reading file " + unknownFilePath(21))) << why.toStdString();
}

TEST_F(NextUnknownTest, AnnounceUnknownWritesCaptionAndPanels)
{
    std::vector<QString> captions;
    m.mainCaptionSink = [&](const QString& c) { captions.push_back(c); };
    m.UnkItemTitle[0] = QStringLiteral("A colourless liquid ester.");
    m.UnkItemHelp[0] = QStringLiteral("An ester.");
    m.CurrentUnknown = 12;
    m.SessionNumber = 3;
    m.ItemsRevealed[1] = m.ItemsRevealed[2] = kTrue;
    m.ItemHelpShown[0] = kTrue;

    m.ShowUnknownNumber = kTrue;
    AnnounceUnknown();
    EXPECT_EQ(m.MainCaption, QStringLiteral("Orvanto assigns you unknown 12, A colourless liquid ester."));
    EXPECT_EQ(m.StatusPanelText[1], QStringLiteral("2 items revealed"));
    EXPECT_EQ(m.StatusPanelText[2], QStringLiteral("An ester "));
    EXPECT_EQ(m.StatusPanelText[4], QStringLiteral("session 3"));

    m.ShowUnknownNumber = kFalse;
    AnnounceUnknown();
    EXPECT_EQ(m.MainCaption, QStringLiteral("Orvanto assigns you A colourless liquid ester."));

    // All done: the caption stays, the panels are refreshed.
    m.AllUnknownsDone = kTrue;
    m.ShowUnknownNumber = kTrue;
    m.ItemsRevealed[2] = kFalse;
    m.SessionNumber = 4;
    m.StatusPanelText[3] = QStringLiteral("12 minutes");
    AnnounceUnknown();
    EXPECT_EQ(m.MainCaption, QStringLiteral("Orvanto assigns you A colourless liquid ester."));
    EXPECT_EQ(captions.size(), 2u);
    EXPECT_EQ(m.StatusPanelText[1], QStringLiteral("1 item revealed"));
    EXPECT_EQ(m.StatusPanelText[4], QStringLiteral("session 4"));
    EXPECT_EQ(m.StatusPanelText[3], QStringLiteral("12 minutes")) << "the time panel is the main window's";
}

TEST(UnknownAvailability, OnlyUnknownsWithADataFileAreGivenOut)
{
    orvtest::ProgramFolder folder;
    InitProgram();
    auto& m = modOrvan;
    m.ProgramChoosesUnknowns = kTrue;
    m.BasicUnknownsBeforeAdvanced = 3;
    for (int n : {1, 2, 3, 25}) {
        QFile f(unknownFilePath(n));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const struct {
        const char* completed;
        int chosen;
        bool left;
    } cases[] = {
        {"0102", 3, true},      // the only simple unknown with a file
        {"010203", 25, true},   // advanced: the only one shipped
        {"01020325", 0, false}, // nothing left: the choice sets nothing
    };
    for (const auto& c : cases) {
        m.CompletedUnknowns = QString::fromLatin1(c.completed);
        m.CurrentUnknown = 0;
        EXPECT_EQ(AnyUnknownLeft(), c.left) << c.completed;
        ChooseUnknown();
        EXPECT_EQ(m.CurrentUnknown, c.chosen) << c.completed;
    }
}

namespace {

// A student whose allocated unknowns are partly missing or damaged in the
// program folder; the user file is users/lee.ovg.
class UnreadableUnknownTest : public orvtest::StudentFileTest {
protected:
    UnreadableUnknownTest() : StudentFileTest("lee", {7, 12}) {}
    void SetUp() override
    {
        StudentFileTest::SetUp();
        InitProgram();
        damage(33);
        m.UserFilePath = path;
        m.MultipleSessionsAllowed = kTrue;
        m.PasswordRequired = kFalse;
        m.ProgramChoosesUnknowns = kFalse;
        m.CompletedUnknowns = QStringLiteral("03");
        m.UnkResults[1] = {QStringLiteral("10000000000001000000propanone"), QStringLiteral("00114")};
    }
    QString file(int n) const { return folder.unknownFile(n); }
    UserRecord saved() const { return orvtest::userFileRecord(path); }
    void damage(int n) { ASSERT_TRUE(writeFileAtomic(file(n), "Not an unknown\r\n").written()); }
};

} // namespace

TEST_F(UnreadableUnknownTest, NextReadableAllocatedUnknownFollows)
{
    struct Case {
        const char* what;
        int current;
        const char* list;
        int next;
        const char* listAfter;
        QStringList named;
    };
    const Case cases[] = {
        {"missing file", 40, "0712", 7, "1240", {"40"}},
        {"damaged file", 33, "12", 12, "33", {"33"}},
        {"missing, then damaged", 40, "3312", 12, "4033", {"40", "33"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        orvtest::msgLog().shown.clear();
        QFile::remove(path);
        ResetProgress();
        m.MinutesUsed = 12; // minutes alone are no progress
        markStartTime();
        m.CurrentUnknown = c.current;
        m.AllocatedUnknowns = QString::fromLatin1(c.list);
        QString why;
        ASSERT_TRUE(OpenCurrentUnknown(&why));
        EXPECT_EQ(m.CurrentUnknown, c.next);
        EXPECT_EQ(m.AllocatedUnknowns, c.listAfter) << "the unreadable one waits at the end";
        EXPECT_FALSE(m.UnkItemTitle[0].isEmpty()) << "the next unknown's data is read";
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
        const QString told = orvtest::msgLog().lastPrompt();
        EXPECT_TRUE(told.startsWith("Error reading file ")) << told.toStdString();
        for (const QString& n : c.named)
            EXPECT_TRUE(told.contains(file(n.toInt()))) << told.toStdString();
        EXPECT_TRUE(told.contains("Your progress has been saved."));
        EXPECT_EQ(orvtest::programEnds(), 0);
        const UserRecord back = saved();
        EXPECT_EQ(back.progress.CurrentUnknown, c.next);
        EXPECT_EQ(back.allocatedUnknowns, c.listAfter);
        EXPECT_EQ(back.completedUnknowns, "03");
        EXPECT_LE(back.minutes, 1) << "the next unknown's clock starts now";
    }
}

// The save made when an unknown cannot be read asks for the password as any
// save does; closing that window writes nothing, and the student is not told
// that the progress was saved.
TEST_F(UnreadableUnknownTest, TheAutomaticSaveIsNotMadeWithoutTheRequiredPassword)
{
    QStringList asked;
    setPasswordWindows({[&asked](const QString& caption) { asked << caption; }, {}}); // closed at once
    orvtest::msgLog().shown.clear();
    QFile::remove(path);
    ResetProgress();
    m.PasswordRequired = kTrue;
    m.PasswordVerified = kTrue;
    m.Password.clear();
    m.CurrentUnknown = 40;
    m.AllocatedUnknowns = QStringLiteral("0712");
    QString why;
    EXPECT_TRUE(OpenCurrentUnknown(&why));
    setPasswordWindows({});
    EXPECT_EQ(m.CurrentUnknown, 7);
    EXPECT_EQ(asked, QStringList{"Password required for new user"});
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_EQ(orvtest::msgLog().shown.size(), 2u);
    EXPECT_TRUE(orvtest::msgLog().shown[0].prompt.contains("Information not saved."));
    const QString told = orvtest::msgLog().lastPrompt();
    EXPECT_TRUE(told.startsWith("Error reading file ")) << told.toStdString();
    EXPECT_FALSE(told.contains("Your progress has been saved.")) << told.toStdString();
}

TEST_F(UnreadableUnknownTest, NothingReadableLeavesEverythingAsItWas)
{
    struct Case {
        const char* what;
        int current;
        const char* list;
        bool progress;
    };
    const Case cases[] = {
        {"the last allocated unknown is missing", 40, "", false},
        {"every allocated unknown is unreadable", 40, "33", false},
        {"progress on an unknown whose file went missing", 40, "07", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        orvtest::msgLog().shown.clear();
        QFile::remove(path);
        ResetProgress();
        m.CurrentUnknown = c.current;
        m.AllocatedUnknowns = QString::fromLatin1(c.list);
        if (c.progress) {
            m.ItemsRevealed[4] = kTrue;
            m.NameTypingTries = 2;
        }
        QString why;
        EXPECT_FALSE(OpenCurrentUnknown(&why));
        EXPECT_EQ(m.CurrentUnknown, c.current);
        EXPECT_EQ(m.AllocatedUnknowns, c.list);
        EXPECT_TRUE(why.startsWith("Error reading file " + file(c.current))) << why.toStdString();
        EXPECT_TRUE(why.contains("Your progress has been saved.")) << why.toStdString();
        EXPECT_TRUE(orvtest::msgLog().shown.empty()) << "the quit window says it";
        EXPECT_EQ(orvtest::programEnds(), 0);
        const UserRecord back = saved();
        EXPECT_EQ(back.progress.CurrentUnknown, c.current);
        EXPECT_EQ(back.allocatedUnknowns, c.list);
        EXPECT_EQ(back.progress.ItemsRevealed[4], c.progress ? kTrue : kFalse);
    }
}

TEST_F(UnreadableUnknownTest, ProgramChoiceDrawsAgainPastADamagedFile)
{
    m.ProgramChoosesUnknowns = kTrue;
    m.BasicUnknownsBeforeAdvanced = 0; // advanced unknowns only
    setUnknownAvailability([](int n) { return n == 33 || n == 40; });
    damage(40);
    ASSERT_TRUE(folder.shipUnknown(33));
    orvtest::scriptRandom({drawOf(40, 21, 99), drawOf(33, 21, 99)});
    ResetProgress();
    ChooseUnknown();
    ASSERT_EQ(m.CurrentUnknown, 40);
    QString why;
    EXPECT_TRUE(OpenCurrentUnknown(&why));
    EXPECT_EQ(m.CurrentUnknown, 33);
    EXPECT_TRUE(orvtest::msgLog().lastPrompt().contains(file(40)));
    orvtest::clearRandom();
    setUnknownAvailability({});
}
