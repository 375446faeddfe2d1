// Judging the typed name, the chosen structure picture and the resignation.
#include "mainwindow/identify.h"
#include "platform/resources.h"
#include "tests/ident/identfixture.h"

#include <gtest/gtest.h>

using namespace orv;
using identtest::kCrLf;

TEST(NameKeyFilter, PassesNameCharactersTestsOnEnterDiscardsTheRest)
{
    // clang-format off
    const struct { int code; NameKey want; const char* what; } cases[] = {
        {3, NameKey::Pass, "copy"},        {22, NameKey::Pass, "paste"},    {24, NameKey::Pass, "cut"},
        {8, NameKey::Pass, "backspace"},   {32, NameKey::Pass, "space"},    {39, NameKey::Pass, "apostrophe"},
        {40, NameKey::Pass, "("},          {41, NameKey::Pass, ")"},        {43, NameKey::Pass, "+"},
        {44, NameKey::Pass, ","},          {45, NameKey::Pass, "-"},        {46, NameKey::Pass, "."},
        {48, NameKey::Pass, "0"},          {57, NameKey::Pass, "9"},        {65, NameKey::Pass, "A"},
        {90, NameKey::Pass, "Z"},          {91, NameKey::Pass, "["},        {93, NameKey::Pass, "]"},
        {97, NameKey::Pass, "a"},          {122, NameKey::Pass, "z"},       {13, NameKey::Test, "Enter"},
        {0, NameKey::Discard, "nul"},      {7, NameKey::Discard, "bell"},   {9, NameKey::Discard, "tab"},
        {27, NameKey::Discard, "escape"},  {33, NameKey::Discard, "!"},     {34, NameKey::Discard, "\""},
        {38, NameKey::Discard, "&"},       {42, NameKey::Discard, "*"},     {47, NameKey::Discard, "/"},
        {58, NameKey::Discard, ":"},       {63, NameKey::Discard, "?"},     {64, NameKey::Discard, "@"},
        {92, NameKey::Discard, "\\"},      {94, NameKey::Discard, "^"},     {95, NameKey::Discard, "_"},
        {96, NameKey::Discard, "`"},       {123, NameKey::Discard, "{"},    {233, NameKey::Discard, "e acute"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(nameKeyAction(c.code), c.want) << c.what << " (" << c.code << ")";
}

TEST(NameTyping, ListHeightFollowsTheSettingAndTheUnknown)
{
    EXPECT_EQ(nameListExtraHeight(kFalse, 50), 0);
    EXPECT_EQ(nameListExtraHeight(kTrue, 20), 600);
    EXPECT_EQ(nameListExtraHeight(kTrue, 1), 600);
    EXPECT_EQ(nameListExtraHeight(kTrue, 21), 1200);
}

TEST(NameTyping, ComparesUpperCaseWithEveryAcceptedNameWithoutTrimming)
{
    identtest::Unknown7 u;
    // clang-format off
    const struct { const char* entry; bool right; } cases[] = {
        {"ethanol", true}, {"ETHANOL", true}, {"ethyl alcohol", true}, {"EtHyL AlCoHoL", true},
        {"ethanol ", false}, {" ethanol", false}, {"ethano", false}, {"methanol", false}, {"", false},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(nameIsAccepted(QString::fromLatin1(c.entry)), c.right) << '"' << c.entry << '"';
}

TEST(NameTyping, EveryAttemptCountsAndOnlyARightOneSetsTheFlags)
{
    identtest::Unknown7 u;
    auto& m = modOrvan;
    testTypedName(QStringLiteral("methanol"));
    EXPECT_EQ(m.NameTypingTries, 1);
    EXPECT_EQ(m.UnkIdentified, kFalse);
    EXPECT_EQ(m.IdentifiedByName, kFalse);
    EXPECT_EQ(m.CurrentItem, 1);
    testTypedName(QStringLiteral("ETHYL ALCOHOL"));
    EXPECT_EQ(m.NameTypingTries, 2);
    EXPECT_EQ(m.UnkIdentified, kTrue);
    EXPECT_EQ(m.IdentifiedByName, kTrue);
    // A later wrong entry clears nothing.
    testTypedName(QStringLiteral("x"));
    EXPECT_EQ(m.IdentifiedByName, kTrue);
}

TEST(NameTyping, WithoutAcceptedNamesEveryAttemptIsWrongButCounted)
{
    identtest::Unknown7 u;
    modOrvan.NameCount = 0;
    testTypedName(QStringLiteral("ethanol"));
    EXPECT_EQ(modOrvan.UnkIdentified, kFalse);
    EXPECT_EQ(modOrvan.NameTypingTries, 1);
}

TEST(AttemptCounter, StopsAt98WithTheSuccessfulAttemptIncluded)
{
    int counter = 96;
    countAttempt(counter);
    EXPECT_EQ(counter, 97);
    countAttempt(counter);
    EXPECT_EQ(counter, 98);
    countAttempt(counter);
    EXPECT_EQ(counter, 98);

    identtest::Unknown7 u;
    modOrvan.StructChooseTries = 98;
    chooseStructure(1, 1);
    EXPECT_EQ(modOrvan.StructChooseTries, 98);
    EXPECT_EQ(modOrvan.IdentifiedByChoosing, kTrue);
}

TEST(StructureChoiceLine, AnswerLetterAndPictureFiles)
{
    const QString dir = QStringLiteral("/p");
    // clang-format off
    const struct { const char* line; int answer; int count; const char* lastFile; } cases[] = {
        {"B", 1, 0, nullptr},
        {"", -1, 0, nullptr},
        {"aaa", 0, 1, "/p/gifs/ovstaa.gif"},
        {"caaabac", 2, 3, "/p/gifs/ovstac.gif"},
        {"Daaabacadaeafag", 3, 6, "/p/gifs/ovstaf.gif"},       // seven codes offer six
        {"Aaab", 0, 2, "/p/gifs/ovstb.gif"},                   // a half code rounds to even (1.5 -> 2)
        {"Aaaabac1", 0, 4, "/p/gifs/ovst1.gif"},               // 3.5 -> 4
    };
    // clang-format on
    for (const auto& c : cases) {
        const StructureChoice s = parseStructureChoiceLine(QString::fromLatin1(c.line), dir);
        EXPECT_EQ(s.answerPicture, c.answer) << c.line;
        EXPECT_EQ(s.pictureCount, c.count) << c.line;
        ASSERT_EQ(s.pictureFiles.size(), c.count) << c.line;
        if (c.lastFile) {
            EXPECT_EQ(s.pictureFiles.last(), QString::fromLatin1(c.lastFile)) << c.line;
        }
    }
}

TEST(StructureChoice, WrongChoiceCountsWithoutFlagsRightChoiceSetsThem)
{
    identtest::Unknown7 u;
    chooseStructure(0, 1);
    EXPECT_EQ(modOrvan.StructChooseTries, 1);
    EXPECT_EQ(modOrvan.UnkIdentified, kFalse);
    chooseStructure(1, 1);
    EXPECT_EQ(modOrvan.StructChooseTries, 2);
    EXPECT_EQ(modOrvan.UnkIdentified, kTrue);
    EXPECT_EQ(modOrvan.IdentifiedByChoosing, kTrue);
    EXPECT_EQ(modOrvan.CurrentItem, 1);
}

// --- Resignation ---

namespace {

struct Resigning : identtest::Unknown7 {
    Resigning()
    {
        auto& m = modOrvan;
        m.CmrAllowed = m.IrAllowed = m.MsAllowed = m.PmrAllowed = m.UvAllowed = kTrue;
        m.AnySpectrumAllowed = kTrue;
        m.BpMpAllowed = m.TestsAllowed = m.DerivsAllowed = m.UnknownHelpAllowed = kTrue;
        identtest::reveal({5, 6, 7, 8});
        m.ItemHelpShown[0] = kTrue;
        m.NameTypingTries = 3;
    }
};

QString name(int item) { return LoadResString(itemNameResource(item)); }

} // namespace

TEST(Resignation, AcceptedWithSpectraSeenHelpUsedAndThreeAttempts)
{
    Resigning r;
    const ResignationVerdict v = judgeResignation();
    EXPECT_TRUE(v.accepted);
    EXPECT_EQ(v.text,
              QStringLiteral("A lot of information has been revealed to you.") + kCrLf + kCrLf
                  + QStringLiteral(
                      "This should be sufficient to allow an identification. Perhaps some revision is required?"));
    // Missing boiling points and chemical tests are not asked for once every spectrum is seen.
    EXPECT_EQ(modOrvan.UnkIdentified, kFalse) << "judging alone sets nothing";
    acceptResignation();
    EXPECT_EQ(modOrvan.UnkIdentified, kTrue);
    EXPECT_EQ(modOrvan.ShowReportAfterResign, kTrue);
    EXPECT_EQ(modOrvan.DataSaved, kFalse);
}

TEST(Resignation, RefusedTextsListWhatIsMissing)
{
    const QString para = kCrLf + kCrLf;
    const QString harder = QStringLiteral("Try a bit harder.") + para;
    {
        Resigning r;
        modOrvan.NameTypingTries = 2;
        const auto v = judgeResignation();
        EXPECT_FALSE(v.accepted);
        EXPECT_EQ(v.text, harder + QStringLiteral("You have only made 2 attempts at identifying the compound."));
    }
    {
        Resigning r;
        modOrvan.ItemsRevealed[8] = kFalse;
        modOrvan.NameTypingTries = 0;
        modOrvan.StructGiveTries = 1;
        modOrvan.ItemHelpShown[0] = kFalse;
        const auto v = judgeResignation();
        EXPECT_EQ(v.text, harder + QStringLiteral("You have not looked at the following spectra:") + kCrLf
                              + QStringLiteral("        ") + name(8) + kCrLf + kCrLf
                              + QStringLiteral("You have obtained neither a boiling nor melting point.") + para
                              + QStringLiteral("No chemical tests have been revealed.") + para
                              + QStringLiteral("You have not yet used the menu item \"Help with this unknown\".") + para
                              + QStringLiteral("You have only made 1 attempt at identifying the compound."));
        EXPECT_EQ(name(8), QStringLiteral("Proton nmr spectrum"));
    }
    {
        // Two spectra unseen, one test and a melting point: the ultraviolet item counts as no test.
        Resigning r;
        modOrvan.ItemsRevealed[5] = modOrvan.ItemsRevealed[7] = kFalse;
        identtest::reveal({9, 3, 20});
        modOrvan.NameTypingTries = 0;
        const auto v = judgeResignation();
        EXPECT_EQ(v.text, harder + QStringLiteral("You have not looked at the following spectra:") + kCrLf
                              + QStringLiteral("        ") + name(5) + kCrLf + QStringLiteral("        ") + name(7)
                              + kCrLf + kCrLf + QStringLiteral("Only 1 chemical test has been revealed.") + para
                              + QStringLiteral("You have not made any attempts at identifying the compound."));
    }
}

TEST(Resignation, WithoutSpectraItAsksForBoilingPointTestsAndDerivatives)
{
    Resigning r;
    auto& m = modOrvan;
    m.CmrAllowed = m.IrAllowed = m.MsAllowed = m.PmrAllowed = m.UvAllowed = m.AnySpectrumAllowed = kFalse;
    m.ItemsRevealed.fill(kFalse);
    identtest::reveal({13, 14, 15, 40});
    m.UnsuitableDerivs = 1; // the one derivative was unsuitable
    const QString para = kCrLf + kCrLf;
    EXPECT_EQ(judgeResignation().text, QStringLiteral("Try a bit harder.") + para
                                           + QStringLiteral("You have obtained neither a boiling nor melting point.")
                                           + para + QStringLiteral("Only 3 chemical tests have been revealed.") + para
                                           + QStringLiteral("No derivatives have been obtained.") + para);
    identtest::reveal({2, 16, 41});
    EXPECT_TRUE(judgeResignation().accepted);
}
