#pragma once
// The proton shift calculator: proton on an alkyl carbon, an alkene or a
// benzene ring; up to three substituents; estimated shifts by increments.
#include "nmrcalc/forms/shiftcalcwindow.h"

namespace orv {

class frmCalcHShift : public ShiftCalcWindow {
    Q_OBJECT
public:
    explicit frmCalcHShift(QWidget* parent = nullptr);

    // The controls under this window's own names.
    QGroupBox*& frmHShiftCalc = frmShiftCalc;
    QRadioButton** const optHType = optType;
    QPushButton*& cmdHShiftType = cmdShiftType;
    QPushButton*& cmdHSubType = cmdSubType;
    QPushButton*& cmdHShiftCalc = cmdShiftCalc;
    QPushButton*& cmdHShiftHelp = cmdShiftHelp;
    QPushButton*& cmdHShiftPrint = cmdShiftPrint;
    QPushButton*& cmdHShiftOk = cmdShiftOk;
    QLabel*& picCalcHShift = picCalcShift;
    QPlainTextEdit*& txtHShift = txtShiftHelp;

    // Hides the result and disables Print after an input change.
    void GetReady() { hideResult(); }

protected:
    const nmr::ShiftStage* stage(const QString& key) const override;
    QStringList alkylSubtypes() const override;
    const nmr::ShiftStage& alkylStage(int subtype) const override;
    const nmr::ShiftStage& benzeneStage(int subtype) const override;
    QString result(const QString& key) const override;
    QString help(const QString& key, bool resultShown) const override;
    QStringList printedExplanation(const QString& key) const override;
};

} // namespace orv
