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
    static std::function<void()> h;
    return h;
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

void Pause(double seconds)
{
    if (seconds <= 0)
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
    static std::function<void()> h;
    return h;
}
std::function<void()>& unloadHook()
{
    static std::function<void()> h;
    return h;
}
}

void setEndProgramHandler(std::function<void()> handler) { endHandler() = std::move(handler); }
void setUnloadAllWindowsHook(std::function<void()> hook) { unloadHook() = std::move(hook); }

void EndProgram()
{
    if (unloadHook())
        unloadHook()();
    if (endHandler()) {
        endHandler()();
        return;
    }
    std::exit(0);
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
