#include "mainwindow/helpprint.h"

namespace orv {

QStringList wrapHelpLine(const QString& line, double pageWidth, const TextWidth& width)
{
    return wrapAtBlanks(line, pageWidth - 1000, width);
}

QStringList helpTextLines(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t.split(u'\n');
}

int helpPrintProgress(int i, int last) { return last <= 0 ? 100 : i * 100 / last; }

QList<HelpPrintLine> helpPrintout(const QString& caption, const QString& text, const QString& printedLine,
                                  double pageWidth, const TextWidth& width)
{
    QList<HelpPrintLine> out{{caption, true, 0}};
    const QStringList lines = helpTextLines(text);
    const int last = static_cast<int>(lines.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        const int progress = helpPrintProgress(i, last);
        for (const QString& piece : wrapHelpLine(lines[i], pageWidth, width))
            out.append({piece, false, progress});
    }
    out.append({QString(), false, 100});
    out.append({printedLine, false, 100});
    return out;
}

} // namespace orv
