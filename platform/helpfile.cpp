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

std::optional<HelpFile> readHelp(const QString& path, QString* error)
{
    const auto read = readFileLines(path);
    if (!read) {
        if (error)
            *error = read.error;
        return std::nullopt;
    }
    QStringList lines;
    lines.reserve(read->size());
    for (const QByteArray& l : *read)
        lines << QString::fromUtf8(l);
    static const QRegularExpression header(QStringLiteral("^#TOPIC (\\d{1,9})$"));
    // What ends a topic's text: a header, or a line begun as one.
    const auto endsText = [&lines](qsizetype i) { return lines[i].startsWith(QStringLiteral("#TOPIC ")); };
    HelpFile file;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch m = header.match(lines[i].trimmed());
        if (!m.hasMatch()) {
            if (endsText(i))
                file.badHeaders.append(HelpBadHeader{i + 1, lines[i]});
            continue;
        }
        HelpTopic t;
        t.number = m.captured(1).toInt();
        qsizetype j = i + 1;
        if (j < lines.size() && !endsText(j))
            t.title = lines[j++].trimmed();
        QStringList body;
        for (; j < lines.size() && !endsText(j); ++j)
            body << lines[j];
        while (!body.isEmpty() && body.last().trimmed().isEmpty())
            body.removeLast();
        while (!body.isEmpty() && body.first().trimmed().isEmpty())
            body.removeFirst();
        t.text = body.join(u'\n');
        if (j < lines.size() && !header.match(lines[j].trimmed()).hasMatch())
            t.cutBy = HelpBadHeader{j + 1, lines[j]};
        if (!file.indexByNumber_.contains(t.number)) {
            file.indexByNumber_.insert(t.number, file.topics.size());
            if (!file.numbersByTitle.contains(t.title))
                file.numbersByTitle.insert(t.title, t.number);
            file.topics.append(std::move(t));
        }
        i = j - 1;
    }
    if (file.topics.isEmpty()) {
        if (error)
            *error = QStringLiteral("it holds no help topics");
        return std::nullopt;
    }
    return file;
}

const HelpTopic* HelpFile::find(int number) const
{
    const qsizetype at = indexOf(number);
    return at < 0 ? nullptr : &topics[at];
}

qsizetype HelpFile::indexOf(int number) const { return indexByNumber_.value(number, -1); }

QString helpTopicTooLarge(const HelpTopic& topic)
{
    if (topic.text.size() > kMaxHelpText)
        return QStringLiteral("topic %1 holds %2 characters; at most %3 can be shown")
            .arg(topic.number)
            .arg(topic.text.size())
            .arg(kMaxHelpText);
    qsizetype longest = 0;
    for (qsizetype at = 0; at <= topic.text.size();) {
        qsizetype end = topic.text.indexOf(u'\n', at);
        if (end < 0)
            end = topic.text.size();
        longest = std::max(longest, end - at);
        at = end + 1;
    }
    if (longest > kMaxHelpLine)
        return QStringLiteral("topic %1 holds a line of %2 characters; at most %3 can be shown")
            .arg(topic.number)
            .arg(longest)
            .arg(kMaxHelpLine);
    return {};
}

namespace {

// The text cut to `most` code units with an ellipsis when it is longer,
// never half a character made of two code units.
QString cutText(const QString& text, qsizetype most)
{
    if (text.size() <= most)
        return text;
    const qsizetype cut = text[most - 1].isHighSurrogate() ? most - 1 : most;
    return text.left(cut) + QChar(0x2026);
}

// As much of a bad header as a message quotes: enough to find the line by.
constexpr qsizetype kMaxQuotedHeader = 40;

QString notAHeader(const HelpBadHeader& bad)
{
    return QStringLiteral("\"%1\", which is no topic header: a header is #TOPIC, a blank and a number of up to 9 "
                          "digits")
        .arg(cutText(bad.text, kMaxQuotedHeader));
}

} // namespace

QString helpTopicDamage(const HelpTopic& topic)
{
    if (QString tooLarge = helpTopicTooLarge(topic); !tooLarge.isEmpty())
        return tooLarge;
    if (topic.cutBy)
        return QStringLiteral("topic %1 ends at line %2, %3")
            .arg(topic.number)
            .arg(topic.cutBy->line)
            .arg(notAHeader(*topic.cutBy));
    return {};
}

QString helpMissingTopicDamage(const HelpFile& file)
{
    if (file.badHeaders.isEmpty())
        return {};
    return QStringLiteral("line %1 reads %2")
        .arg(file.badHeaders.first().line)
        .arg(notAHeader(file.badHeaders.first()));
}

QString helpTopicHeading(const HelpTopic& topic)
{
    if (topic.title.isEmpty())
        return QStringLiteral("Help topic %1").arg(topic.number);
    return cutText(topic.title, kMaxHelpTitle);
}

QList<HelpReference> helpReferences(const QString& line)
{
    static const QRegularExpression see(QStringLiteral("\\bsee\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression end(QStringLiteral("[.;!?)]"));
    QList<HelpReference> refs;
    bool referring = false;
    qsizetype p = 0;
    while (p < line.size()) {
        if (line[p] == u'"') {
            const qsizetype close = line.indexOf(u'"', p + 1);
            if (close < 0)
                break; // an unclosed quote names nothing
            if (referring && close > p + 1)
                refs.append(HelpReference{p + 1, close - p - 1});
            p = close + 1;
            continue;
        }
        // Text outside quotes: the last "see" in it starts a reference, an end
        // of sentence or bracket after it stops one.
        qsizetype next = line.indexOf(u'"', p);
        if (next < 0)
            next = line.size();
        const QString run = line.mid(p, next - p);
        qsizetype lastSee = -1;
        for (auto it = see.globalMatch(run); it.hasNext();)
            lastSee = it.next().capturedStart();
        const qsizetype lastEnd = run.lastIndexOf(end);
        if (lastSee >= 0 || lastEnd >= 0)
            referring = lastSee > lastEnd;
        p = next;
    }
    return refs;
}

} // namespace orv
