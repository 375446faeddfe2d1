#pragma once
// The mass calculator: integer, high-resolution and molar mass of a formula
// of C, H, N, O, Br, Cl and I set with spin controls; help and printout.
#include "mscalc/forms/calcwidgets.h"
#include "mscalc/masses.h"

#include "platform/forms/textprint.h"

#include <QWidget>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace orv {

class frmCalcMass : public QWidget {
    Q_OBJECT
public:
    frmCalcMass();

    QGroupBox* frmAtoms;
    QLineEdit *txtC, *txtH, *txtN, *txtO, *txtBr, *txtCl, *txtI;
    mscalc::UpDown *updC, *updH, *updN, *updO, *updBr, *updCl, *updI;
    QGroupBox* frmCalc;
    QLineEdit *txtIMCalc, *txtHMCalc, *txtMMCalc;
    QPushButton* cmdMCalcCalc;
    QPlainTextEdit* txtMassHelp;
    QPushButton *cmdMCalcHelp, *cmdMCalcPrint, *cmdCMassOk;
    QLineEdit* txtCalcMessage;

    int IntegerMass = 0;
    double HighResMass = 0;
    double MolarMass = 0;
    QString MassHelpText;

public slots:
    void GetReady();
    void cmdMCalcCalc_Click();
    void cmdMCalcHelp_Click();
    void cmdMCalcPrint_Click();
    void cmdCMassOk_Click();

private:
    // The counts as Calculate reads them: the numbers in the count boxes.
    mscalc::AtomCounts boxCounts() const;
    mscalc::AtomCounts spinCounts() const;
    QTimer* noticeTimer_;
    std::unique_ptr<TextPrintout> print_;
};

} // namespace orv
