#pragma once
// The small text files that copies of the program leave for each other in a
// shared folder (the in-use marks): a header line, then "key value" lines.
// Another account may have put anything at such a name, so they are read
// without following a link, without waiting on a pipe, and never beyond a
// small size; every number in them is checked as it is read.
#include <QByteArray>
#include <QString>
#include <map>
#include <optional>

#include <sys/stat.h>

namespace orv {

// A path as the system calls take it.
QByteArray nativeName(const QString& path);
// The system's words for an error number.
QString errnoText(int code);
// The account's name for a user id, or the number where it has none.
QString accountName(qint64 uid);
// `s` on one line: line breaks become '?', so that a value never makes a
// field of its own.
QByteArray oneLine(QByteArray s);

// No such file is larger; a larger one is no file of the program's.
inline constexpr qint64 kMaxSmallFileBytes = 4096;

// "key value" lines after `header`; empty when the first line differs.
std::map<QByteArray, QByteArray> headedFields(const QByteArray& bytes, const QByteArray& header);
// A whole number written as plain digits, with a minus sign only where `min`
// is negative, within min..max; nothing else (no blanks, no plus sign).
std::optional<qint64> wholeNumber(const QByteArray& text, qint64 min, qint64 max);
// What a file that is not a regular one is, in words ("a folder", ...).
QString kindOfFile(unsigned mode);

// An open file read whole (see readOpen).
struct OpenRead {
    enum Problem {
        None,       // bytes is the whole file
        CannotStat, // error says why
        NotRegular, // st tells what it is
        TooLarge,   // more than the bytes asked for, or it grew while read
        CannotRead, // error says why
    } problem = None;
    int error = 0;
    struct stat st {}; // as the open file tells it (but for CannotStat)
    QByteArray bytes;
};
// The whole of the open file `fd` from where it stands, when it is a regular
// file of at most `maxBytes`.
OpenRead readOpen(int fd, qint64 maxBytes);

// A small file as read (see readSmallFile).
struct SmallFile {
    std::optional<QByteArray> bytes; // nothing when it could not be read
    struct stat st {};               // what stands at the name; st_mode 0 when nothing could be seen
    QString why;                     // no bytes: what it is, or why it cannot be read
    // No bytes: it is something no copy makes (not a regular file, too
    // large), rather than a file this account cannot read just now.
    bool damaged = false;
    int openError = 0; // the error that kept it from being looked at or opened (0 when it opened, or was no file)
};
// Reads a small file (at most kMaxSmallFileBytes) without waiting and
// without following a link; what is not a regular file is never opened
// (damaged, with st telling what it is; openError stays 0).
SmallFile readSmallFile(const QString& path);

} // namespace orv
