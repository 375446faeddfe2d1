#include "platform/textfile.h"

#include <QFile>
#include <QSaveFile>

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

bool writeFileAtomic(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size()) {
        if (error) *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
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

bool appendFileBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error) *error = f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

} // namespace orv
