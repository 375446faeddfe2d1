#pragma once
// The shift calculators' common window: type of compound, subtype, then up
// to three substituents against a diagram of the skeleton; Calculate, help
// for each step, and a printout. The proton and carbon-13 windows give their
// own layout, pages, increments and texts.
#include "nmrcalc/substituents.h"

#include "platform/forms/textprint.h"

#include <QWidget>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace orv {

// What differs between the two windows' layouts and texts (twips).
struct ShiftWindowLook {
    const char* caption;
    int width;
    const char* typeFrameCaption;
    const char* typeTips[3];
    const char* firstStage;
    int subTypeFrameWidth;
    int subSelectLeft;
    int groupsLeft;
    int xSelectLeft;
    int pictureCentre;
    int bottomLefts[3]; // Help, Print, Continue
    int calcFrameWidth, labelLeft, boxLeft, calcLeft, calcWidth, resultWidth;
    nmr::SubstituentList list;
    const char* printTitle;
};

class ShiftCalcWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxSubtypes = 9;

    QGroupBox* frmShiftCalc;
    QRadioButton* optType[3];
    QPushButton* cmdShiftType;
    QGroupBox* frmSubType;
    QRadioButton* optSubType[kMaxSubtypes];
    QPushButton* cmdSubType;
    QGroupBox* frmGroups;
    QRadioButton* optSub[nmr::kSubstituentCount];
    QPushButton *cmdXSelect, *cmdYSelect, *cmdZSelect;
    QLabel* picCalcShift;
    QGroupBox* frmCalculate;
    QLabel *lblX, *lblY, *lblZ;
    QLineEdit *txtX, *txtY, *txtZ;
    QPushButton* cmdShiftCalc;
    QPlainTextEdit* txtResult;
    QPlainTextEdit* txtShiftHelp;
    QPushButton *cmdShiftHelp, *cmdShiftPrint, *cmdShiftOk;
    QLineEdit* txtCalcMessage;

    QString StageKey;
    int SubX = 0, SubY = 0, SubZ = 0;

    void DoAlkenes();
    void DoAlkanes();
    void DoArenes();
    void SubstituentTitles();
    void SubtypeTitles();
    void CalculationTitles();

    void optType_Click(int index);
    void optType_DblClick(int index);
    void cmdShiftType_Click();
    void optSubType_Click(int index);
    void optSubType_DblClick(int index);
    void cmdSubType_Click();
    void optSub_Click(int index);
    void cmdXSelect_Click();
    void cmdYSelect_Click();
    void cmdZSelect_Click();
    void cmdShiftCalc_Click();
    void cmdShiftHelp_Click();
    void cmdShiftPrint_Click();
    void cmdShiftOk_Click();

    // The result and help texts with CR LF line ends.
    QString resultText() const;
    QString helpText() const;

protected:
    explicit ShiftCalcWindow(const ShiftWindowLook& look, QWidget* parent = nullptr);
    // Sets the controls' starting state; the window's constructor calls it.
    void startUp();

    // The window's pages, texts and arithmetic.
    virtual const nmr::ShiftStage* stage(const QString& key) const = 0;
    virtual QStringList alkylSubtypes() const = 0;
    virtual const nmr::ShiftStage& alkylStage(int subtype) const = 0;
    virtual const nmr::ShiftStage& benzeneStage(int subtype) const = 0;
    virtual QString result(const QString& key) const = 0;
    virtual QString help(const QString& key, bool resultShown) const = 0;
    virtual QStringList printedExplanation(const QString& key) const = 0;
    // A double-click on a substituent (only where the window offers one).
    virtual void optSub_DblClick(int) {}

    // Hides the result and disables Print (after a new substituent).
    void hideResult();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const ShiftWindowLook& look_;
    QTimer* noticeTimer_;
    std::unique_ptr<TextPrintout> print_;
    int placesInUse() const;
    void setStage(const QString& key);
    void selectInto(QLineEdit* box, int& sub);
    void txtXYZ_Change();
};

} // namespace orv
