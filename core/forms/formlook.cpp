#include "core/forms/formlook.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"
#include "platform/twips.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace orv {

bool mainWindowRectTwips(int& left, int& top, int& width)
{
    QWidget* main = forms::find(QStringLiteral("frmOVMain"));
    if (!main)
        return false;
    const QRect r = formRectTwips(main);
    left = r.x();
    top = r.y();
    width = r.width();
    return true;
}

void placeOnMainWindow(QWidget* w, int topOffsetTw, int widthTw, int designedHeightTw)
{
    const int height = designedHeightTw + CaptionExtraTwips();
    int left = 0, top = 0, width = 0;
    if (mainWindowRectTwips(left, top, width))
        setFormGeometry(w, left + (width - widthTw) / 2, top + topOffsetTw, widthTw, height);
    else
        setFormGeometry(w, (screenWidthTwips() - widthTw) / 2, modOrvan.ScreenTopOffset + topOffsetTw, widthTw, height);
}

void placeBeforeMainWindow(QWidget* w, int widthTw, int designedHeightTw)
{
    setFormGeometry(w, (screenWidthTwips() - widthTw) / 2, modOrvan.ScreenTopOffset + 2250, widthTw,
                    designedHeightTw + CaptionExtraTwips());
}

void applyFormLook(QWidget* w, std::uint32_t backColour)
{
    w->setWindowIcon(programIcon());
    setBackColour(w, PaletteColour(backColour));
}

void applyLabelLook(QLabel* l, std::uint32_t backColour)
{
    setBackColour(l, PaletteColour(backColour));
    l->setWordWrap(true);
}

void applyButtonLook(QPushButton* b, std::uint32_t backColour)
{
    const QColor c = vbColour(PaletteColour(backColour));
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #404040; }"
                                    "QPushButton:pressed { background-color: %2; }"
                                    "QPushButton:disabled { color: #808080; }")
                         .arg(c.name(), c.darker(115).name()));
}

void fitTextToLabel(QLabel* l, double minPoints)
{
    QFont f = l->font();
    // A font sized in pixels (twips-exact faces) shrinks a pixel at a time,
    // down to the pixels of the smallest point size.
    const bool pixels = f.pointSizeF() <= 0;
    const double minPixels = minPoints * 20.0 / kTwipsPerPixel;
    for (;;) {
        const QFontMetrics fm(f);
        const QRect need = fm.boundingRect(QRect(0, 0, std::max(1, l->width() - 2 * l->margin()), 100000),
                                           Qt::TextWordWrap | int(l->alignment()), l->text());
        if (need.height() <= l->height())
            break;
        if (pixels) {
            if (f.pixelSize() - 1 < minPixels)
                break;
            f.setPixelSize(f.pixelSize() - 1);
        } else {
            if (f.pointSizeF() - 0.5 < minPoints)
                break;
            f.setPointSizeF(f.pointSizeF() - 0.5);
        }
    }
    l->setFont(f);
}

void makeContinueButton(QPushButton* b)
{
    b->setText(QStringLiteral("&Continue"));
    b->setToolTip(QStringLiteral("Click here to proceed"));
    applyButtonLook(b);
}

} // namespace orv
