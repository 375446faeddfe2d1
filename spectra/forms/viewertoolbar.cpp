#include "spectra/forms/viewertoolbar.h"

#include "platform/forms/geometry.h"
#include "platform/twips.h"

#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace orv::spectra {

namespace {

// 16 x 16 pictures of the buttons.
QIcon iconFor(const QString& key)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1.2));
    if (key == u"measure") { // a pointer onto a peak
        p.drawLine(2, 14, 14, 14);
        p.drawLine(8, 14, 8, 5);
        p.setPen(QPen(Qt::magenta, 1.5));
        p.drawLine(8, 1, 8, 4);
    } else if (key == u"expand") { // magnifier with a plus
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
        p.drawLine(QPointF(4, 6), QPointF(8, 6));
        p.drawLine(QPointF(6, 4), QPointF(6, 8));
    } else if (key == u"correlate") { // question mark
        QFont f = p.font();
        f.setPixelSize(14);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
    } else if (key == u"integrate") { // running integral
        QPainterPath path(QPointF(1, 14));
        path.cubicTo(QPointF(7, 14), QPointF(9, 2), QPointF(15, 2));
        p.drawPath(path);
    } else if (key == u"step") { // a step with its height
        p.drawLine(1, 13, 6, 13);
        p.drawLine(6, 13, 10, 4);
        p.drawLine(10, 4, 15, 4);
        p.setPen(QPen(Qt::blue, 1));
        p.drawLine(13, 5, 13, 12);
    } else if (key == u"redraw") { // circular arrow
        p.drawArc(QRectF(2, 2, 12, 12), 60 * 16, 280 * 16);
        p.drawLine(QPointF(11, 2), QPointF(14, 3));
        p.drawLine(QPointF(11, 2), QPointF(12, 6));
    } else if (key == u"nujol") { // red overlay trace
        p.setPen(QPen(Qt::red, 1.2));
        p.drawPolyline(QPolygonF({QPointF(1, 3), QPointF(5, 3), QPointF(7, 13), QPointF(9, 3), QPointF(15, 3)}));
    } else if (key == u"loss") { // a span between two peaks
        p.drawLine(3, 15, 3, 6);
        p.drawLine(13, 15, 13, 2);
        p.setPen(QPen(Qt::blue, 1.2));
        p.drawLine(3, 8, 13, 8);
    } else if (key == u"coupling") { // doublet
        p.drawLine(5, 15, 5, 3);
        p.drawLine(11, 15, 11, 3);
    }
    return QIcon(pm);
}

} // namespace

ViewerToolbar::ViewerToolbar(const QList<ToolButtonDef>& buttons, QWidget* parent) : QWidget(parent)
{
    int left = 0;
    for (const ToolButtonDef& d : buttons) {
        auto* b = new QToolButton(this);
        b->setObjectName(d.key);
        b->setToolTip(d.toolTip);
        b->setIcon(iconFor(d.key));
        b->setIconSize(QSize(16, 16));
        b->setCheckable(d.key != u"redraw");
        b->setAutoRaise(false);
        placeControl(b, left, 0, kButtonWidthTwips, kButtonHeightTwips);
        left += kButtonWidthTwips;
        const QString key = d.key;
        connect(b, &QToolButton::clicked, this, [this, key, b] {
            // The viewer decides the button's state; undo the automatic toggle first.
            if (b->isCheckable())
                b->setChecked(!b->isChecked());
            emit buttonClick(key);
        });
        buttons_.insert(d.key, b);
        order_.append(d.key);
    }
}

void ViewerToolbar::setDown(const QString& key, bool down)
{
    if (QToolButton* b = buttons_.value(key))
        b->setChecked(down);
}

bool ViewerToolbar::isDown(const QString& key) const
{
    QToolButton* b = buttons_.value(key);
    return b && b->isChecked();
}

void ViewerToolbar::setButtonEnabled(const QString& key, bool enabled)
{
    if (QToolButton* b = buttons_.value(key))
        b->setEnabled(enabled);
}

bool ViewerToolbar::isButtonEnabled(const QString& key) const
{
    QToolButton* b = buttons_.value(key);
    return b && b->isEnabled();
}

void ViewerToolbar::placeOver(int pictureWidthTwips)
{
    const int width = kButtonWidthTwips * int(order_.size());
    placeControl(this, pictureWidthTwips - 80 - width, 0, width, kButtonHeightTwips);
    raise();
}

void ViewerToolbar::click(const QString& key)
{
    if (QToolButton* b = buttons_.value(key); b && b->isEnabled())
        b->click();
}

} // namespace orv::spectra
