#pragma once
// The proton shift calculator: type of proton, subtype, then up to three
// substituents against a diagram of the skeleton; the estimated shifts by
// additive increments, help for each step, and a printout.
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace orv {

class frmCalcHShift : public QWidget {
    Q_OBJECT
public:
    explicit frmCalcHShift(QWidget* parent = nullptr);

    QGroupBox* frmHShiftCalc;
    QRadioButton* optHType[3];
    QPushButton* cmdHShiftType;
    QGroupBox* frmSubType;
    QRadioButton* optSubType[7];
    QPushButton* cmdHSubType;
    QGroupBox* frmGroups;
    QRadioButton* optSub[23];
    QPushButton *cmdXSelect, *cmdYSelect, *cmdZSelect;
    QLabel* picCalcHShift;
    QGroupBox* frmCalculate;
    QLabel *lblX, *lblY, *lblZ;
    QLineEdit *txtX, *txtY, *txtZ;
    QPushButton* cmdHShiftCalc;
    QPlainTextEdit* txtResult;
    QPlainTextEdit* txtHShift;
    QPushButton *cmdHShiftHelp, *cmdHShiftPrint, *cmdHShiftOk;
    QLineEdit* txtCalcMessage;

    QString StageKey;
    int SubX = 0, SubY = 0, SubZ = 0;

    void DoAlkenes();
    void DoAlkanes();
    void DoArenes();
    void SubstituentTitles();
    void SubtypeTitles();
    void CalculationTitles();
    void GetReady();

    void optHType_Click(int index);
    void optHType_DblClick(int index);
    void cmdHShiftType_Click();
    void optSubType_Click(int index);
    void optSubType_DblClick(int index);
    void cmdHSubType_Click();
    void optSub_Click(int index);
    void cmdXSelect_Click();
    void cmdYSelect_Click();
    void cmdZSelect_Click();
    void cmdHShiftCalc_Click();
    void cmdHShiftHelp_Click();
    void cmdHShiftPrint_Click();
    void cmdHShiftOk_Click();

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
