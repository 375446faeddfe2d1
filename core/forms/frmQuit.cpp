#include "core/forms/frmQuit.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "core/quitlayout.h"
#include "core/userfile.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/msgbox.h"

#include <QLabel>
#include <QPushButton>

namespace orv {

namespace {
QString& pendingMessage()
{
    static QString m;
    return m;
}
}

void frmQuit::setMessage(const QString& message) { pendingMessage() = message; }

frmQuit::frmQuit()
{
    lblQuit = new QLabel(this);
    cmdQuitExit = new QPushButton(QStringLiteral("&Exit program"), this);
    cmdQuitRestart = new QPushButton(QStringLiteral("&Restart for new user"), this);
    cmdQuitSummary = new QPushButton(QStringLiteral("&Summary of completed unknowns"), this);
    connect(cmdQuitExit, &QPushButton::clicked, this, &frmQuit::cmdQuitExit_Click);
    connect(cmdQuitRestart, &QPushButton::clicked, this, &frmQuit::cmdQuitRestart_Click);
    connect(cmdQuitSummary, &QPushButton::clicked, this, &frmQuit::cmdQuitSummary_Click);
    Form_Load();
}

void frmQuit::Form_Load()
{
    auto& m = modOrvan;
    // Whoever opens this window has saved what was to be saved: the record
    // can no longer change, so the file is let go at once, not only when the
    // student leaves this window. A mark that stays is named here.
    if (const QString stuck = releaseUserFile(); !stuck.isEmpty())
        pendingMessage() = pendingMessage().isEmpty() ? stuck : pendingMessage() + QStringLiteral("  ") + stuck;
    applyFormLook(this);
    const int height = 3000 + CaptionExtraTwips();
    const TwipsPoint at = quitWindowPosition(m, height, screenWidthTwips(), screenHeightTwips());
    setFormGeometry(this, at.left, at.top, kQuitWindowWidth, height);
    if (m.MainWindowTop != 0)
        if (QWidget* main = forms::find(forms::names::frmOVMain))
            main->hide();

    const QuitLayout q = quitLayout(m, pendingMessage());
    pendingMessage().clear();
    applyLabelLook(lblQuit);
    lblQuit->setAlignment(Qt::AlignCenter);
    lblQuit->setText(q.text);
    placeControl(lblQuit, q.labelLeft, q.labelTop, q.labelWidth, q.labelHeight);
    fitTextToLabel(lblQuit);
    setWindowTitle(q.caption);

    auto setButton = [](QPushButton* b, const QuitButton& button, int top) {
        applyButtonLook(b);
        b->setVisible(button.visible);
        if (!button.visible)
            return;
        b->setText(button.caption);
        b->setToolTip(button.toolTip);
        placeControl(b, button.left, top, button.width, 490);
    };
    setButton(cmdQuitExit, q.exit, 2050);
    setButton(cmdQuitRestart, q.restart, 2050);
    setButton(cmdQuitSummary, q.summary, q.summaryTop);
    // Where one button is the only way on, Enter and Escape both press it;
    // with a choice, Enter presses the focused button and Escape nothing.
    const bool exitOnly = q.exit.visible && !q.restart.visible;
    const bool restartOnly = q.restart.visible && !q.exit.visible;
    setContinueButton(this, exitOnly ? cmdQuitExit : restartOnly ? cmdQuitRestart : nullptr);
    if (exitOnly || restartOnly)
        (exitOnly ? cmdQuitExit : cmdQuitRestart)->setFocus();
    if (isTrue(m.AllUnknownsDone))
        forms::unload(forms::names::frmOVMain);
}

void clearForNextStudent()
{
    auto& m = modOrvan;
    if (QWidget* main = forms::find(forms::names::frmOVMain)) {
        // Without a leaving reason the main window closes without saving and
        // without the quit window. It was nobody's way out, so the place
        // kept from the last one that was stays.
        const int top = m.MainWindowTop, left = m.MainWindowLeft, width = m.MainWindowWidth;
        m.QuitReason.clear();
        forms::unload(main);
        m.MainWindowTop = top;
        m.MainWindowLeft = left;
        m.MainWindowWidth = width;
    }
    // Usually let go already as the quit window opened; the roads that come
    // here without it learn of a mark that stays now.
    if (const QString stuck = releaseUserFile(); !stuck.isEmpty())
        MsgBox(stuck, MsgButtons::OkOnly, MsgIcon::Exclamation);
    ResetUserRecord();
}

void frmQuit::cmdQuitExit_Click() { EndProgram(); }

void frmQuit::cmdQuitRestart_Click()
{
    clearForNextStudent();
    modOrvan.NameCount = 0;
    modOrvan.SoundOn = kTrue;
    forms::unload(this);
    if (QWidget* start = forms::load(forms::names::frmInitial))
        forms::showModeless(start);
}

void frmQuit::cmdQuitSummary_Click()
{
    hide();
    // The summary stands in the quit window's place and brings it back when
    // it closes while all unknowns are done.
    if (QWidget* summary = forms::load(forms::names::frmSummary))
        forms::showModeless(summary);
    else
        show();
}

} // namespace orv
