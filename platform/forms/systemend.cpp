#include "platform/forms/systemend.h"

#include "platform/runtime.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

namespace orv {

namespace {

// Kept for the whole process, never destroyed: the exit handler may run after
// every other object with static storage is gone.
SystemEndRoad* road = nullptr;
int signalPipe[2] = {-1, -1}; // [0] written by the handler, [1] read by the event loop

extern "C" void onEndSignal(int signo)
{
    // Only what is safe in a handler: one write that never blocks.
    const int saved = errno;
    const char byte = static_cast<char>(signo);
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
    errno = saved;
}

void takeRoad()
{
    if (systemEndUnderWay())
        return;
    beginSystemEnd();
    if (road && road->leave)
        road->leave();
}

// Takes the road at once, from the event loop, and ends the process.
void endBySystem()
{
    takeRoad();
    endProcessNow();
}

extern "C" void endAtExit()
{
    // Only an exit from elsewhere while the application lives: after the
    // program's own end, or once main has returned, there is nothing to do.
    // An exit from another thread leaves the state alone: the main thread
    // may be changing it at that moment.
    const QCoreApplication* app = QCoreApplication::instance();
    if (programEndedItself() || !app || QThread::currentThread() != app->thread())
        return;
    takeRoad();
}

class QuitFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Quit && watched == QCoreApplication::instance()) {
            // Qt would close every window in turn, and each would ask what
            // to do; the road asks nothing.
            endBySystem();
            return true;
        }
        return false;
    }
};

void onSignalByte()
{
    char bytes[64];
    while (::read(signalPipe[1], bytes, sizeof bytes) > 0) {}
    if (!systemEndUnderWay())
        endBySystem();
}

void commitForSessionManager()
{
    // A handler waiting on a window is in the middle of a change; the end of
    // the session that follows takes the road, which saves.
    if (systemEndUnderWay() || nestedWaitDepth() > 0 || !road || !road->commit)
        return;
    const NoWindows none;
    road->commit();
}

} // namespace

void watchForSystemEnd(SystemEndRoad r)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || road)
        return;
    road = new SystemEndRoad(std::move(r));

    // A write to an error output whose reader is gone fails instead of
    // ending the program before its road has let go of the user file.
    ::signal(SIGPIPE, SIG_IGN);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalPipe) == 0) {
        auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, app);
        QObject::connect(notifier, &QSocketNotifier::activated, app, [] { onSignalByte(); });
        struct sigaction action = {};
        action.sa_handler = onEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signo : {SIGTERM, SIGHUP, SIGINT}) {
            struct sigaction before = {};
            if (::sigaction(signo, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
                continue; // started to ignore it (nohup): it stays ignored
            ::sigaction(signo, &action, nullptr);
        }
    }

    app->installEventFilter(new QuitFilter(app));
    // An event loop told to end without a Quit event (QCoreApplication::exit)
    // still takes the road before main returns.
    QObject::connect(app, &QCoreApplication::aboutToQuit, app, [] { takeRoad(); });
    if (auto* gui = qobject_cast<QGuiApplication*>(app))
        QObject::connect(
            gui, &QGuiApplication::commitDataRequest, gui, [](QSessionManager&) { commitForSessionManager(); },
            Qt::DirectConnection);
    std::atexit(endAtExit);
}

} // namespace orv
