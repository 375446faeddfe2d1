#pragma once
// Proton chemical shifts by additive increments: the pages of the proton
// shift calculator, the increments, the result text and the help texts.
#include "nmrcalc/substituents.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace orv::nmr {


// The substituent pages: "alkene", "methylene", "methine", then the seven
// benzene patterns in the order of the subtype buttons.
const QList<ShiftStage>& hShiftStages();
const ShiftStage* hShiftStage(const QString& key);
// The benzene page of subtype button 0..6.
const ShiftStage& hShiftBenzeneStage(int subtype);

float CalculateBenzene(int sub, const QString& position);
float CalculateEthene(int sub, const QString& position);
float CalculateMethylene(int sub);
float CalculateMethine(int sub);

// The result text of a page (CR LF line ends); empty for any other key.
QString hShiftResult(const QString& stageKey, int subX, int subY, int subZ);

// The Help text of a stage; `resultShown` picks the explanation of a result
// over the advice on choosing substituents.
QString hShiftHelp(const QString& stageKey, bool resultShown);
// The explanation lines printed under a result.
QStringList hShiftPrintedExplanation(const QString& stageKey);

} // namespace orv::nmr
