#include "mscalc/forms/isotopechart.h"

#include "mscalc/forms/calcwidgets.h"
#include "platform/forms/geometry.h"
#include "platform/twips.h"

#include <QFontMetricsF>
#include <QPainter>

namespace orv::mscalc {

IsotopeChart::IsotopeChart(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void IsotopeChart::clearToFrame()
{
    pictureMode_ = false;
    picture_ = QPixmap();
    nominalMass_ = -1;
    bars_.clear();
    update();
}

void IsotopeChart::setMassLabels(int nominalMass)
{
    nominalMass_ = nominalMass;
    update();
}

void IsotopeChart::addBar(int k, float relAbundance)
{
    bars_.emplace_back(k, relAbundance);
    update();
}

void IsotopeChart::setPicture(const QPixmap& picture)
{
    pictureMode_ = true;
    picture_ = picture;
    update();
}

void IsotopeChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (pictureMode_) {
        if (!picture_.isNull())
            p.drawPixmap(1, 1, picture_);
        return;
    }
    p.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    QFont font = designFont();
    font.setPixelSize(static_cast<int>(std::lround(font.pointSizeF() * 20)));
    p.setFont(font);
    const double ascent = QFontMetricsF(font).ascent();
    const auto text = [&](double x, double y, const QString& s) { p.drawText(QPointF(x, y + ascent), s); };
    p.setPen(QPen(Qt::black, 0));
    text(1, 30, QStringLiteral("100"));
    text(0, 2100, QStringLiteral("RA"));
    text(150, 4260, QStringLiteral("0"));
    p.drawLine(300, 100, 300, 4410);
    p.drawLine(250, 100, 300, 100);
    p.drawLine(250, 4410, 1600, 4410);
    p.drawLine(400, 4410, 400, 4520);
    for (int k = 1; k <= 11; ++k)
        p.drawLine(400 + 100 * k, 4410, 400 + 100 * k, 4470);
    p.drawLine(1600, 4410, 1600, 4520);
    if (nominalMass_ >= 0) {
        text(300, 4520, u' ' + QString::number(nominalMass_));
        text(nominalMass_ >= 100 ? 1370 : 1450, 4520, u' ' + QString::number(nominalMass_ + 12));
    }
    // Bars three pixels wide, flat-ended so they stop at the axis.
    p.setPen(QPen(QColor(0, 0, 192), 3 * kTwipsPerPixel, Qt::SolidLine, Qt::FlatCap));
    for (const auto& [k, rel] : bars_)
        p.drawLine(barX(k), barTop(rel), barX(k), 4400);
}

} // namespace orv::mscalc
