#include "platform/resources.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace orv {

namespace {

QString unescape(const QString& s)
{
    QString out;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size()) {
            const QChar c = s[++i];
            out += c == u'n' ? QChar(u'\n') : c == u't' ? QChar(u'\t') : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

const QHash<int, QString>& table()
{
    static const QHash<int, QString> t = [] {
        QHash<int, QString> map;
        const QDir dir(QStringLiteral(":/strings"));
        for (const QString& name : dir.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
            QFile f(dir.filePath(name));
            if (!f.open(QIODevice::ReadOnly))
                continue;
            for (const QByteArray& raw : f.readAll().split('\n')) {
                QString line = QString::fromUtf8(raw);
                if (line.endsWith(u'\r'))
                    line.chop(1);
                if (line.isEmpty() || line.startsWith(u'#'))
                    continue;
                const int tab = line.indexOf(u'\t');
                bool ok = false;
                const int id = line.left(tab).trimmed().toInt(&ok);
                if (tab > 0 && ok)
                    map.insert(id, unescape(line.mid(tab + 1)));
            }
        }
        return map;
    }();
    return t;
}

} // namespace

QString LoadResString(int id) { return table().value(id); }

QByteArray LoadResBytes(const QString& relative)
{
    QFile f(QStringLiteral(":/") + relative);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QByteArray LoadResSound(const QString& type, int id)
{
    return LoadResBytes(QStringLiteral("sounds/%1_%2.wav").arg(type).arg(id));
}

} // namespace orv
