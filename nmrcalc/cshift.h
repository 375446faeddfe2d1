#pragma once
// Carbon-13 chemical shifts by additive increments: the pages of the carbon
// shift calculator, the increments, the result text and the help texts.
#include "nmrcalc/substituents.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace orv::nmr {

// The seventeen compound pages: nine alkyl subtypes, the alkene, then the
// seven benzene patterns.
const QList<ShiftStage>& cShiftStages();
const ShiftStage* cShiftStage(const QString& key);
const ShiftStage& cShiftAlkylStage(int subtype);   // 0..8
const ShiftStage& cShiftBenzeneStage(int subtype); // 0..6
// Captions of the alkyl subtype buttons.
QStringList cShiftAlkylSubtypes();

// Substituents each compound class does not offer.
inline const QList<int> kCAlkylDisabled = {0, 1, 6, 13, 15, 18};
inline const QList<int> kCAlkeneDisabled = {4, 6, 11, 13, 15, 18, 21};
inline const QList<int> kCBenzeneDisabled = {0, 15};

float CalculateAlkyl(int sub, const QString& kind, const QString& position);
// Carbon-13 increments on ethene and benzene carbons (the proton ones share
// the names in the enclosing namespace).
namespace carbon {
float CalculateEthene(int sub, const QString& position);
float CalculateBenzene(int sub, const QString& position);
} // namespace carbon
// The value column: "00.0" and two blanks for 10 and more (nothing from
// 100.0 up), "0.0" and four blanks below 10.
QString AddSpaces(const QString& shift);

// The result text of a page (CR LF line ends); empty for any other key.
QString cShiftResult(const QString& stageKey, int subX, int subY, int subZ);
QString cShiftHelp(const QString& stageKey, bool resultShown);
QStringList cShiftPrintedExplanation(const QString& stageKey);

} // namespace orv::nmr
