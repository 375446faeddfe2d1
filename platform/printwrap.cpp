#include "platform/printwrap.h"

namespace orv {

QStringList wrapAtBlanks(const QString& line, double limit, const TextWidth& width)
{
    if (width(line) < limit)
        return {line};
    const QStringList words = line.split(u' ');
    QStringList out;
    QString buffer;
    for (qsizetype k = 0; k + 1 < words.size(); ++k) {
        buffer += words[k] + u' ';
        if (width(words[k + 1]) + width(buffer) > limit) {
            out << buffer;
            buffer.clear();
        }
    }
    buffer += words.last();
    out << buffer;
    return out;
}

QStringList fitAtBlanks(const QString& text, double room, const TextWidth& width)
{
    QStringList out;
    QString rest = text;
    do {
        QString part = rest;
        while (width(part) > room && part.contains(u' '))
            part = part.left(part.lastIndexOf(u' '));
        rest = rest.mid(part.size()).trimmed();
        out << part;
    } while (!rest.isEmpty());
    return out;
}

} // namespace orv
