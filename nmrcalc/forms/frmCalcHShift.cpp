#include "nmrcalc/forms/frmCalcHShift.h"

#include "nmrcalc/hshift.h"

namespace orv {

namespace {

// clang-format off
const ShiftWindowLook kLook = {
    "Orvanto proton shift calculator",
    7500,
    "H type",
    {"methyl, methylene or methine", "substituted ethene", "substituted benzene"},
    "htype",
    2530,                // subtype frame width
    840,                 // subtype Select
    2760,                // substituent frame
    120,                 // X select
    2100,                // picture centre
    {2760, 4500, 6240},  // Help, Print, Continue
    2530, 100, 450, 1450, 950, 2280,
    nmr::SubstituentList::Proton,
    "Orvanto proton nmr shift calculator",
};
// clang-format on

} // namespace

frmCalcHShift::frmCalcHShift(QWidget* parent) : ShiftCalcWindow(kLook, parent)
{
    setObjectName(QStringLiteral("frmCalcHShift"));
    startUp();
}

const nmr::ShiftStage* frmCalcHShift::stage(const QString& key) const { return nmr::hShiftStage(key); }

QStringList frmCalcHShift::alkylSubtypes() const
{
    return {QStringLiteral("methyl, methylene"), QStringLiteral("methine")};
}

const nmr::ShiftStage& frmCalcHShift::alkylStage(int subtype) const
{
    return *nmr::hShiftStage(subtype == 0 ? QStringLiteral("methylene") : QStringLiteral("methine"));
}

const nmr::ShiftStage& frmCalcHShift::benzeneStage(int subtype) const { return nmr::hShiftBenzeneStage(subtype); }

QString frmCalcHShift::result(const QString& key) const { return nmr::hShiftResult(key, SubX, SubY, SubZ); }

QString frmCalcHShift::help(const QString& key, bool resultShown) const { return nmr::hShiftHelp(key, resultShown); }

QStringList frmCalcHShift::printedExplanation(const QString& key) const { return nmr::hShiftPrintedExplanation(key); }

} // namespace orv
