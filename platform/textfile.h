#pragma once
// Single-byte text files. Every file the programs read or write is bytes in
// the Windows code page: text is converted with Latin-1 so that every byte
// 0..255 survives a round trip unchanged. Lines may end in CR LF, LF or CR on
// reading; writers use CR LF.
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace orv {

// Bytes <-> text, byte for byte.
inline QString fromBytes(const QByteArray& b) { return QString::fromLatin1(b); }
QByteArray toBytes(const QString& s); // characters above 255 become '?'
// True when every character of s fits a single byte.
bool fitsBytes(const QString& s);

// Whole file, or nothing when it cannot be opened or read.
std::optional<QByteArray> readFileBytes(const QString& path);
// The file split into lines with their CR/LF ends removed.
std::optional<QList<QByteArray>> readFileLines(const QString& path);
QList<QByteArray> splitLines(const QByteArray& bytes);

// Writes the file beside the old one and renames it over, so a failure never
// leaves a half-written file. On failure returns false and, when error is
// given, a description of what went wrong.
bool writeFileAtomic(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// Lines joined with CR LF, each line ended by CR LF.
QByteArray joinLinesCrLf(const QList<QByteArray>& lines);
// Appends to a file (error records); creates it when missing.
bool appendFileBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);

} // namespace orv
