#include "spectra/forms/popuppicture.h"

#include "platform/twips.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace orv::spectra {

PopupPicture::PopupPicture(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void PopupPicture::placeTwips(double left, double top, double width, double height)
{
    setGeometry(px(left), px(top), px(width), px(height));
}

void PopupPicture::draw(const Plot& plot, const PaintStyle& style)
{
    plot_.append(plot);
    style_ = style;
    // The sizes were laid out for a narrower screen font: widen the box so
    // that no label is cut off at its right edge.
    if (height() > 0) {
        const QFontMetricsF metrics(pictureFont());
        double needed = 0;
        for (const PlotStep& step : plot.steps())
            if (step.kind == PlotStep::Kind::Text)
                needed = std::max(needed, step.at.x() + metrics.horizontalAdvance(step.text) + 2 * kTwipsPerPixel);
        if (px(needed) > width())
            resize(px(needed), height());
    }
    update();
}

void PopupPicture::clear()
{
    plot_ = Plot();
    update();
}

QImage PopupPicture::image()
{
    if (width() <= 0 || height() <= 0)
        return {};
    return grab().toImage();
}

void PopupPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    paintPlot(p, plot_, style_);
}

} // namespace orv::spectra
