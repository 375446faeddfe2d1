#include "setup/forms/wrapcontrols.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace orv {

namespace {

constexpr int kCaptionFlags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap | Qt::TextShowMnemonic;

// Indicator at the left, centred vertically; the caption beside it, wrapped.
void paintIndicatorAndCaption(QAbstractButton* b, const QStyleOptionButton& opt, QStyle::PrimitiveElement indicator,
                              QStyle::SubElement indicatorRect)
{
    QStylePainter p(b);
    QStyleOptionButton ind = opt;
    ind.rect = b->style()->subElementRect(indicatorRect, &opt, b);
    p.drawPrimitive(indicator, ind);

    const int gap = b->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &opt, b);
    const QRect textRect = b->rect().adjusted(ind.rect.right() + 1 + gap, 0, 0, 0);
    p.drawItemText(textRect, kCaptionFlags, b->palette(), b->isEnabled(), b->text(), QPalette::WindowText);

    if (b->hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(b);
        focus.rect = p.fontMetrics()
                         .boundingRect(textRect, kCaptionFlags, b->text())
                         .adjusted(-2, 0, 2, 0)
                         .intersected(b->rect());
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace

void WrapCheckBox::paintEvent(QPaintEvent*)
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    paintIndicatorAndCaption(this, opt, QStyle::PE_IndicatorCheckBox, QStyle::SE_CheckBoxIndicator);
}

void WrapRadioButton::paintEvent(QPaintEvent*)
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    paintIndicatorAndCaption(this, opt, QStyle::PE_IndicatorRadioButton, QStyle::SE_RadioButtonIndicator);
}

void WrapPushButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    p.drawControl(QStyle::CE_PushButton, opt);
    const QRect textRect = rect().adjusted(3, 2, -3, -2);
    p.drawItemText(textRect, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(), isEnabled(), caption,
                   QPalette::ButtonText);
}

} // namespace orv
