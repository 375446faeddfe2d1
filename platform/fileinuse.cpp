#include "platform/fileinuse.h"

#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <map>

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

const QByteArray kMarkHeader = "Orvanto in-use mark";

// What this copy has seen of other machines' marks: the mark as it was read
// and since when (monotonic milliseconds) it has been so.
struct Sighting {
    QByteArray bytes;
    qint64 since = 0;
};

std::map<QString, Sighting>& sightings()
{
    static std::map<QString, Sighting> seen;
    return seen;
}

std::function<qint64()>& testClock()
{
    static std::function<qint64()> clock;
    return clock;
}

qint64 nowMs()
{
    if (testClock())
        return testClock()();
    static const QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}

QByteArray nativeName(const QString& path) { return QFile::encodeName(path); }

QString errnoText(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

QByteArray oneLine(QByteArray s)
{
    s.replace('\n', '?');
    s.replace('\r', '?');
    return s;
}

// The start of a process in clock ticks since boot, or -1 when unknown.
qint64 processStart(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = stat.read(4096);
    const qsizetype close = data.lastIndexOf(')');
    if (close < 0)
        return -1;
    // Field 22 of the line; the fields after the name begin with field 3.
    const QList<QByteArray> fields = data.mid(close + 2).split(' ');
    bool ok = false;
    const qint64 start = fields.value(19).toLongLong(&ok);
    return ok ? start : -1;
}

// True while the process that made a mark on this machine runs (a process
// of that number that started at another time is another program).
bool processAlive(qint64 pid, qint64 started)
{
    if (pid <= 0)
        return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
        return false;
    const qint64 now = processStart(pid);
    return now < 0 || started <= 0 || now == started;
}

bool folderWritable(const QString& folder)
{
    return ::faccessat(AT_FDCWD, nativeName(folder).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISLNK(mode))
        return QStringLiteral("a symbolic link");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device");
}

// A mark's bytes, read without waiting and without following a link; empty
// optional with `why` set when it is not a regular file of a sane size or
// cannot be read. `st` receives what was read.
std::optional<QByteArray> readMark(const QString& mark, struct stat* st, QString* why, int* openError = nullptr)
{
    const int fd = ::open(nativeName(mark).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (openError)
            *openError = errno;
        *why = errno == ELOOP ? QStringLiteral("a symbolic link")
                              : QStringLiteral("unreadable (%1)").arg(errnoText(errno));
        return std::nullopt;
    }
    QByteArray bytes;
    bool ok = ::fstat(fd, st) == 0;
    if (!ok)
        *why = QStringLiteral("unreadable (%1)").arg(errnoText(errno));
    else if (!S_ISREG(st->st_mode)) {
        ok = false;
        *why = kindOf(st->st_mode);
    } else if (st->st_size > kMaxMarkBytes) {
        ok = false;
        *why = QStringLiteral("larger than any mark");
    }
    while (ok) {
        char buffer[kMaxMarkBytes + 1];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            *why = QStringLiteral("unreadable (%1)").arg(errnoText(errno));
        } else if (n == 0) {
            break;
        } else {
            bytes.append(buffer, n);
            if (bytes.size() > kMaxMarkBytes) {
                ok = false;
                *why = QStringLiteral("larger than any mark");
            }
        }
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return bytes;
}

// What stands in a mark's place, judged for this copy.
struct Look {
    enum Kind { Free, Alive, Dead, Damaged } kind = Free;
    dev_t dev = 0;
    ino_t ino = 0;
    QByteArray bytes;    // Dead: the mark as read
    QString holder;      // Alive
    int minutesLeft = 0; // Alive, another machine's
    QString damage;      // Damaged: what it is
};

Look look(const QString& mark, const MarkHolder& self)
{
    Look l;
    struct stat st {};
    if (::lstat(nativeName(mark).constData(), &st) != 0)
        return l; // nothing there (or nothing this account may see: no mark can be made either)
    l.dev = st.st_dev;
    l.ino = st.st_ino;
    if (!S_ISREG(st.st_mode)) {
        // Never opened: a pipe would wait, a device could do anything.
        l.kind = Look::Damaged;
        l.damage = kindOf(st.st_mode);
        return l;
    }
    int openError = 0;
    const auto bytes = readMark(mark, &st, &l.damage, &openError);
    if (!bytes) {
        l.kind = openError == ENOENT ? Look::Free : Look::Damaged;
        return l;
    }
    l.dev = st.st_dev;
    l.ino = st.st_ino;
    l.bytes = *bytes;
    const auto h = parseMark(*bytes);
    // This machine's: the same host name, and the same machine id or (where
    // there is none, as in a bare chroot) the same boot, which no other
    // machine shares.
    const bool thisMachine = h && h->host == self.host
                          && ((!self.machine.isEmpty() && h->machine == self.machine)
                              || (!self.boot.isEmpty() && h->boot == self.boot));
    if (thisMachine) {
        // This machine's: its process answers, in this boot.
        const bool alive = h->boot == self.boot && processAlive(h->pid, h->started);
        l.kind = alive ? Look::Alive : Look::Dead;
        l.holder = QStringLiteral("on this machine");
        return l;
    }
    // Another machine's (a clone's too: the host name differs), or a mark
    // this version cannot read: stale only once this copy has seen it stay
    // the same for the whole stale time, by its own clock.
    const qint64 now = nowMs();
    auto [it, fresh] = sightings().try_emplace(mark, Sighting{*bytes, now});
    if (!fresh && it->second.bytes != *bytes)
        it->second = Sighting{*bytes, now};
    const qint64 left = qint64(kInUseStaleMinutes) * 60 * 1000 - (now - it->second.since);
    if (left <= 0) {
        l.kind = Look::Dead;
        return l;
    }
    l.kind = Look::Alive;
    l.holder = h ? QStringLiteral("on machine ") + QString::fromUtf8(h->host) : QString();
    l.minutesLeft = static_cast<int>(std::ceil(left / 60000.0));
    return l;
}

// Removes a dead or damaged mark, making sure that what goes is the thing
// judged: it is first renamed aside (one step, which only one copy can do),
// then checked, and put back when it has changed meanwhile.
enum class Removal { Removed, Stuck, Changed };
Removal removeMark(const QString& mark, const Look& judged, QString* why)
{
    const QFileInfo info(mark);
    const QString folder = info.absolutePath();
    const QString tag = QString::number(QRandomGenerator::global()->bounded(1u << 30), 36);
    const QString aside = folder + u'/' + fittedFileName(folder, info.fileName(), u'.' + tag + QStringLiteral(".gone"));
    if (::rename(nativeName(mark).constData(), nativeName(aside).constData()) != 0) {
        if (errno == ENOENT)
            return Removal::Changed;
        *why = errnoText(errno);
        return Removal::Stuck;
    }
    struct stat st {};
    bool same = ::lstat(nativeName(aside).constData(), &st) == 0 && st.st_dev == judged.dev && st.st_ino == judged.ino;
    if (same && judged.kind == Look::Dead) {
        QString unused;
        same = readMark(aside, &st, &unused) == judged.bytes;
    }
    if (!same) {
        // A live mark made or renewed meanwhile: back under its name, the
        // same file, so that its copy still finds it its own.
        if (::link(nativeName(aside).constData(), nativeName(mark).constData()) != 0 && errno != EEXIST)
            ::rename(nativeName(aside).constData(), nativeName(mark).constData());
        ::unlink(nativeName(aside).constData());
        return Removal::Changed;
    }
    if (S_ISDIR(st.st_mode))
        QDir(aside).removeRecursively();
    else
        ::unlink(nativeName(aside).constData());
    return Removal::Removed;
}

QString markNamed(const QString& path, const QString& ending)
{
    const QFileInfo info(replacedFilePath(path));
    const QString folder = info.absolutePath();
    // Hidden, so that it stays out of the students' way in file dialogs.
    const QString name = u'.' + info.fileName();
    QString mark = fittedFileName(folder, name, ending);
    // A name at the file system's limit still gets a mark of its own: the
    // shortened name is tagged with a hash of the whole.
    if (mark != name + ending)
        mark = fittedFileName(folder, name, u'-' + QString::number(qHash(name), 16) + ending);
    return folder + u'/' + mark;
}

} // namespace

QByteArray markText(const MarkHolder& h)
{
    QByteArray out = kMarkHeader + '\n';
    const auto field = [&out](const char* key, const QByteArray& value) {
        out += key;
        out += ' ';
        out += oneLine(value);
        out += '\n';
    };
    field("token", h.token);
    field("host", h.host);
    field("machine", h.machine);
    field("boot", h.boot);
    field("account", h.account);
    field("pid", QByteArray::number(h.pid));
    field("started", QByteArray::number(h.started));
    // Fixed width, so that a renewal rewrites the mark in place at its size.
    field("renewal", QByteArray::number(h.renewal).rightJustified(12, '0'));
    return out;
}

std::optional<MarkHolder> parseMark(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.front() != kMarkHeader)
        return std::nullopt;
    MarkHolder h;
    bool renewal = false;
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype blank = line.indexOf(' ');
        if (blank < 0)
            continue;
        const QByteArray key = line.left(blank), value = line.mid(blank + 1);
        if (key == "token")
            h.token = value;
        else if (key == "host")
            h.host = value;
        else if (key == "machine")
            h.machine = value;
        else if (key == "boot")
            h.boot = value;
        else if (key == "account")
            h.account = value;
        else if (key == "pid")
            h.pid = value.toLongLong();
        else if (key == "started")
            h.started = value.toLongLong();
        else if (key == "renewal")
            h.renewal = value.toLongLong(&renewal);
    }
    if (h.token.isEmpty() || !renewal)
        return std::nullopt;
    return h;
}

FileInUse::FileInUse() = default;

FileInUse::~FileInUse() { release(); }

QString FileInUse::markPath(const QString& path) { return markNamed(path, QStringLiteral(".lock")); }

QString FileInUse::secondMarkPath(const QString& path) { return markNamed(path, QStringLiteral(".2.lock")); }

MarkHolder FileInUse::thisCopy()
{
    MarkHolder h;
    h.host = QSysInfo::machineHostName().toUtf8();
    h.machine = QSysInfo::machineUniqueId();
    h.boot = QSysInfo::bootUniqueId();
    h.pid = ::getpid();
    h.started = processStart(h.pid);
    if (const passwd* pw = ::getpwuid(::geteuid()))
        h.account = pw->pw_name;
    return h;
}

void FileInUse::setClockForTests(std::function<qint64()> clock) { testClock() = std::move(clock); }

void FileInUse::forgetSightingsForTests() { sightings().clear(); }

HoldOutcome FileInUse::hold(const QString& path)
{
    const QString marks[2] = {markPath(path), secondMarkPath(path)};
    if (held_ && !lost_ && !mark_.isEmpty() && (mark_ == marks[0] || mark_ == marks[1]))
        return {};
    release();
    self_ = thisCopy();
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (attempt > 0) // another copy is at the same marks this moment
            QThread::msleep(10 + QRandomGenerator::global()->bounded(40));
        Look looks[2] = {look(marks[0], self_), look(marks[1], self_)};
        bool again = false;
        for (const Look& l : looks)
            if (l.kind == Look::Alive) {
                HoldOutcome out;
                out.result = HoldOutcome::InUse;
                out.holder = l.holder;
                out.minutesLeft = l.minutesLeft;
                out.mark = marks[&l - looks];
                return out;
            }
        // Dead and damaged marks go where this account may remove them.
        int slot = -1;
        bool tookOver = false;
        QString stuck[2];
        for (int i = 0; i < 2 && !again; ++i) {
            if (looks[i].kind != Look::Free) {
                QString why;
                switch (removeMark(marks[i], looks[i], &why)) {
                case Removal::Changed: again = true; continue;
                case Removal::Stuck:
                    stuck[i] = looks[i].kind == Look::Damaged ? looks[i].damage
                                                              : QStringLiteral("left by a copy that ended");
                    stuck[i] += QStringLiteral(", not removable: ") + why;
                    continue;
                case Removal::Removed: tookOver = true; break;
                }
            }
            if (slot < 0)
                slot = i;
        }
        if (again)
            continue;
        if (slot < 0) {
            held_ = true; // unmarked
            HoldOutcome out;
            out.result = HoldOutcome::HeldUnmarked;
            out.mark = marks[0];
            out.reason = marks[0] + QStringLiteral(" (") + stuck[0] + QStringLiteral(") and ") + marks[1]
                       + QStringLiteral(" (") + stuck[1] + u')';
            return out;
        }
        token_ = QByteArray::number(QRandomGenerator::global()->generate64(), 16)
               + QByteArray::number(QRandomGenerator::global()->generate64(), 16);
        self_.token = token_;
        self_.renewal = 0;
        QString why;
        bool existed = false;
        if (!createFileExclusive(marks[slot], markText(self_), &why, &existed)) {
            if (existed)
                continue;
            HoldOutcome out;
            out.mark = marks[slot];
            if (!folderWritable(QFileInfo(marks[slot]).absolutePath())) {
                // Nobody can save there from this account, this copy included.
                held_ = true;
                out.result = HoldOutcome::HeldUnmarked;
                return out;
            }
            out.result = HoldOutcome::Failed;
            out.reason = why;
            return out;
        }
        mark_ = marks[slot];
        held_ = true;
        lost_ = false;
        // A copy that judged the old mark at the same moment may still be
        // setting aside what it finds; give it the time to put ours back.
        if (tookOver)
            QThread::msleep(150);
        if (!stillHeld()) {
            mark_.clear();
            held_ = false;
            continue;
        }
        // Two copies making a mark under each name at the same moment both
        // give way; neither is let in.
        const Look other = look(marks[1 - slot], self_);
        if (other.kind == Look::Alive) {
            release();
            HoldOutcome out;
            out.result = HoldOutcome::InUse;
            out.holder = other.holder;
            out.minutesLeft = other.minutesLeft;
            out.mark = marks[1 - slot];
            return out;
        }
        sightings().erase(marks[0]);
        sightings().erase(marks[1]);
        if (QCoreApplication::instance()) {
            renewal_ = std::make_unique<QTimer>();
            QObject::connect(renewal_.get(), &QTimer::timeout, [this] { renew(); });
            renewal_->start(kInUseRenewSeconds * 1000);
        }
        return {};
    }
    HoldOutcome out;
    out.result = HoldOutcome::InUse;
    out.holder = QStringLiteral("opening it at this moment");
    out.mark = marks[0];
    return out;
}

void FileInUse::renew()
{
    if (mark_.isEmpty() || lost_)
        return;
    // Read and rewritten through one open file: if the name has meanwhile
    // been given to another copy's mark, that mark is only read, never written.
    const int fd = ::open(nativeName(mark_).constData(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ELOOP)
            lost_ = true;
        return;
    }
    struct stat st {};
    QByteArray bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxMarkBytes) {
        char buffer[kMaxMarkBytes + 1];
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
        if (n > 0)
            bytes = QByteArray(buffer, n);
    }
    auto h = parseMark(bytes);
    if (!h || h->token != token_) {
        lost_ = true;
    } else {
        ++h->renewal;
        const QByteArray text = markText(*h);
        if (::pwrite(fd, text.constData(), static_cast<size_t>(text.size()), 0) == text.size()) {
            if (text.size() < bytes.size()) {
                [[maybe_unused]] const int t = ::ftruncate(fd, text.size());
            }
            ::fdatasync(fd); // a share's other machines see the new count only once it is written out
        }
    }
    ::close(fd);
}

bool FileInUse::stillHeld()
{
    if (!held_ || mark_.isEmpty())
        return true;
    if (lost_)
        return false;
    struct stat st {};
    QString why;
    int openError = 0;
    const auto bytes = readMark(mark_, &st, &why, &openError);
    if (!bytes && openError != ENOENT && openError != ELOOP && openError != 0)
        return true; // it cannot be read just now; nothing says it is another's
    const auto h = bytes ? parseMark(*bytes) : std::nullopt;
    lost_ = !h || h->token != token_;
    return !lost_;
}

void FileInUse::release()
{
    renewal_.reset();
    if (!mark_.isEmpty() && !lost_) {
        struct stat st {
        }, now{};
        QString why;
        const auto bytes = readMark(mark_, &st, &why);
        const auto h = bytes ? parseMark(*bytes) : std::nullopt;
        if (h && h->token == token_ && ::lstat(nativeName(mark_).constData(), &now) == 0 && now.st_ino == st.st_ino
            && now.st_dev == st.st_dev)
            ::unlink(nativeName(mark_).constData());
    }
    mark_.clear();
    token_.clear();
    held_ = false;
    lost_ = false;
}

} // namespace orv
