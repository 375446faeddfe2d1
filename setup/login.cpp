#include "setup/login.h"

#include <array>
#include <cstdint>
#include <limits>

namespace orv {

namespace {
// Code page 1252 bytes 0x80..0x9F; 0 marks the five bytes it leaves unused.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
}

int ansiCode(QChar c)
{
    const char16_t u = c.unicode();
    for (int i = 0; i < int(kCp1252High.size()); ++i)
        if (kCp1252High[i] != 0 && kCp1252High[i] == u)
            return 0x80 + i;
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    return '?';
}

std::optional<qint32> passwordDigest(QString& password)
{
    if (password.size() > kPasswordCharsUsed)
        password.truncate(kPasswordCharsUsed);
    // Whole numbers far below 2^53 add exactly in double precision.
    double digest = 0;
    double weight = 1;
    for (const QChar c : std::as_const(password)) {
        digest += (ansiCode(c) - 20) * weight;
        if (digest > std::numeric_limits<qint32>::max() || digest < std::numeric_limits<qint32>::min())
            return std::nullopt;
        weight *= 6;
    }
    return static_cast<qint32>(digest);
}

bool passwordAccepted(const QString& password)
{
    QString copy = password;
    const std::optional<qint32> d = passwordDigest(copy);
    return d && *d == LoginDigest;
}

} // namespace orv
