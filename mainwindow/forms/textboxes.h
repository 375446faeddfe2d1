#pragma once
// Text boxes that show the program's CR LF texts.
#include <QPlainTextEdit>
#include <QString>

namespace orv {

// Shows text whose lines end in CR LF; the box holds bare line feeds.
inline void setBoxText(QPlainTextEdit* box, const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box->setPlainText(t);
}

} // namespace orv
