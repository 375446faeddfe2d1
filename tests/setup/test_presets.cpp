#include "setup/presets.h"
#include "setup/setupstate.h"
#include "tests/setup/setupfixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <map>
#include <string>

using namespace orv;
using setuptest::allFlags;

namespace {

// Each preset's group: the settings it sets and their values.
struct PresetCase {
    const char* name;
    Preset preset;
    std::map<std::string, bool> sets;
    bool allocation = false; // "By Orvanto" and the number 3
};

std::map<std::string, bool> values(std::initializer_list<const char*> names, bool v)
{
    std::map<std::string, bool> m;
    for (const char* n : names)
        m[n] = v;
    return m;
}

std::map<std::string, bool> merged(std::initializer_list<std::map<std::string, bool>> parts)
{
    std::map<std::string, bool> m;
    for (const auto& p : parts)
        for (const auto& [k, v] : p)
            m[k] = v;
    return m;
}

const auto kSpectra = {"CmrAllowed", "IrAllowed", "MsAllowed", "PmrAllowed", "UvAllowed"};
const auto kCalcs = {"HShiftCalcAllowed",  "CouplingCalcAllowed", "CShiftCalcAllowed",
                     "FormulaCalcAllowed", "MassCalcAllowed",     "IsotopeCalcAllowed"};
const auto kHelp = {"ItemHelpAllowed",    "UnknownHelpAllowed",  "ShowUnknownNumber",
                    "AssignmentsAllowed", "CorrelationsAllowed", "ResignAllowed"};
const auto kGeneral = {"MultipleSessionsAllowed", "PasswordRequired", "ShowRewardPicture", "SoundAllowed",
                       "ProgramChoosesUnknowns"};

std::vector<PresetCase> presetCases()
{
    // clang-format off
    return {
        {"SpectraAll", Preset::SpectraAll, values(kSpectra, true)},
        {"SpectraNone", Preset::SpectraNone, values(kSpectra, false)},
        {"CalcAll", Preset::CalcAll, values(kCalcs, true)},
        {"CalcNone", Preset::CalcNone, values(kCalcs, false)},
        {"MaxAssist", Preset::MaxAssist, values(kHelp, true)},
        {"MinAssist", Preset::MinAssist, values(kHelp, false)},
        {"MaxID", Preset::MaxID,
         {{"TypeNameOnly", false}, {"OfferNameList", true}, {"ChooseStructureAllowed", true},
          {"GiveStructureAllowed", true}, {"ResignAllowed", true}}},
        {"MinID", Preset::MinID,
         {{"TypeNameOnly", true}, {"OfferNameList", false}, {"ChooseStructureAllowed", false},
          {"GiveStructureAllowed", true}, {"ResignAllowed", false}}},
        {"NoSpec", Preset::NoSpec,
         merged({values(kGeneral, true), {{"ShowTipsAtStart", false}, {"BpMpAllowed", true}, {"TestsAllowed", true},
                                          {"DerivsAllowed", true}},
                 values(kSpectra, false), values(kCalcs, false),
                 {{"ItemHelpAllowed", true}, {"UnknownHelpAllowed", true}, {"ShowUnknownNumber", true},
                  {"AssignmentsAllowed", false}, {"CorrelationsAllowed", false}, {"ResignAllowed", true}}}),
         true},
        {"NoTrad", Preset::NoTrad,
         merged({values(kGeneral, true), {{"ShowTipsAtStart", true}, {"BpMpAllowed", false}, {"TestsAllowed", false},
                                          {"DerivsAllowed", false}},
                 values(kSpectra, true), values(kCalcs, true), values(kHelp, true)}),
         true},
    };
    // clang-format on
}

} // namespace

TEST(Presets, EachSetsExactlyItsGroup)
{
    for (const PresetCase& c : presetCases()) {
        for (const Boolean start : {kTrue, kFalse}) {
            ConfigSettings before = allFlags(start);
            before.BasicUnknownsBeforeAdvanced = 17;
            const ConfigSettings after = applyPreset(c.preset, before);
            for (const ConfigFlag& f : kConfigFlags) {
                const auto it = c.sets.find(f.name);
                const Boolean expected = it == c.sets.end() ? start : vb(it->second);
                EXPECT_EQ(after.*(f.member), expected) << c.name << ": " << f.name << " from " << start;
            }
            EXPECT_EQ(after.BasicUnknownsBeforeAdvanced, c.allocation ? 3 : 17) << c.name;
            EXPECT_EQ(presetSetsAllocation(c.preset), c.allocation) << c.name;
        }
    }
}

TEST(Presets, DefaultsAreTheSharedDefaultsWhateverCameBefore)
{
    for (const Boolean start : {kTrue, kFalse}) {
        const ConfigSettings d = applyPreset(Preset::Defaults, allFlags(start));
        EXPECT_EQ(setuptest::differences(d, defaultConfigSettings()), QString());
        EXPECT_EQ(d.TestsAllowed, kFalse) << "tests and derivatives stay off, whatever the tool tip says";
        EXPECT_EQ(d.DerivsAllowed, kFalse);
    }
}

class PresetWindowTest : public setuptest::SetupWindowTest {};

TEST_F(PresetWindowTest, ButtonsKeepEveryControlAndFlagEqualAndMarkUnsaved)
{
    writeIni(setuptest::iniFor(defaultConfigSettings()));
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    // clang-format off
    const std::pair<QPushButton*, Preset> buttons[] = {
        {w->cmdSpectraNone, Preset::SpectraNone}, {w->cmdCalcNone, Preset::CalcNone},
        {w->cmdMinAssist, Preset::MinAssist},     {w->cmdMinID, Preset::MinID},
        {w->cmdNoSpec, Preset::NoSpec},           {w->cmdSpectraAll, Preset::SpectraAll},
        {w->cmdCalcAll, Preset::CalcAll},         {w->cmdMaxAssist, Preset::MaxAssist},
        {w->cmdMaxID, Preset::MaxID},             {w->cmdNoTrad, Preset::NoTrad},
        {w->cmdDefault, Preset::Defaults},
    };
    // clang-format on
    for (const auto& [button, preset] : buttons) {
        ConfigSettings expected = applyPreset(preset, modSetup.settings);
        expected.BasicUnknownsBeforeAdvanced = presetSetsAllocation(preset)
                                                 ? 3
                                                 : w->shownSettings().BasicUnknownsBeforeAdvanced;
        button->click();
        ConfigSettings flags = modSetup.settings;
        flags.BasicUnknownsBeforeAdvanced = expected.BasicUnknownsBeforeAdvanced;
        EXPECT_EQ(setuptest::differences(flags, expected), QString()) << button->text().toStdString();
        EXPECT_EQ(setuptest::differences(w->shownSettings(), flags), QString()) << button->text().toStdString();
        EXPECT_TRUE(w->setupDirty()) << button->text().toStdString();
    }
}

TEST_F(PresetWindowTest, AlreadyShownValuesStillMarkUnsavedAndTheNumberBecomesThree)
{
    writeIni(setuptest::iniFor(defaultConfigSettings()));
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    w->txtUnkNum->setText(QStringLiteral("12"));
    ASSERT_FALSE(w->setupDirty());
    w->cmdSpectraAll->click(); // every spectrum already on
    EXPECT_TRUE(w->setupDirty());
    w->cmdNoTrad->click(); // "By Orvanto" already chosen
    EXPECT_EQ(w->txtUnkNum->text(), "3");
    EXPECT_TRUE(w->frmItems->isVisible()) << "the teaching styles show the items page";
}
