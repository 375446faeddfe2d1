#include "platform/fileinuse.h"

#include "platform/smallfile.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <map>

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

const QByteArray kMarkHeader = "Orvanto in-use mark";
// Marks are read by every account that may open the file.
constexpr int kReadableByAll = 0644;
// Copies at the same marks at the same moment try again this many times.
constexpr int kHoldAttempts = 10;
// No system numbers its processes higher (Linux's limit).
constexpr qint64 kMaxPid = qint64(1) << 22;
// A process's start in clock ticks since boot: past centuries is none.
constexpr qint64 kMaxStart = qint64(1) << 50;

// What this machine tells of a running process.
struct ProcessFacts {
    qint64 start = -1;  // clock ticks since boot; -1 unknown
    qint64 uid = -1;    // its effective user id; -1 unknown
    QByteArray name;    // its command name
    QByteArray program; // the program it runs; empty where this account may not see it
};

QByteArray readProcFile(qint64 pid, const char* name)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%lld/%s", static_cast<long long>(pid), name);
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}

// The `index`th field of `line` parted by blanks (0 the first), or empty.
QByteArray field(const QByteArray& line, int index)
{
    qsizetype from = 0;
    for (int i = 0; i < index; ++i) {
        from = line.indexOf(' ', from);
        if (from < 0)
            return {};
        ++from;
    }
    const qsizetype to = line.indexOf(' ', from);
    return line.mid(from, to < 0 ? -1 : to - from);
}

// The running program of `pid`, as its link in /proc names it (a program
// replaced on the disk since it started is still the same program).
QByteArray processProgram(qint64 pid)
{
    char link[64], target[PATH_MAX];
    std::snprintf(link, sizeof link, "/proc/%lld/exe", static_cast<long long>(pid));
    const ssize_t n = ::readlink(link, target, sizeof target);
    if (n <= 0)
        return {};
    QByteArray program(target, n);
    if (program.endsWith(" (deleted)"))
        program.chop(10);
    return program;
}

// The process of that number, or nothing when there is none.
std::optional<ProcessFacts> processFacts(qint64 pid)
{
    if (pid <= 0 || pid > kMaxPid)
        return std::nullopt;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
        return std::nullopt;
    ProcessFacts p;
    const QByteArray stat = readProcFile(pid, "stat");
    const qsizetype open = stat.indexOf('('), close = stat.lastIndexOf(')');
    if (open >= 0 && close > open) {
        p.name = stat.mid(open + 1, close - open - 1);
        // Field 22 of the line; the fields after the name begin with field 3.
        p.start = wholeNumber(field(stat.mid(close + 2), 19), 0, kMaxStart).value_or(-1);
    }
    const QByteArray status = readProcFile(pid, "status");
    if (const qsizetype at = status.indexOf("\nUid:"); at >= 0) {
        // Real, effective, saved and file-system ids: the effective one owns what it makes.
        const QByteArray ids = status.mid(at + 5, status.indexOf('\n', at + 5) - at - 5).simplified();
        p.uid = wholeNumber(field(ids, 1), 0, kMaxStart).value_or(-1);
    }
    p.program = processProgram(pid);
    return p;
}

// What a mark of this machine's process says of it.
enum class Running {
    No,          // no copy of this program runs as the mark says
    Yes,         // it does, run by the mark's owner
    Unconfirmed, // a process as the mark says, run by its owner, whose program this account may not see
};

// This process, as other copies see it: read once per process (a fork is a
// process of its own), never destroyed (see registry below).
const std::optional<ProcessFacts>& ownFacts()
{
    struct Own {
        qint64 pid = 0;
        std::optional<ProcessFacts> facts;
    };
    static auto* own = new Own;
    if (own->pid != ::getpid()) {
        own->pid = ::getpid();
        own->facts = processFacts(own->pid);
    }
    return own->facts;
}

Running copyRunning(const MarkHolder& h, qint64 owner)
{
    const auto p = processFacts(h.pid);
    if (!p || p->start != h.started || p->uid != owner)
        return Running::No;
    const auto& self = ownFacts();
    if (!self || p->name != self->name)
        return Running::No;
    if (p->program.isEmpty() || self->program.isEmpty())
        return Running::Unconfirmed;
    return p->program == self->program ? Running::Yes : Running::No;
}

// What a running program keeps on looking after, process-wide (never
// destroyed: a FileInUse that is a static itself is released at exit).
struct Registry {
    // The marks this process made and could not remove, by token: its own
    // to take back, whatever FileInUse made them, and to remove once it can.
    std::map<QByteArray, QString> leftBehind;
    // Tries them again every half renewal period while there are any.
    QTimer* timer = nullptr;
};

Registry& registry()
{
    static auto* r = new Registry;
    return *r;
}

int& renewalIntervalForTests()
{
    static int ms = 0;
    return ms;
}

bool folderWritable(const QString& folder)
{
    return ::faccessat(AT_FDCWD, nativeName(folder).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

qint64 nanoseconds(const timespec& t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

// The folder's own clock, in nanoseconds: the modification time of a file
// just made there (a share's times come from its server, whatever this
// machine's clock says). This machine's clock where nothing can be made.
qint64 folderNow(const QString& folder, const QString& near)
{
    const QString tag = QString::number(QRandomGenerator::global()->bounded(1u << 30), 36);
    const QString probe = folder + u'/' + fittedFileName(folder, near, u'.' + tag + QLatin1String(kTemporarySuffix));
    const int fd = ::open(nativeName(probe).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0) {
        struct stat st {};
        const bool known = ::fstat(fd, &st) == 0;
        ::close(fd);
        ::unlink(nativeName(probe).constData());
        if (known)
            return nanoseconds(st.st_mtim);
    }
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}

} // namespace

// What stands in a mark's place, judged for this copy.
struct FileInUse::Judgement {
    enum Kind {
        Free,  // nothing there
        Live,  // a copy of this program on this machine holds the file
        Dead,  // a mark of this machine whose copy no longer runs
        Claim, // anything else: told to the student (claim)
    } kind = Free;
    struct stat st {};
    std::optional<QByteArray> bytes; // the mark as read; none when it cannot be read
    QString holder;                  // Live: the account
    MarkClaim claim;                 // Claim
    bool regular = true;             // a regular file: one that may be removed
};

namespace {

using Judgement = FileInUse::Judgement;

// What tells one state of a mark from another: its owner, and its text or,
// where it cannot be read, its kind, size and modification time.
QByteArray markKey(const struct stat& st, const std::optional<QByteArray>& bytes)
{
    QByteArray key = "owner " + QByteArray::number(qint64(st.st_uid)) + '\n';
    if (bytes)
        return key + "text\n" + *bytes;
    return key + "mode " + QByteArray::number(qint64(st.st_mode)) + " size " + QByteArray::number(qint64(st.st_size))
         + " changed " + QByteArray::number(nanoseconds(st.st_mtim));
}

void judgeAsClaim(const QString& mark, const std::optional<MarkHolder>& h, const QString& unreadable, Judgement& j)
{
    j.kind = Judgement::Claim;
    MarkClaim& c = j.claim;
    c.mark = mark;
    c.machine = h ? QString::fromUtf8(h->host) : QString();
    c.account = accountName(j.st.st_uid);
    c.unreadable = unreadable;
    c.key = markKey(j.st, j.bytes);
}

Judgement judge(const QString& mark, const MarkHolder& self)
{
    Judgement j;
    const SmallFile read = readSmallFile(mark);
    if (read.st.st_mode == 0)
        return j; // nothing there (or nothing this account may see: no mark can be made either)
    j.st = read.st;
    j.bytes = read.bytes;
    if (read.damaged && !S_ISREG(j.st.st_mode)) {
        // Never opened, followed or removed: a pipe would wait, a device
        // could do anything, and what a link or folder leads to is not ours.
        j.regular = false;
        judgeAsClaim(mark, std::nullopt, kindOfFile(j.st.st_mode) + QStringLiteral(", which Orvanto never makes"), j);
        return j;
    }
    if (j.st.st_nlink > 1) {
        // A second name of a file (a hard link) that no copy makes: what it
        // names is not this copy's to take a name from.
        j.regular = false;
        judgeAsClaim(mark, std::nullopt, QStringLiteral("a second name of another file, which Orvanto never makes"), j);
        return j;
    }
    if (!j.bytes) {
        if (read.openError == ENOENT)
            return Judgement{}; // gone meanwhile
        judgeAsClaim(mark, std::nullopt, read.damaged || read.openError == 0 ? read.why : errnoText(read.openError), j);
        return j;
    }
    const MarkParse parsed = parseMark(*j.bytes);
    const std::optional<MarkHolder>& h = parsed.holder;
    if (!h) {
        judgeAsClaim(mark, std::nullopt,
                     parsed.damage.isEmpty() ? QStringLiteral("not a mark of this version of Orvanto") : parsed.damage,
                     j);
        return j;
    }
    // This machine's: the same host name, and the same machine id or (where
    // there is none, as in a bare chroot) the same boot, which no other
    // machine shares.
    const bool thisMachine = h->host == self.host
                          && ((!self.machine.isEmpty() && h->machine == self.machine)
                              || (!self.boot.isEmpty() && h->boot == self.boot));
    if (!thisMachine) {
        judgeAsClaim(mark, h, {}, j);
        return j;
    }
    const bool thisProcess = h->boot == self.boot && h->pid == self.pid && h->started == self.started;
    const Running running = h->boot != self.boot ? Running::No
                          : thisProcess          ? (registry().leftBehind.count(h->token) ? Running::No : Running::Yes)
                                                 : copyRunning(*h, j.st.st_uid);
    switch (running) {
    case Running::No: j.kind = Judgement::Dead; break;
    case Running::Yes:
        j.kind = Judgement::Live;
        j.holder = accountName(j.st.st_uid);
        break;
    case Running::Unconfirmed:
        judgeAsClaim(mark, h, {}, j);
        j.claim.thisMachine = true;
        break;
    }
    return j;
}

// The name a mark is set aside under while it is checked.
QString asideName(const QString& mark)
{
    const QFileInfo info(mark);
    const QString folder = info.absolutePath();
    const QString tag = QString::number(QRandomGenerator::global()->bounded(1u << 30), 36);
    return folder + u'/' + fittedFileName(folder, info.fileName(), u'.' + tag + QStringLiteral(".gone"));
}

// Puts a mark set aside back under its name, unless another mark stands
// there by now (which then is the file's mark).
void putBack(const QString& aside, const QString& mark)
{
    if (::link(nativeName(aside).constData(), nativeName(mark).constData()) == 0 || errno == EEXIST) {
        ::unlink(nativeName(aside).constData());
        return;
    }
    // No hard links here (FAT, some shares): renamed back, without replacing
    // a mark made meanwhile where the file system can promise that.
    if (::renameat2(AT_FDCWD, nativeName(aside).constData(), AT_FDCWD, nativeName(mark).constData(), RENAME_NOREPLACE)
        == 0)
        return;
    if (errno == EEXIST)
        ::unlink(nativeName(aside).constData());
    else
        ::rename(nativeName(aside).constData(), nativeName(mark).constData());
}

// Removes the mark at `mark` if it is what `isIt` says: it is first renamed
// aside (one step, which only one copy can do), then checked, and put back
// when it is not. Only a regular file is ever removed; anything else put in
// its place meanwhile goes back where it was, untouched.
struct Removal {
    enum Kind { Removed, Stuck, Changed } kind;
    int error = 0; // Stuck: why
};
Removal removeMark(const QString& mark, const std::function<bool(const SmallFile&)>& isIt)
{
    const QString aside = asideName(mark);
    if (::rename(nativeName(mark).constData(), nativeName(aside).constData()) != 0)
        return errno == ENOENT ? Removal{Removal::Changed} : Removal{Removal::Stuck, errno};
    // One this account may not open is judged by what the folder tells of it.
    const SmallFile set = readSmallFile(aside);
    if (set.openError == ENOENT)
        return {Removal::Changed}; // taken away meanwhile
    if (!S_ISREG(set.st.st_mode)) {
        putBack(aside, mark); // not a mark any more: never ours to remove
        return {Removal::Changed};
    }
    if (!isIt(set)) {
        putBack(aside, mark);
        return {Removal::Changed};
    }
    ::unlink(nativeName(aside).constData());
    return {Removal::Removed};
}

// The mark with `ending` of the file `file`, named as the writer replaces it.
QString markNamed(const QString& file, const QString& ending)
{
    const QFileInfo info(file);
    const QString folder = info.absolutePath();
    // Hidden, so that it stays out of the students' way in file dialogs.
    const QString name = u'.' + info.fileName();
    QString mark = fittedFileName(folder, name, ending);
    // A name at the file system's limit still gets a mark of its own: the
    // shortened name is tagged with a hash of the whole, the same on every
    // machine and every build.
    if (mark != name + ending)
        mark = fittedFileName(folder, name,
                              u'-'
                                  + QString::fromLatin1(
                                      QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(8))
                                  + ending);
    return folder + u'/' + mark;
}

QString whereAndWho(const MarkHolder& h, qint64 owner)
{
    return QStringLiteral("on machine ") + QString::fromUtf8(h.host) + QStringLiteral(", account ")
         + accountName(owner);
}

// Nothing when `mark` is still this copy's (carries `token`); else how
// it was lost. A mark that cannot be read is not taken for this copy's.
MarkLoss lossOf(const QString& mark, const QByteArray& token)
{
    const SmallFile read = readSmallFile(mark);
    const auto& bytes = read.bytes;
    const int openError = read.openError;
    MarkLoss loss{MarkLoss::Unreadable, mark, read.why, {}};
    if (!bytes && (openError == ENOENT || openError == ENOTDIR)) {
        const QString folder = QFileInfo(mark).absolutePath();
        struct stat dir {};
        const bool folderThere = ::stat(nativeName(folder).constData(), &dir) == 0 && S_ISDIR(dir.st_mode);
        loss = folderThere ? MarkLoss{MarkLoss::Removed, mark, {}, {}}
                           : MarkLoss{MarkLoss::FolderGone, mark, folder, {}};
    } else if (!bytes && openError != 0) {
        loss.why = errnoText(openError);
    } else if (bytes) {
        const MarkParse parsed = parseMark(*bytes);
        if (parsed.holder && parsed.holder->token == token)
            return {};
        if (parsed.holder)
            loss = {MarkLoss::TakenOver, mark, {}, whereAndWho(*parsed.holder, read.st.st_uid)};
        else
            loss.why = parsed.damage.isEmpty() ? QStringLiteral("not a mark of this version") : parsed.damage;
    }
    return loss;
}

// Removes `mark` while it is the mark that carries `token`. 0 when it is
// gone or is not (any longer) this copy's; else the error that keeps it,
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
    const auto ours = [&token](const SmallFile& set) {
        const auto held = set.bytes ? parseMark(*set.bytes).holder : std::nullopt;
        return held && held->token == token;
    };
    // Checked once more after it is set aside: a copy that took the file
    // over at this moment keeps its mark.
    const Removal removal = removeMark(mark, ours);
    return removal.kind == Removal::Stuck ? removal.error : 0;
}

// While this program runs on, marks it could not remove (its folder was
// read-only for a moment) are tried again twice a renewal period: until a
// mark left behind goes, other copies are told of it.
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
            if (registry().leftBehind.empty())
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
    return {MarkHolder{field("token"), field("host"), field("machine"), field("boot"), field("account"), *pid, *started,
                       *renewal},
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

void FileInUse::setRenewalIntervalForTests(int ms) { renewalIntervalForTests() = ms; }

QString FileInUse::markPath(const QString& path) { return markNamed(replacedFilePath(path), QStringLiteral(".lock")); }

QString FileInUse::secondMarkPath(const QString& path)
{
    return markNamed(replacedFilePath(path), QStringLiteral(".2.lock"));
}

MarkHolder FileInUse::thisCopy()
{
    MarkHolder h;
    h.host = QSysInfo::machineHostName().toUtf8();
    h.machine = QSysInfo::machineUniqueId();
    h.boot = QSysInfo::bootUniqueId();
    h.pid = ::getpid();
    // Unknown only without /proc, where no copy can check a start either.
    const auto& self = ownFacts();
    h.started = std::max<qint64>(self ? self->start : -1, 1);
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
    const std::vector<QByteArray>& openAnyway;
    int slot = -1;         // the name this copy marks
    bool tookOver = false; // a mark was removed for it
    QString stuck[2];      // the names that cannot be used, and why

    bool accepted(const Judgement& j) const
    {
        return std::find(openAnyway.begin(), openAnyway.end(), j.claim.key) != openAnyway.end();
    }
};

HoldOutcome FileInUse::hold(const QString& path, const std::vector<QByteArray>& openAnyway)
{
    const QString file = replacedFilePath(path);
    const QString names[2] = {markNamed(file, QStringLiteral(".lock")), markNamed(file, QStringLiteral(".2.lock"))};
    if (state_ == State::Marked && (mark_ == names[0] || mark_ == names[1]))
        return {};
    if (const QString stuck = release(); !stuck.isEmpty())
        qWarning("in-use mark left behind, tried again while the program runs: %s", qUtf8Printable(stuck));
    self_ = thisCopy();
    struct stat fileStat {};
    fileOwner_ = ::stat(nativeName(file).constData(), &fileStat) == 0 ? qint64(fileStat.st_uid) : -1;
    static constexpr Step (FileInUse::*steps[])(Attempt&, HoldOutcome&) = {&FileInUse::refuseLiveMarks,
                                                                           &FileInUse::clearMarks, &FileInUse::makeMark,
                                                                           &FileInUse::confirmMark};
    for (int attempt = 0; attempt < kHoldAttempts; ++attempt) {
        if (attempt > 0)
            QThread::msleep(10 + QRandomGenerator::global()->bounded(40));
        Attempt a{{names[0], names[1]}, {judge(names[0], self_), judge(names[1], self_)}, openAnyway, -1, false, {}};
        HoldOutcome out;
        Step step = Step::Next;
        for (const auto run : steps)
            if ((step = (this->*run)(a, out)) != Step::Next)
                break;
        if (step == Step::Done)
            return out;
    }
    HoldOutcome out;
    out.result = HoldOutcome::InUse; // no holder: the marks kept changing
    out.mark = names[0];
    return out;
}

namespace {

// The outcome for a mark that keeps this copy out, live or to be told; false
// for any other.
bool refusedBy(const QString& mark, const Judgement& j, bool accepted, HoldOutcome& out)
{
    if (j.kind == Judgement::Live) {
        out.result = HoldOutcome::InUse;
        out.holder = j.holder;
        out.mark = mark;
        return true;
    }
    if (j.kind == Judgement::Claim && !accepted) {
        out.result = HoldOutcome::Claimed;
        out.claim = j.claim;
        // By the folder's clock, only for a mark that is told.
        const QFileInfo info(mark);
        out.claim.renewedSecondsAgo = std::max<qint64>(
            0, (folderNow(info.absolutePath(), info.fileName()) - nanoseconds(j.st.st_mtim)) / 1'000'000'000);
        out.mark = mark;
        return true;
    }
    return false;
}

} // namespace

// A live mark under either name: the file is another copy's. Then any other
// mark the student has not been told of.
FileInUse::Step FileInUse::refuseLiveMarks(Attempt& a, HoldOutcome& out)
{
    for (int i = 0; i < 2; ++i)
        if (a.judged[i].kind == Judgement::Live && refusedBy(a.names[i], a.judged[i], false, out))
            return Step::Done;
    for (int i = 0; i < 2; ++i)
        if (refusedBy(a.names[i], a.judged[i], a.accepted(a.judged[i]), out))
            return Step::Done;
    return Step::Next;
}

// Dead marks, and those the student chose to open the file over, go where
// this account may remove them; the first name free then is this copy's.
// Where none is, the file is held unmarked.
FileInUse::Step FileInUse::clearMarks(Attempt& a, HoldOutcome& out)
{
    for (int i = 0; i < 2; ++i) {
        const Judgement& j = a.judged[i];
        if (j.kind != Judgement::Free) {
            const QString what = j.kind == Judgement::Dead ? QStringLiteral("left by a copy that ended")
                               : j.claim.unreadable.isEmpty()
                                   ? QStringLiteral("the mark of a copy on machine ") + j.claim.machine
                                   : j.claim.unreadable;
            if (!j.regular) {
                a.stuck[i] = what + QStringLiteral(", left where it is");
                continue;
            }
            const Removal removal = removeMark(a.names[i], [&j](const SmallFile& set) {
                return set.st.st_nlink == 1 && markKey(set.st, set.bytes) == markKey(j.st, j.bytes);
            });
            switch (removal.kind) {
            case Removal::Changed: return Step::Retry;
            case Removal::Stuck:
                a.stuck[i] = what + QStringLiteral(", not removable: ") + errnoText(removal.error);
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
    if (made.written()) {
        mark_ = mark;
        state_ = State::Marked;
        loss_ = {};
        return Step::Next;
    }
    token_.clear();
    if (made.outcome == WriteResult::Exists)
        return Step::Retry;
    out.mark = mark;
    if (!folderWritable(QFileInfo(mark).absolutePath())) {
        // Nobody can save there from this account, this copy included.
        state_ = State::Unmarked;
        out.result = HoldOutcome::HeldUnmarked;
        return Step::Done;
    }
    out.result = HoldOutcome::Failed;
    out.reason = made.reason;
    return Step::Done;
}

// The mark made is still this copy's, and no live or untold mark stands
// under the other name (two copies making one under each name at the same
// moment both give way); then the file is held, and the mark renewed from
// now on.
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
    // Not read as ours (taken, or unreadable just now): given way, and a
    // mark of ours that stays is left behind to be removed later.
    if (lossOf(mark_, token_).kind != MarkLoss::None) {
        giveWay();
        return Step::Retry;
    }
    const int other = 1 - a.slot;
    const Judgement j = judge(a.names[other], self_);
    if (refusedBy(a.names[other], j, a.accepted(j), out)) {
        giveWay();
        return Step::Done;
    }
    // What stays under the other name (a mark this account may not remove)
    // is known; a mark made there later is another copy's taking over.
    other_ = a.names[other];
    otherKey_ = j.kind == Judgement::Free ? QByteArray() : markKey(j.st, j.bytes);
    if (QCoreApplication::instance()) {
        renewal_ = std::make_unique<QTimer>();
        QObject::connect(renewal_.get(), &QTimer::timeout, [this] { renew(); });
        renewal_->start(renewalIntervalForTests() > 0 ? renewalIntervalForTests() : kInUseRenewSeconds * 1000);
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
    const int fd = ::open(nativeName(mark_).constData(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        // Gone, a link, a file this account may not write, or its folder
        // gone or unmounted: not this copy's. Anything else (no descriptors
        // left, say) is tried again at the next renewal.
        const int code = errno;
        if (code == ENOENT || code == ELOOP || code == EACCES || code == EPERM || code == ENOTDIR || code == ESTALE
            || code == ENODEV) {
            const MarkLoss loss = lossOf(mark_, token_);
            lose(loss.kind != MarkLoss::None ? loss : MarkLoss{MarkLoss::Unreadable, mark_, errnoText(code), {}});
        }
        return;
    }
    const OpenRead read = readOpen(fd, kMaxMarkBytes);
    const QByteArray bytes = read.problem == OpenRead::None ? read.bytes : QByteArray();
    auto h = parseMark(bytes).holder;
    if (!h || h->token != token_) {
        ::close(fd);
        lose(lossOf(mark_, token_));
        return;
    }
    if (const MarkLoss beside = takenBeside(); beside.kind != MarkLoss::None) {
        ::close(fd);
        lose(beside);
        return;
    }
    h->renewal = h->renewal < kMaxRenewal ? h->renewal + 1 : 0;
    const QByteArray text = markText(*h);
    if (::pwrite(fd, text.constData(), static_cast<size_t>(text.size()), 0) == text.size()) {
        if (text.size() < bytes.size()) {
            [[maybe_unused]] const int t = ::ftruncate(fd, text.size());
        }
        ::fdatasync(fd); // a share's other machines see the new count only once it is written out
    }
    ::close(fd);
}

void FileInUse::lose(MarkLoss loss)
{
    state_ = State::Lost;
    // Read again after the renewal's look: a mark read whole now is still
    // one that no longer carries this copy's token.
    if (loss.kind == MarkLoss::None)
        loss = {MarkLoss::TakenOver, mark_, {}, {}};
    loss_ = loss;
    // The timer goes on (it is running this very renewal) and finds nothing more to do.
    if (onLost_)
        onLost_(loss_);
}

MarkLoss FileInUse::takenBeside() const
{
    const SmallFile read = readSmallFile(other_);
    if (!read.bytes || markKey(read.st, read.bytes) == otherKey_)
        return {};
    const auto h = parseMark(*read.bytes).holder;
    const qint64 owner = read.st.st_uid;
    // Only the file's owner, this account or root open it anyway; a mark any
    // other account leaves there is no copy's that may work on the file.
    if (!h || h->token == token_ || (owner != fileOwner_ && owner != qint64(::geteuid()) && owner != 0))
        return {};
    return {MarkLoss::TakenOver, other_, {}, whereAndWho(*h, owner)};
}

bool FileInUse::stillHeld()
{
    if (state_ == State::Marked)
        if (MarkLoss loss = lossOf(mark_, token_);
            loss.kind != MarkLoss::None || (loss = takenBeside()).kind != MarkLoss::None) {
            // Found by a save, which tells it itself.
            state_ = State::Lost;
            loss_ = loss;
        }
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
    other_.clear();
    otherKey_.clear();
    return failure;
}

} // namespace orv
