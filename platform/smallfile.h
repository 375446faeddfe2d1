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

// A small file as read (see readSmallFile).
struct SmallFile {
    std::optional<QByteArray> bytes; // nothing when it could not be read
    struct stat st {};               // what was read (when it opened)
    QString why;                     // no bytes: what it is, or why it cannot be read
    // No bytes: it is something no copy makes (not a regular file, too
    // large), rather than a file this account cannot read just now.
    bool damaged = false;
    int openError = 0; // the error that kept it from being opened (0 when it opened)
};
// Reads a small file (at most kMaxSmallFileBytes) without waiting and
// without following a link.
SmallFile readSmallFile(const QString& path);

} // namespace orv
