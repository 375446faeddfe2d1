#include "platform/forms/programlook.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionGroupBox>

namespace orv {

namespace {

class ProgramStyle : public QProxyStyle {
public:
    // The frame's top line runs through the middle of the title.
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override
    {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control == CC_GroupBox && box && sub == SC_GroupBoxFrame) {
            QRect frame = option->rect;
            if (!box->text.isEmpty())
                frame.setTop(QProxyStyle::subControlRect(control, option, SC_GroupBoxLabel, widget).center().y());
            return frame;
        }
        return QProxyStyle::subControlRect(control, option, sub, widget);
    }

    // An etched line, broken where the title stands.
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control != CC_GroupBox || !box) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        if (box->subControls & SC_GroupBoxFrame) {
            QRegion room(option->rect);
            if (!box->text.isEmpty())
                room -= subControlRect(control, option, SC_GroupBoxLabel, widget).adjusted(-2, 0, 2, 0);
            const QRect frame = subControlRect(control, option, SC_GroupBoxFrame, widget);
            painter->save();
            painter->setClipRegion(room);
            painter->setPen(option->palette.color(QPalette::Dark));
            painter->drawRect(frame.adjusted(0, 0, -2, -2));
            painter->setPen(option->palette.color(QPalette::Light));
            painter->drawRect(frame.adjusted(1, 1, -1, -1));
            painter->restore();
        }
        QStyleOptionGroupBox rest = *box;
        rest.subControls &= ~SC_GroupBoxFrame;
        QProxyStyle::drawComplexControl(control, &rest, painter, widget);
    }

    // Captions stand as close to their marks as on the system the windows
    // were designed for.
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_RadioButtonLabelSpacing || metric == PM_CheckBoxLabelSpacing)
            return 4;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

QFont programFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(8);
    return f;
}

QString fixedPitchFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& name : {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")})
        if (installed.contains(name))
            return name;
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

void useProgramLook()
{
    QApplication::setStyle(new ProgramStyle);
    QApplication::setFont(programFont());
}

} // namespace orv
