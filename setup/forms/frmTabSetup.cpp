// The settings window's controls, tabs and the handlers that keep each
// control and its setting flag equal.
#include "setup/forms/frmTabSetup.h"

#include "platform/forms/printnotice.h"
#include "setup/forms/setuplook.h"
#include "setup/forms/updown.h"
#include "setup/forms/wrapcontrols.h"
#include "setup/savechecks.h"
#include "setup/setupstate.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>

namespace orv {

namespace {
using S = ConfigSettings;
constexpr int kTabStripWidth = 6000;
}

frmTabSetup::frmTabSetup()
{
    setObjectName(QStringLiteral("frmTabSetup"));
    applySetupLook(this);

    tspSetup = new QTabWidget(this);
    tspSetup->setObjectName(QStringLiteral("tspSetup"));
    for (const char* caption : {"&General", "&Unk Allocation", "&Items allowed", "&Help allowed", "I&D  methods"})
        tspSetup->addTab(new QWidget, QString::fromLatin1(caption));
    // Fixed-width tabs, a fifth of the strip less 15 twips each (less the
    // tab's own padding, border and gap).
    tspSetup->setStyleSheet(QStringLiteral("QTabBar::tab { width: %1px; }").arg(setupPx(kTabStripWidth / 5 - 15) - 10));
    tspSetup->tabBar()->setExpanding(false);
    tspSetup->tabBar()->setUsesScrollButtons(false);
    tspSetup->tabBar()->setElideMode(Qt::ElideNone);

    buildGeneral();
    buildAllocation();
    buildItems();
    buildHelp();
    buildID();
    buildButtonRow();

    lblPrinted = new QLabel(QStringLiteral("Printing completed."), this);
    lblPrinted->setObjectName(QStringLiteral("lblPrinted"));
    lblPrinted->setAlignment(Qt::AlignCenter);
    lblPrinted->setWordWrap(true);
    // Over the Print button, which does nothing while the notice shows.
    placeSetupControl(lblPrinted, 3258, 4440, 900, 500);
    lblPrinted->hide();
    printNoticeTimer_ = newPrintNoticeTimer(this, lblPrinted);

    connect(tspSetup, &QTabWidget::currentChanged, this, [this](int i) { tspSetup_Click(i + 1); });
    HideFrames();
}

frmTabSetup::~frmTabSetup() = default;

QCheckBox* frmTabSetup::addCheck(QWidget* parent, const QString& caption, Boolean S::*member, int left, int top,
                                 int width, int height, const QString& tip)
{
    auto* box = new WrapCheckBox(caption, parent);
    placeSetupControl(box, left, top, width, height);
    box->setToolTip(tip);
    checkBoxes_.append({box, member});
    connect(box, &QCheckBox::stateChanged, this, [this, box, member] { checkBoxClick(box, member); });
    return box;
}

QPushButton* frmTabSetup::addButton(QWidget* parent, const QString& caption, int left, int top, int width, int height,
                                    const QString& tip)
{
    auto* b = new WrapPushButton(caption, parent);
    placeSetupControl(b, left, top, width, height);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

void frmTabSetup::buildGeneral()
{
    frmGeneral = new QGroupBox(QStringLiteral("General settings"), this);
    chkMulti = addCheck(frmGeneral, QStringLiteral("Multiple sessions"), &S::MultipleSessionsAllowed, 120, 240, 1500,
                        495, QStringLiteral("Allows students to save work to file"));
    chkPWord = addCheck(frmGeneral, QStringLiteral("Password"), &S::PasswordRequired, 120, 870, 1335, 495);
    chkTips = addCheck(frmGeneral, QStringLiteral("Tips"), &S::ShowTipsAtStart, 120, 1500, 1335, 495,
                       QStringLiteral("Seen by returning students - about spectroscopy"));
    chkReward = addCheck(frmGeneral, QStringLiteral("Reward picture"), &S::ShowRewardPicture, 120, 2085, 1500, 495,
                         QStringLiteral("Pictures are about Kordavia and some chemistry"));
    chkSound = addCheck(frmGeneral, QStringLiteral("Sound"), &S::SoundAllowed, 120, 2760, 1455, 495,
                        QStringLiteral("If selected, student can choose"));
}

void frmTabSetup::buildAllocation()
{
    frmUnkAllocate = new QGroupBox(QStringLiteral("Allocation of unknowns"), this);
    frmAlloc = new QGroupBox(frmUnkAllocate);
    frmAlloc->setObjectName(QStringLiteral("frmAlloc"));
    placeSetupControl(frmAlloc, 150, 220, 1695, 1095);
    optAllocate[0] = new WrapRadioButton(QStringLiteral("By Orvanto"), frmAlloc);
    optAllocate[0]->setToolTip(
        QStringLiteral("Orvanto selects simple unks, each a different type, then others randomly"));
    optAllocate[1] = new WrapRadioButton(QStringLiteral("By instructor"), frmAlloc);
    placeSetupControl(optAllocate[0], 120, 120, 1200, 365);
    placeSetupControl(optAllocate[1], 120, 600, 1200, 365);
    for (int i = 0; i < 2; ++i)
        connect(optAllocate[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optAllocate_Click(i);
        });

    txtAllocate = new QLabel(frmUnkAllocate);
    txtAllocate->setObjectName(QStringLiteral("txtAllocate"));
    txtAllocate->setWordWrap(true);
    txtAllocate->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeSetupControl(txtAllocate, 150, 1440, 1695, 1095);

    txtUnkNum = new QLineEdit(frmUnkAllocate);
    txtUnkNum->setObjectName(QStringLiteral("txtUnkNum"));
    txtUnkNum->setAlignment(Qt::AlignCenter);
    updAllocate = new UpDown(txtUnkNum, frmUnkAllocate);
    updAllocate->setObjectName(QStringLiteral("updAllocate"));
    connect(updAllocate, &UpDown::changed, this, &frmTabSetup::updAllocate_Change);
    // Typed, pasted or deleted by the instructor; the window's own setText
    // does not count.
    connect(txtUnkNum, &QLineEdit::textEdited, this, &frmTabSetup::txtUnkNum_Change);
}

void frmTabSetup::buildItems()
{
    frmItems = new QGroupBox(QStringLiteral("Student can see"), this);
    chkBpMp = addCheck(frmItems, QStringLiteral("BP and MP"), &S::BpMpAllowed, 645, 470, 1205, 495);
    chkTests = addCheck(frmItems, QStringLiteral("All tests, solubility, elements present"), &S::TestsAllowed, 645,
                        1100, 1620, 740);
    chkDerivs = addCheck(frmItems, QStringLiteral("All derivatives"), &S::DerivsAllowed, 645, 2000, 1320, 495);

    frmSpectra = new QGroupBox(QStringLiteral("Spectra available"), frmItems);
    placeSetupControl(frmSpectra, 2600, 220, 2200, 2900);
    chkCMR = addCheck(frmSpectra, QStringLiteral("Show carbon NMR"), &S::CmrAllowed, 150, 210, 1680, 495);
    chkIR = addCheck(frmSpectra, QStringLiteral("Show IR"), &S::IrAllowed, 150, 600, 1680, 495);
    chkMS = addCheck(frmSpectra, QStringLiteral("Show MS"), &S::MsAllowed, 150, 990, 1680, 495);
    chkPMR = addCheck(frmSpectra, QStringLiteral("Show proton NMR"), &S::PmrAllowed, 150, 1380, 1680, 495);
    chkUV = addCheck(frmSpectra, QStringLiteral("Show UV data"), &S::UvAllowed, 150, 1770, 1680, 495);
    cmdSpectraAll = addButton(frmSpectra, QStringLiteral("&All"), 105, 2385, 500, 400);
    // Alt+N is "No spectra" below the pages; a shared key would press neither.
    cmdSpectraNone = addButton(frmSpectra, QStringLiteral("N&one"), 1590, 2385, 500, 400);
    connect(cmdSpectraAll, &QPushButton::clicked, this, [this] { applyPresetButton(Preset::SpectraAll); });
    connect(cmdSpectraNone, &QPushButton::clicked, this, [this] { applyPresetButton(Preset::SpectraNone); });
}

void frmTabSetup::buildHelp()
{
    frmHelp = new QWidget(this);
    frmHelp->setObjectName(QStringLiteral("frmHelp"));
    frmIdentify = new QGroupBox(QStringLiteral("Student can see"), frmHelp);
    chkHelpResults = addCheck(frmIdentify, QStringLiteral("Help about results"), &S::ItemHelpAllowed, 120, 200, 2745,
                              495);
    chkHelpType = addCheck(frmIdentify, QStringLiteral("Help about unknown type"), &S::UnknownHelpAllowed, 120, 725,
                           2625, 495);
    chkShowNum = addCheck(frmIdentify, QStringLiteral("ID number of un&known"), &S::ShowUnknownNumber, 120, 1250, 2205,
                          495);
    chkSpecAssign = addCheck(frmIdentify, QStringLiteral("Spectroscopic assignments"), &S::AssignmentsAllowed, 120,
                             1775, 2970, 495);
    chkCorrel = addCheck(frmIdentify, QStringLiteral("Spectral correlation tools"), &S::CorrelationsAllowed, 120, 2300,
                         2820, 495);
    cmdMaxAssist = addButton(frmIdentify, QStringLiteral("Ma&x assist"), 105, 2805, 1000, 400);
    cmdMinAssist = addButton(frmIdentify, QStringLiteral("&Min assist"), 2295, 2805, 1000, 400);
    connect(cmdMaxAssist, &QPushButton::clicked, this, [this] { applyPresetButton(Preset::MaxAssist); });
    connect(cmdMinAssist, &QPushButton::clicked, this, [this] { applyPresetButton(Preset::MinAssist); });

    frmCalc = new QGroupBox(QStringLiteral("Calculators"), frmHelp);
    chkHShift = addCheck(frmCalc, QStringLiteral("Proton shift"), &S::HShiftCalcAllowed, 120, 200, 1200, 450);
    chkHCoupling = addCheck(frmCalc, QStringLiteral("Proton coupling"), &S::CouplingCalcAllowed, 120, 620, 1200, 495);
    chkCShift = addCheck(frmCalc, QStringLiteral("Carbon shift"), &S::CShiftCalcAllowed, 120, 1110, 1200, 375);
    chkFormula = addCheck(frmCalc, QStringLiteral("Molecular formulae"), &S::FormulaCalcAllowed, 120, 1460, 1200, 495);
    chkMass = addCheck(frmCalc, QStringLiteral("Mass"), &S::MassCalcAllowed, 120, 1880, 1300, 495);
    chkIsotope = addCheck(frmCalc, QStringLiteral("Isotope peaks"), &S::IsotopeCalcAllowed, 120, 2300, 1300, 495);
    cmdCalcAll = addButton(frmCalc, QStringLiteral("&All"), 90, 2805, 500, 400);
    cmdCalcNone = addButton(frmCalc, QStringLiteral("N&one"), 1095, 2805, 500, 400);
    connect(cmdCalcAll, &QPushButton::clicked, this, [this] { applyPresetButton(Preset::CalcAll); });
    connect(cmdCalcNone, &QPushButton::clicked, this, [this] { applyPresetButton(Preset::CalcNone); });
}

void frmTabSetup::buildID()
{
    frmID = new QWidget(this);
    frmID->setObjectName(QStringLiteral("frmID"));
    frmNames = new QGroupBox(QStringLiteral("Select at least one identification method"), frmID);
    placeSetupControl(frmNames, 240, 240, 3495, 3350);
    optType = new WrapRadioButton(QStringLiteral("Type name only"), frmNames);
    optSeeNames = new WrapRadioButton(QStringLiteral("Type name or choose from suggestions"), frmNames);
    optNoType = new WrapRadioButton(QStringLiteral("No typing"), frmNames);
    placeSetupControl(optType, 120, 300, 2175, 375);
    placeSetupControl(optSeeNames, 120, 739, 3070, 375);
    placeSetupControl(optNoType, 120, 1178, 2895, 375);
    connect(optType, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optType_Click();
    });
    connect(optSeeNames, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optSeeNames_Click();
    });
    connect(optNoType, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optNoType_Click();
    });
    linNames = new QFrame(frmNames);
    linNames->setObjectName(QStringLiteral("linNames"));
    linNames->setFrameShape(QFrame::HLine);
    linNames->setFrameShadow(QFrame::Plain);
    placeSetupControl(linNames, 120, 1590, 3255, 30);
    chkChooseStructures = addCheck(frmNames, QStringLiteral("Choose from supplied structures"),
                                   &S::ChooseStructureAllowed, 120, 1696, 2745, 400);
    chkGiveStructure = addCheck(frmNames, QStringLiteral("Generate a structure"), &S::GiveStructureAllowed, 120, 2160,
                                2655, 375);
    cmdMaxID = addButton(frmNames, QStringLiteral("Ma&x assist"), 120, 2760, 1000, 400);
    cmdMinID = addButton(frmNames, QStringLiteral("&Min assist"), 2350, 2760, 1000, 400);
    connect(cmdMaxID, &QPushButton::clicked, this, [this] { applyPresetButton(Preset::MaxID); });
    connect(cmdMinID, &QPushButton::clicked, this, [this] { applyPresetButton(Preset::MinID); });

    frmResignation = new QGroupBox(QStringLiteral("Resignation"), frmID);
    placeSetupControl(frmResignation, 3900, 950, 1455, 1335);
    chkResign = addCheck(frmResignation, QStringLiteral("Can give up on unknown"), &S::ResignAllowed, 120, 480, 1260,
                         400);
}

void frmTabSetup::buildButtonRow()
{
    constexpr int top = 4440, width = 800, height = 500;
    // Alt+D is the "ID methods" tab, Alt+U the "Unk Allocation" tab.
    cmdDefault = addButton(this, QStringLiteral("De&fault values"), 200, top, width, height,
                           QStringLiteral("Spectra, tests, derivs, Orvanto allocate, max help"));
    cmdNoTrad = addButton(this, QStringLiteral("No &tests no derivs"), 1200, top, width, height,
                          QStringLiteral("Only spectra available, Orvanto allocate, max help"));
    cmdNoSpec = addButton(this, QStringLiteral("&No spectra"), 2272, top, width, height,
                          QStringLiteral("Traditional approach, no spectra, Orvanto allocate, max help"));
    cmdPrint = addButton(this, QStringLiteral("&Print"), 3308, top, width, height, QStringLiteral("Print graphic"));
    cmdSave = addButton(this, QStringLiteral("&Save"), 4344, top, width, height,
                        QStringLiteral("Save choices to orvanto.ini file"));
    cmdExit = addButton(this, QStringLiteral("&Exit"), 5380, top, width, height, QStringLiteral("Quit"));
    connect(cmdDefault, &QPushButton::clicked, this, [this] { applyPresetButton(Preset::Defaults); });
    connect(cmdNoTrad, &QPushButton::clicked, this, [this] { applyPresetButton(Preset::NoTrad); });
    connect(cmdNoSpec, &QPushButton::clicked, this, [this] { applyPresetButton(Preset::NoSpec); });
    connect(cmdPrint, &QPushButton::clicked, this, &frmTabSetup::cmdPrint_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmTabSetup::cmdSave_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmTabSetup::cmdExit_Click);
}

// --- Tabs ---

void frmTabSetup::tspSetup_Click(int index)
{
    switch (index) {
    case 1: DoGeneral(); break;
    case 2: DoUnkAllocate(); break;
    case 3: DoItems(); break;
    case 4: DoHelp(); break;
    case 5: DoID(); break;
    default: break;
    }
}

void frmTabSetup::HideFrames()
{
    for (QWidget* f : {static_cast<QWidget*>(frmGeneral), static_cast<QWidget*>(frmUnkAllocate),
                       static_cast<QWidget*>(frmItems), frmHelp, frmID})
        f->hide();
}

void frmTabSetup::placeFrame(QWidget* frame, int left, int top, int width, int height)
{
    HideFrames();
    placeSetupControl(frame, left, top, width, height);
    frame->raise();
    frame->show();
}

void frmTabSetup::DoGeneral() { placeFrame(frmGeneral, 2220, 600, 2000, 3300); }

void frmTabSetup::DoUnkAllocate()
{
    placeFrame(frmUnkAllocate, 2220, 600, 2000, 3300);
    updAllocate->setRange(0, kMaxSimpleUnknowns);
    AllocateText();
}

void frmTabSetup::DoItems()
{
    placeFrame(frmItems, 510, 600, 5390, 3300);
    placeSetupControl(frmSpectra, 2600, 220, 2200, 2900);
}

void frmTabSetup::DoHelp()
{
    placeFrame(frmHelp, 400, 400, 5600, 3700);
    placeSetupControl(frmIdentify, 100, 200, 3400, 3300);
    placeSetupControl(frmCalc, 3800, 200, 1700, 3300);
}

void frmTabSetup::DoID() { placeFrame(frmID, (kTabStripWidth - 5420) / 2 + 150, 400, 5420, 3700); }

void frmTabSetup::AllocateText()
{
    if (!isTrue(modSetup.settings.ProgramChoosesUnknowns)) {
        txtUnkNum->hide();
        updAllocate->hide();
        txtAllocate->setText(QStringLiteral("Requires that an appropriate file exists for each student.")
                             + QStringLiteral(" Use companion program called ovallocate."));
        return;
    }
    placeSetupControl(txtUnkNum, 700, 2700, 350, 315);
    txtUnkNum->show();
    placeSetupControl(updAllocate, 1050, 2700, 240, 315);
    updAllocate->show();
    txtAllocate->setText(QStringLiteral("Number of simple unknowns to be done before ")
                         + QStringLiteral("the more difficult ones. Choose in range 0 - 20."));
}

// --- Controls and their flags ---

void frmTabSetup::checkBoxClick(QCheckBox* box, Boolean S::*member)
{
    SetupDirty = kTrue;
    modSetup.settings.*member = vb(box->checkState() == Qt::Checked);
}

void frmTabSetup::optAllocate_Click(int index)
{
    SetupDirty = kTrue;
    modSetup.settings.ProgramChoosesUnknowns = vb(index == 0);
    AllocateText();
}

void frmTabSetup::optType_Click()
{
    SetupDirty = kTrue;
    modSetup.settings.TypeNameOnly = kTrue;
    modSetup.settings.OfferNameList = kFalse;
}

void frmTabSetup::optSeeNames_Click()
{
    SetupDirty = kTrue;
    modSetup.settings.OfferNameList = kTrue;
    modSetup.settings.TypeNameOnly = kFalse;
}

void frmTabSetup::optNoType_Click()
{
    SetupDirty = kTrue;
    modSetup.settings.TypeNameOnly = kFalse;
    modSetup.settings.OfferNameList = kFalse;
}

void frmTabSetup::updAllocate_Change() { SetupDirty = kTrue; }

void frmTabSetup::txtUnkNum_Change() { SetupDirty = kTrue; }

QCheckBox* frmTabSetup::checkBoxFor(Boolean S::*member) const
{
    for (const auto& [box, m] : checkBoxes_)
        if (m == member)
            return box;
    return nullptr;
}

ConfigSettings frmTabSetup::shownSettings() const
{
    ConfigSettings s;
    for (const auto& [box, member] : checkBoxes_)
        s.*member = vb(box->checkState() == Qt::Checked);
    s.ProgramChoosesUnknowns = vb(optAllocate[0]->isChecked());
    s.TypeNameOnly = vb(optType->isChecked());
    s.OfferNameList = vb(optSeeNames->isChecked());
    s.BasicUnknownsBeforeAdvanced = simpleUnknownsFromText(txtUnkNum->text()).value_or(-1);
    return s;
}

void frmTabSetup::showSettings(const ConfigSettings& s, bool allocation, bool typing)
{
    for (const auto& [box, member] : checkBoxes_)
        box->setCheckState(isTrue(s.*member) ? Qt::Checked : Qt::Unchecked);
    if (allocation) {
        optAllocate[isTrue(s.ProgramChoosesUnknowns) ? 0 : 1]->setChecked(true);
        txtUnkNum->setText(QString::number(s.BasicUnknownsBeforeAdvanced));
    }
    if (typing) {
        // Offering the name list wins when a file sets both typing flags.
        optNoType->setChecked(true);
        if (isTrue(s.TypeNameOnly))
            optType->setChecked(true);
        if (isTrue(s.OfferNameList))
            optSeeNames->setChecked(true);
    }
    ConfigSettings& flags = modSetup.settings;
    const ConfigSettings before = flags;
    flags = s;
    if (!allocation)
        flags.ProgramChoosesUnknowns = before.ProgramChoosesUnknowns;
    if (!typing) {
        flags.TypeNameOnly = before.TypeNameOnly;
        flags.OfferNameList = before.OfferNameList;
    } else if (isTrue(s.OfferNameList)) {
        flags.TypeNameOnly = kFalse;
    }
    if (allocation)
        AllocateText();
}

} // namespace orv
