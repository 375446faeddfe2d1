#include "setup/presets.h"

#include <initializer_list>
#include <utility>

namespace orv {

namespace {

using Member = Boolean ConfigSettings::*;
using Assignments = std::initializer_list<std::pair<Member, Boolean>>;

constexpr Boolean On = kTrue;
constexpr Boolean Off = kFalse;

// Each of these settings to the one value.
void setAll(ConfigSettings& s, std::initializer_list<Member> members, Boolean value)
{
    for (Member m : members)
        s.*m = value;
}

// General switches, help and calculators as the teaching-style presets share them.
void setTeachingStyle(ConfigSettings& s, Boolean tips, Boolean bpMp, Boolean testsDerivs, Boolean spectraTools)
{
    s.MultipleSessionsAllowed = On;
    s.PasswordRequired = On;
    s.ShowTipsAtStart = tips;
    s.ShowRewardPicture = On;
    s.SoundAllowed = On;
    s.ProgramChoosesUnknowns = On;
    s.BasicUnknownsBeforeAdvanced = 3;
    s.BpMpAllowed = bpMp;
    s.TestsAllowed = testsDerivs;
    s.DerivsAllowed = testsDerivs;
    setAll(s,
           {&ConfigSettings::CmrAllowed, &ConfigSettings::IrAllowed, &ConfigSettings::MsAllowed,
            &ConfigSettings::PmrAllowed, &ConfigSettings::UvAllowed, &ConfigSettings::AssignmentsAllowed,
            &ConfigSettings::CorrelationsAllowed, &ConfigSettings::HShiftCalcAllowed,
            &ConfigSettings::CouplingCalcAllowed, &ConfigSettings::CShiftCalcAllowed,
            &ConfigSettings::FormulaCalcAllowed, &ConfigSettings::MassCalcAllowed, &ConfigSettings::IsotopeCalcAllowed},
           spectraTools);
    s.ItemHelpAllowed = On;
    s.UnknownHelpAllowed = On;
    s.ShowUnknownNumber = On;
    s.ResignAllowed = On;
}

void assign(ConfigSettings& s, Assignments values)
{
    for (const auto& [member, value] : values)
        s.*member = value;
}

void setSpectra(ConfigSettings& s, Boolean v)
{
    setAll(s,
           {&ConfigSettings::CmrAllowed, &ConfigSettings::IrAllowed, &ConfigSettings::MsAllowed,
            &ConfigSettings::PmrAllowed, &ConfigSettings::UvAllowed},
           v);
}

void setCalculators(ConfigSettings& s, Boolean v)
{
    setAll(s,
           {&ConfigSettings::HShiftCalcAllowed, &ConfigSettings::CouplingCalcAllowed,
            &ConfigSettings::CShiftCalcAllowed, &ConfigSettings::FormulaCalcAllowed, &ConfigSettings::MassCalcAllowed,
            &ConfigSettings::IsotopeCalcAllowed},
           v);
}

void setAssistance(ConfigSettings& s, Boolean v)
{
    setAll(s,
           {&ConfigSettings::ItemHelpAllowed, &ConfigSettings::UnknownHelpAllowed, &ConfigSettings::ShowUnknownNumber,
            &ConfigSettings::AssignmentsAllowed, &ConfigSettings::CorrelationsAllowed, &ConfigSettings::ResignAllowed},
           v);
}

} // namespace

ConfigSettings applyPreset(Preset preset, ConfigSettings s)
{
    switch (preset) {
    case Preset::SpectraAll: setSpectra(s, On); break;
    case Preset::SpectraNone: setSpectra(s, Off); break;
    case Preset::CalcAll: setCalculators(s, On); break;
    case Preset::CalcNone: setCalculators(s, Off); break;
    case Preset::MaxAssist: setAssistance(s, On); break;
    case Preset::MinAssist: setAssistance(s, Off); break;
    case Preset::MaxID:
        assign(s, {{&ConfigSettings::TypeNameOnly, Off},
                   {&ConfigSettings::OfferNameList, On},
                   {&ConfigSettings::ChooseStructureAllowed, On},
                   {&ConfigSettings::GiveStructureAllowed, On},
                   {&ConfigSettings::ResignAllowed, On}});
        break;
    case Preset::MinID:
        // Generating a structure stays allowed: at least one method must remain.
        assign(s, {{&ConfigSettings::TypeNameOnly, On},
                   {&ConfigSettings::OfferNameList, Off},
                   {&ConfigSettings::ChooseStructureAllowed, Off},
                   {&ConfigSettings::GiveStructureAllowed, On},
                   {&ConfigSettings::ResignAllowed, Off}});
        break;
    case Preset::NoSpec: setTeachingStyle(s, Off, On, On, Off); break;
    case Preset::NoTrad: setTeachingStyle(s, On, Off, Off, On); break;
    case Preset::Defaults: s = defaultConfigSettings(); break;
    }
    return s;
}

bool presetSetsAllocation(Preset p) { return p == Preset::NoSpec || p == Preset::NoTrad || p == Preset::Defaults; }

bool presetSetsTyping(Preset p) { return p == Preset::MaxID || p == Preset::MinID || p == Preset::Defaults; }

bool presetShowsItems(Preset p) { return p == Preset::NoSpec || p == Preset::NoTrad; }

} // namespace orv
