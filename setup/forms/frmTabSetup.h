#pragma once
// The setup program's settings window and start object. Form_Load asks where
// orvanto.ini lies, reads it, admits the instructor through frmLogin and then
// shows the settings on five tabs. Every check box and option keeps its
// setting flag (modSetup.settings) equal; the number of simple unknowns lives
// in txtUnkNum until a save. Every change the instructor makes (a box, an
// option, a typed number, the arrows, a preset) marks the settings unsaved. A row of buttons applies presets, prints the
// window, saves the file and leaves.
#include "core/configcodec.h"
#include "setup/presets.h"

#include <QList>
#include <QWidget>
#include <utility>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

namespace orv {

class UpDown;

class frmTabSetup : public QWidget {
    Q_OBJECT
public:
    frmTabSetup();
    ~frmTabSetup() override;

    // Runs the start: Open dialog, reading, login, first tab. False when the
    // program ended on the way (dialog cancelled, login refused); the window
    // must then not be shown.
    bool Form_Load();

    // Tabs 1 to 5.
    void DoGeneral();
    void HideFrames();
    void DoUnkAllocate();
    void DoItems();
    void DoHelp();
    void DoID();
    // Reads the chosen orvanto.ini into the controls and flags; unusable
    // contents give the message, the defaults and unsaved settings.
    void ReadFile();
    // Every setting to its default; the settings count as unsaved.
    void SetDefaults();
    // The allocation tab's number box, spin control and explanation for the
    // current ProgramChoosesUnknowns.
    void AllocateText();
    int GetRandomNum(int lo, int hi);

    // Handlers of the window's buttons and tabs.
    void tspSetup_Click(int index); // 1..5
    void cmdPrint_Click();
    void cmdSave_Click();
    void cmdExit_Click();
    void applyPresetButton(Preset preset);

    // True while settings were changed since the file was read or saved.
    bool setupDirty() const { return SetupDirty; }
    // The file chosen in the Open dialog; every save replaces it.
    QString fileName() const { return cdlSetupFileName; }
    // The settings as the controls show them (the number from txtUnkNum, or
    // -1 when it is not a whole number 0..20).
    ConfigSettings shownSettings() const;
    // The check box that shows this setting (none for the option groups).
    QCheckBox* checkBoxFor(Boolean ConfigSettings::*member) const;
    bool printNoticeShowing() const;

    // Tab strip and the five page frames.
    QTabWidget* tspSetup;
    QGroupBox* frmGeneral;
    QGroupBox* frmUnkAllocate;
    QGroupBox* frmItems;
    QWidget* frmHelp;
    QWidget* frmID;

    // Tab 1.
    QCheckBox *chkMulti, *chkPWord, *chkTips, *chkReward, *chkSound;
    // Tab 2.
    QGroupBox* frmAlloc;
    QRadioButton* optAllocate[2];
    QLabel* txtAllocate;
    QLineEdit* txtUnkNum;
    UpDown* updAllocate;
    // Tab 3.
    QCheckBox *chkBpMp, *chkTests, *chkDerivs;
    QGroupBox* frmSpectra;
    QCheckBox *chkCMR, *chkIR, *chkMS, *chkPMR, *chkUV;
    QPushButton *cmdSpectraAll, *cmdSpectraNone;
    // Tab 4.
    QGroupBox *frmIdentify, *frmCalc;
    QCheckBox *chkHelpResults, *chkHelpType, *chkShowNum, *chkSpecAssign, *chkCorrel;
    QPushButton *cmdMaxAssist, *cmdMinAssist;
    QCheckBox *chkHShift, *chkHCoupling, *chkCShift, *chkFormula, *chkMass, *chkIsotope;
    QPushButton *cmdCalcAll, *cmdCalcNone;
    // Tab 5.
    QGroupBox *frmNames, *frmResignation;
    QRadioButton *optType, *optSeeNames, *optNoType;
    QFrame* linNames;
    QCheckBox *chkChooseStructures, *chkGiveStructure, *chkResign;
    QPushButton *cmdMaxID, *cmdMinID;
    // Button row.
    QPushButton *cmdDefault, *cmdNoTrad, *cmdNoSpec, *cmdPrint, *cmdSave, *cmdExit;
    // "Printing completed.", shown for three seconds after a print.
    QLabel* lblPrinted;

protected:
    void closeEvent(QCloseEvent* e) override; // Form_Unload

private:
    void buildGeneral();
    void buildAllocation();
    void buildItems();
    void buildHelp();
    void buildID();
    void buildButtonRow();
    QCheckBox* addCheck(QWidget* parent, const QString& caption, Boolean ConfigSettings::*member, int left, int top,
                        int width, int height, const QString& tip = QString());
    QPushButton* addButton(QWidget* parent, const QString& caption, int left, int top, int width, int height,
                           const QString& tip = QString());
    void placeFrame(QWidget* frame, int left, int top, int width, int height);

    void checkBoxClick(QCheckBox* box, Boolean ConfigSettings::*member);
    void optAllocate_Click(int index);
    void optType_Click();
    void optSeeNames_Click();
    void optNoType_Click();
    void updAllocate_Change();
    void txtUnkNum_Change();
    // Sets every control from the settings (their handlers follow), then the
    // flags themselves, so a control that already showed its value is right too.
    void showSettings(const ConfigSettings& s, bool allocation, bool typing);

    Boolean SetupDirty = 0;
    QString cdlSetupFileName;
    QList<std::pair<QCheckBox*, Boolean ConfigSettings::*>> checkBoxes_;
    QTimer* printNoticeTimer_ = nullptr;
};

} // namespace orv
