#include "core/forms/formlook.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace orv {

bool mainWindowRectTwips(int& left, int& top, int& width)
{
    QWidget* main = forms::find(forms::names::frmOVMain);
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

namespace {

// The room a button's style leaves for its caption.
QSize captionRoom(const QAbstractButton* b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QRadioButton*>(b))
        element = QStyle::SE_RadioButtonContents;
    else if (qobject_cast<const QCheckBox*>(b))
        element = QStyle::SE_CheckBoxContents;
    const QRect r = b->style()->subElementRect(element, &opt, b);
    return {r.width(), element == QStyle::SE_PushButtonContents ? r.height() : b->height()};
}

} // namespace

void fitCaptionsToButtons(std::initializer_list<QAbstractButton*> group, double minPoints)
{
    if (group.size() == 0 || (*group.begin())->font().pointSizeF() <= 0)
        return;
    QFont f = (*group.begin())->font();
    const auto fits = [&f](const QAbstractButton* b) {
        const QSize room = captionRoom(b);
        const QSize need =
            QFontMetrics(f).boundingRect(QRect(0, 0, 100000, 100000), Qt::TextShowMnemonic, b->text()).size();
        return need.width() <= room.width() && need.height() <= room.height() + 1;
    };
    while (f.pointSizeF() - 0.5 >= minPoints && !std::all_of(group.begin(), group.end(), fits))
        f.setPointSizeF(f.pointSizeF() - 0.5);
    for (QAbstractButton* b : group)
        b->setFont(f);
}

void makeContinueButton(QPushButton* b)
{
    b->setText(QStringLiteral("&Continue"));
    b->setToolTip(QStringLiteral("Click here to proceed"));
    applyButtonLook(b);
}

} // namespace orv
