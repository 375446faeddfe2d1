#include "platform/fileinuse.h"

#include "platform/textfile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace orv {

namespace {

const QByteArray kMarkHeader = "Orvanto in-use mark";
const QByteArray kSightingHeader = "Orvanto in-use mark sighting";
const QString kSightingEnding = QStringLiteral(".seen");
// Marks and sightings are read by every account that may open the file.
constexpr int kReadableByAll = 0644;
constexpr qint64 kStaleMs = qint64(kInUseStaleMinutes) * 60 * 1000;
// Copies at the same marks at the same moment try again this many times.
constexpr int kHoldAttempts = 10;

std::function<qint64()>& testClock()
{
    static std::function<qint64()> clock;
    return clock;
}

// This boot's clock in milliseconds, suspended time included: one reading
// minus another is time that really passed, whatever the wall clock did.
qint64 bootClockMs()
{
    if (testClock())
        return testClock()();
    timespec ts{};
    ::clock_gettime(CLOCK_BOOTTIME, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

QByteArray nativeName(const QString& path) { return QFile::encodeName(path); }

QString errnoText(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

QByteArray oneLine(QByteArray s)
{
    s.replace('\n', '?');
    s.replace('\r', '?');
    return s;
}

// "key value" lines after a header line; empty when the header differs.
std::map<QByteArray, QByteArray> fieldsOf(const QByteArray& bytes, const QByteArray& header)
{
    std::map<QByteArray, QByteArray> fields;
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.front() != header)
        return fields;
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype blank = line.indexOf(' ');
        if (blank > 0)
            fields.emplace(line.left(blank), line.mid(blank + 1));
    }
    return fields;
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

// The marks this process made and could not remove, by token: its own to
// take back, whatever FileInUse made them, and to remove once it can.
std::map<QByteArray, QString>& leftBehind()
{
    // Never destroyed: a FileInUse that is a static itself is released at exit.
    static auto* marks = new std::map<QByteArray, QString>;
    return *marks;
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

// A small file's bytes (a mark, a sighting), read without waiting and
// without following a link. `st` receives what was read. On failure: empty,
// `why` says what it is or why it cannot be read, and `damaged` whether it
// is something no copy makes (not a regular file, too large) rather than a
// file this account cannot read just now.
std::optional<QByteArray> readSmallFile(const QString& path, struct stat* st, QString* why, bool* damaged = nullptr,
                                        int* openError = nullptr)
{
    const auto fail = [&](const QString& text, bool isDamaged) {
        *why = text;
        if (damaged)
            *damaged = isDamaged;
        return std::nullopt;
    };
    const int fd = ::open(nativeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        if (openError)
            *openError = code;
        if (code == ELOOP)
            return fail(QStringLiteral("a symbolic link"), true);
        return fail(QStringLiteral("unreadable (%1)").arg(errnoText(code)), false);
    }
    QByteArray bytes;
    QString problem;
    bool notAMark = false;
    if (::fstat(fd, st) != 0) {
        problem = QStringLiteral("unreadable (%1)").arg(errnoText(errno));
    } else if (!S_ISREG(st->st_mode)) {
        problem = kindOf(st->st_mode);
        notAMark = true;
    } else if (st->st_size > kMaxMarkBytes) {
        problem = QStringLiteral("larger than any mark");
        notAMark = true;
    }
    while (problem.isEmpty()) {
        char buffer[kMaxMarkBytes + 1];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            problem = QStringLiteral("unreadable (%1)").arg(errnoText(errno));
        } else if (n == 0) {
            break;
        } else {
            bytes.append(buffer, n);
            if (bytes.size() > kMaxMarkBytes) {
                problem = QStringLiteral("larger than any mark");
                notAMark = true;
            }
        }
    }
    ::close(fd);
    if (!problem.isEmpty())
        return fail(problem, notAMark);
    return bytes;
}

QByteArray nanoseconds(const timespec& t) { return QByteArray::number(qint64(t.tv_sec) * 1000000000 + t.tv_nsec); }

// What tells one state of a mark from another, on every machine that sees
// it: its text and modification time, or where the text cannot be read its
// size, times and inode. Every renewal changes it, and it never comes back.
QByteArray fingerprintOf(const struct stat& st, const std::optional<QByteArray>& bytes)
{
    QByteArray f = QByteArray::number(qint64(st.st_size)) + ' ' + nanoseconds(st.st_mtim);
    if (bytes)
        return f + ' ' + QCryptographicHash::hash(*bytes, QCryptographicHash::Sha256).toHex();
    return f + ' ' + nanoseconds(st.st_ctim) + ' ' + QByteArray::number(quint64(st.st_ino));
}

// One observer's watch of a mark (see the header for the rule).
struct Sighting {
    QByteArray fingerprint, host, machine, boot;
    qint64 start = 0, last = 0; // the observer's boot clock, milliseconds
};

QByteArray sightingText(const QString& markName, const Sighting& s)
{
    return kSightingHeader + "\nmark " + oneLine(markName.toUtf8()) + "\nseen " + s.fingerprint + "\nhost "
         + oneLine(s.host) + "\nmachine " + oneLine(s.machine) + "\nboot " + oneLine(s.boot) + "\nstart "
         + QByteArray::number(s.start) + "\nlast " + QByteArray::number(s.last) + '\n';
}

// What this process saw where its sighting could not be stored.
std::map<QString, Sighting>& unstoredSightings()
{
    // Never destroyed: a FileInUse that is a static itself is released at exit.
    static auto* seen = new std::map<QString, Sighting>;
    return *seen;
}

// The sightings beside `mark`, by name (each observer's file).
std::map<QString, Sighting> storedSightings(const QString& mark)
{
    std::map<QString, Sighting> found;
    const QFileInfo info(mark);
    const QDir folder = info.absoluteDir();
    const QByteArray markName = info.fileName().toUtf8();
    for (const QString& name :
         folder.entryList({QStringLiteral("*") + kSightingEnding}, QDir::Files | QDir::Hidden | QDir::System)) {
        struct stat st {};
        QString why;
        const auto bytes = readSmallFile(folder.filePath(name), &st, &why);
        const auto fields = bytes ? fieldsOf(*bytes, kSightingHeader) : std::map<QByteArray, QByteArray>{};
        const auto field = [&fields](const char* key) {
            const auto it = fields.find(key);
            return it == fields.end() ? QByteArray() : it->second;
        };
        if (field("mark") != markName)
            continue;
        bool startOk = false, lastOk = false;
        Sighting s{field("seen"),
                   field("host"),
                   field("machine"),
                   field("boot"),
                   field("start").toLongLong(&startOk),
                   field("last").toLongLong(&lastOk)};
        // Readings of a clock since boot; anything past centuries is no sighting.
        constexpr qint64 sane = qint64(1) << 50;
        if (startOk && lastOk && s.start <= s.last && -sane < s.start && s.last < sane)
            found.emplace(folder.filePath(name), s);
    }
    return found;
}

// This observer's sighting file for `mark`: one per host, machine id and
// account, so that in a sticky folder each account replaces only its own.
QString sightingPath(const QString& mark, const MarkHolder& self)
{
    const QByteArray key = QCryptographicHash::hash(self.host + '\n' + self.machine + '\n'
                                                        + QByteArray::number(qint64(::geteuid())),
                                                    QCryptographicHash::Sha256)
                               .toHex()
                               .left(12);
    const QFileInfo info(mark);
    const QString folder = info.absolutePath();
    return folder + u'/' + fittedFileName(folder, info.fileName(), u'.' + QString::fromLatin1(key) + kSightingEnding);
}

// Writes a sighting whole under a new name and renames it over the old one
// (never through a link put in its place). Not synced: a sighting lost in a
// power cut only makes a copy wait longer.
bool storeSighting(const QString& path, const QByteArray& text)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    const QString tag = QString::number(QRandomGenerator::global()->bounded(1u << 30), 36);
    const QString copy = folder + u'/' + fittedFileName(folder, info.fileName(), u'.' + tag + kTemporarySuffix);
    const int fd = ::open(nativeName(copy).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kReadableByAll);
    if (fd < 0)
        return false;
    const bool written = ::fchmod(fd, kReadableByAll) == 0
                      && ::write(fd, text.constData(), static_cast<size_t>(text.size())) == text.size();
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(nativeName(copy).constData(), nativeName(path).constData()) == 0)
        return true;
    ::unlink(nativeName(copy).constData());
    return false;
}

bool sameBoot(const Sighting& s, const MarkHolder& self)
{
    return !self.boot.isEmpty() && s.boot == self.boot && s.host == self.host && s.machine == self.machine;
}

// How long `mark`, now with this fingerprint, is known to have been
// unchanged, from every sighting of it; stores this observer's own.
qint64 unchangedFor(const QString& mark, const QByteArray& fingerprint, const MarkHolder& self)
{
    const qint64 now = bootClockMs();
    std::map<QString, Sighting> all = storedSightings(mark);
    if (const auto it = unstoredSightings().find(mark); it != unstoredSightings().end())
        all.emplace(QString(), it->second);
    qint64 longest = 0;
    for (const auto& [file, s] : all)
        if (s.fingerprint == fingerprint)
            longest = std::max(longest, (sameBoot(s, self) ? std::max(now, s.last) : s.last) - s.start);
    const Sighting own{fingerprint, self.host, self.machine, self.boot, now - longest, now};
    if (storeSighting(sightingPath(mark, self), sightingText(QFileInfo(mark).fileName(), own)))
        unstoredSightings().erase(mark);
    else
        unstoredSightings()[mark] = own;
    return longest;
}

// Removes the sightings of `mark` that this account may remove: they were
// of a mark that is gone.
void forgetSightingsOf(const QString& mark)
{
    unstoredSightings().erase(mark);
    for (const auto& [file, s] : storedSightings(mark))
        ::unlink(nativeName(file).constData());
}

// What stands in a mark's place, judged for this copy.
struct Look {
    enum Kind { Free, Alive, Dead, Damaged } kind = Free;
    struct stat st {};
    std::optional<QByteArray> bytes; // the mark as read; none when it cannot be read
    QString holder;                  // Alive
    int minutesLeft = 0;             // Alive, a watched mark
    QString unreadable;              // Alive: why this account cannot read it
    QString damage;                  // Damaged: what it is
};

// A mark of another machine, or one this copy cannot read or understand:
// dead once seen unchanged for the stale time.
void watch(const QString& mark, const MarkHolder& self, const std::optional<MarkHolder>& h, Look& l)
{
    const qint64 left = kStaleMs - unchangedFor(mark, fingerprintOf(l.st, l.bytes), self);
    if (left <= 0) {
        l.kind = Look::Dead;
        return;
    }
    l.kind = Look::Alive;
    l.holder = h ? QStringLiteral("on machine ") + QString::fromUtf8(h->host) : QString();
    l.minutesLeft = static_cast<int>(std::ceil(left / 60000.0));
}

Look look(const QString& mark, const MarkHolder& self)
{
    Look l;
    if (::lstat(nativeName(mark).constData(), &l.st) != 0)
        return l; // nothing there (or nothing this account may see: no mark can be made either)
    if (!S_ISREG(l.st.st_mode)) {
        // Never opened: a pipe would wait, a device could do anything.
        l.kind = Look::Damaged;
        l.damage = kindOf(l.st.st_mode);
        return l;
    }
    QString why;
    bool damaged = false;
    int openError = 0;
    struct stat read {};
    l.bytes = readSmallFile(mark, &read, &why, &damaged, &openError);
    if (!l.bytes && openError == ENOENT)
        return l; // gone meanwhile
    if (damaged) {
        l.kind = Look::Damaged;
        l.damage = why;
        return l;
    }
    if (l.bytes)
        l.st = read;
    else
        l.unreadable = openError != 0 ? errnoText(openError) : why; // another account's, perhaps: never damaged
    const auto h = l.bytes ? parseMark(*l.bytes) : std::nullopt;
    // This machine's: the same host name, and the same machine id or (where
    // there is none, as in a bare chroot) the same boot, which no other
    // machine shares.
    const bool thisMachine = h && h->host == self.host
                          && ((!self.machine.isEmpty() && h->machine == self.machine)
                              || (!self.boot.isEmpty() && h->boot == self.boot));
    if (!thisMachine) {
        watch(mark, self, h, l);
        return l;
    }
    const bool thisProcess = h->boot == self.boot && h->pid == self.pid && h->started == self.started;
    const bool alive = h->boot == self.boot && processAlive(h->pid, h->started)
                    && !(thisProcess && leftBehind().count(h->token));
    l.kind = alive ? Look::Alive : Look::Dead;
    l.holder = QStringLiteral("on this machine");
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
    bool same = ::lstat(nativeName(aside).constData(), &st) == 0 && st.st_dev == judged.st.st_dev
             && st.st_ino == judged.st.st_ino;
    if (same && judged.kind == Look::Dead) {
        // The renaming changed its status time; its text (or, unreadable,
        // its size and modification time) tells whether it was renewed.
        QString unused;
        same = judged.bytes ? readSmallFile(aside, &st, &unused) == judged.bytes
                            : st.st_size == judged.st.st_size && st.st_mtim.tv_sec == judged.st.st_mtim.tv_sec
                                  && st.st_mtim.tv_nsec == judged.st.st_mtim.tv_nsec;
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

// This copy's mark at `mark`, read: its bytes when it is there, readable,
// and carries `token`; `st` receives what was read.
bool isOwnMark(const QString& mark, const QByteArray& token, struct stat* st)
{
    QString why;
    const auto bytes = readSmallFile(mark, st, &why);
    const auto h = bytes ? parseMark(*bytes) : std::nullopt;
    return h && h->token == token;
}

// Removes `mark` while it is the very file that carries `token`. 0 when it
// is gone or is not (any longer) this copy's; else the error that keeps it,
// including one that kept it from being read (too many open files, an I/O
// error), since it may still be this copy's.
int removeOwnMark(const QString& mark, const QByteArray& token)
{
    struct stat st {
    }, now{};
    QString why;
    bool damaged = false;
    int openError = 0;
    const auto bytes = readSmallFile(mark, &st, &why, &damaged, &openError);
    if (!bytes) {
        if (damaged || openError == ENOENT || openError == EACCES || openError == EPERM)
            return 0; // gone, a link, or another account's: not this copy's
        return openError != 0 ? openError : EIO;
    }
    const auto h = parseMark(*bytes);
    if (!h || h->token != token)
        return 0;
    if (::lstat(nativeName(mark).constData(), &now) != 0 || now.st_ino != st.st_ino || now.st_dev != st.st_dev)
        return 0;
    if (::unlink(nativeName(mark).constData()) != 0 && errno != ENOENT)
        return errno;
    forgetSightingsOf(mark);
    return 0;
}

// Marks of other machines that refused this program, by name, and until
// when (this boot's clock) they are watched.
std::map<QString, qint64>& watched()
{
    // Never destroyed: a FileInUse that is a static itself is released at exit.
    static auto* marks = new std::map<QString, qint64>;
    return *marks;
}

// Looks again at every watched mark: each look stores this machine's
// sighting, so that the wait goes on for a student who tries again on
// another machine while this program runs on. A mark is watched until it is
// gone, it is no longer a watched one, or the stale time is over.
void watchOn()
{
    const MarkHolder self = FileInUse::thisCopy();
    const qint64 now = bootClockMs();
    for (auto it = watched().begin(); it != watched().end();) {
        const Look l = now < it->second ? look(it->first, self) : Look{};
        it = l.kind == Look::Alive && l.minutesLeft > 0 ? std::next(it) : watched().erase(it);
    }
}

// While this program runs on, marks it could not remove (its folder was
// read-only for a moment) are tried again, and the marks that refused it
// watched on, twice a renewal period: until a mark left behind goes, every
// other copy on this machine takes the file for this one's.
void keepAtMarks()
{
    auto* app = QCoreApplication::instance();
    if (!app)
        return;
    static QTimer* timer = nullptr;
    if (!timer) {
        timer = new QTimer(app);
        timer->setInterval(kInUseRenewSeconds * 500);
        QObject::connect(timer, &QTimer::timeout, [] {
            FileInUse::lookAfterMarks();
            if (leftBehind().empty() && watched().empty())
                timer->stop();
        });
        QObject::connect(timer, &QObject::destroyed, [] { timer = nullptr; });
    }
    if (!timer->isActive())
        timer->start();
}

} // namespace

void FileInUse::lookAfterMarks()
{
    for (auto it = leftBehind().begin(); it != leftBehind().end();)
        it = removeOwnMark(it->second, it->first) == 0 ? leftBehind().erase(it) : std::next(it);
    watchOn();
}

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
    const auto fields = fieldsOf(bytes, kMarkHeader);
    const auto field = [&fields](const char* key) {
        const auto it = fields.find(key);
        return it == fields.end() ? QByteArray() : it->second;
    };
    MarkHolder h{field("token"),
                 field("host"),
                 field("machine"),
                 field("boot"),
                 field("account"),
                 field("pid").toLongLong(),
                 field("started").toLongLong()};
    bool renewal = false;
    h.renewal = field("renewal").toLongLong(&renewal);
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

void FileInUse::forgetSightingsForTests() { unstoredSightings().clear(); }

// One try at the two mark names: what stands there, and what was done.
enum class FileInUse::Step {
    Next,  // on to the next step
    Retry, // another copy is at the same marks this moment: look again
    Done,  // the outcome is decided
};

struct FileInUse::Attempt {
    QString names[2];
    Look looks[2];
    int slot = -1;         // the name this copy marks
    bool tookOver = false; // a mark was removed for it
    QString stuck[2];      // the names whose dead marks could not be removed, and why
};

HoldOutcome FileInUse::hold(const QString& path)
{
    const QString names[2] = {markPath(path), secondMarkPath(path)};
    if (state_ == State::Marked && (mark_ == names[0] || mark_ == names[1]))
        return {};
    release();
    self_ = thisCopy();
    static constexpr Step (FileInUse::*steps[])(Attempt&, HoldOutcome&) = {
        &FileInUse::refuseLiveMarks, &FileInUse::clearDeadMarks, &FileInUse::makeMark, &FileInUse::confirmMark};
    for (int attempt = 0; attempt < kHoldAttempts; ++attempt) {
        if (attempt > 0)
            QThread::msleep(10 + QRandomGenerator::global()->bounded(40));
        Attempt a{{names[0], names[1]}, {look(names[0], self_), look(names[1], self_)}};
        HoldOutcome out;
        Step step = Step::Next;
        for (const auto run : steps)
            if ((step = (this->*run)(a, out)) != Step::Next)
                break;
        if (step == Step::Done)
            return out;
    }
    HoldOutcome out;
    out.result = HoldOutcome::InUse;
    out.holder = QStringLiteral("opening it at this moment");
    out.mark = names[0];
    return out;
}

// A live mark under either name: the file is another copy's.
FileInUse::Step FileInUse::refuseLiveMarks(Attempt& a, HoldOutcome& out)
{
    for (int i = 0; i < 2; ++i)
        if (a.looks[i].kind == Look::Alive) {
            out.result = HoldOutcome::InUse;
            out.holder = a.looks[i].holder;
            out.minutesLeft = a.looks[i].minutesLeft;
            out.mark = a.names[i];
            out.reason = a.looks[i].unreadable;
            if (out.minutesLeft > 0) {
                watched()[out.mark] = bootClockMs() + kStaleMs + 60 * 1000;
                keepAtMarks();
            }
            return Step::Done;
        }
    return Step::Next;
}

// Dead and damaged marks go where this account may remove them; the first
// name free then is this copy's. Where none is, the file is held unmarked.
FileInUse::Step FileInUse::clearDeadMarks(Attempt& a, HoldOutcome& out)
{
    for (int i = 0; i < 2; ++i) {
        const Look& l = a.looks[i];
        if (l.kind != Look::Free) {
            QString why;
            switch (removeMark(a.names[i], l, &why)) {
            case Removal::Changed: return Step::Retry;
            case Removal::Stuck:
                a.stuck[i] = (l.kind == Look::Damaged ? l.damage : QStringLiteral("left by a copy that ended"))
                           + QStringLiteral(", not removable: ") + why;
                continue;
            case Removal::Removed: a.tookOver = true; break;
            }
        }
        if (a.slot < 0)
            a.slot = i;
    }
    if (a.slot >= 0)
        return Step::Next;
    state_ = State::Unmarked;
    out.result = HoldOutcome::HeldUnmarked;
    out.mark = a.names[0];
    out.reason = a.names[0] + QStringLiteral(" (") + a.stuck[0] + QStringLiteral(") and ") + a.names[1]
               + QStringLiteral(" (") + a.stuck[1] + u')';
    return Step::Done;
}

// Creates this copy's mark, readable by every account, under the free name.
FileInUse::Step FileInUse::makeMark(Attempt& a, HoldOutcome& out)
{
    token_ = QByteArray::number(QRandomGenerator::global()->generate64(), 16)
           + QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    self_.token = token_;
    self_.renewal = 0;
    const QString& mark = a.names[a.slot];
    // A mark that is made but whose folder is not synced still marks the
    // file for every copy that looks now; a power cut ends this copy too.
    const WriteResult made = createFileExclusive(mark, markText(self_), kReadableByAll);
    const QString why = made.reason;
    const bool existed = made.outcome == WriteResult::Exists;
    if (made.written()) {
        mark_ = mark;
        state_ = State::Marked;
        return Step::Next;
    }
    token_.clear();
    if (existed)
        return Step::Retry;
    out.mark = mark;
    if (!folderWritable(QFileInfo(mark).absolutePath())) {
        // Nobody can save there from this account, this copy included.
        state_ = State::Unmarked;
        out.result = HoldOutcome::HeldUnmarked;
        return Step::Done;
    }
    out.result = HoldOutcome::Failed;
    out.reason = why;
    return Step::Done;
}

// The mark made is still this copy's, and no live mark stands under the
// other name (two copies making one under each name at the same moment
// both give way); then the file is held, and the mark renewed from now on.
FileInUse::Step FileInUse::confirmMark(Attempt& a, HoldOutcome& out)
{
    // A copy that judged the old mark at the same moment may still be
    // setting aside what it finds; give it the time to put ours back.
    if (a.tookOver)
        QThread::msleep(150);
    if (!stillHeld()) {
        release();
        return Step::Retry;
    }
    const int other = 1 - a.slot;
    const Look l = look(a.names[other], self_);
    if (l.kind == Look::Alive) {
        release();
        out.result = HoldOutcome::InUse;
        out.holder = l.holder;
        out.minutesLeft = l.minutesLeft;
        out.mark = a.names[other];
        out.reason = l.unreadable;
        return Step::Done;
    }
    forgetSightingsOf(a.names[0]);
    forgetSightingsOf(a.names[1]);
    if (QCoreApplication::instance()) {
        renewal_ = std::make_unique<QTimer>();
        QObject::connect(renewal_.get(), &QTimer::timeout, [this] { renew(); });
        renewal_->start(kInUseRenewSeconds * 1000);
    }
    out = {};
    return Step::Done;
}

void FileInUse::renew()
{
    if (state_ != State::Marked)
        return;
    // Read and rewritten through one open file: if the name has meanwhile
    // been given to another copy's mark, that mark is only read, never written.
    const int fd = ::open(nativeName(mark_).constData(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        // Gone, a link, or a file this account may not write: not this copy's.
        if (errno == ENOENT || errno == ELOOP || errno == EACCES || errno == EPERM)
            state_ = State::Lost;
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
        state_ = State::Lost;
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
    struct stat st {};
    if (state_ == State::Marked && !isOwnMark(mark_, token_, &st))
        state_ = State::Lost; // replaced, removed, or unreadable: not known to be this copy's
    return state_ != State::Lost;
}

QString FileInUse::release()
{
    renewal_.reset();
    QString failure;
    if (const int error = state_ == State::Marked ? removeOwnMark(mark_, token_) : 0) {
        failure = mark_ + QStringLiteral(" (") + errnoText(error) + u')';
        leftBehind().emplace(token_, mark_);
        keepAtMarks();
    }
    state_ = State::None;
    mark_.clear();
    token_.clear();
    return failure;
}

} // namespace orv
