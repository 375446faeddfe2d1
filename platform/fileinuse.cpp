#include "platform/fileinuse.h"

#include "platform/marksightings.h"
#include "platform/smallfile.h"
#include "platform/textfile.h"

#include <QCoreApplication>
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
#include <unistd.h>

namespace orv {

namespace {

const QByteArray kMarkHeader = "Orvanto in-use mark";
// Marks are read by every account that may open the file.
constexpr int kReadableByAll = 0644;
constexpr qint64 kStaleMs = qint64(kInUseStaleMinutes) * 60 * 1000;
// Copies at the same marks at the same moment try again this many times.
constexpr int kHoldAttempts = 10;
// No system numbers its processes higher (Linux's limit); this machine's
// own limit is read where its marks are judged.
constexpr qint64 kMaxPid = qint64(1) << 22;
// A process's start in clock ticks since boot: past centuries is none.
constexpr qint64 kMaxStart = qint64(1) << 50;

// The highest process number this system gives.
qint64 pidMax()
{
    QFile f(QStringLiteral("/proc/sys/kernel/pid_max"));
    const auto max = f.open(QIODevice::ReadOnly) ? wholeNumber(f.read(32).trimmed(), 1, kMaxPid) : std::nullopt;
    return max.value_or(kMaxPid);
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

// What a running program keeps on looking after, process-wide (never
// destroyed: a FileInUse that is a static itself is released at exit).
struct Registry {
    // The marks this process made and could not remove, by token: its own
    // to take back, whatever FileInUse made them, and to remove once it can.
    std::map<QByteArray, QString> leftBehind;
    // Watched marks that refused this program, with until when (the boot
    // clock) they are looked after and whose sightings count.
    struct Watch {
        qint64 until = 0;
        std::vector<qint64> counted;
    };
    std::map<QString, Watch> watched;
    // Looks after both every half renewal period while either has any.
    QTimer* timer = nullptr;
};

Registry& registry()
{
    static auto* r = new Registry;
    return *r;
}

bool folderWritable(const QString& folder)
{
    return ::faccessat(AT_FDCWD, nativeName(folder).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace

// What stands in a mark's place, judged for this copy.
struct FileInUse::Judgement {
    enum Kind { Free, Alive, Dead, Damaged } kind = Free;
    struct stat st {};
    std::optional<QByteArray> bytes; // the mark as read; none when it cannot be read
    QString holder;                  // Alive
    int minutesLeft = 0;             // Alive, a watched mark
    QString unreadable;              // Alive: why this account cannot read it
    QString damage;                  // Damaged: what it is
    bool thisMachine = false;        // judged by its process on this machine
};

namespace {

using Judgement = FileInUse::Judgement;

// A mark of another machine, or one this copy cannot read or understand:
// dead once seen unchanged for the stale time.
void judgeBySightings(const QString& mark, const std::optional<MarkHolder>& h, const std::vector<qint64>& counted,
                      Judgement& j)
{
    const qint64 left = kStaleMs - watchUnchanged(mark, markFingerprint(j.st, j.bytes), counted, kStaleMs);
    if (left <= 0) {
        j.kind = Judgement::Dead;
        return;
    }
    j.kind = Judgement::Alive;
    j.holder = h ? QStringLiteral("on machine ") + QString::fromUtf8(h->host) : QString();
    j.minutesLeft = static_cast<int>(std::ceil(left / 60000.0));
}

Judgement judge(const QString& mark, const MarkHolder& self, const std::vector<qint64>& counted)
{
    Judgement j;
    if (::lstat(nativeName(mark).constData(), &j.st) != 0)
        return j; // nothing there (or nothing this account may see: no mark can be made either)
    if (!S_ISREG(j.st.st_mode)) {
        // Never opened: a pipe would wait, a device could do anything.
        j.kind = Judgement::Damaged;
        j.damage = kindOfFile(j.st.st_mode);
        return j;
    }
    const SmallFile read = readSmallFile(mark);
    j.bytes = read.bytes;
    if (!j.bytes && read.openError == ENOENT)
        return j; // gone meanwhile
    if (read.damaged) {
        j.kind = Judgement::Damaged;
        j.damage = read.why;
        return j;
    }
    if (j.bytes)
        j.st = read.st;
    else
        j.unreadable = read.openError != 0 ? errnoText(read.openError) : read.why; // another account's, perhaps: never damaged
    const MarkParse parsed = j.bytes ? parseMark(*j.bytes) : MarkParse{};
    const std::optional<MarkHolder>& h = parsed.holder;
    QString damage = parsed.damage;
    // This machine's: the same host name, and the same machine id or (where
    // there is none, as in a bare chroot) the same boot, which no other
    // machine shares.
    j.thisMachine = h && h->host == self.host
                 && ((!self.machine.isEmpty() && h->machine == self.machine)
                     || (!self.boot.isEmpty() && h->boot == self.boot));
    if (j.thisMachine && h->pid > pidMax())
        damage = QStringLiteral("a mark naming process %1, beyond this system's range").arg(h->pid);
    if (!damage.isEmpty()) {
        j.kind = Judgement::Damaged;
        j.damage = damage;
        return j;
    }
    if (!j.thisMachine) {
        judgeBySightings(mark, h, counted, j);
        return j;
    }
    const bool thisProcess = h->boot == self.boot && h->pid == self.pid && h->started == self.started;
    const bool alive = h->boot == self.boot && processAlive(h->pid, h->started)
                    && !(thisProcess && registry().leftBehind.count(h->token));
    j.kind = alive ? Judgement::Alive : Judgement::Dead;
    j.holder = QStringLiteral("on this machine");
    return j;
}

// Removes a dead or damaged mark, making sure that what goes is the thing
// judged: it is first renamed aside (one step, which only one copy can do),
// then checked, and put back when it has changed meanwhile.
enum class Removal { Removed, Stuck, Changed };
Removal removeMark(const QString& mark, const Judgement& judged, QString* why)
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
    if (same && judged.kind == Judgement::Dead) {
        // The renaming changed its status time; its text (or, unreadable,
        // its size and modification time) tells whether it was renewed.
        same = judged.bytes ? readSmallFile(aside).bytes == judged.bytes
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

// Nothing when `mark` is still this copy's (carries `token`); else how
// it was lost. A mark that cannot be read is not taken for this copy's.
MarkLoss lossOf(const QString& mark, const QByteArray& token)
{
    const SmallFile read = readSmallFile(mark);
    const auto& bytes = read.bytes;
    const int openError = read.openError;
    MarkLoss loss{MarkLoss::Unreadable, mark, read.why};
    if (!bytes && (openError == ENOENT || openError == ENOTDIR)) {
        const QString folder = QFileInfo(mark).absolutePath();
        struct stat dir {};
        const bool folderThere = ::stat(nativeName(folder).constData(), &dir) == 0 && S_ISDIR(dir.st_mode);
        loss = folderThere ? MarkLoss{MarkLoss::Removed, mark, {}} : MarkLoss{MarkLoss::FolderGone, mark, folder};
    } else if (!bytes && openError != 0) {
        loss.why = errnoText(openError);
    } else if (bytes) {
        const MarkParse parsed = parseMark(*bytes);
        if (parsed.holder && parsed.holder->token == token)
            return {};
        if (parsed.holder)
            loss = {MarkLoss::TakenOver, mark, {}};
        else
            loss.why = parsed.damage.isEmpty() ? QStringLiteral("not a mark of this version") : parsed.damage;
    }
    return loss;
}

// Removes `mark` while it is the very file that carries `token`. 0 when it
// is gone or is not (any longer) this copy's; else the error that keeps it,
// including one that kept it from being read (too many open files, an I/O
// error), since it may still be this copy's.
int removeOwnMark(const QString& mark, const QByteArray& token)
{
    const SmallFile read = readSmallFile(mark);
    if (!read.bytes) {
        const int openError = read.openError;
        if (read.damaged || openError == ENOENT || openError == EACCES || openError == EPERM)
            return 0; // gone, a link, or another account's: not this copy's
        return openError != 0 ? openError : EIO;
    }
    const auto h = parseMark(*read.bytes).holder;
    if (!h || h->token != token)
        return 0;
    struct stat now {};
    if (::lstat(nativeName(mark).constData(), &now) != 0 || now.st_ino != read.st.st_ino
        || now.st_dev != read.st.st_dev)
        return 0;
    if (::unlink(nativeName(mark).constData()) != 0 && errno != ENOENT)
        return errno;
    forgetSightings(mark, {0});
    return 0;
}

// While this program runs on, marks it could not remove (its folder was
// read-only for a moment) are tried again, and the marks that refused it
// looked after, twice a renewal period: until a mark left behind goes, every
// other copy on this machine takes the file for this one's.
void lookAfterLater()
{
    auto* app = QCoreApplication::instance();
    if (!app)
        return;
    QTimer*& timer = registry().timer;
    if (!timer) {
        timer = new QTimer(app);
        timer->setInterval(kInUseRenewSeconds * 500);
        QObject::connect(timer, &QTimer::timeout, [] {
            FileInUse::lookAfterMarks();
            if (registry().leftBehind.empty() && registry().watched.empty())
                registry().timer->stop();
        });
        QObject::connect(timer, &QObject::destroyed, [] { registry().timer = nullptr; });
    }
    if (!timer->isActive())
        timer->start();
}

} // namespace

void FileInUse::lookAfterMarks()
{
    auto& left = registry().leftBehind;
    for (auto it = left.begin(); it != left.end();)
        it = removeOwnMark(it->second, it->first) == 0 ? left.erase(it) : std::next(it);
    // Each look stores this machine's sighting, so that the wait goes on for
    // a student who tries again on another machine while this program runs
    // on. A mark is looked after until it is gone, it is no longer a watched
    // one, or the stale time is over.
    const MarkHolder self = thisCopy();
    const qint64 now = bootClockMs();
    auto& watched = registry().watched;
    for (auto it = watched.begin(); it != watched.end();) {
        const Judgement j = now < it->second.until ? judge(it->first, self, it->second.counted) : Judgement{};
        it = j.kind == Judgement::Alive && j.minutesLeft > 0 ? std::next(it) : watched.erase(it);
    }
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

MarkParse parseMark(const QByteArray& bytes)
{
    if (!bytes.startsWith(kMarkHeader + '\n'))
        return {}; // another version's, or no mark at all
    const auto fields = headedFields(bytes, kMarkHeader);
    const auto field = [&fields](const char* key) {
        const auto it = fields.find(key);
        return it == fields.end() ? QByteArray() : it->second;
    };
    const auto fail = [](const char* what) {
        return MarkParse{std::nullopt, QStringLiteral("a mark with ") + QString::fromLatin1(what)};
    };
    const auto pid = wholeNumber(field("pid"), 1, kMaxPid);
    const auto started = wholeNumber(field("started"), 1, kMaxStart);
    const auto renewal = wholeNumber(field("renewal"), 0, kMaxRenewal);
    if (field("token").isEmpty())
        return fail("no token");
    if (!pid)
        return fail("an impossible process number");
    if (!started)
        return fail("an impossible process start");
    if (!renewal)
        return fail("an impossible renewal count");
    return {MarkHolder{field("token"), field("host"), field("machine"), field("boot"), field("account"), *pid,
                       *started, *renewal},
            {}};
}

FileInUse::FileInUse() = default;

FileInUse::~FileInUse()
{
    // At the program's end nobody is left to tell: a mark that stays is
    // another copy's to judge as dead, and the terminal's to show.
    if (const QString stuck = release(); !stuck.isEmpty())
        qWarning("in-use mark left behind: %s", qUtf8Printable(stuck));
}

QString FileInUse::markPath(const QString& path) { return markNamed(path, QStringLiteral(".lock")); }

QString FileInUse::secondMarkPath(const QString& path) { return markNamed(path, QStringLiteral(".2.lock")); }

MarkHolder FileInUse::thisCopy()
{
    MarkHolder h;
    h.host = QSysInfo::machineHostName().toUtf8();
    h.machine = QSysInfo::machineUniqueId();
    h.boot = QSysInfo::bootUniqueId();
    h.pid = ::getpid();
    // Unknown only without /proc, where no copy can check a start either.
    h.started = std::max<qint64>(processStart(h.pid), 1);
    if (const passwd* pw = ::getpwuid(::geteuid()))
        h.account = pw->pw_name;
    return h;
}

// One try at the two mark names: what stands there, and what was done.
enum class FileInUse::Step {
    Next,  // on to the next step
    Retry, // another copy is at the same marks this moment: look again
    Done,  // the outcome is decided
};

struct FileInUse::Attempt {
    QString names[2];
    Judgement judged[2];
    int slot = -1;         // the name this copy marks
    bool tookOver = false; // a mark was removed for it
    QString stuck[2];      // the names whose dead marks could not be removed, and why
};

HoldOutcome FileInUse::hold(const QString& path)
{
    const QString names[2] = {markPath(path), secondMarkPath(path)};
    if (state_ == State::Marked && (mark_ == names[0] || mark_ == names[1]))
        return {};
    if (const QString stuck = release(); !stuck.isEmpty())
        qWarning("in-use mark left behind, tried again while the program runs: %s", qUtf8Printable(stuck));
    self_ = thisCopy();
    counted_ = countedAccounts(replacedFilePath(path));
    static constexpr Step (FileInUse::*steps[])(Attempt&, HoldOutcome&) = {
        &FileInUse::refuseLiveMarks, &FileInUse::clearDeadMarks, &FileInUse::makeMark, &FileInUse::confirmMark};
    for (int attempt = 0; attempt < kHoldAttempts; ++attempt) {
        if (attempt > 0)
            QThread::msleep(10 + QRandomGenerator::global()->bounded(40));
        Attempt a{
            {names[0], names[1]}, {judge(names[0], self_, counted_), judge(names[1], self_, counted_)}, -1, false, {}};
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

namespace {

void refuse(const QString& mark, const Judgement& j, HoldOutcome& out)
{
    out.result = HoldOutcome::InUse;
    out.holder = j.holder;
    out.minutesLeft = j.minutesLeft;
    out.mark = mark;
    out.reason = j.unreadable;
}

} // namespace

// A live mark under either name: the file is another copy's.
FileInUse::Step FileInUse::refuseLiveMarks(Attempt& a, HoldOutcome& out)
{
    for (int i = 0; i < 2; ++i)
        if (a.judged[i].kind == Judgement::Alive) {
            refuse(a.names[i], a.judged[i], out);
            if (out.minutesLeft > 0) {
                registry().watched[out.mark] = {bootClockMs() + kStaleMs + 60 * 1000, counted_};
                lookAfterLater();
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
        const Judgement& j = a.judged[i];
        if (j.kind != Judgement::Free) {
            QString why;
            switch (removeMark(a.names[i], j, &why)) {
            case Removal::Changed: return Step::Retry;
            case Removal::Stuck:
                a.stuck[i] = (j.kind == Judgement::Damaged ? j.damage : QStringLiteral("left by a copy that ended"))
                           + QStringLiteral(", not removable: ") + why;
                sightStuck(a.names[i], j);
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
        loss_ = {};
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
    // Giving way: a mark of ours that cannot be removed now is left behind,
    // taken back at the next hold and removed while the program runs.
    const auto giveWay = [this] {
        if (const QString stuck = release(); !stuck.isEmpty())
            qWarning("in-use mark left behind while giving way: %s", qUtf8Printable(stuck));
    };
    if (!stillHeld()) {
        giveWay();
        return Step::Retry;
    }
    const int other = 1 - a.slot;
    const Judgement j = judge(a.names[other], self_, counted_);
    if (j.kind == Judgement::Alive) {
        giveWay();
        refuse(a.names[other], j, out);
        return Step::Done;
    }
    // Our name's sightings were of a mark that is gone; those of a stuck
    // mark under the other name stay, so that later sessions anywhere find
    // it dead at once and come in beside it.
    forgetSightings(a.names[a.slot], counted_);
    if (j.kind == Judgement::Free)
        forgetSightings(a.names[other], counted_);
    else
        stuck_ = a.names[other];
    if (QCoreApplication::instance()) {
        renewal_ = std::make_unique<QTimer>();
        QObject::connect(renewal_.get(), &QTimer::timeout, [this] { renew(); });
        renewal_->start(kInUseRenewSeconds * 1000);
    }
    out = {};
    return Step::Done;
}

// A dead mark that stays: one of this machine, known dead by its process,
// is written down as seen for the whole stale time (one of another machine
// was so judged by its sightings, and its look has stored this one's).
void FileInUse::sightStuck(const QString& mark, const Judgement& j)
{
    if (j.kind == Judgement::Dead && j.thisMachine)
        sightDead(mark, markFingerprint(j.st, j.bytes), counted_, kStaleMs);
}

void FileInUse::renew()
{
    if (state_ != State::Marked)
        return;
    if (!stuck_.isEmpty()) {
        const Judgement j = judge(stuck_, self_, counted_);
        if (j.kind == Judgement::Free) {
            forgetSightings(stuck_, counted_);
            stuck_.clear();
        } else {
            sightStuck(stuck_, j);
        }
    }
    // Read and rewritten through one open file: if the name has meanwhile
    // been given to another copy's mark, that mark is only read, never written.
    const int fd = ::open(nativeName(mark_).constData(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        // Gone, a link, or a file this account may not write: not this copy's.
        const int code = errno;
        if (code == ENOENT || code == ELOOP || code == EACCES || code == EPERM) {
            const MarkLoss loss = lossOf(mark_, token_);
            lose(loss.kind != MarkLoss::None ? loss : MarkLoss{MarkLoss::Unreadable, mark_, errnoText(code)});
        }
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
    auto h = parseMark(bytes).holder;
    if (!h || h->token != token_) {
        lose(lossOf(mark_, token_));
    } else {
        h->renewal = h->renewal < kMaxRenewal ? h->renewal + 1 : 0;
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

void FileInUse::lose(MarkLoss loss)
{
    state_ = State::Lost;
    // Read again after the renewal's look: a mark read whole now is still
    // one that no longer carries this copy's token.
    if (loss.kind == MarkLoss::None)
        loss = {MarkLoss::TakenOver, mark_, {}};
    loss_ = loss;
}

bool FileInUse::stillHeld()
{
    if (state_ == State::Marked)
        if (const MarkLoss loss = lossOf(mark_, token_); loss.kind != MarkLoss::None)
            lose(loss); // replaced, removed, or unreadable: not known to be this copy's
    return state_ != State::Lost;
}

QString FileInUse::release()
{
    renewal_.reset();
    QString failure;
    if (const int error = state_ == State::Marked ? removeOwnMark(mark_, token_) : 0) {
        failure = mark_ + QStringLiteral(" (") + errnoText(error) + u')';
        registry().leftBehind.emplace(token_, mark_);
        lookAfterLater();
    }
    state_ = State::None;
    mark_.clear();
    token_.clear();
    stuck_.clear();
    return failure;
}

} // namespace orv
