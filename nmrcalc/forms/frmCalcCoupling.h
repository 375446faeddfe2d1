#pragma once
// The first-order proton coupling calculator: proton counts of sets A, M and
// X and their coupling constants in, one set's multiplet drawn as lines, a
// Lorentz curve or a splitting tree, with an explanation and a printout.
#include "nmrcalc/coupling.h"

#include "platform/forms/textprint.h"

#include <QWidget>
#include <memory>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace orv {

class SpinControl;

class frmCalcCoupling : public QWidget {
    Q_OBJECT
public:
    explicit frmCalcCoupling(QWidget* parent = nullptr);

    QLabel* picCalcCoupling;
    QFrame* frmAtoms;
    QLineEdit *txtA, *txtM, *txtX, *txtAM, *txtAX, *txtMX;
    SpinControl *updA, *updM, *updX, *updAM, *updAX, *updMX;
    QGroupBox* frmDisplay;
    QRadioButton* optDisplay[3];
    QPushButton *cmdCalcSetA, *cmdCalcSetM, *cmdCalcSetX;
    QPlainTextEdit* txtCalcCoupling;
    QPushButton *cmdCalcCouplingHelp, *cmdCalcCouplingPrint, *cmdCalcCouplingOk;
    QLineEdit* txtCalcMessage;

    void cmdCalcSetA_Click();
    void cmdCalcSetM_Click();
    void cmdCalcSetX_Click();
    void cmdCalcCouplingHelp_Click();
    void cmdCalcCouplingPrint_Click();
    void cmdCalcCouplingOk_Click();
    void optDisplay_Click(int index);

    // The calculation behind the picture (lines, bins, scale, tree values).
    const nmr::CouplingCalc& calc() const { return calc_; }
    const nmr::DrawOps& diagram() const { return diagram_; }
    QString CurrentSet() const { return calc_.CurrentSet; }
    // The explanation box's text with CR LF line ends.
    QString explanationText() const;

private:
    nmr::CouplingCalc calc_;
    nmr::DrawOps diagram_;
    QTimer* noticeTimer_;
    std::unique_ptr<TextPrintout> print_;

    nmr::CouplingInputs inputs() const;
    nmr::DisplayKind displayKind() const;
    void calculate(nmr::CouplingSet set);
    void OverseeCoupling();
    void hideResultOnChange();
    void txtA_Change();
    void txtM_Change();
    void txtX_Change();
    void txtJ_Change();
    QFont pictureFont() const;
};

} // namespace orv
