#include "spectra/plot.h"

namespace orv::spectra {

void Plot::line(double x1, double y1, double x2, double y2, std::uint32_t colour, DrawMode mode)
{
    polyline({QPointF(x1, y1), QPointF(x2, y2)}, colour, mode);
}

void Plot::polyline(QList<QPointF> points, std::uint32_t colour, DrawMode mode)
{
    if (points.isEmpty())
        return;
    PlotStep s;
    s.kind = PlotStep::Kind::Polyline;
    s.points = std::move(points);
    s.colour = colour;
    s.mode = mode;
    steps_.append(std::move(s));
}

void Plot::text(double x, double y, const QString& text, std::uint32_t colour)
{
    if (text.isEmpty())
        return;
    PlotStep s;
    s.kind = PlotStep::Kind::Text;
    s.at = QPointF(x, y);
    s.text = text;
    s.colour = colour;
    steps_.append(std::move(s));
}

void Plot::box(double x1, double y1, double x2, double y2, std::uint32_t colour, DrawMode mode)
{
    PlotStep s;
    s.kind = PlotStep::Kind::Box;
    s.box = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    s.colour = colour;
    s.mode = mode;
    steps_.append(std::move(s));
}

QString printedNumber(double v)
{
    const QString digits = QString::number(std::abs(v), 'g', 7);
    return (v < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits + QStringLiteral(" ");
}

} // namespace orv::spectra
