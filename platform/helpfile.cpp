#include "platform/helpfile.h"

#include "platform/programfolder.h"
#include "platform/textfile.h"

#include <QRegularExpression>

#include <algorithm>

namespace orv {

namespace {

const QRegularExpression& columnGap()
{
    static const QRegularExpression gap(QStringLiteral(" {2,}"));
    return gap;
}

bool isTableRow(const QString& line) { return !line.trimmed().isEmpty() && line.trimmed().contains(columnGap()); }

QStringList alignedColumns(const QStringList& rows)
{
    QList<QStringList> cells;
    QList<int> widths;
    for (const QString& row : rows) {
        const QStringList c = row.trimmed().split(columnGap());
        for (qsizetype i = 0; i < c.size(); ++i) {
            if (i == widths.size())
                widths.append(0);
            widths[i] = std::max(widths[i], int(c[i].size()));
        }
        cells.append(c);
    }
    QStringList out;
    for (const QStringList& c : cells) {
        QString line;
        for (qsizetype i = 0; i < c.size(); ++i)
            line += i + 1 < c.size() ? c[i].leftJustified(widths[i] + 2) : c[i];
        out.append(line);
    }
    return out;
}

} // namespace

QList<HelpBlock> helpTextBlocks(const QString& text)
{
    QStringList lines = text.split(u'\n');
    for (QString& l : lines)
        if (l.endsWith(u'\r'))
            l.chop(1);
    QList<HelpBlock> blocks;
    auto add = [&blocks](bool table, const QStringList& part) {
        if (part.isEmpty())
            return;
        if (!blocks.isEmpty() && blocks.last().table == table && !table)
            blocks.last().lines += part;
        else
            blocks.append(HelpBlock{table, table ? alignedColumns(part) : part});
    };
    QStringList prose;
    for (qsizetype i = 0; i < lines.size();) {
        qsizetype j = i;
        while (j < lines.size() && isTableRow(lines[j]))
            ++j;
        if (j - i >= 2) {
            add(false, prose);
            prose.clear();
            add(true, lines.mid(i, j - i));
            i = j;
        } else {
            prose.append(lines[i]);
            ++i;
        }
    }
    add(false, prose);
    return blocks;
}

QString helpFilePath() { return programFile(QStringLiteral("orvantor.hlp")); }

std::optional<HelpTopic> readHelpTopic(const QString& path, int topic)
{
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return std::nullopt;
    const QString all = QString::fromUtf8(*bytes);
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
