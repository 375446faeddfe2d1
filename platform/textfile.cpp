#include "platform/textfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace orv {

QByteArray toBytes(const QString& s)
{
    QByteArray out;
    out.reserve(s.size());
    for (QChar c : s)
        out.append(c.unicode() < 256 ? static_cast<char>(c.unicode()) : '?');
    return out;
}

bool fitsBytes(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() > 255)
            return false;
    return true;
}

std::optional<QByteArray> readFileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
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

std::optional<QList<QByteArray>> readFileLines(const QString& path)
{
    auto bytes = readFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return splitLines(*bytes);
}

namespace {

qint64& writeLimit()
{
    static qint64 limit = -1;
    return limit;
}

std::filesystem::path fsPath(const QString& p)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(p.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(p).toStdString());
#endif
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

bool syncToDisk(QFile& f)
{
#ifdef Q_OS_UNIX
    return ::fsync(f.handle()) == 0;
#else
    Q_UNUSED(f);
    return true;
#endif
}

// Writes the bytes to a new file beside `path` and syncs it. Returns the
// copy's path, or empty with `error` set (no copy is left behind then).
QString writeTemporaryCopy(const QString& path, const QByteArray& bytes, QString* error)
{
    const QFileInfo target(path);
    QFile f;
    for (int attempt = 0; attempt < 100 && !f.isOpen(); ++attempt) {
        const QString tag = QString::number(QRandomGenerator::global()->bounded(36u * 36u * 36u * 36u * 36u * 36u), 36)
                                .rightJustified(6, u'0');
        f.setFileName(target.absolutePath() + u'/' + target.fileName() + u'.' + tag
                      + QLatin1String(kTemporarySuffix));
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            break;
        if (f.error() != QFileDevice::OpenError || !QFileInfo::exists(f.fileName())) {
            setError(error, f.errorString());
            return {};
        }
    }
    if (!f.isOpen()) {
        setError(error, f.errorString());
        return {};
    }
    if (target.exists())
        f.setPermissions(QFile::permissions(path));
    // Unbuffered, so that a full disk shows here, at the write that meets it.
    const qint64 limit = writeLimit();
    const QByteArray part = limit >= 0 && limit < bytes.size() ? bytes.left(limit) : bytes;
    bool ok = f.write(part) == part.size() && f.flush();
    QString why = f.errorString();
    if (ok && part.size() < bytes.size()) {
        ok = false;
        why = QStringLiteral("No space left on device");
    }
    if (ok && !syncToDisk(f)) {
        ok = false;
        why = QString::fromLocal8Bit(std::strerror(errno));
    }
    f.close();
    if (ok && f.error() != QFileDevice::NoError) {
        ok = false;
        why = f.errorString();
    }
    if (!ok) {
        QFile::remove(f.fileName());
        setError(error, why);
        return {};
    }
    return f.fileName();
}

} // namespace

void setWriteLimitForTests(qint64 bytes) { writeLimit() = bytes; }

bool writeFileAtomic(const QString& path, const QByteArray& bytes, QString* error)
{
    const QString copy = writeTemporaryCopy(path, bytes, error);
    if (copy.isEmpty())
        return false;
    std::error_code ec;
    std::filesystem::rename(fsPath(copy), fsPath(path), ec);
    if (ec) {
        QFile::remove(copy);
        setError(error, QString::fromStdString(ec.message()));
        return false;
    }
    return true;
}

bool createFileExclusive(const QString& path, const QByteArray& bytes, QString* error, bool* existed)
{
    if (existed)
        *existed = false;
    const QString copy = writeTemporaryCopy(path, bytes, error);
    if (copy.isEmpty())
        return false;
    std::error_code ec;
    std::filesystem::create_hard_link(fsPath(copy), fsPath(path), ec);
    QFile::remove(copy);
    if (ec) {
        if (existed)
            *existed = ec == std::errc::file_exists;
        setError(error, QString::fromStdString(ec.message()));
        return false;
    }
    return true;
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
