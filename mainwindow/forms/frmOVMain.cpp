#include "mainwindow/forms/frmOVMain.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "mainwindow/forms/helpmenu.h"
#include "mainwindow/mainstatus.h"
#include "mainwindow/reveal.h"
#include "mainwindow/savedata.h"
#include "platform/basic.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

namespace orv {

namespace {
int& changingDepth()
{
    static int depth = 0;
    return depth;
}

QPointer<frmOVMain>& openSession()
{
    static QPointer<frmOVMain> w;
    return w;
}

// Designed widths of status panels 1, 2 (the rest of the bar), 3 and 4.
constexpr int kPanelWidthTw[5] = {0, 2100, 0, 2000, 1400};
} // namespace

std::function<bool()>& frmOVMain::unknownFileReader()
{
    static std::function<bool()> reader = [] { return ReadUnknownFile(); };
    return reader;
}

bool frmOVMain::isChanging() { return changingDepth() > 0; }

bool frmOVMain::sessionOpen() { return !openSession().isNull(); }

frmOVMain::frmOVMain()
{
    ++changingDepth();
    auto& m = modOrvan;
    setObjectName(QStringLiteral("frmOVMain"));
    setWindowTitle(QStringLiteral("Orvanto"));

    markStartTime(); // the clock stands behind by the earlier minutes
    TimerOVMain = new QTimer(this);
    TimerOVMain->setObjectName(QStringLiteral("TimerOVMain"));
    TimerOVMain->setInterval(1000);
    connect(TimerOVMain, &QTimer::timeout, this, &frmOVMain::TimerOVMain_Timer);

    applyFormLook(this, kFormGrey);
    const int width = 9400;
    setFormGeometry(this, (screenWidthTwips() - width) / 2, m.ScreenTopOffset, width, 6800 + 2 * CaptionExtraTwips());

    auto* sb = new QStatusBar(this);
    sb->setObjectName(QStringLiteral("sbOVMain"));
    sb->setSizeGripEnabled(false);
    for (int p = 1; p <= 4; ++p) {
        auto* l = new QLabel(sb);
        l->setObjectName(QStringLiteral("sbOVMainPanel%1").arg(p));
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setContentsMargins(4, 0, 4, 0);
        if (kPanelWidthTw[p] > 0)
            l->setFixedWidth(px(kPanelWidthTw[p]));
        sb->addWidget(l, kPanelWidthTw[p] > 0 ? 0 : 1);
        panels_[p] = l;
    }
    setStatusBar(sb);

    // A failed read has already ended the program with its own message.
    unknownFileReader()();

    m.DataSaved = kFalse;
    m.QuitReason = quitReasonAtLoad(m);
    buildMenus();

    UpdateStatusBar(1);
    UpdateStatusBar(2);
    UpdateStatusBar(4);
    setMainCaption(mainCaptionText(m));

    // The core's writes so far (including those just made) reach this window
    // only once it is known by name, so take them from the state.
    for (int p = 1; p <= 4; ++p)
        panels_[p]->setText(m.StatusPanelText[p]);
    setWindowTitle(m.MainCaption.isEmpty() ? QStringLiteral("Orvanto") : m.MainCaption);

    TimerOVMain->start();
    openSession() = this;
    --changingDepth();
}

void frmOVMain::ProcessResult() { orv::ProcessResult(modOrvan); }

void frmOVMain::WriteUserData() { WriteUserDataFlow(); }

void frmOVMain::showStatusPanel(int panel, const QString& text)
{
    if (panel >= 1 && panel <= 4)
        panels_[panel]->setText(text);
}

QString frmOVMain::statusPanel(int panel) const
{
    return panel >= 1 && panel <= 4 ? panels_[panel]->text() : QString();
}

void frmOVMain::TimerOVMain_Timer()
{
    auto& m = modOrvan;
    m.TimerNow = TimeOfDay();
    setStatusPanel(3, timeTakenText(m.StartTime, m.TimerNow));
}

bool frmOVMain::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && isTrue(modOrvan.AllUnknownsDone)) {
        // Unload once the activation has been handled, not inside it.
        QTimer::singleShot(0, this, [this] { forms::unload(this); });
    }
    return QMainWindow::event(e);
}

void frmOVMain::closeEvent(QCloseEvent* e)
{
    auto& m = modOrvan;
    const QRect r = formRectTwips(this);
    m.MainWindowTop = r.y();
    m.MainWindowLeft = r.x();
    m.MainWindowWidth = r.width();
    TimerOVMain->stop();
    ++changingDepth();
    const LeaveOutcome leave = leaveMainWindow(m);
    if (!leave.close) {
        // The save failed: the student stays with the work, to try again,
        // with the menus of the own unknown when the example was on.
        forms::closeRefused(this);
        if (leave.leftExample)
            exampleMenus(false);
        --changingDepth();
        TimerOVMain->start();
        e->ignore();
        return;
    }
    const QString& q = m.QuitReason;
    if (q == QLatin1String("Save") || q == QLatin1String("AnotherUser") || q == QLatin1String("QuitNow")
        || q == QLatin1String("NoSaveNext") || q == QLatin1String("NoSaveExit") || q == QLatin1String("NoSave")) {
        if (QWidget* quit = forms::load(forms::names::frmQuit))
            forms::showModeless(quit);
    }
    openSession() = nullptr;
    --changingDepth();
    e->accept();
}

void installMainWindowSinks()
{
    auto& m = modOrvan;
    m.statusBarSink = [](int panel, const QString& text) {
        if (auto* w = forms::loaded<frmOVMain>())
            w->showStatusPanel(panel, text);
    };
    m.mainCaptionSink = [](const QString& caption) {
        if (auto* w = forms::loaded<frmOVMain>())
            w->setWindowTitle(caption);
    };
    m.ensureMainWindow = [] {
        if (!frmOVMain::isChanging() && !forms::loaded<frmOVMain>())
            forms::instance<frmOVMain>();
    };
}

} // namespace orv
