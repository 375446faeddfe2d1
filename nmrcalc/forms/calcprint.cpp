#include "nmrcalc/forms/calcprint.h"

#include "core/coreservices.h"
#include "platform/forms/geometry.h"

#include <QFontMetricsF>
#include <QPainter>

namespace orv {

bool CalcPrintout::begin(const QString& title)
{
    ok_ = printer_.begin(title);
    if (!ok_)
        return false;
    normal_ = twipsFont(QStringLiteral("Times New Roman"), 12);
    bold_ = normal_;
    bold_.setBold(true);
    lineH_ = QFontMetricsF(normal_, painter()->device()).height();
    print();
    print(title, 0, true);
    print();
    return ok_;
}

void CalcPrintout::print(const QString& text, double x, bool bold)
{
    if (!ok_)
        return;
    QPainter* p = painter();
    const QFont& f = bold ? bold_ : normal_;
    p->setFont(f);
    const QFontMetricsF fm(f, p->device());
    const QSizeF page = printer_.pageSizeTwips();
    QString rest = text;
    do {
        QString part = rest;
        while (fm.horizontalAdvance(part) > page.width() - x && part.contains(u' '))
            part = part.left(part.lastIndexOf(u' '));
        rest = rest.mid(part.size()).trimmed();
        if (y_ + lineH_ > page.height()) {
            ok_ = printer_.newPage();
            y_ = 0;
            if (!ok_)
                return;
            p->setFont(f);
        }
        p->drawText(QPointF(x, y_ + fm.ascent()), part);
        y_ += lineH_;
    } while (!rest.isEmpty());
}

bool CalcPrintout::finish()
{
    print(printedLine(), 1);
    if (!ok_)
        return false;
    return printer_.end();
}


} // namespace orv
