#include "platform/smallfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace orv {

QByteArray nativeName(const QString& path) { return QFile::encodeName(path); }

QString errnoText(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

QString accountName(qint64 uid)
{
    if (const passwd* pw = ::getpwuid(static_cast<uid_t>(uid)))
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(uid);
}

QByteArray oneLine(QByteArray s)
{
    s.replace('\n', '?');
    s.replace('\r', '?');
    return s;
}

std::map<QByteArray, QByteArray> headedFields(const QByteArray& bytes, const QByteArray& header)
{
    std::map<QByteArray, QByteArray> fields;
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.front() != header)
        return fields;
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype blank = line.indexOf(' ');
        if (blank > 0)
            fields.emplace(line.left(blank), line.mid(blank + 1));
    }
    return fields;
}

std::optional<qint64> wholeNumber(const QByteArray& text, qint64 min, qint64 max)
{
    const bool negative = min < 0 && text.startsWith('-');
    const QByteArray digits = negative ? text.mid(1) : text;
    // 18 digits never overflow a 64-bit number.
    if (digits.isEmpty() || digits.size() > 18)
        return std::nullopt;
    qint64 value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

QString kindOfFile(unsigned mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISLNK(mode))
        return QStringLiteral("a symbolic link");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device");
}

OpenRead readOpen(int fd, qint64 maxBytes)
{
    OpenRead r;
    if (::fstat(fd, &r.st) != 0) {
        r.problem = OpenRead::CannotStat;
        r.error = errno;
        return r;
    }
    if (!S_ISREG(r.st.st_mode)) {
        r.problem = OpenRead::NotRegular;
        return r;
    }
    if (r.st.st_size > maxBytes) {
        r.problem = OpenRead::TooLarge;
        return r;
    }
    r.bytes.reserve(static_cast<qsizetype>(r.st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            r.problem = OpenRead::CannotRead;
            r.error = errno;
            return r;
        }
        if (n == 0)
            return r;
        if (r.bytes.size() + n > maxBytes) { // it grew while being read
            r.problem = OpenRead::TooLarge;
            return r;
        }
        r.bytes.append(buffer, n);
    }
}

SmallFile readSmallFile(const QString& path)
{
    SmallFile f;
    const auto fail = [&f](const QString& text, bool damaged) {
        f.why = text;
        f.damaged = damaged;
        return f;
    };
    const QByteArray name = nativeName(path);
    // What is not a regular file is judged by its name alone, never opened.
    if (::lstat(name.constData(), &f.st) != 0) {
        f.openError = errno;
        f.st = {};
        return fail(QStringLiteral("unreadable (%1)").arg(errnoText(f.openError)), false);
    }
    if (!S_ISREG(f.st.st_mode))
        return fail(kindOfFile(f.st.st_mode), true);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        f.openError = errno;
        if (f.openError != ELOOP)
            return fail(QStringLiteral("unreadable (%1)").arg(errnoText(f.openError)), false);
        // Made a link since the look above: judged as the link it is now.
        f.st.st_mode = S_IFLNK | 0777;
        return fail(kindOfFile(f.st.st_mode), true);
    }
    const OpenRead read = readOpen(fd, kMaxSmallFileBytes);
    ::close(fd);
    if (read.problem != OpenRead::CannotStat)
        f.st = read.st;
    switch (read.problem) {
    case OpenRead::None: f.bytes = read.bytes; return f;
    case OpenRead::NotRegular: return fail(kindOfFile(f.st.st_mode), true);
    case OpenRead::TooLarge: return fail(QStringLiteral("larger than any mark"), true);
    case OpenRead::CannotStat:
    case OpenRead::CannotRead: break;
    }
    return fail(QStringLiteral("unreadable (%1)").arg(errnoText(read.error)), false);
}

} // namespace orv
