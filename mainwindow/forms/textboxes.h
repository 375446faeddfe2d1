#pragma once
// Text and type of the identification and report windows.
#include <QFont>
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

// The windows were laid out for a narrow 8-point sans-serif face: their
// labels and report lines fit their twips only at that size. Narrow faces
// first, DejaVu Sans (always installed) last.
inline void applyDesignFont(QWidget* w)
{
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                   QStringLiteral("FreeSans"), QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(8);
    w->setFont(f);
}

} // namespace orv
