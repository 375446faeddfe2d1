// The Help menu's texts and topics: the items-revealed listing and the help
// with the unknown, built from the state alone.
#include "core/modorvan.h"
#include "mainwindow/helpactions.h"
#include "platform/msgbox.h"
#include "tests/helpwin/helpwinfixture.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

// Tests and spectra allowed, the usual student setting.
ModOrvan withTestsAndSpectra()
{
    ModOrvan m;
    m.TestsAllowed = m.AnySpectrumAllowed = kTrue;
    m.CmrAllowed = m.IrAllowed = m.MsAllowed = m.PmrAllowed = m.UvAllowed = kTrue;
    m.UnkItemTitle[0] = QStringLiteral("a colourless liquid");
    m.UnkItemHelp[0] = QStringLiteral("an ester of an aromatic carboxylic acid.");
    return m;
}

void reveal(ModOrvan& m, std::initializer_list<int> items)
{
    for (int n : items)
        m.ItemsRevealed[n] = kTrue;
}

} // namespace

TEST(HelpTopics, EachEntryOpensItsTopic)
{
    struct Case {
        const char* entry;
        int (*topic)(int);
        std::vector<int> topics; // by index; the last index is the separator
    };
    // clang-format off
    const std::vector<Case> cases{
        {"mnuHelpGroup1", helpGroup1Topic, {0, 707, 733, 0}}, // Contents: the list, no topic
        {"mnuHelpGroup2", helpGroup2Topic, {730, 100, 200, 0}},
        {"mnuHelpTables", helpTablesTopic,
         {545, 505, 510, 515, 520, 525, 530, 535, 540, 543, 550, 555, 560, 565, 570, 575, 580, 585, 0}},
    };
    // clang-format on
    for (const Case& c : cases) {
        for (size_t i = 0; i < c.topics.size(); ++i)
            EXPECT_EQ(c.topic(static_cast<int>(i)), c.topics[i]) << c.entry << " " << i;
        EXPECT_EQ(c.topic(-1), 0) << c.entry;
    }
}

TEST(ItemsRevealed, NothingRevealedGivesNoListAndNoPrint)
{
    ModOrvan m = withTestsAndSpectra();
    m.ShowUnknownNumber = kTrue;
    m.ItemHelpShown[3] = kTrue; // help without the item revealed lists nothing
    const HelpText h = itemsRevealedHelp(m);
    EXPECT_EQ(h.text, "No items available for review.");
    EXPECT_FALSE(h.printEnabled);
    EXPECT_EQ(h.caption, "Orvanto items revealed about current unknown");
}

TEST(ItemsRevealed, ListsEveryKindOfItemWithItsHelp)
{
    ModOrvan m = withTestsAndSpectra();
    m.ShowUnknownNumber = kTrue;
    m.CurrentUnknown = 12;
    reveal(m, {1, 5, 15, 40, 53, 54});
    for (int n : {1, 5, 15, 40, 53, 54})
        m.ItemHelpShown[n] = kTrue;
    m.UnkItemTitle[1] = "Nitrogen absent.";
    m.UnkItemHelp[1] = "No nitrogen.";
    m.UnkItemHelp[5] = "Seven carbons.";
    m.UnkItemTitle[15] = "No reaction.";
    m.UnkItemHelp[15] = "Not an alkene.";
    m.UnkItemTitle[40] = "This derivative is unsuitable.";
    m.UnkItemHelp[40] = "Benzamides come from amines.";
    m.UnkItemTitle[53] = "unsuitable";
    m.UnkItemHelp[53] = "For acids.";
    m.UnkItemTitle[54] = "152";
    m.UnkItemHelp[54] = "For esters.";
    const HelpText h = itemsRevealedHelp(m);
    const QString want =
        "Unknown 12\r\n\r\n"
        "The compound is a colourless liquid\r\n\r\n"
        "Elemental analysis\r\nNitrogen absent.\r\nNo nitrogen.\r\n\r\n"
        "Carbon nmr spectrum\r\nDisplay of spectrum is not possible here.\r\nSeven carbons.\r\n\r\n"
        "Bromine in dichloromethane reaction\r\nNo reaction.\r\nThis is a test for alkenes and alkynes.\r\n"
        "Not an alkene.\r\n\r\n"
        "Benzamide\r\nThis derivative is unsuitable.\r\nBenzamides come from amines. Most likely this unknown is "
        "not of this type; alternatively it is of this type but this particular unknown is somewhat unusual and "
        "does not form this derivative.\r\n\r\n"
        "Neutralisation equivalent\r\nunsuitable\r\nFor acids. This unknown is not of this type.\r\n\r\n"
        "Saponification equivalent\r\n152\r\nFor esters. This unknown is of this type.\r\n\r\n";
    EXPECT_EQ(h.text, want);
    EXPECT_TRUE(h.printEnabled);
}

TEST(ItemsRevealed, HiddenNumberAndHelpNotShown)
{
    ModOrvan m = withTestsAndSpectra();
    m.CurrentUnknown = 12;
    reveal(m, {9, 41});
    m.UnkItemTitle[9] = "Maximum at 228 nm.";
    m.UnkItemHelp[9] = "never shown";
    m.UnkItemTitle[41] = "mp 121 C";
    const QString t = itemsRevealedHelp(m).text;
    EXPECT_TRUE(t.startsWith("The compound is a colourless liquid\r\n\r\nUltraviolet spectrum\r\nMaximum at 228 nm."))
        << t.toStdString();
    EXPECT_FALSE(t.contains("never shown"));
    EXPECT_FALSE(t.contains("Unknown 12"));
    EXPECT_FALSE(t.contains("of this type")) << "a derivative whose help was not shown gets no verdict";
}

TEST(UnknownHelp, ThresholdFollowsTheSettings)
{
    struct Case {
        const char* name;
        bool tests, spectra;
        int threshold;
    };
    const Case cases[]{
        {"tests and spectra", true, true, 6},
        {"tests only", true, false, 6},
        {"spectra only", false, true, 4},
        {"neither", false, false, 1},
    };
    for (const Case& c : cases) {
        ModOrvan m = withTestsAndSpectra();
        m.TestsAllowed = vb(c.tests);
        m.AnySpectrumAllowed = vb(c.spectra);
        EXPECT_EQ(unknownHelpThreshold(m), c.threshold) << c.name;
        // One item short: advice, nothing marked.
        for (int n = 1; n < c.threshold; ++n)
            m.ItemsRevealed[13 + n] = kTrue;
        m.DataSaved = kTrue;
        HelpText h = unknownHelp(m);
        EXPECT_FALSE(h.text.startsWith("This unknown is")) << c.name;
        EXPECT_FALSE(isTrue(m.ItemHelpShown[0])) << c.name;
        EXPECT_TRUE(isTrue(m.DataSaved)) << c.name;
        // Enough: the class is told and the help is counted.
        m.ItemsRevealed[13] = kTrue;
        h = unknownHelp(m);
        EXPECT_TRUE(h.text.startsWith("This unknown is an ester of an aromatic carboxylic acid.")) << c.name;
        EXPECT_TRUE(isTrue(m.ItemHelpShown[0])) << c.name;
        EXPECT_FALSE(isTrue(m.DataSaved)) << c.name;
        EXPECT_EQ(h.caption, "Orvanto help for current unknown");
    }
}

TEST(UnknownHelp, NotEnoughWorkAdvice)
{
    struct Case {
        const char* name;
        std::vector<int> revealed;
        QString want;
    };
    const QString tryMore = "\r\nTry a bit more before getting help about the compound class to which the unknown "
                            "belongs.\r\n\r\n";
    const QString allSpectra =
        "Since no spectra have been examined, you could make use of the following:"
        "\r\n   Carbon nmr spectrum\r\n      Gives the number of types of carbons present and their nature."
        "\r\n   Infra red spectrum\r\n      Reveals the functional groups present (and absent)."
        "\r\n   Mass spectrum\r\n      Use the molecular ion to calculate possible molecular formulae."
        "\r\n   Proton nmr spectrum\r\n      Gives the ratio of the number of hydrogens present and their type.\r\n";
    // clang-format off
    const Case cases[]{
        {"nothing looked at", {},
         "You have not yet looked at any items." + tryMore + allSpectra
             + "\r\nDetermining the solubility and elemental analysis should help with discovering the "
               "functional group(s)."},
        {"one item, the analysis", {1},
         "You have only looked at 1 item." + tryMore + allSpectra
             + "\r\nDetermining the solubility should help with discovering the functional group(s)."},
        {"five items, two spectra, solubility", {4, 6, 8, 13, 14},
         "You have only looked at 5 items." + tryMore
             + "Since not all spectra have been examined, you could make use of the following:"
               "\r\n   Carbon nmr spectrum\r\n      Gives the number of types of carbons present and their nature."
               "\r\n   Mass spectrum\r\n      Use the molecular ion to calculate possible molecular formulae.\r\n"
               "\r\nDetermining the elemental analysis should help with discovering the functional group(s)."},
        {"all spectra and the analysis", {1, 5, 6, 7, 8},
         "You have only looked at 5 items." + tryMore
             + "\r\nDetermining the solubility should help with discovering the functional group(s)."},
    };
    // clang-format on
    for (const Case& c : cases) {
        ModOrvan m = withTestsAndSpectra();
        for (int n : c.revealed)
            m.ItemsRevealed[n] = kTrue;
        EXPECT_EQ(unknownHelp(m).text, c.want) << c.name;
    }
}

TEST(UnknownHelp, AdviceLeavesOutWhatIsNotAllowed)
{
    ModOrvan m = withTestsAndSpectra();
    m.TestsAllowed = kFalse;
    reveal(m, {5});
    QString t = unknownHelp(m).text;
    EXPECT_TRUE(t.contains("Since not all spectra")) << t.toStdString();
    EXPECT_FALSE(t.contains("Determining the"));
    m.AnySpectrumAllowed = kFalse;
    m.TestsAllowed = kTrue;
    m.ItemsRevealed.fill(kFalse);
    t = unknownHelp(m).text;
    EXPECT_FALSE(t.contains("Since"));
    EXPECT_TRUE(t.contains("Determining the solubility and elemental analysis"));
}

// Spectra the instructor switched off are never advised, and once any
// spectrum was seen the advice no longer says that none was.
TEST(UnknownHelp, AdviceNamesOnlyTheSpectraThatMayBeOpened)
{
    const QString ir = "\r\n   Infra red spectrum\r\n      Reveals the functional groups present (and absent).";
    const QString pmr =
        "\r\n   Proton nmr spectrum\r\n      Gives the ratio of the number of hydrogens present and their type.";
    const QString since = " have been examined, you could make use of the following:";
    struct Case {
        const char* name;
        std::vector<int> revealed;
        QString advice; // the spectra paragraph, empty when there is none
    };
    const Case cases[]{
        {"none seen, carbon and mass switched off", {}, "Since no spectra" + since + ir + pmr + "\r\n"},
        {"the ultraviolet one seen", {9}, "Since not all spectra" + since + ir + pmr + "\r\n"},
        {"a switched-off one seen in an earlier session", {5}, "Since not all spectra" + since + ir + pmr + "\r\n"},
        {"every spectrum that may be opened seen", {6, 8}, ""},
    };
    for (const Case& c : cases) {
        ModOrvan m = withTestsAndSpectra();
        m.TestsAllowed = kFalse;
        m.CmrAllowed = m.MsAllowed = kFalse;
        for (int n : c.revealed)
            m.ItemsRevealed[n] = kTrue;
        const QString t = unknownHelp(m).text;
        const qsizetype at = t.indexOf("Since");
        EXPECT_EQ(at < 0 ? QString() : t.mid(at), c.advice) << c.name << ": " << t.toStdString();
        EXPECT_FALSE(t.contains("Carbon nmr") || t.contains("Mass spectrum")) << c.name;
    }
}

TEST(UnknownHelp, ClassHelpAddsTheWaysToFinish)
{
    struct Case {
        const char* name;
        bool names, structures, spectra, derivs;
        QString tail;
    };
    const QString names = "\r\n\r\nPossible names may be viewed via the menu item \"Identify - By typing name\".";
    const QString structures =
        "\r\n\r\nPossible structures may be viewed via the menu item \"Identify - By structure choosing\".";
    const QString finish = "\r\n\r\nTo unambiguously identify the unknown:\r\n";
    const Case cases[]{
        {"nothing offered", false, false, false, false, ""},
        {"names and structures", true, true, false, false, names + structures},
        {"spectra", false, false, true, false, finish + "        Examine the spectra in detail."},
        {"spectra and derivatives", false, true, true, true,
         structures + finish + "        Examine the spectra in detail (and/or perhaps prepare derivatives)."},
        {"derivatives only", true, false, false, true, names + finish + "Prepare one or more derivatives."},
    };
    for (const Case& c : cases) {
        ModOrvan m = withTestsAndSpectra();
        m.TestsAllowed = kFalse;
        m.OfferNameList = vb(c.names);
        m.ChooseStructureAllowed = vb(c.structures);
        m.AnySpectrumAllowed = vb(c.spectra);
        m.DerivsAllowed = vb(c.derivs);
        reveal(m, {1, 2, 3, 4, 5, 6});
        EXPECT_EQ(unknownHelp(m).text, "This unknown is an ester of an aromatic carboxylic acid." + c.tail) << c.name;
    }
}

TEST(UnknownHelp, ClassHelpGoesToStatusPanelTwo)
{
    orvtest::ProgramFolder folder;
    ModOrvan& m = modOrvan;
    m = withTestsAndSpectra();
    reveal(m, {1, 2, 3, 4, 5, 6});
    unknownHelp(m);
    EXPECT_TRUE(m.StatusPanelText[2].contains("an ester of an aromatic carboxylic acid"))
        << m.StatusPanelText[2].toStdString();
    // Asking again shows the same text.
    EXPECT_TRUE(unknownHelp(m).text.startsWith("This unknown is an ester"));
}
