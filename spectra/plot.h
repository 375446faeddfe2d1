#pragma once
// A spectrum picture as a list of drawing steps in twips (x to the right,
// y downwards), in the order they are drawn. The viewers build it from the
// unknown's data; one painter draws it on the screen, into an image or on
// the printer, so every view of a spectrum shows the same picture.
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>

namespace orv::spectra {

// How a step combines with what is already drawn.
enum class DrawMode {
    CopyPen,   // the pen colour replaces the pixel
    NotXorPen, // pixel := NOT (pen XOR pixel): drawing the same step twice restores the pixels
    MaskPen,   // pixel := pen AND pixel: tints white, leaves black alone
};

struct PlotStep {
    enum class Kind { Polyline, Text, Box };
    Kind kind = Kind::Polyline;
    QList<QPointF> points;    // Polyline: one or more points (one point draws a dot)
    QPointF at;               // Text: top left corner of the text
    QString text;             // Text
    QRectF box;               // Box: filled rectangle, corners included
    std::uint32_t colour = 0; // &HBBGGRR; a palette mark is ignored
    DrawMode mode = DrawMode::CopyPen;
};

class Plot {
public:
    void line(double x1, double y1, double x2, double y2, std::uint32_t colour = 0, DrawMode mode = DrawMode::CopyPen);
    void polyline(QList<QPointF> points, std::uint32_t colour = 0, DrawMode mode = DrawMode::CopyPen);
    void text(double x, double y, const QString& text, std::uint32_t colour = 0);
    void box(double x1, double y1, double x2, double y2, std::uint32_t colour, DrawMode mode);
    void append(const Plot& other) { steps_.append(other.steps_); }

    const QList<PlotStep>& steps() const { return steps_; }
    bool isEmpty() const { return steps_.isEmpty(); }

private:
    QList<PlotStep> steps_;
};

// A number as the runtime prints it on a picture: one blank (the sign's
// place, or "-") before its shortest decimal form and one blank after it.
QString printedNumber(double v);

// Colours (&HBBGGRR).
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kMagenta = 0xFF00FF;
inline constexpr std::uint32_t kRed = 0x0000FF;
inline constexpr std::uint32_t kLightCyan = 0xFFFF7D;

} // namespace orv::spectra
