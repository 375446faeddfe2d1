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
// Whole file, or nothing when it cannot be opened or read, when it is not a
// regular file (a folder, a pipe, a device: nothing waits on opening it) or
// when it is larger than kMaxReadBytes. `error`, when given, then says why
// in words that can follow the file's name.
std::optional<QByteArray> readFileBytes(const QString& path, QString* error = nullptr);
// The file split into lines with their CR/LF ends removed.
std::optional<QList<QByteArray>> readFileLines(const QString& path, QString* error = nullptr);
QList<QByteArray> splitLines(const QByteArray& bytes);

// Writes the file beside the old one and renames it over, so a failure never
// leaves a half-written file: every byte is checked as written and the data
// is synced to the disk before the rename (a full disk is a failure, and the
// old file stays as it was, byte for byte); the folder is synced after it,
// so a save that succeeded survives a power cut. The copy is created with
// the old file's permissions from the start, and given its owner and group
// where this account may (root; the group for a member of it). In a sticky
// folder, a file of another account that this account could replace only as
// the folder's owner is refused instead, since its owner could not save it
// any more. A symbolic link is followed and its target replaced (see
// replacedFilePath); a name that is not a regular
// file (a folder, a device) or a link to nothing is refused. On failure
// returns false and, when error is given, a description of what went wrong.
// Once the rename is done the file is written and the result is true even
// when syncing the folder then fails: `notSynced` then says why (the new
// file may still be lost in a power cut), else it is emptied. The copy being
// written is named NAME.XXXXXX.orvtmp (see kTemporarySuffix), NAME shortened
// where the whole would be longer than the file system allows.
bool writeFileAtomic(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                     QString* notSynced = nullptr);
// The file that writeFileAtomic replaces for `path`: a symbolic link's
// target, and the folder named without links, so that every name of one
// file gives the same path. `path` as given when it is a link to nothing.
QString replacedFilePath(const QString& path);
// Creates a new file with these bytes, never replacing one: the copy is
// written and synced under a temporary name, then linked to the name, which
// fails when the name exists (also when another program made it meanwhile).
// Where the file system has no hard links (FAT, some shares) the file is
// created under its name exclusively instead, written and synced, and
// removed again if that fails. `existed` tells that failure apart from others.
// `notSynced` as for writeFileAtomic: the file exists, but the folder could
// not be synced after it was made.
// `mode`, when not negative, is the new file's permissions whatever the
// umask (for files every account must read, such as the in-use marks).
bool createFileExclusive(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                         bool* existed = nullptr, QString* notSynced = nullptr, int mode = -1);

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
// before it is renamed over the file (nullptr: nothing).
void setBeforeRenameForTests(std::function<void()> hook);

// Lines joined with CR LF, each line ended by CR LF.
QByteArray joinLinesCrLf(const QList<QByteArray>& lines);

} // namespace orv
