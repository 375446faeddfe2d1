#include "spectra/forms/twipspainter.h"

#include "platform/forms/geometry.h"
#include "platform/forms/programlook.h"
#include "platform/twips.h"

#include <QFontMetricsF>
#include <QPainter>

namespace orv::spectra {

QFont pictureFont() { return twipsFont(programFont().family(), 8.25); }

namespace {

QPainter::CompositionMode compositionFor(DrawMode mode)
{
    switch (mode) {
    case DrawMode::NotXorPen: return QPainter::RasterOp_NotSourceXorDestination;
    case DrawMode::MaskPen: return QPainter::RasterOp_SourceAndDestination;
    case DrawMode::CopyPen: break;
    }
    return QPainter::CompositionMode_SourceOver;
}

} // namespace

void paintPlot(QPainter& painter, const Plot& plot, const PaintStyle& style)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    const QFont font = style.font == QFont() ? pictureFont() : style.font;
    painter.setFont(font);
    const double ascent = QFontMetricsF(font).ascent();
    const bool raster = painter.device() && painter.device()->devType() == QInternal::Image;
    for (const PlotStep& s : plot.steps()) {
        const QColor colour = vbColour(s.colour);
        painter.setCompositionMode(raster ? compositionFor(s.mode) : QPainter::CompositionMode_SourceOver);
        QPen pen(colour);
        if (style.lineWidthTwips > 0)
            pen.setWidthF(style.lineWidthTwips);
        else
            pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        switch (s.kind) {
        case PlotStep::Kind::Polyline:
            if (s.points.size() == 1)
                painter.drawPoint(s.points.front());
            else
                painter.drawPolyline(s.points.constData(), int(s.points.size()));
            break;
        case PlotStep::Kind::Text: painter.drawText(QPointF(s.at.x(), s.at.y() + ascent), s.text); break;
        case PlotStep::Kind::Box:
            painter.setBrush(colour);
            painter.drawRect(s.box);
            painter.setBrush(Qt::NoBrush);
            break;
        }
    }
    painter.restore();
}

void drawOnImage(QImage& image, const Plot& plot)
{
    QPainter p(&image);
    p.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    paintPlot(p, plot);
}

QImage renderPlot(const Plot& plot, int widthTwips, int heightTwips)
{
    QImage image(std::max(1, px(widthTwips)), std::max(1, px(heightTwips)), QImage::Format_RGB32);
    image.fill(Qt::white);
    drawOnImage(image, plot);
    return image;
}

} // namespace orv::spectra
