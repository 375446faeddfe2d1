#include "spectra/forms/corbarpopup.h"

#include "platform/forms/geometry.h"
#include "platform/twips.h"
#include "spectra/forms/twipspainter.h"

#include <QPainter>

namespace orv::spectra {

namespace {
constexpr double kBarWidthTwips = 4 * kTwipsPerPixel;
// Narrow enough that a label fits the 73 twips a character the pop-up allows.
QFont popupFont()
{
    QFont f = twipsFont(QStringLiteral("Sans Serif"), 7);
    f.setStretch(QFont::SemiCondensed);
    return f;
}
}

CorBarPopup::CorBarPopup(QWidget* picture) : QWidget(picture)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void CorBarPopup::clearPicture()
{
    plot_ = Plot();
    image_.fill(vbColour(kPopupBack));
    update();
}

void CorBarPopup::showPlot(int leftTw, int topTw, int widthTw, int heightTw, const Plot& plot)
{
    placeControl(this, leftTw, topTw, widthTw, heightTw);
    plot_ = plot;
    image_ = QImage(std::max(1, px(widthTw)), std::max(1, px(heightTw)), QImage::Format_RGB32);
    image_.fill(vbColour(kPopupBack));
    QPainter p(&image_);
    p.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    paintPlot(p, plot_, PaintStyle{kBarWidthTwips, popupFont()});
    p.end();
    show(); // with no rows it stays visible at zero size, which shows nothing
    raise();
    update();
}

void CorBarPopup::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

} // namespace orv::spectra
