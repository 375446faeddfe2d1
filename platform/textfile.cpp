#include "platform/textfile.h"

#include "platform/smallfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

QByteArray toBytes(const QString& s)
{
    QByteArray out;
    out.reserve(s.size());
    for (QChar c : s)
        out.append(c.unicode() < 256 ? static_cast<char>(c.unicode()) : '?');
    return out;
}

QList<QByteArray> splitLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    QByteArray cur;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.append(cur);
            cur.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            cur.append(c);
        }
    }
    if (!cur.isEmpty())
        lines.append(cur);
    return lines;
}

ReadResult<QList<QByteArray>> readFileLines(const QString& path)
{
    const ReadResult<QByteArray> bytes = readFileBytes(path);
    ReadResult<QList<QByteArray>> lines;
    lines.error = bytes.error;
    lines.owner = bytes.owner;
    if (bytes)
        lines.emplace(splitLines(*bytes));
    return lines;
}

namespace {

qint64& writeLimit()
{
    static qint64 limit = -1;
    return limit;
}

bool& linksUnsupported()
{
    static bool unsupported = false;
    return unsupported;
}

QString& folderSyncFailure()
{
    static auto* failure = new QString; // never destroyed: the system's end road may save from an exit handler
    return *failure;
}

std::function<void()>& beforeRename()
{
    static auto* hook = new std::function<void()>; // never destroyed, as above
    return *hook;
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // The result of close(2): on some file systems a write error shows only here.
    bool close()
    {
        if (fd_ < 0)
            return true;
        const bool ok = ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
};

// Writes every byte (as far as a test's write limit allows) and syncs the
// data to the disk. Empty when all went well, else why not.
QString writeAllAndSync(Descriptor& fd, const QByteArray& bytes)
{
    const qint64 limit = writeLimit();
    const qint64 total = limit >= 0 && limit < bytes.size() ? limit : bytes.size();
    qint64 done = 0;
    while (done < total) {
        const ssize_t n = ::write(fd.get(), bytes.constData() + done, static_cast<size_t>(total - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errnoText(errno) : QStringLiteral("No space left on device");
        done += n;
    }
    if (total < bytes.size())
        return QStringLiteral("No space left on device");
    // A file system that cannot sync (some FUSE ones) has nothing more to give.
    if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errnoText(errno);
    if (!fd.close())
        return errnoText(errno);
    return {};
}

// Syncs a folder, so that a rename or a new name in it is on the disk. Empty
// when done (or when the file system cannot sync folders), else why not.
QString syncFolder(const QString& folder)
{
    if (!folderSyncFailure().isEmpty())
        return folderSyncFailure();
    Descriptor fd(::open(nativeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        return {}; // a folder that may be written but not read: nothing more can be done
    if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != ENOTSUP && errno != EROFS)
        return errnoText(errno);
    return {};
}

// Whether setting a mode failed only because the file system keeps none
// (FAT through FUSE: "Function not implemented"; vfat refuses what it cannot
// store). The file is this account's own, just made, so no other refusal is
// possible; it then keeps its creation mode, which the umask only narrowed.
bool modesNotKept(int code) { return code == ENOSYS || code == ENOTSUP || code == EOPNOTSUPP || code == EPERM; }

// The whole of an open regular file of at most kMaxReadBytes.
ReadResult<QByteArray> readOpenFile(const Descriptor& file)
{
    ReadResult<QByteArray> r;
    OpenRead read = readOpen(file.get(), kMaxReadBytes);
    if (read.problem != OpenRead::CannotStat && read.problem != OpenRead::NotRegular)
        r.owner = read.st.st_uid;
    switch (read.problem) {
    case OpenRead::None: r.emplace(std::move(read.bytes)); break;
    case OpenRead::NotRegular: r.error = QStringLiteral("it is not a regular file"); break;
    case OpenRead::TooLarge:
        r.error = QStringLiteral("it is larger than any file of its kind (more than %1 bytes)").arg(kMaxReadBytes);
        break;
    case OpenRead::CannotStat:
    case OpenRead::CannotRead: r.error = QStringLiteral("it cannot be read (%1)").arg(errnoText(read.error)); break;
    }
    return r;
}

WriteResult refusal(WriteResult::Outcome outcome, const QString& reason)
{
    WriteResult r;
    r.outcome = outcome;
    r.reason = reason;
    return r;
}

// Reads what is at `target` now and says how it differs from the file as
// `seen`: nothing while it is still that file; a file that cannot be read
// again just now (an I/O error, no descriptors left) is a failed save, not
// another file. Opened once, never through a link, never waiting on a pipe.
std::optional<WriteResult> changedFrom(const QString& target, const FileSeen& seen)
{
    const auto changed = [](const QString& why) { return refusal(WriteResult::Changed, why); };
    const auto unreadable = [](int code) {
        return refusal(WriteResult::Failed, QStringLiteral("it cannot be read again (%1)").arg(errnoText(code)));
    };
    Descriptor fd(::open(nativeName(target).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid())
        return errno == ELOOP ? changed(QStringLiteral("it has been replaced by a symbolic link since it was read"))
                              : unreadable(errno);
    // Read no further than the bytes seen: a larger file is another.
    const OpenRead now = readOpen(fd.get(), seen.bytes.size());
    const struct stat& st = now.st;
    switch (now.problem) {
    case OpenRead::CannotStat:
    case OpenRead::CannotRead: return unreadable(now.error);
    case OpenRead::NotRegular:
        return changed(QStringLiteral("it has been replaced by %1 since it was read").arg(kindOfFile(st.st_mode)));
    case OpenRead::None:
    case OpenRead::TooLarge: break;
    }
    if (st.st_nlink != 1)
        return changed(QStringLiteral("another name now leads to the same file (a hard link)"));
    if (qint64(st.st_uid) != seen.owner)
        return changed(QStringLiteral("it has been replaced by a file of the account %1 since it was read")
                           .arg(accountName(st.st_uid)));
    if (now.problem == OpenRead::TooLarge || now.bytes != seen.bytes)
        return changed(QStringLiteral("it has been replaced by another file since it was read"));
    return std::nullopt;
}


// What writeFileAtomic replaces for a name: the name itself, or the file a
// link leads to where `only` allows it, with what is there now.
struct Replaced {
    QString target;      // the name renamed over
    bool exists = false; // a file is there (st)
    struct stat st {};
    std::optional<WriteResult> refused; // set: nothing may be written
};

Replaced replacedFile(const QString& path, const ReplaceOnly& only)
{
    Replaced r;
    r.target = path;
    struct stat named {};
    if (::lstat(nativeName(path).constData(), &named) != 0) {
        if (errno != ENOENT)
            r.refused = refusal(WriteResult::Failed,
                                QStringLiteral("it cannot be examined (%1)").arg(errnoText(errno)));
        return r; // nothing there: the file is made anew
    }
    if (S_ISLNK(named.st_mode)) {
        // A link in a folder others may write could lead anywhere this
        // account may write; only the one the caller read through is taken.
        if (!only.throughLink) {
            r.refused = only.file
                          ? refusal(WriteResult::Changed,
                                    QStringLiteral("it has been replaced by a symbolic link since it was read"))
                          : refusal(WriteResult::Failed,
                                    QStringLiteral("it is a symbolic link, and no file is written through one"));
            return r;
        }
        r.target = QFileInfo(path).canonicalFilePath();
        if (r.target.isEmpty() || ::lstat(nativeName(r.target).constData(), &named) != 0) {
            r.refused = refusal(WriteResult::Failed, QStringLiteral("it is a link to a file that does not exist"));
            return r;
        }
    }
    if (!S_ISREG(named.st_mode)) {
        r.refused = only.file ? refusal(WriteResult::Changed, QStringLiteral("it has been replaced by %1 since it "
                                                                             "was read")
                                                                  .arg(kindOfFile(named.st_mode)))
                              : refusal(WriteResult::Failed, QStringLiteral("it is not a regular file"));
        return r;
    }
    if (only.file) {
        if ((r.refused = changedFrom(r.target, *only.file)))
            return r;
    }
    r.exists = true;
    r.st = named;
    return r;
}

// The longest name a file in `folder` may have, in bytes.
qsizetype nameLimit(const QString& folder)
{
    const long limit = ::pathconf(nativeName(folder).constData(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<qsizetype>(limit) : 255;
}

// Gives the copy that replaces `old` the old file's owner and group, so that
// a save by another account (root, the instructor) leaves the file its
// student's. Empty when kept, or when it cannot be kept and need not be: in a
// folder without the sticky bit every account that could replace the old file
// can replace the new one too. In a sticky folder a file of another account
// is replaced only by the folder's owner, whose copy would then shut its
// student out: that is refused (why).
QString keepOwner(int fd, const struct stat& old, const QString& folder)
{
    if (old.st_uid == ::geteuid() && old.st_gid == ::getegid())
        return {};
    if (::fchown(fd, old.st_uid, old.st_gid) == 0)
        return {};
    [[maybe_unused]] const int group = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    struct stat dir {};
    if (old.st_uid != ::geteuid() && ::stat(nativeName(folder).constData(), &dir) == 0 && (dir.st_mode & S_ISVTX)
        && dir.st_uid == ::geteuid())
        return QStringLiteral("the file belongs to the account %1, which could not save it any more once this "
                              "account had replaced it")
            .arg(accountName(old.st_uid));
    return {};
}

// The owner of an open file. Empty when known, else why not.
QString ownerOf(const Descriptor& fd, qint64* owner)
{
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return errnoText(errno);
    *owner = st.st_uid;
    return {};
}

// Writes the bytes to a new file beside `target` and syncs it. Replacing an
// existing file (`old` given), the copy has its permissions from its creation
// on and its owner where that can be kept (keepOwner); a new file has `mode`
// whatever the umask, or what the umask leaves of 0666 where `mode` is
// negative. Returns the copy's path, or empty with `error` set (no copy is
// left behind then).
QString writeTemporaryCopy(const QString& target, const QByteArray& bytes, QString* error, qint64* made,
                           const struct stat* old, int mode = -1)
{
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    const mode_t created = old ? (old->st_mode & 07777) : mode >= 0 ? static_cast<mode_t>(mode) : 0666;
    QString copy;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        const QString tag = QString::number(QRandomGenerator::global()->bounded(36u * 36u * 36u * 36u * 36u * 36u), 36)
                                .rightJustified(6, u'0');
        copy = folder + u'/' + fittedFileName(folder, info.fileName(), u'.' + tag + QLatin1String(kTemporarySuffix));
        fd = ::open(nativeName(copy).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, created);
        if (fd < 0 && errno != EEXIST) {
            setError(error, errnoText(errno));
            return {};
        }
    }
    if (fd < 0) {
        setError(error, errnoText(EEXIST));
        return {};
    }
    Descriptor file(fd);
    QString why = old ? keepOwner(fd, *old, folder) : QString();
    // The creation mode lost what the umask takes away (and a new owner may
    // have cleared set-id bits); the old file had it.
    if (why.isEmpty() && (old || mode >= 0) && ::fchmod(fd, created) != 0 && !modesNotKept(errno))
        why = errnoText(errno);
    if (why.isEmpty())
        why = ownerOf(file, made);
    if (why.isEmpty())
        why = writeAllAndSync(file, bytes);
    if (!why.isEmpty()) {
        file.close();
        ::unlink(nativeName(copy).constData());
        setError(error, why);
        return {};
    }
    return copy;
}

// The result of a write whose file is at its name now: the folder is synced
// after it, which failing only leaves the new name less safe against a power cut.
WriteResult writtenAt(const QString& path, qint64 made)
{
    WriteResult r;
    r.owner = made;
    r.reason = syncFolder(QFileInfo(path).absolutePath());
    r.outcome = r.reason.isEmpty() ? WriteResult::Written : WriteResult::WrittenNotSynced;
    return r;
}

// Creates `path` itself exclusively, writes and syncs it; removes it again
// when anything fails. For file systems without hard links.
WriteResult createFileInPlace(const QString& path, const QByteArray& bytes, int mode)
{
    Descriptor file(::open(nativeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                           mode >= 0 ? static_cast<mode_t>(mode) : 0666));
    if (!file.valid())
        return refusal(errno == EEXIST ? WriteResult::Exists : WriteResult::Failed, errnoText(errno));
    qint64 made = 0;
    QString why = mode >= 0 && ::fchmod(file.get(), static_cast<mode_t>(mode)) != 0 && !modesNotKept(errno)
                    ? errnoText(errno)
                    : QString();
    if (why.isEmpty())
        why = ownerOf(file, &made);
    if (why.isEmpty())
        why = writeAllAndSync(file, bytes);
    if (!why.isEmpty()) {
        file.close();
        ::unlink(nativeName(path).constData());
        return refusal(WriteResult::Failed, why);
    }
    return writtenAt(path, made);
}

// The errors of link(2) that mean the file system has no hard links.
bool linksNotSupported(int code)
{
    return code == EPERM || code == ENOTSUP || code == EOPNOTSUPP || code == ENOSYS || code == EMLINK;
}

// Puts the finished copy at `target`, where no file may be: Exists when one
// is. Where the file system has no hard links (FAT, some shares) the file is
// made under its name exclusively instead, from `bytes` with `mode`.
WriteResult placeNew(const QString& copy, qint64 made, const QString& target, const QByteArray& bytes, int mode)
{
    int code = 0;
    if (linksUnsupported())
        code = EPERM;
    else if (::link(nativeName(copy).constData(), nativeName(target).constData()) != 0)
        code = errno;
    ::unlink(nativeName(copy).constData());
    if (code != 0 && linksNotSupported(code))
        return createFileInPlace(target, bytes, mode);
    if (code != 0)
        return refusal(code == EEXIST ? WriteResult::Exists : WriteResult::Failed, errnoText(code));
    return writtenAt(target, made);
}

} // namespace

ReadResult<QByteArray> readFileBytes(const QString& path)
{
    // Non-blocking, so that a pipe in the file's place does not hold the
    // program in open(2); it is refused by the reader like any other non-file.
    const Descriptor file(::open(nativeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid()) {
        ReadResult<QByteArray> r;
        r.error = errno == ENOENT ? QStringLiteral("it does not exist")
                                  : QStringLiteral("it cannot be opened (%1)").arg(errnoText(errno));
        return r;
    }
    return readOpenFile(file);
}

QString fittedFileName(const QString& folder, QString name, const QString& ending)
{
    const qsizetype limit = nameLimit(folder) - nativeName(ending).size();
    while (!name.isEmpty() && nativeName(name).size() > limit)
        name.chop(name.back().isLowSurrogate() && name.size() > 1 ? 2 : 1);
    return name + ending;
}

void setWriteLimitForTests(qint64 bytes) { writeLimit() = bytes; }

void setLinksUnsupportedForTests(bool unsupported) { linksUnsupported() = unsupported; }

void setFolderSyncFailureForTests(const QString& failure) { folderSyncFailure() = failure; }

void setBeforeRenameForTests(std::function<void()> hook) { beforeRename() = std::move(hook); }

QString replacedFilePath(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        return target.isEmpty() ? path : target;
    }
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
}

WriteResult writeFileAtomic(const QString& path, const QByteArray& bytes, const ReplaceOnly& only)
{
    const Replaced first = replacedFile(path, only);
    if (first.refused)
        return *first.refused;
    QString why;
    qint64 made = 0;
    const QString copy = writeTemporaryCopy(first.target, bytes, &why, &made, first.exists ? &first.st : nullptr);
    if (copy.isEmpty())
        return refusal(WriteResult::Failed, why);
    if (beforeRename())
        beforeRename()();
    // Writing the copy took time: the name is judged again right before the
    // rename, so that a link or another file put there meanwhile is refused.
    const Replaced last = replacedFile(path, only);
    std::optional<WriteResult> refused = last.refused;
    if (!refused && last.target != first.target)
        refused = refusal(WriteResult::Changed, QStringLiteral("it has been moved while it was written"));
    if (!refused && !last.exists && only.file) {
        // The file read is gone: it is made anew, and whatever appears at
        // its name meanwhile is not replaced (not the file read either).
        WriteResult placed = placeNew(copy, made, first.target, bytes,
                                      first.exists ? static_cast<int>(first.st.st_mode & 07777) : -1);
        if (placed.outcome == WriteResult::Exists)
            placed = refusal(WriteResult::Changed,
                             QStringLiteral("another file has been put in its place since it was read"));
        return placed;
    }
    if (!refused && ::rename(nativeName(copy).constData(), nativeName(first.target).constData()) != 0)
        refused = refusal(WriteResult::Failed, errnoText(errno));
    if (refused) {
        ::unlink(nativeName(copy).constData());
        return *refused;
    }
    return writtenAt(first.target, made);
}

WriteResult createFileExclusive(const QString& path, const QByteArray& bytes, int mode)
{
    QString why;
    qint64 made = 0;
    const QString copy = writeTemporaryCopy(path, bytes, &why, &made, nullptr, mode);
    if (copy.isEmpty())
        return refusal(WriteResult::Failed, why);
    return placeNew(copy, made, path, bytes, mode);
}

WriteResult appendToOwnFile(const QString& path, const QByteArray& bytes, const QByteArray& separator, int mode)
{
    // Made or appended to by another copy between the look and the writing: looked at again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        Descriptor fd(::open(nativeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!fd.valid() && errno == ENOENT) {
            const WriteResult made = createFileExclusive(path, bytes, mode);
            if (made.outcome == WriteResult::Exists)
                continue;
            return made;
        }
        if (!fd.valid())
            return refusal(WriteResult::Failed,
                           errno == ELOOP ? QStringLiteral("it is a symbolic link, and no file is written through one")
                                          : QStringLiteral("it cannot be opened (%1)").arg(errnoText(errno)));
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0)
            return refusal(WriteResult::Failed, QStringLiteral("it cannot be read (%1)").arg(errnoText(errno)));
        if (!S_ISREG(st.st_mode))
            return refusal(WriteResult::Failed, QStringLiteral("it is %1, not a file").arg(kindOfFile(st.st_mode)));
        if (st.st_uid != ::geteuid())
            return refusal(WriteResult::Failed,
                           QStringLiteral("it belongs to the account %1, not to this one").arg(accountName(st.st_uid)));
        if (st.st_nlink != 1)
            return refusal(WriteResult::Failed, QStringLiteral("another name leads to the same file (a hard link)"));
        const ReadResult<QByteArray> old = readOpenFile(fd);
        if (!old)
            return refusal(WriteResult::Failed, old.error);
        const QByteArray joined = *old + (old->isEmpty() ? QByteArray() : separator) + bytes;
        const WriteResult w = writeFileAtomic(path, joined, ReplaceOnly{FileSeen{old.owner, *old}, false});
        if (w.outcome != WriteResult::Changed)
            return w;
        // Another copy of this account's appended meanwhile: read again.
    }
    return refusal(WriteResult::Failed, QStringLiteral("other copies of Orvanto keep changing it at this moment"));
}

int removeStaleTemporaries(const QString& folder, int olderThanSeconds)
{
    int removed = 0;
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-olderThanSeconds);
    const QDir dir(folder);
    for (const QFileInfo& fi : dir.entryInfoList({QStringLiteral("*") + QLatin1String(kTemporarySuffix)},
                                                 QDir::Files | QDir::Hidden | QDir::System)) {
        if (fi.lastModified().toUTC() <= before && QFile::remove(fi.absoluteFilePath()))
            ++removed;
    }
    return removed;
}

QByteArray joinLinesCrLf(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

} // namespace orv
