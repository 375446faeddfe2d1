#include "platform/runtime.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <cstdlib>

namespace orv {

namespace {
int& waitDepth()
{
    static int d = 0;
    return d;
}
std::function<void()>& waitsEndedHook()
{
    // Never destroyed, as every hook here: the system's end road may run
    // from an exit handler, after the statics made since it was registered.
    static auto* h = new std::function<void()>;
    return *h;
}
}

NestedWait::NestedWait() { ++waitDepth(); }
NestedWait::~NestedWait()
{
    if (--waitDepth() == 0 && waitsEndedHook())
        waitsEndedHook()();
}
int nestedWaitDepth() { return waitDepth(); }
void setWaitsEndedHook(std::function<void()> hook) { waitsEndedHook() = std::move(hook); }

namespace {
int& withheldDepth()
{
    static int d = 0;
    return d;
}
}

NoWindows::NoWindows() { ++withheldDepth(); }
NoWindows::~NoWindows() { --withheldDepth(); }
bool windowsWithheld() { return withheldDepth() > 0; }

void Pause(double seconds)
{
    // No pause runs window events while they are withheld: the road out must
    // not let a click or a timer start anything new.
    if (seconds <= 0 || windowsWithheld())
        return;
    const NestedWait wait;
    const qint64 ms = static_cast<qint64>(seconds * 1000.0 + 0.5);
    if (!QCoreApplication::instance()) {
        QThread::msleep(static_cast<unsigned long>(ms));
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(ms - clock.elapsed()), &loop, &QEventLoop::quit);
        loop.exec();
    }
}

namespace {
std::function<void()>& endHandler()
{
    static auto* h = new std::function<void()>;
    return *h;
}
std::function<void()>& unloadHook()
{
    static auto* h = new std::function<void()>;
    return *h;
}
bool& endedItself()
{
    static bool ended = false;
    return ended;
}
}

void setEndProgramHandler(std::function<void()> handler) { endHandler() = std::move(handler); }
void setUnloadAllWindowsHook(std::function<void()> hook) { unloadHook() = std::move(hook); }

void EndProgram()
{
    // The system's end is under way: it finishes the process itself once
    // its road is done, and no window may be closed (and so asked) meanwhile.
    if (systemEndUnderWay())
        return;
    if (unloadHook())
        unloadHook()();
    endProcessNow();
}

void endProcessNow()
{
    endedItself() = true;
    if (endHandler()) {
        endHandler()();
        return;
    }
    std::exit(0);
}

bool programEndedItself() { return endedItself(); }

namespace {
bool& systemEnd()
{
    static bool underWay = false;
    return underWay;
}
}

void beginSystemEnd()
{
    if (!systemEnd())
        ++withheldDepth(); // for good
    systemEnd() = true;
}

bool systemEndUnderWay() { return systemEnd(); }

void resetSystemEndForTests()
{
    if (systemEnd())
        --withheldDepth();
    systemEnd() = false;
    endedItself() = false;
}

SingleInstance::SingleInstance(const QString& name, const QString& folder)
{
    QString dir = folder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    path_ = dir + u'/' + name + QStringLiteral(".lock");
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryLock()
{
    lock_ = std::make_unique<QLockFile>(path_);
    lock_->setStaleLockTime(0); // a lock whose process died is taken over
    if (lock_->tryLock(0))
        return true;
    lock_.reset();
    return false;
}

} // namespace orv
