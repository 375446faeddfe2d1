// The report's texts, the 20-digit result line and where it is stored.
#include "core/coreservices.h"
#include "mainwindow/progressreport.h"
#include "platform/resources.h"
#include "tests/ident/identfixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace orv;
using identtest::kCrLf;

namespace {

const QDateTime kWhen(QDate(2026, 12, 10), QTime(14, 5, 9));

// A student who used a fair amount: 2 physical properties, 4 spectra,
// 3 tests, 1 derivative, help with the unknown and with 2 items, one
// precluded item.
void typicalWork()
{
    auto& m = modOrvan;
    identtest::reveal({1, 2, 5, 6, 7, 8, 13, 14, 15, 35});
    m.ItemHelpShown[0] = m.ItemHelpShown[5] = m.ItemHelpShown[6] = kTrue;
    m.PrecludedTries = 1;
}

QString join(std::initializer_list<const char*> fields)
{
    QString s;
    for (const char* f : fields)
        s += QString::fromLatin1(f);
    return s;
}

} // namespace

TEST(ResultLine, DigitsForEachWayOfFinishing)
{
    // Fields: phys, spectra, tests, derivs, help0, helpItems, precluded, unsuitable,
    //         method, name tries, choose tries, give tries.
    // clang-format off
    const struct {
        const char* what;
        std::function<void()> state;
        QString digits;
    } cases[] = {
        {"typed right at once",
         [] { typicalWork(); modOrvan.UnkIdentified = modOrvan.IdentifiedByName = kTrue; modOrvan.NameTypingTries = 1; },
         join({"2", "4", "03", "01", "1", "02", "01", "00", "1", "01", "00", "00"})},
        {"resigned after two wrong names",
         [] { typicalWork(); modOrvan.UnkIdentified = modOrvan.ShowReportAfterResign = kTrue; modOrvan.NameTypingTries = 2; },
         join({"2", "4", "03", "01", "1", "02", "01", "00", "0", "02", "00", "00"})},
        {"structure chosen at the second try after three names",
         [] { modOrvan.UnkIdentified = modOrvan.IdentifiedByChoosing = kTrue; modOrvan.NameTypingTries = 3; modOrvan.StructChooseTries = 2; },
         join({"0", "0", "00", "00", "0", "00", "00", "00", "2", "03", "02", "00"})},
        {"structure given at the twelfth try, unsuitable derivatives",
         [] {
             identtest::reveal({35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 53, 54});
             modOrvan.UnsuitableDerivs = 11;
             modOrvan.UnkIdentified = modOrvan.IdentifiedByGiving = kTrue;
             modOrvan.StructGiveTries = 12;
         },
         join({"0", "0", "00", "14", "0", "00", "00", "11", "3", "00", "00", "12"})},
        {"everything revealed, counters at their limit",
         [] {
             for (int k = 1; k <= 54; ++k)
                 if ((k >= 1 && k <= 9) || (k >= 13 && k <= 31) || k >= 35)   // the items in use
                     modOrvan.ItemsRevealed[k] = modOrvan.ItemHelpShown[k] = kTrue;
             modOrvan.UnkIdentified = modOrvan.IdentifiedByName = kTrue;
             modOrvan.NameTypingTries = modOrvan.StructChooseTries = modOrvan.StructGiveTries = 98;
             modOrvan.PrecludedTries = 99;
         },
         join({"4", "5", "19", "20", "0", "48", "99", "00", "1", "98", "98", "98"})},
    };
    // clang-format on
    for (const auto& c : cases) {
        identtest::Unknown7 u;
        c.state();
        const ReportOutcome r = makeReport(QStringLiteral("Great"), kWhen);
        EXPECT_EQ(r.digitPart, c.digits) << c.what;
        EXPECT_EQ(r.resultLine, c.digits + QStringLiteral("ethanol")) << c.what;
        EXPECT_FALSE(r.errorReported) << c.what;
        EXPECT_EQ(modOrvan.CompletedUnknowns, QStringLiteral("0307")) << c.what;
        EXPECT_EQ(modOrvan.UnkResults[2].resultLine, r.resultLine) << c.what;
        EXPECT_EQ(modOrvan.UnkResults[2].sessionTime, QStringLiteral("0013")) << c.what;
        EXPECT_EQ(modOrvan.UnkResults[1].resultLine, QStringLiteral("10000000000001000000propanone")) << c.what;
        EXPECT_EQ(modOrvan.LastUnknownDone, 7) << c.what;
    }
}

TEST(ResultLine, ACountTooLargeForItsFieldIsHeldAt99AndReported)
{
    identtest::Unknown7 u;
    modOrvan.UserFilePath = QStringLiteral("/home/s/student1.ovg");
    modOrvan.PrecludedTries = 100;
    modOrvan.UnsuitableDerivs = 120;
    modOrvan.UnkIdentified = modOrvan.IdentifiedByName = kTrue;
    modOrvan.NameTypingTries = 1;
    const ReportOutcome r = makeReport(QStringLiteral("Great"), kWhen);
    EXPECT_TRUE(r.errorReported);
    EXPECT_EQ(r.digitPart, join({"0", "0", "00", "00", "0", "00", "100", "120", "1", "01", "00", "00"}));
    EXPECT_EQ(r.resultLine, join({"0", "0", "00", "00", "0", "00", "99", "99", "1", "01", "00", "00", "ethanol"}));
    EXPECT_EQ(modOrvan.UnkResults[2].resultLine, r.resultLine);
    EXPECT_TRUE(QFile::exists(u.folder.file(QStringLiteral("users/student1.err"))));
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
}

TEST(ProgressReport, TextOfARightNameAtTheFirstAttempt)
{
    identtest::Unknown7 u;
    typicalWork();
    modOrvan.UnkIdentified = modOrvan.IdentifiedByName = kTrue;
    modOrvan.NameTypingTries = 1;
    const ReportOutcome r = makeReport(QStringLiteral("Congratulations"), kWhen);
    // clang-format off
    EXPECT_EQ(r.text, QStringLiteral("Congratulations, this is correct.") + kCrLf
                          + QStringLiteral("You obtained 10 items of information.") + kCrLf
                          + QStringLiteral("   4 spectra") + kCrLf
                          + QStringLiteral("   2 other physical properties") + kCrLf
                          + QStringLiteral("   3 chemical tests") + kCrLf
                          + QStringLiteral("   1 derivative") + kCrLf
                          + QStringLiteral("Help was obtained with identifying the compound.") + kCrLf
                          + QStringLiteral("You also obtained help for 2 items.") + kCrLf
                          + QStringLiteral("1 precluded item was attempted.") + kCrLf
                          + QStringLiteral("Identification was by typing name.") + kCrLf
                          + QStringLiteral("Completed in 3 minutes during 1 session.") + kCrLf + kCrLf
                          + QStringLiteral("*****  Another unknown now awaits your attention.  *****"));
    // clang-format on
    EXPECT_EQ(r.lineCount, 13);
    EXPECT_EQ(modOrvan.MinutesUsed, 3);
    EXPECT_TRUE(r.anotherUnknownLeft);
}

TEST(ProgressReport, TextOfAResignationAfterTwoWrongNames)
{
    identtest::Unknown7 u;
    auto& m = modOrvan;
    m.TestsAllowed = m.DerivsAllowed = kFalse;
    identtest::reveal({5, 36});
    m.ItemHelpShown[7] = kTrue;
    m.ItemHelpAllowed = kFalse;
    m.UnsuitableDerivs = 1;
    m.PrecludedTries = 2; // not mentioned without tests
    m.UnkIdentified = m.ShowReportAfterResign = kTrue;
    m.NameTypingTries = 2;
    m.StructGiveTries = 1;
    m.SessionNumber = 3;
    m.TimerNow = identtest::clock(10, 0, 20);
    const ReportOutcome r = makeReport(QString(), kWhen);
    // clang-format off
    EXPECT_EQ(r.text, QStringLiteral("Sorry that you could not identify the unknown. It was ethanol.") + kCrLf
                          + QStringLiteral("You obtained 1 item of information.") + kCrLf
                          + QStringLiteral("   1 spectrum") + kCrLf
                          + QStringLiteral("   0 other physical properties") + kCrLf
                          + QStringLiteral("1 attempt at an unsuitable derivative was made.") + kCrLf
                          + QStringLiteral("2 unsuccessful attempts at identification by typing the name were made.") + kCrLf
                          + QStringLiteral("1 unsuccessful attempt at identification by giving a structure was made.") + kCrLf
                          + QStringLiteral("Completed in 1 minute during 3 sessions.") + kCrLf + kCrLf
                          + QStringLiteral("*****  Another unknown now awaits your attention.  *****"));
    // clang-format on
    // verdict 1, four lines, the (absent) method line 1, two attempt lines 2 each,
    // minutes 1, closing 2.
    EXPECT_EQ(r.lineCount, 1 + 4 + 1 + 4 + 1 + 2);
    EXPECT_EQ(r.digitPart.mid(13, 1), QStringLiteral("0"));
    EXPECT_EQ(r.digitPart.mid(14, 2), QStringLiteral("02"));
    EXPECT_EQ(m.UnkResults[2].sessionTime, QStringLiteral("0031"));
}

TEST(ProgressReport, SessionTimeField)
{
    EXPECT_EQ(sessionTimeField(1, 12), QStringLiteral("00112"));
    EXPECT_EQ(sessionTimeField(12, 5), QStringLiteral("0125"));
    EXPECT_EQ(sessionTimeField(123, 1), QStringLiteral("1231"));
}

TEST(ProgressReport, WrongAnswerTextsAndSounds)
{
    identtest::Unknown7 u;
    auto& m = modOrvan;
    const QString base =
        QStringLiteral("Sadly that is false. Please keep trying.") + kCrLf + kCrLf
        + QStringLiteral(
            "Perhaps you should review the information that you already have and/or obtain some more data.");
    EXPECT_EQ(wrongAnswerText(wording(Wording::Opening, 4), wording(Wording::Verdict, 7)), base);
    m.UnknownHelpAllowed = kTrue;
    EXPECT_EQ(wrongAnswerText(QStringLiteral("Sadly"), QStringLiteral("false")),
              base + kCrLf + kCrLf + QStringLiteral("Try the menu item \"Help with this unknown\" for some ideas."));
    m.ItemHelpShown[0] = kTrue;
    EXPECT_EQ(
        wrongAnswerText(QStringLiteral("Sadly"), QStringLiteral("false")),
        base + QStringLiteral(" Looking again at the menu item \"Help with this unknown\" might also be worthwhile."));

    orvtest::scriptRandom({0.0, 0.99, 0.5});
    EXPECT_EQ(randomWording(Wording::Praise), QStringLiteral("Congratulations"));
    EXPECT_EQ(randomWording(Wording::Opening), QStringLiteral("Sorry to say"));
    EXPECT_EQ(randomWording(Wording::Verdict), QStringLiteral("mistaken"));

    // clang-format off
    const struct { Boolean sound, example, identified, resigned; const char* kind; } sounds[] = {
        {kTrue, kFalse, kFalse, kFalse, "Bad"},  {kTrue, kFalse, kTrue, kFalse, "Good"},
        {kTrue, kFalse, kTrue, kTrue, ""},       {kFalse, kFalse, kTrue, kFalse, ""},
        {kTrue, kTrue, kTrue, kFalse, ""},       {kTrue, kTrue, kFalse, kFalse, ""},
    };
    // clang-format on
    for (const auto& s : sounds) {
        m.SoundOn = s.sound;
        m.ExampleMode = s.example;
        m.UnkIdentified = s.identified;
        m.ShowReportAfterResign = s.resigned;
        EXPECT_EQ(reportSoundKind(), QString::fromLatin1(s.kind)) << s.sound << s.example << s.identified << s.resigned;
    }
}

TEST(ProgressReport, TheProgramsChoiceEndsAfterItsLastUnknown)
{
    identtest::Unknown7 u;
    auto& m = modOrvan;
    m.ProgramChoosesUnknowns = kTrue;
    m.BasicUnknownsBeforeAdvanced = 3;
    m.CompletedUnknowns.clear();
    for (int k = 1; k <= 81; ++k)
        m.CompletedUnknowns += QStringLiteral("%1").arg(k + 10 > 99 ? k : k + 10, 2, 10, QLatin1Char('0'));
    m.UnkIdentified = m.IdentifiedByName = kTrue;
    m.NameTypingTries = 1;
    const ReportOutcome r = makeReport(QStringLiteral("Great"), kWhen);
    EXPECT_FALSE(r.anotherUnknownLeft);
    EXPECT_TRUE(r.text.endsWith(
        kCrLf + kCrLf + QStringLiteral("All of the available unknowns have been identified. A splendid effort.")));
    EXPECT_EQ(continueAfterReport(r.anotherUnknownLeft), ReportNext::AllDone);
    EXPECT_EQ(m.AllUnknownsDone, kTrue);
    EXPECT_EQ(m.CurrentUnknown, 0);
    EXPECT_EQ(m.UnkIdentified, kFalse);
}

TEST(ProgressReport, InstructorsListEndsWhenNothingIsAllocated)
{
    identtest::Unknown7 u;
    modOrvan.AllocatedUnknowns.clear();
    modOrvan.UnkIdentified = modOrvan.IdentifiedByName = kTrue;
    EXPECT_FALSE(makeReport(QStringLiteral("Great"), kWhen).anotherUnknownLeft);
}

TEST(ProgressReport, The99thCompletedUnknownIsTheLastRecorded)
{
    identtest::Unknown7 u;
    auto& m = modOrvan;
    m.CompletedUnknowns = QString(98 * 2, u'1');
    m.UnkIdentified = m.IdentifiedByName = kTrue;
    ReportOutcome r = makeReport(QStringLiteral("Great"), kWhen);
    EXPECT_EQ(m.CompletedUnknowns.size(), 99 * 2);
    EXPECT_EQ(m.UnkResults[99].resultLine, r.resultLine);
    EXPECT_FALSE(r.anotherUnknownLeft) << "allocated unknowns remain, yet there is no row for a 100th";

    // A record already holding 99 unknowns: nothing is appended or overwritten.
    m.CurrentUnknown = 8;
    m.UnkResults[99].resultLine = QStringLiteral("kept");
    r = makeReport(QStringLiteral("Great"), kWhen);
    EXPECT_EQ(m.CompletedUnknowns.size(), 99 * 2);
    EXPECT_EQ(m.UnkResults[99].resultLine, QStringLiteral("kept"));
    EXPECT_FALSE(r.anotherUnknownLeft);
}

TEST(ProgressReport, SolvedExampleStoresNothingAndRestoresTheStudentsUnknown)
{
    identtest::Unknown7 u;
    auto& m = modOrvan;
    identtest::reveal({1, 5});
    m.NameTypingTries = 4;
    SaveUnknownState(); // brings up the main window, whose load restarts the clock
    m.StartTime = identtest::clock(10, 0, 0);
    m.TimerNow = identtest::clock(10, 2, 30);
    m.CurrentUnknown = 0;
    m.ExampleMode = kTrue;
    m.ItemsRevealed.fill(kFalse);
    m.NameTypingTries = 1;
    m.UnkIdentified = m.IdentifiedByName = kTrue;
    m.MultipleSessionsAllowed = m.ResignAllowed = kTrue;
    const ReportOutcome r = makeReport(QStringLiteral("Great"), kWhen);
    EXPECT_EQ(m.CompletedUnknowns, QStringLiteral("03"));
    EXPECT_TRUE(m.UnkResults[2].resultLine.isEmpty());
    EXPECT_TRUE(r.restoreSaveMenus);
    EXPECT_TRUE(r.showResignItem);
    EXPECT_TRUE(r.text.endsWith(
        kCrLf + kCrLf
        + QStringLiteral("Now that you have seen how to indentify an unknown, here is one for you to try yourself.")));
    EXPECT_EQ(m.MinutesUsed, 3) << "minutes are worked out even in the example";

    setStatusPanel(1, QString()); // as the example left it (here the main window's load had refilled it)
    EXPECT_EQ(continueAfterReport(r.anotherUnknownLeft), ReportNext::BackFromExample);
    EXPECT_EQ(m.CurrentUnknown, 7);
    EXPECT_EQ(m.ItemsRevealed[1], kTrue);
    EXPECT_EQ(m.NameTypingTries, 4);
    EXPECT_EQ(m.UnkIdentified, kFalse);
    EXPECT_EQ(m.IdentifiedByName, kFalse);
    EXPECT_EQ(m.ExampleMode, kFalse);
    // The status bar counts the student's own items again (the example blanked it).
    EXPECT_EQ(m.StatusPanelText[1], QStringLiteral("2 items revealed"));
}

TEST(ProgressReport, WrongAnswerContinueChangesNothing)
{
    identtest::Unknown7 u;
    modOrvan.NameTypingTries = 1;
    EXPECT_EQ(continueAfterReport(true), ReportNext::SameUnknown);
    EXPECT_EQ(modOrvan.CurrentUnknown, 7);
    EXPECT_EQ(modOrvan.CompletedUnknowns, QStringLiteral("03"));
    modOrvan.UnkIdentified = kTrue;
    modOrvan.InstructorMode = kTrue;
    EXPECT_EQ(continueAfterReport(true), ReportNext::InstructorSelection);
}

TEST(RewardPictures, NumberCycleAndCaptions)
{
    const struct {
        int completed, picture;
    } numbers[] = {{1, 1}, {2, 2}, {25, 25}, {26, 1}, {50, 25}, {51, 1}, {99, 24}};
    for (const auto& n : numbers)
        EXPECT_EQ(rewardPictureNumber(n.completed), n.picture) << n.completed;

    EXPECT_EQ(rewardCaption(3, 3), LoadResString(105));
    EXPECT_EQ(rewardCaption(25, 25), QStringLiteral("25 unknowns attempted. Very good effort. ") + LoadResString(127));
    EXPECT_EQ(rewardCaption(25, 50), QStringLiteral("50 unknowns attempted. Excellent effort. ") + LoadResString(127));
    EXPECT_EQ(rewardCaption(25, 75),
              QStringLiteral("75 unknowns attempted. Outstanding effort. ") + LoadResString(127));
    EXPECT_EQ(rewardCaptionHeight(QString(22, u'x')), 390);
    EXPECT_EQ(rewardIntroHeight(QString(22, u'x')), 350);
    EXPECT_EQ(reportBoxHeight(13), 2730);
    EXPECT_EQ(reportBoxHeight(19), 3990);
    EXPECT_EQ(reportBoxHeight(20), 4000);
}
