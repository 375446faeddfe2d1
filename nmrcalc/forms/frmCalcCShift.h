#pragma once
// The carbon-13 shift calculator: substituted alkanes (nine kinds), alkenes
// and benzenes; up to three substituents; estimated shifts by increments.
#include "nmrcalc/forms/shiftcalcwindow.h"

namespace orv {

class frmCalcCShift : public ShiftCalcWindow {
    Q_OBJECT
public:
    explicit frmCalcCShift(QWidget* parent = nullptr);

    // The controls under this window's own names.
    QGroupBox*& frmCShiftCalc = frmShiftCalc;
    QRadioButton** const optCType = optType;
    QPushButton*& cmdCShiftType = cmdShiftType;
    QPushButton*& cmdCSubType = cmdSubType;
    QPushButton*& cmdCShiftCalc = cmdShiftCalc;
    QPushButton*& cmdCShiftHelp = cmdShiftHelp;
    QPushButton*& cmdCShiftPrint = cmdShiftPrint;
    QPushButton*& cmdCShiftOk = cmdShiftOk;
    QLabel*& picCalcCShift = picCalcShift;
    QPlainTextEdit*& txtCShift = txtShiftHelp;

protected:
    const nmr::ShiftStage* stage(const QString& key) const override;
    QStringList alkylSubtypes() const override;
    const nmr::ShiftStage& alkylStage(int subtype) const override;
    const nmr::ShiftStage& benzeneStage(int subtype) const override;
    QString result(const QString& key) const override;
    QString help(const QString& key, bool resultShown) const override;
    QStringList printedExplanation(const QString& key) const override;
    // On a page with X alone, a double-click puts the substituent there.
    void optSub_DblClick(int index) override;
};

} // namespace orv
