#include "nmrcalc/forms/frmCalcCShift.h"

#include "nmrcalc/cshift.h"

#include <QPushButton>

namespace orv {

namespace {

// clang-format off
const ShiftWindowLook kLook = {
    "Orvanto carbon-13 shift calculator",
    9000,
    "C type",
    {"methyl, ethyl etc", "substituted ethene", "substituted benzene"},
    "ctype",
    3120,                // subtype frame width
    1140,                // subtype Select
    4250,                // substituent frame
    100,                 // X select
    2850,                // picture centre
    {4250, 5995, 7740},  // Help, Print, Continue
    4000, 150, 600, 1800, 1095, 3750,
    nmr::SubstituentList::Carbon,
    "Orvanto carbon-13 nmr shift calculator",
};
// clang-format on

} // namespace

frmCalcCShift::frmCalcCShift(QWidget* parent) : ShiftCalcWindow(kLook, parent)
{
    setObjectName(QStringLiteral("frmCalcCShift"));
    startUp();
}

const nmr::ShiftStage* frmCalcCShift::stage(const QString& key) const { return nmr::cShiftStage(key); }
QStringList frmCalcCShift::alkylSubtypes() const { return nmr::cShiftAlkylSubtypes(); }
const nmr::ShiftStage& frmCalcCShift::alkylStage(int subtype) const { return nmr::cShiftAlkylStage(subtype); }
const nmr::ShiftStage& frmCalcCShift::benzeneStage(int subtype) const { return nmr::cShiftBenzeneStage(subtype); }
QString frmCalcCShift::result(const QString& key) const { return nmr::cShiftResult(key, SubX, SubY, SubZ); }
QString frmCalcCShift::help(const QString& key, bool resultShown) const { return nmr::cShiftHelp(key, resultShown); }

QStringList frmCalcCShift::printedExplanation(const QString& key) const { return nmr::cShiftPrintedExplanation(key); }

void frmCalcCShift::optSub_DblClick(int)
{
    if (cmdYSelect->isHidden() && cmdZSelect->isHidden()) {
        cmdXSelect->setEnabled(true);
        cmdXSelect->click();
    }
}

} // namespace orv
