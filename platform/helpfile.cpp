#include "platform/helpfile.h"

#include "platform/programfolder.h"

#include <QFile>

namespace orv {

QString helpFilePath() { return programFile(QStringLiteral("orvantor.hlp")); }

std::optional<HelpTopic> readHelpTopic(const QString& path, int topic)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString all = QString::fromUtf8(f.readAll());
    const QStringList lines = all.split(u'\n');
    const QString header = QStringLiteral("#TOPIC %1").arg(topic);
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed() != header)
            continue;
        HelpTopic t;
        t.number = topic;
        int j = i + 1;
        if (j < lines.size())
            t.title = lines[j++].trimmed();
        QStringList body;
        for (; j < lines.size() && !lines[j].startsWith(QStringLiteral("#TOPIC ")); ++j)
            body << lines[j];
        while (!body.isEmpty() && body.last().trimmed().isEmpty())
            body.removeLast();
        while (!body.isEmpty() && body.first().trimmed().isEmpty())
            body.removeFirst();
        t.text = body.join(u'\n');
        return t;
    }
    return std::nullopt;
}

} // namespace orv
