#pragma once
// The names the window registry knows windows by. Windows open each other by
// these constants only, so a misspelt name does not compile (a name given as
// text would open nothing and say nothing).
#include <QString>

namespace orv::forms {

class FormName {
public:
    constexpr explicit FormName(const char* name) : name_(name) {}
    QString toString() const { return QString::fromLatin1(name_); }
    friend bool operator==(const FormName& a, const FormName& b) { return a.toString() == b.toString(); }

private:
    const char* name_;
};

namespace names {
// The student program.
inline constexpr FormName frmInitial{"frmInitial"};
inline constexpr FormName frmUnkProgm{"frmUnkProgm"};
inline constexpr FormName frmUnkTeach{"frmUnkTeach"};
inline constexpr FormName frmNewUser{"frmNewUser"};
inline constexpr FormName frmOldUser{"frmOldUser"};
inline constexpr FormName frmNewPassword{"frmNewPassword"};
inline constexpr FormName frmTestPassword{"frmTestPassword"};
inline constexpr FormName frmTips{"frmTips"};
inline constexpr FormName frmQuit{"frmQuit"};
inline constexpr FormName frmOVMain{"frmOVMain"};
inline constexpr FormName frmResult{"frmResult"};
inline constexpr FormName frmHelp{"frmHelp"};
inline constexpr FormName frmSpecQHelp{"frmSpecQHelp"};
inline constexpr FormName frmNameTyping{"frmNameTyping"};
inline constexpr FormName frmStructure{"frmStructure"};
inline constexpr FormName frmNoID{"frmNoID"};
inline constexpr FormName frmReportProgress{"frmReportProgress"};
inline constexpr FormName frmSummary{"frmSummary"};
inline constexpr FormName frmAssignments{"frmAssignments"};
inline constexpr FormName frmSelectUnks{"frmSelectUnks"};
inline constexpr FormName frmPmr{"frmPmr"};
inline constexpr FormName frmPmrExp{"frmPmrExp"};
inline constexpr FormName frmCmr{"frmCmr"};
inline constexpr FormName frmCmrExp{"frmCmrExp"};
inline constexpr FormName frmIr{"frmIr"};
inline constexpr FormName frmMs{"frmMs"};
inline constexpr FormName frmGiveStructure{"frmGiveStructure"};
inline constexpr FormName frmCalcHShift{"frmCalcHShift"};
inline constexpr FormName frmCalcCShift{"frmCalcCShift"};
inline constexpr FormName frmCalcCoupling{"frmCalcCoupling"};
inline constexpr FormName frmCalcFormula{"frmCalcFormula"};
inline constexpr FormName frmCalcIsotope{"frmCalcIsotope"};
inline constexpr FormName frmCalcMass{"frmCalcMass"};
// The setup program.
inline constexpr FormName frmLogin{"frmLogin"};
inline constexpr FormName frmTabSetup{"frmTabSetup"};
} // namespace names

} // namespace orv::forms
