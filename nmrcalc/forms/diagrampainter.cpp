#include "nmrcalc/forms/diagrampainter.h"

#include "platform/forms/geometry.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace orv {

void paintDrawOps(QPainter* p, const nmr::DrawOps& ops, const QFont& font, double penUnitTw)
{
    p->save();
    p->setFont(font);
    const double ascent = QFontMetricsF(font, p->device()).ascent();
    for (const nmr::DrawOp& op : ops) {
        const QColor c = vbColour(op.colour);
        if (op.kind == nmr::DrawOp::Line) {
            QPen pen(c);
            pen.setWidthF(op.penWidth * penUnitTw);
            pen.setCapStyle(Qt::FlatCap);
            p->setPen(pen);
            p->drawLine(QPointF(op.x1, op.y1), QPointF(op.x2, op.y2));
        } else {
            p->setPen(c);
            p->drawText(QPointF(op.x1, op.y1 + ascent), op.text);
        }
    }
    p->restore();
}

} // namespace orv
