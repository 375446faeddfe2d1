#pragma once
// A diagram as a list of drawing steps in twips, so that the same picture can
// be painted on screen and on paper and checked without either.
#include <QList>
#include <QString>
#include <cstdint>

namespace orv::nmr {

struct DrawOp {
    enum Kind { Line, Text };
    Kind kind = Line;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // a line's ends; text: top left at (x1, y1)
    int penWidth = 1;                      // twips on paper, pixels on screen
    std::uint32_t colour = 0;              // &HBBGGRR
    QString text;
};

using DrawOps = QList<DrawOp>;

inline DrawOp lineOp(double x1, double y1, double x2, double y2, int width = 1, std::uint32_t colour = 0)
{
    return {DrawOp::Line, x1, y1, x2, y2, width, colour, {}};
}
inline DrawOp textOp(double x, double y, const QString& text, std::uint32_t colour = 0)
{
    return {DrawOp::Text, x, y, x, y, 1, colour, text};
}

} // namespace orv::nmr
