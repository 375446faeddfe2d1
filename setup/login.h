#pragma once
// The instructor's password check. The password itself is not stored, only
// the digest a right password gives.
#include <QChar>
#include <QString>
#include <optional>

namespace orv {

// The digest of the right password.
inline constexpr qint32 LoginDigest = 184526;
// Only this many characters of a password count; longer ones are cut.
inline constexpr int kPasswordCharsUsed = 10;

// The character's code in the Windows ANSI code page (1252): 0..255; a
// character that page lacks gives the code of "?".
int ansiCode(QChar c);

// The digest of a password: the sum over its first ten characters of
// (code - 20) * 6^(i-1), i counting from 1. Cuts `password` to ten characters
// in place. A sum that leaves the signed 32-bit range at any step gives no
// digest (such a password can never be the right one).
std::optional<qint32> passwordDigest(QString& password);

// True when the password's digest is the stored one.
bool passwordAccepted(const QString& password);

} // namespace orv
