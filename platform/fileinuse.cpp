#include "platform/fileinuse.h"

#include "platform/textfile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTimer>

namespace orv {

FileInUse::FileInUse() = default;

FileInUse::~FileInUse() { release(); }

QString FileInUse::markPath(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    // Hidden, so that it stays out of the students' way in file dialogs.
    const QString name = u'.' + info.fileName(), ending = QStringLiteral(".lock");
    QString mark = fittedFileName(folder, name, ending);
    // A name at the file system's limit still gets a mark of its own: the
    // shortened name is tagged with a hash of the whole.
    if (mark != name + ending)
        mark = fittedFileName(folder, name, u'-' + QString::number(qHash(name), 16) + ending);
    return folder + u'/' + mark;
}

bool FileInUse::hold(const QString& path, QString* holder, bool* otherMachine)
{
    if (!path_.isEmpty() && QFileInfo(path_).absoluteFilePath() == QFileInfo(path).absoluteFilePath())
        return true;
    release();
    auto lock = std::make_unique<QLockFile>(markPath(path));
    lock->setStaleLockTime(kInUseStaleMinutes * 60 * 1000);
    if (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError)
            return true; // no mark can be made here
        qint64 pid = 0;
        QString host, app;
        const bool elsewhere =
            lock->getLockInfo(&pid, &host, &app) && !host.isEmpty() && host != QSysInfo::machineHostName();
        if (holder)
            *holder = elsewhere ? QStringLiteral("on machine ") + host : QStringLiteral("on this machine");
        if (otherMachine)
            *otherMachine = elsewhere;
        return false;
    }
    path_ = path;
    lock_ = std::move(lock);
    renewal_ = std::make_unique<QTimer>();
    QObject::connect(renewal_.get(), &QTimer::timeout, [this] { renew(); });
    renewal_->start(60 * 1000);
    return true;
}

void FileInUse::renew()
{
    QFile mark(markPath(path_));
    if (mark.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        mark.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
}

void FileInUse::release()
{
    renewal_.reset();
    if (lock_)
        lock_->unlock();
    lock_.reset();
    path_.clear();
}

} // namespace orv
