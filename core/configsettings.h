#pragma once
// The instructor's settings, declared once: the settings file carries them
// (configcodec.h gives each flag's place in it), the setup program edits them
// and the program-wide state holds them as its base, under the same names.
#include "platform/basic.h"

namespace orv {

// A default-constructed set holds the defaults of a new orvanto.ini; the
// program-wide state starts from clearedConfigSettings() instead.
struct ConfigSettings {
    Boolean MultipleSessionsAllowed = kTrue;
    Boolean PasswordRequired = kTrue;
    Boolean ShowTipsAtStart = kTrue;
    Boolean ShowRewardPicture = kTrue;
    Boolean SoundAllowed = kTrue;
    Boolean ProgramChoosesUnknowns = kTrue;
    int BasicUnknownsBeforeAdvanced = 3; // 0..20
    Boolean BpMpAllowed = kTrue;
    Boolean TestsAllowed = kFalse;
    Boolean DerivsAllowed = kFalse;
    Boolean CmrAllowed = kTrue, IrAllowed = kTrue, MsAllowed = kTrue, PmrAllowed = kTrue, UvAllowed = kTrue;
    Boolean ItemHelpAllowed = kTrue;
    Boolean UnknownHelpAllowed = kTrue;
    Boolean ShowUnknownNumber = kTrue;
    Boolean AssignmentsAllowed = kTrue;
    Boolean CorrelationsAllowed = kTrue;
    Boolean HShiftCalcAllowed = kTrue, CouplingCalcAllowed = kTrue, CShiftCalcAllowed = kTrue;
    Boolean FormulaCalcAllowed = kTrue, MassCalcAllowed = kTrue, IsotopeCalcAllowed = kTrue;
    Boolean TypeNameOnly = kFalse;
    Boolean OfferNameList = kTrue;
    Boolean ChooseStructureAllowed = kTrue;
    Boolean GiveStructureAllowed = kTrue;
    Boolean ResignAllowed = kTrue;

    bool operator==(const ConfigSettings&) const = default;
};

// The defaults (the constructor's values).
inline ConfigSettings defaultConfigSettings() { return ConfigSettings{}; }
// Every flag False and no basic unknowns: the settings before any file is read.
ConfigSettings clearedConfigSettings();

} // namespace orv
