#pragma once
// The isotope calculator: the isotope peaks M to M+16 of a formula set with
// spin controls, as text and as a bar chart of M to M+12; two help texts
// (the second beside a picture of the abundances used) and a printout.
#include "mscalc/forms/calcwidgets.h"
#include "mscalc/forms/isotopechart.h"
#include "mscalc/isotope.h"

#include "platform/forms/textprint.h"

#include <QWidget>
#include <memory>

class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace orv {

class frmCalcIsotope : public QWidget {
    Q_OBJECT
public:
    frmCalcIsotope();

    mscalc::IsotopeChart* picCalcIsotope;
    QPlainTextEdit* txtIsotope;
    QFrame* frmAtoms;
    QLineEdit *txtC, *txtH, *txtN, *txtO, *txtBr, *txtCl, *txtI;
    mscalc::UpDown *updC, *updH, *updN, *updO, *updBr, *updCl, *updI;
    QPushButton *cmdIsotopeCalc, *cmdIsotopeHelp, *cmdIsotopePrint, *cmdIsotopeOk;
    QLineEdit* txtCalcMessage;

    // The pattern, NominalMass and TallestPeak of the last calculation.
    const mscalc::IsotopeCalc& pattern() const { return calc_; }
    QString LastAction;
    bool ResultsHelpShown = false;

public slots:
    void ProcessIsotope(float ratio, int count, int gap) { calc_.ProcessIsotope(ratio, count, gap); }
    void GetReady();
    void cmdIsotopeCalc_Click();
    void cmdIsotopeHelp_Click();
    void cmdIsotopePrint_Click();
    void cmdIsotopeOk_Click();

private:
    mscalc::AtomCounts counts() const;
    void setText(const QString& crlfText);
    mscalc::IsotopeCalc calc_;
    QFont resultFont_;
    QTimer* noticeTimer_;
    std::unique_ptr<TextPrintout> print_;
};

} // namespace orv
