#pragma once
// The formula calculator: molecular formulae whose integer mass equals a
// typed mass, within limits set with spin controls; help and printout.
#include "mscalc/forms/calcwidgets.h"
#include "mscalc/formula.h"

#include "platform/forms/textprint.h"

#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace orv {

class frmCalcFormula : public QWidget {
    Q_OBJECT
public:
    frmCalcFormula();

    QLabel* lblMass;
    QLineEdit* txtMass;
    QPlainTextEdit* txtCalc;
    QProgressBar* pbCalcText;
    QLineEdit* txtCalcPrtMessage;
    // Limit rows in the order C, H, N, O, Br, Cl, I, ihd.
    std::array<QLineEdit*, mscalc::kLimitCount> txtMin{}, txtMax{};
    std::array<mscalc::UpDown*, mscalc::kLimitCount> updMin{}, updMax{};
    QPushButton *cmdCalcCalc, *cmdCalcHelp, *cmdCalcPrint, *cmdCalcOk;

    mscalc::UpDown* upd(mscalc::Limit l, bool maximum) const
    {
        return (maximum ? updMax : updMin)[static_cast<int>(l)];
    }
    // The limits as the spin controls hold them.
    mscalc::FormulaLimits limits() const;
    // The calculation's state (TargetMass, the counts, FoundCount).
    const mscalc::FormulaSearch& search() const { return search_; }

public slots:
    void CheckAndShow();
    void GetReady();
    void SetMaxMassToolTip();
    void cmdCalcCalc_Click();
    void cmdCalcHelp_Click();
    void cmdCalcPrint_Click();
    void cmdCalcOk_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override; // txtMass_KeyPress

private:
    void setResultText(const QString& crlfText);
    mscalc::FormulaSearch search_;
    QFont resultFont_;
    bool helpShown_ = false; // the help text is what the result box shows
    QTimer* noticeTimer_;
    std::unique_ptr<TextPrintout> print_;
};

} // namespace orv
