#include "platform/forms/geometry.h"

#include "platform/twips.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

namespace orv {

void setFormSize(QWidget* w, int widthTw, int heightTw)
{
    w->resize(std::max(1, px(widthTw) - kFrameExtraWidthPx), std::max(1, px(heightTw) - kFrameExtraHeightPx));
}

void moveForm(QWidget* w, int leftTw, int topTw) { w->move(px(leftTw), px(topTw)); }

void setFormGeometry(QWidget* w, int leftTw, int topTw, int widthTw, int heightTw)
{
    setFormSize(w, widthTw, heightTw);
    moveForm(w, leftTw, topTw);
}

void placeControl(QWidget* c, int leftTw, int topTw, int widthTw, int heightTw)
{
    c->setGeometry(px(leftTw), px(topTw), std::max(1, px(widthTw)), std::max(1, px(heightTw)));
}

int screenWidthTwips()
{
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? static_cast<int>(twips(s->geometry().width())) : 1024 * kTwipsPerPixel;
}

int screenHeightTwips()
{
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? static_cast<int>(twips(s->geometry().height())) : 768 * kTwipsPerPixel;
}

QRect formRectTwips(const QWidget* w)
{
    const QRect f = w->frameGeometry();
    return {int(twips(f.x())), int(twips(f.y())), int(twips(w->width() + kFrameExtraWidthPx)),
            int(twips(w->height() + kFrameExtraHeightPx))};
}

QColor vbColour(std::uint32_t c)
{
    const Rgb rgb = rgbOf(c);
    return QColor(rgb.r, rgb.g, rgb.b);
}

void setBackColour(QWidget* w, std::uint32_t c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, vbColour(c));
    p.setColor(QPalette::Button, vbColour(c));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QFont twipsFont(const QString& family, double points, bool bold)
{
    QFont f(family);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 20))));
    f.setBold(bold);
    return f;
}

} // namespace orv
