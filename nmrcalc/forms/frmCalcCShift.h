#pragma once
// The carbon-13 shift calculator: type of compound, subtype, then up to
// three substituents against a diagram of the skeleton; the estimated shifts
// by additive increments, help for each step, and a printout.
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace orv {

class frmCalcCShift : public QWidget {
    Q_OBJECT
public:
    explicit frmCalcCShift(QWidget* parent = nullptr);

    QGroupBox* frmCShiftCalc;
    QRadioButton* optCType[3];
    QPushButton* cmdCShiftType;
    QGroupBox* frmSubType;
    QRadioButton* optSubType[9];
    QPushButton* cmdCSubType;
    QGroupBox* frmGroups;
    QRadioButton* optSub[23];
    QPushButton *cmdXSelect, *cmdYSelect, *cmdZSelect;
    QLabel* picCalcCShift;
    QGroupBox* frmCalculate;
    QLabel *lblX, *lblY, *lblZ;
    QLineEdit *txtX, *txtY, *txtZ;
    QPushButton* cmdCShiftCalc;
    QPlainTextEdit* txtResult;
    QPlainTextEdit* txtCShift;
    QPushButton *cmdCShiftHelp, *cmdCShiftPrint, *cmdCShiftOk;
    QLineEdit* txtCalcMessage;

    QString StageKey;
    int SubX = 0, SubY = 0, SubZ = 0;

    void DoAlkenes();
    void DoAlkanes();
    void DoArenes();
    void SubstituentTitles();
    void SubtypeTitles();
    void CalculationTitles();

    void optCType_Click(int index);
    void optCType_DblClick(int index);
    void cmdCShiftType_Click();
    void optSubType_Click(int index);
    void optSubType_DblClick(int index);
    void cmdCSubType_Click();
    void optSub_Click(int index);
    void optSub_DblClick(int index);
    void cmdXSelect_Click();
    void cmdYSelect_Click();
    void cmdZSelect_Click();
    void cmdCShiftCalc_Click();
    void cmdCShiftHelp_Click();
    void cmdCShiftPrint_Click();
    void cmdCShiftOk_Click();

    // The result and help texts with CR LF line ends.
    QString resultText() const;
    QString helpText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTimer* noticeTimer_;
    int placesInUse() const;
    void setStage(const QString& key);
    void selectInto(QLineEdit* box, int& sub);
    void txtXYZ_Change();
};

} // namespace orv
