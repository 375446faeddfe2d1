#include "mainwindow/mainmenus.h"
#include "tests/common/testsupport.h"
#include "tests/mainwindow/fixture.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

struct Shown {
    const char* name;
    int index;
    bool visible;
};

const MenuEntry& get(const std::vector<MenuEntry>& menus, const char* name, int index = -1)
{
    const MenuEntry* e = findMenuEntry(menus, QString::fromLatin1(name), index);
    if (!e)
        throw std::runtime_error(std::string("no menu entry ") + name + " " + std::to_string(index));
    return *e;
}

void expectShown(const std::vector<MenuEntry>& menus, std::initializer_list<Shown> cases)
{
    for (const Shown& c : cases)
        EXPECT_EQ(get(menus, c.name, c.index).visible, c.visible) << c.name << ' ' << c.index;
}

class MenuModel : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    ModOrvan& m = modOrvan;
};

} // namespace

TEST_F(MenuModel, DefaultSettings)
{
    mwtest::applyDefaultSettings(m);
    m.SoundOn = kTrue;
    const auto menus = buildMainMenus(m);
    ASSERT_EQ(menus.size(), 7u);
    // clang-format off
    expectShown(menus, {
        {"mnuSummary", -1, true}, {"mnuPassword", -1, true}, {"mnuSound", -1, true},
        {"mnuSaveCont", -1, true}, {"mnuSaveNext", -1, true}, {"mnuSaveQuit", -1, true},
        {"mnuNextUser", -1, false}, {"mnuExit", -1, false},
        {"mnuPhysProp", -1, true},
        {"mnuPhysPropItem", 0, false}, {"mnuPhysPropItem", 1, true}, {"mnuPhysPropItem", 2, true},
        {"mnuPhysPropItem", 3, false}, {"mnuPhysPropItem", 4, true},
        {"mnuPhysPropItem", 5, true}, {"mnuPhysPropItem", 9, true},
        {"mnuChemTests", -1, false}, {"mnuDerivs", -1, false},
        {"mnuNameItem", 0, true}, {"mnuNameItem", 1, true}, {"mnuNameItem", 2, true}, {"mnuNameItem", 3, true},
        {"mnutools", -1, true},
        {"mnuHelpGroup1", 2, true}, {"mnuHelpGroup2", 0, true}, {"mnuHelpGroup2", 1, false},
        {"mnuHelpGroup2", 2, false}, {"mnuHelpGroup2", 3, true}, {"mnuHelpGroup5", 1, true},
    });
    // clang-format on
    EXPECT_TRUE(get(menus, "mnuSound").checkable);
    EXPECT_TRUE(get(menus, "mnuSound").checked);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(get(menus, "mmnuToolsItem", i).enabled) << i;
    EXPECT_EQ(quitReasonAtLoad(m), "Save");
}

TEST_F(MenuModel, TestsAndDerivativesWithoutSpectra)
{
    mwtest::applyDefaultSettings(m);
    m.BpMpAllowed = kFalse;
    m.TestsAllowed = kTrue;
    m.DerivsAllowed = kTrue;
    m.CmrAllowed = m.IrAllowed = m.MsAllowed = m.PmrAllowed = m.UvAllowed = kFalse;
    m.MultipleSessionsAllowed = kFalse;
    m.MassCalcAllowed = kFalse;
    m.SoundAllowed = kFalse;
    m.UnknownHelpAllowed = kFalse;
    m.ResignAllowed = kFalse;
    m.OfferNameList = kFalse;
    mwtest::deriveAnyFlags(m);
    const auto menus = buildMainMenus(m);
    // clang-format off
    expectShown(menus, {
        {"mnuPassword", -1, false}, {"mnuSound", -1, false},
        {"mnuSaveCont", -1, false}, {"mnuSaveNext", -1, false}, {"mnuSaveQuit", -1, false},
        {"mnuNextUser", -1, true}, {"mnuExit", -1, true},
        {"mnuPhysProp", -1, true},
        {"mnuPhysPropItem", 0, true}, {"mnuPhysPropItem", 1, false}, {"mnuPhysPropItem", 2, false},
        {"mnuPhysPropItem", 3, true}, {"mnuPhysPropItem", 4, false},
        {"mnuPhysPropItem", 5, false}, {"mnuPhysPropItem", 6, false}, {"mnuPhysPropItem", 7, false},
        {"mnuPhysPropItem", 8, false}, {"mnuPhysPropItem", 9, false},
        {"mnuChemTests", -1, true}, {"mnuDerivs", -1, true},
        {"mnuNameItem", 0, false}, {"mnuNameItem", 3, false},
        {"mnutools", -1, true}, {"mmnuToolsItem", 4, true},
        {"mnuHelpGroup1", 2, false}, {"mnuHelpGroup2", 0, false}, {"mnuHelpGroup2", 1, true},
        {"mnuHelpGroup2", 2, true}, {"mnuHelpGroup2", 3, true}, {"mnuHelpGroup5", 1, false},
    });
    // clang-format on
    EXPECT_FALSE(get(menus, "mmnuToolsItem", 4).enabled) << "a disallowed calculator stays visible, greyed";
    EXPECT_TRUE(get(menus, "mmnuToolsItem", 3).enabled);
    EXPECT_EQ(quitReasonAtLoad(m), "NoSave");
}

TEST_F(MenuModel, MenusThatDisappearWhole)
{
    mwtest::applyDefaultSettings(m);
    m.BpMpAllowed = m.TestsAllowed = m.DerivsAllowed = kFalse;
    m.CmrAllowed = m.IrAllowed = m.MsAllowed = m.PmrAllowed = m.UvAllowed = kFalse;
    m.HShiftCalcAllowed = m.CouplingCalcAllowed = m.CShiftCalcAllowed = kFalse;
    m.FormulaCalcAllowed = m.MassCalcAllowed = m.IsotopeCalcAllowed = kFalse;
    mwtest::deriveAnyFlags(m);
    auto menus = buildMainMenus(m);
    expectShown(menus, {{"mnuPhysProp", -1, false}, {"mnutools", -1, false}, {"mnuHelpGroup2", 3, false}});

    // Only spectra: the four property entries and their separator go.
    m.CmrAllowed = m.IrAllowed = m.MsAllowed = m.PmrAllowed = m.UvAllowed = kTrue;
    mwtest::deriveAnyFlags(m);
    menus = buildMainMenus(m);
    for (int i = 0; i <= 9; ++i)
        EXPECT_EQ(get(menus, "mnuPhysPropItem", i).visible, i >= 5) << i;
}

TEST_F(MenuModel, SaveEntriesAndQuitReason)
{
    mwtest::allowEverything(m);
    m.QuitReason = "AnotherUser";
    EXPECT_EQ(quitReasonAtLoad(m), "AnotherUser") << "a reason already set stays";
    m.InstructorMode = kTrue;
    EXPECT_EQ(quitReasonAtLoad(m), "NoSave");
    const auto menus = buildMainMenus(m);
    expectShown(menus, {{"mnuSaveCont", -1, false}, {"mnuExit", -1, true}, {"mnuPassword", -1, false}});
    m.InstructorMode = kFalse;
    m.SoundAllowed = kTrue;
    m.SoundOn = kFalse;
    EXPECT_FALSE(get(buildMainMenus(m), "mnuSound").checked);
}

TEST_F(MenuModel, ItemCaptionsCarryTheirAccessKeys)
{
    // clang-format off
    const struct {
        const char* menu;
        int index;
        const char* caption;
    } cases[] = {
        {"mnuPhysPropItem", 0, "&Elemental analysis"}, {"mnuPhysPropItem", 2, "Me&lting point"},
        {"mnuPhysPropItem", 4, "-"}, {"mnuPhysPropItem", 8, "&Proton nmr spectrum"},
        {"mnuCtestItem", 0, "&Acetyl chloride reaction"}, {"mnuCtestItem", 2, "B&romine in dichloromethane reaction"},
        {"mnuCtestItem", 3, "Br&omine in water reaction"}, {"mnuCtestItem", 7, "Ferro&us hydroxide test"},
        {"mnuCtestItem", 8, "Ferro&x test"}, {"mnuCtestItem", 10, "H&ydroxamic acid test in aqueous ethanol"},
        {"mnuCtestItem", 11, "Hy&droxamic acid test in propanediol"}, {"mnuCtestItem", 15, "&Schiff's test"},
        {"mnuCtestItem", 16, "&Silver nitrate in ethanol reaction"},
        {"mnuCtestItem", 17, "Sod&ium iodide in acetone reaction"}, {"mnuCtestItem", 18, "Tolle&ns' test"},
        {"mnuDerivItem", 0, "Acid formed by &hydrolysis"}, {"mnuDerivItem", 1, "Acid formed by &oxidation"},
        {"mnuDerivItem", 2, "A&mide"}, {"mnuDerivItem", 3, "A&nilide"}, {"mnuDerivItem", 4, "Ar&yloxyacetic acid"},
        {"mnuDerivItem", 5, "&Benzamide"}, {"mnuDerivItem", 6, "Benzene&sulfonamide"},
        {"mnuDerivItem", 7, "Brominated &product"}, {"mnuDerivItem", 8, "3,5-&Dinitrobenzoate "},
        {"mnuDerivItem", 9, "2,4-Dinitrophenylhydra&zone"}, {"mnuDerivItem", 10, "1-N&aphthylurethane"},
        {"mnuDerivItem", 11, "N&itration product"}, {"mnuDerivItem", 12, "O&xime"},
        {"mnuDerivItem", 13, "Phenyl&urethane"}, {"mnuDerivItem", 14, "Pi&crate"},
        {"mnuDerivItem", 15, "&Reduction product"}, {"mnuDerivItem", 16, "S&emicarbazone"},
        {"mnuDerivItem", 17, "4-To&luidide"}, {"mnuDerivItem", 18, "-"},
        {"mnuDerivItem", 19, "Neutralisation equi&valent"}, {"mnuDerivItem", 20, "Saponification e&quivalent"},
    };
    // clang-format on
    const auto menus = buildMainMenus(m);
    for (const auto& c : cases)
        EXPECT_EQ(get(menus, c.menu, c.index).caption, QString::fromUtf8(c.caption)) << c.menu << ' ' << c.index;
}

TEST_F(MenuModel, ShortcutsTopicsAndItems)
{
    // clang-format off
    const struct {
        const char* name;
        int index;
        const char* shortcut;
        int topic;
        int item;
    } cases[] = {
        {"mnuSaveCont", -1, "Ctrl+V", 0, 0},       {"mnuExit", -1, "Ctrl+O", 0, 0},
        {"mnuPhysProp", -1, "", 720, 0},           {"mnuPhysPropItem", 0, "", 810, 1},
        {"mnuPhysPropItem", 3, "", 825, 4},        {"mnuPhysPropItem", 5, "Ctrl+C", 735, 5},
        {"mnuPhysPropItem", 9, "Ctrl+U", 805, 9},  {"mnuCtestItem", 0, "", 101, 13},
        {"mnuCtestItem", 1, "", 102, 14},          {"mnuCtestItem", 2, "", 104, 15},
        {"mnuCtestItem", 18, "", 136, 31},         {"mnuDerivItem", 0, "", 205, 35},
        {"mnuDerivItem", 17, "", 290, 52},         {"mnuDerivItem", 19, "", 295, 53},
        {"mnuDerivItem", 20, "", 300, 54},         {"mnuNameItem", 1, "Ctrl+S", 0, 0},
        {"mmnuToolsItem", 2, "Ctrl+B", 743, 0},    {"mmnuToolsItem", 5, "Ctrl+T", 777, 0},
        {"mnuHelpGroup1", 0, "F1", 0, 0},          {"mnuHelpGroup3", 0, "", 500, 0},
        {"mnuHelpTables", 7, "", 535, 0},          {"mnuHelpTables", 9, "", 543, 0},
        {"mnuHelpGroup5", 0, "", 725, 0},
    };
    // clang-format on
    const auto menus = buildMainMenus(m);
    for (const auto& c : cases) {
        const MenuEntry& e = get(menus, c.name, c.index);
        EXPECT_EQ(e.shortcut, QString::fromLatin1(c.shortcut)) << c.name << ' ' << c.index;
        EXPECT_EQ(e.helpTopic, c.topic) << c.name << ' ' << c.index;
        EXPECT_EQ(e.item, c.item) << c.name << ' ' << c.index;
    }
    EXPECT_EQ(get(menus, "mnuHelpGroup3", 0).entries.size(), 18u);
    EXPECT_EQ(get(menus, "mnuHelpTables", 6).caption, "Amines&1 (prim, sec)");
}
