#pragma once
// Single-byte text files. Every file the programs read or write is bytes in
// the Windows code page: text is converted with Latin-1 so that every byte
// 0..255 survives a round trip unchanged. Lines may end in CR LF, LF or CR on
// reading; writers use CR LF.
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace orv {

// Bytes <-> text, byte for byte.
inline QString fromBytes(const QByteArray& b) { return QString::fromLatin1(b); }
QByteArray toBytes(const QString& s); // characters above 255 become '?'

// No file the programs read comes near this size; a larger one is refused
// rather than taken into memory whole.
inline constexpr qint64 kMaxReadBytes = 8 * 1024 * 1024;
// A file as this program last read or wrote it. Whether a name still leads
// to that file is judged by what every share keeps: a regular file with one
// name, of this owner, holding these bytes. Never by inode or device
// numbers, which shares renumber at will (FUSE file systems, a share mounted
// again, FAT), nor by its times or modes.
struct FileSeen {
    qint64 owner = 0;
    QByteArray bytes;
};

// What a reader gives: the contents, or nothing and `error`, why not in words
// that can follow the file's name.
template <typename T> struct [[nodiscard]] ReadResult : std::optional<T> {
    QString error;
    // The owner of the file the contents came from (a link's target).
    qint64 owner = 0;
};

// Whole file, or nothing when it cannot be opened or read, when it is not a
// regular file (a folder, a pipe, a device: nothing waits on opening it) or
// when it is larger than kMaxReadBytes.
ReadResult<QByteArray> readFileBytes(const QString& path);
// The file split into lines with their CR/LF ends removed.
ReadResult<QList<QByteArray>> readFileLines(const QString& path);
QList<QByteArray> splitLines(const QByteArray& bytes);

// What a writer did. A caller decides for its file what "written but not
// synced" means: the bytes are in the file, but a power cut could still
// lose the new name.
struct [[nodiscard]] WriteResult {
    enum Outcome {
        Written,          // the file holds the bytes, on the disk
        WrittenNotSynced, // the file holds the bytes; its folder could not be synced (reason)
        Exists,           // createFileExclusive: the name was taken (reason); nothing written
        Changed,          // the name no longer leads to the file given (ReplaceOnly): nothing written
        Failed,           // nothing written (reason); an old file is as it was
    };
    Outcome outcome = Failed;
    // Why not written, or why not synced; words that can follow the file's name.
    QString reason;
    // Written, WrittenNotSynced: the owner of the file now at the name.
    qint64 owner = 0;
    bool written() const { return outcome == Written || outcome == WrittenNotSynced; }
};

// What writeFileAtomic may replace. By default the name itself, whichever
// regular file is there (or none): a symbolic link there is refused, whatever
// it leads to, so that no name in a folder others may write can send the
// bytes into another file.
struct ReplaceOnly {
    // The file the name must still lead to, as the caller read or last wrote
    // it (see FileSeen): another file, or a link, in its place is refused
    // (Changed). A name that leads to nothing any more is written anew, as a
    // new file: one that appears there meanwhile is refused too. Without it,
    // any regular file.
    std::optional<FileSeen> file;
    // The name may be a symbolic link (to `file` only, when given): the file
    // it leads to is replaced, the link stays. Only for a file that was
    // reached through a link when it was read, or one in a folder that only
    // the instructor may write (the settings beside the programs).
    bool throughLink = false;
};

// Writes the file beside the old one and renames it over, so a failure never
// leaves a half-written file: every byte is checked as written and the data
// is synced to the disk before the rename (a full disk is a failure, and the
// old file stays as it was, byte for byte); the folder is synced after it,
// so a save that succeeded survives a power cut. The copy is created with
// the old file's permissions from the start, and given its owner and group
// where this account may (root; the group for a member of it). In a sticky
// folder, a file of another account that this account could replace only as
// the folder's owner is refused instead, since its owner could not save it
// any more. What is replaced is checked against `only` once before the copy
// is written and again just before the rename. A name that is not a regular
// file (a folder, a device) or a link to nothing is refused. Once the rename
// is done the file is written, even when syncing the folder then fails
// (WrittenNotSynced). The copy being written is named NAME.XXXXXX.orvtmp (see
// kTemporarySuffix), NAME shortened where the whole would be longer than the
// file system allows.
WriteResult writeFileAtomic(const QString& path, const QByteArray& bytes, const ReplaceOnly& only = {});
// The file that writeFileAtomic replaces for `path` when it may follow a
// link: a symbolic link's target, and the folder named without links, so
// that every name of one file gives the same path. `path` as given when it
// is a link to nothing.
QString replacedFilePath(const QString& path);
// Adds `bytes` at the end of the file at `path` (a log), after `separator`
// where the file holds something already. The file must be a regular file
// of this account's own with one name, or none (then it is made with
// `mode`, or what the umask leaves of 0666 where `mode` is negative). It is
// read once, never through a link, and replaced only while it is still the
// file read (see FileSeen), so that nothing another account put at the
// name, or linked to another file, is read into it or written.
WriteResult appendToOwnFile(const QString& path, const QByteArray& bytes, const QByteArray& separator = {},
                            int mode = -1);
// Creates a new file with these bytes, never replacing one (nor writing
// through a link: a link at the name is a name taken): the copy is written
// and synced under a temporary name, then linked to the name, which fails
// when the name exists (also when another program made it meanwhile).
// Where the file system has no hard links (FAT, some shares) the file is
// created under its name exclusively instead, written and synced, and
// removed again if that fails. A name taken is Exists; WrittenNotSynced as
// for writeFileAtomic. `mode`, when not negative, is the new file's
// permissions whatever the umask (for files every account must read, such
// as the in-use marks).
WriteResult createFileExclusive(const QString& path, const QByteArray& bytes, int mode = -1);

// `name` followed by `ending`, `name` shortened by whole characters where
// the whole would be longer than a file name in `folder` may be.
QString fittedFileName(const QString& folder, QString name, const QString& ending);

// The ending of the copies the writers make. A copy is left behind only when
// the program is killed while writing; no dialog filter of the programs
// matches it.
inline constexpr const char* kTemporarySuffix = ".orvtmp";
// Removes the writers' copies in `folder` older than `olderThanSeconds` (a
// younger one may belong to a copy of the program writing at this moment).
// Returns how many were removed.
int removeStaleTemporaries(const QString& folder, int olderThanSeconds = 600);

// For tests: from now on a writer fails, as on a full disk, after writing
// this many bytes of a file; a negative value ends the failures.
void setWriteLimitForTests(qint64 bytes);
// For tests: createFileExclusive behaves as on a file system without hard
// links while this is set.
void setLinksUnsupportedForTests(bool unsupported);
// For tests: syncing a folder fails with this text while it is not empty.
void setFolderSyncFailureForTests(const QString& failure);
// For tests: writeFileAtomic runs this once the new copy is written, just
// before the last check of what it replaces (nullptr: nothing).
void setBeforeRenameForTests(std::function<void()> hook);

// Lines joined with CR LF, each line ended by CR LF.
QByteArray joinLinesCrLf(const QList<QByteArray>& lines);

} // namespace orv
