// The settings window's start, reading, presets, saving, printing and leaving.
#include "core/coreservices.h"
#include "platform/filedialog.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/printer.h"
#include "platform/forms/printnotice.h"
#include "platform/msgbox.h"
#include "platform/programfolder.h"
#include "setup/forms/frmLogin.h"
#include "setup/forms/frmTabSetup.h"
#include "setup/forms/setuplook.h"
#include "setup/savechecks.h"
#include "setup/setupconfig.h"
#include "setup/setupstate.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>

namespace orv {

namespace {
constexpr int kWidth = 6500;
constexpr int kDesignedHeight = 5440;
const QString kNotSavedQuestion = QStringLiteral("Information not saved. Quit anyway?");
}

int frmTabSetup::GetRandomNum(int lo, int hi) { return orv::GetRandomNum(lo, hi); }

bool frmTabSetup::Form_Load()
{
    const int height = kDesignedHeight + CaptionExtraTwips();
    placeSetupWindow(this, kWidth, height);
    placeSetupControl(tspSetup, 200, 50, 6000, 4200);

    FileDialogRequest open;
    open.title = QStringLiteral("Orvanto setup. Give location of orvanto.ini file.");
    open.initialDir = QDir::toNativeSeparators(programFolder());
    open.filter = QStringLiteral("orvanto.ini|orvanto.ini");
    open.defaultName = QStringLiteral("orvanto.ini");
    open.mustExist = true;
    cdlSetupFileName = showFileDialog(open);
    if (cdlSetupFileName.isEmpty()) {
        MsgBox(QStringLiteral("File opening operation cancelled by user. Program ends."));
        endSetupProgram();
        return false;
    }
    // The dialog lists only orvanto.ini, yet another name can be typed into
    // it: that file would be overwritten by the next save.
    if (QFileInfo(cdlSetupFileName).fileName().compare(QStringLiteral("orvanto.ini"), Qt::CaseInsensitive) != 0) {
        MsgBox(QStringLiteral("Only a file named orvanto.ini can be used. Program ends."));
        endSetupProgram();
        return false;
    }

    ReadFile();
    setWindowTitle(QStringLiteral("Orvanto - setup (v ") + setupVersionText() + u')');

    auto* login = forms::instance<frmLogin>();
    login->setWindowTitle(QStringLiteral("Orvanto setup login"));
    forms::showModal(login);
    if (!isTrue(modSetup.LoginAccepted)) {
        if (!modSetup.ending)
            endSetupProgram();
        return false;
    }
    tspSetup->setCurrentIndex(0);
    DoGeneral();
    return true;
}

// --- Reading ---

void frmTabSetup::ReadFile()
{
    const ConfigFileRead r = readConfigFileAsIs(cdlSetupFileName);
    if (!r.usable) {
        MsgBox(r.readError.isEmpty()
                   ? QStringLiteral("Error with contents of orvanto.ini, default values selected.")
                   : QStringLiteral("orvanto.ini cannot be read: ") + cdlSetupFileName + QStringLiteral(" (")
                         + r.readError + QStringLiteral("), default values selected."));
        SetDefaults();
        SetupDirty = kTrue;
        return;
    }
    showSettings(r.settings, true, true);
    // A number the student program would replace by 3 is shown as 3; the file
    // then differs from the window until it is saved.
    SetupDirty = vb(r.numberReplaced);
}

// --- Presets ---

void frmTabSetup::SetDefaults()
{
    SetupDirty = kTrue;
    showSettings(applyPreset(Preset::Defaults, modSetup.settings), true, true);
}

void frmTabSetup::applyPresetButton(Preset preset)
{
    SetupDirty = kTrue;
    if (presetShowsItems(preset))
        DoItems();
    if (preset == Preset::Defaults) {
        SetDefaults();
        return;
    }
    showSettings(applyPreset(preset, modSetup.settings), presetSetsAllocation(preset), presetSetsTyping(preset));
}

// --- Saving ---

void frmTabSetup::cmdSave_Click()
{
    ConfigSettings s = modSetup.settings;
    const std::optional<int> number = simpleUnknownsFromText(txtUnkNum->text());
    if (!number) {
        const SaveMessage m = simpleUnknownsRefusal();
        MsgBox(m.prompt, m.buttons, m.icon);
        return;
    }
    s.BasicUnknownsBeforeAdvanced = *number;
    if (const auto q = spectraQuestion(s)) {
        if (MsgBox(q->prompt, q->buttons, q->icon, QString(), 2) != MsgResult::Yes)
            return;
    }
    if (const auto refusal = identificationRefusal(s)) {
        MsgBox(refusal->prompt, refusal->buttons, refusal->icon);
        return;
    }
    const WriteResult w = writeSetupConfig(cdlSetupFileName, s,
                                           [this](int lo, int hi) { return GetRandomNum(lo, hi); });
    if (!w.written()) {
        MsgBox(QStringLiteral("Error writing file ") + QDir::toNativeSeparators(cdlSetupFileName)
                   + QStringLiteral(". Settings not saved.") + vbCrLf + w.reason,
               MsgButtons::OkOnly, MsgIcon::Critical);
        return;
    }
    // The settings are in the file and the students' programs read them
    // from now on; only a power cut before the disk has them could undo that.
    if (w.outcome == WriteResult::WrittenNotSynced)
        MsgBox(QStringLiteral("The settings have been written to ") + QDir::toNativeSeparators(cdlSetupFileName)
                   + QStringLiteral(", but the disk did not confirm it (") + w.reason
                   + QStringLiteral("): a power cut now could still lose them."),
               MsgButtons::OkOnly, MsgIcon::Exclamation);
    SetupDirty = kFalse;
}

// --- Printing ---

bool frmTabSetup::printNoticeShowing() const { return printNoticeTimer_->isActive(); }

void frmTabSetup::cmdPrint_Click()
{
    if (printNoticeShowing())
        return;
    TwipsPrinter printer;
    printer.setFailureMessage(QStringLiteral("Problem with printer."), MsgIcon::None);
    if (!printer.begin(windowTitle()))
        return;
    QPainter* p = printer.painter();
    // One empty line, then the window as it stands, at its size on screen.
    const int lineHeight = QFontMetrics(twipsFont(font().family(), 10)).height();
    constexpr int scale = 3; // rendered at three times the screen's pixels for a sharp print
    QImage image(size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    render(&image);
    p->drawImage(QRectF(0, lineHeight, width() * kSetupTwipsPerPixel, height() * kSetupTwipsPerPixel), image);
    if (!printer.end())
        return;
    lblPrinted->raise();
    lblPrinted->show();
    printNoticeTimer_->start(kPrintNoticeMs);
}

// --- Leaving ---

void frmTabSetup::cmdExit_Click()
{
    if (!isTrue(SetupDirty)) {
        endSetupProgram();
        return;
    }
    if (MsgBox(kNotSavedQuestion, MsgButtons::YesNo, MsgIcon::None, QString(), 2) != MsgResult::Yes)
        return;
    SetupDirty = kFalse;
    forms::unload(this);
}

void frmTabSetup::closeEvent(QCloseEvent* e)
{
    // Nothing to ask once the program is ending, or before the instructor got in.
    if (modSetup.ending || !isTrue(modSetup.LoginAccepted)) {
        e->accept();
        return;
    }
    if (isTrue(SetupDirty)
        && MsgBox(kNotSavedQuestion, MsgButtons::YesNo, MsgIcon::None, QString(), 2) != MsgResult::Yes) {
        e->ignore();
        forms::closeRefused(this); // still the settings window
        return;
    }
    e->accept();
    endSetupProgram();
}

} // namespace orv
