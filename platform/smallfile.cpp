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

SmallFile readSmallFile(const QString& path)
{
    SmallFile f;
    const auto fail = [&f](const QString& text, bool damaged) {
        f.why = text;
        f.damaged = damaged;
        return f;
    };
    const int fd = ::open(nativeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        f.openError = errno;
        if (f.openError == ELOOP)
            return fail(QStringLiteral("a symbolic link"), true);
        return fail(QStringLiteral("unreadable (%1)").arg(errnoText(f.openError)), false);
    }
    QByteArray bytes;
    QString problem;
    bool notOurs = false;
    if (::fstat(fd, &f.st) != 0) {
        problem = QStringLiteral("unreadable (%1)").arg(errnoText(errno));
    } else if (!S_ISREG(f.st.st_mode)) {
        problem = kindOfFile(f.st.st_mode);
        notOurs = true;
    } else if (f.st.st_size > kMaxSmallFileBytes) {
        problem = QStringLiteral("larger than any mark");
        notOurs = true;
    }
    while (problem.isEmpty()) {
        char buffer[kMaxSmallFileBytes + 1];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            problem = QStringLiteral("unreadable (%1)").arg(errnoText(errno));
        } else if (n == 0) {
            break;
        } else {
            bytes.append(buffer, n);
            if (bytes.size() > kMaxSmallFileBytes) {
                problem = QStringLiteral("larger than any mark");
                notOurs = true;
            }
        }
    }
    ::close(fd);
    if (!problem.isEmpty())
        return fail(problem, notOurs);
    f.bytes = bytes;
    return f;
}

} // namespace orv
