#pragma once
// The proton expansion window's geometry: the range dragged on the proton
// viewer (twips, x = 8860 - 880 ppm) snapped to a round width, the window's
// samples, the picture (8000 twips from x = 60 at LeftPpm to x = 8060 at
// LeftPpm - WidthPpm), and the measuring tools' marks and texts.
#include "spectra/plot.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <array>
#include <optional>

namespace orv::spectra::pmrexp {

inline constexpr int kPlotBaseY = 4600; // the trace's zero line lies 100 twips below
inline constexpr int kPlotTopY = 600;
inline constexpr int kLeftX = 60;
inline constexpr int kRightX = 8060;
inline constexpr int kSpan = 8000;
// The coupling and step tools' blue (&HFF4000).
inline constexpr std::uint32_t kBlue = 0xFF4000;

enum class Precision { High, Medium, Low };

struct Window {
    float LeftX = 0, RightX = 0; // the range after snapping (proton viewer twips)
    float WidthPpm = 0.2f;
    float LeftPpm = 10;
    Precision LabelPrecision = Precision::High;
};

// Snaps a dragged range. The ends are first kept on the proton plot
// (60..8860), so the window never passes 10 or 0 ppm and is at most 10 ppm
// wide; a reversed or too narrow range gives a 0.2 ppm window round its middle.
Window snapRange(float expandLeftX, float expandRightX);
// The width a dragged width w (ppm) snaps to.
float snappedWidth(float w);

// The window's samples, one height byte per 0.001 ppm from LeftPpm down to
// LeftPpm - WidthPpm (both included), starting in the trace element that
// holds the shift just below LeftPpm; an empty element, and the samples
// missing from a short one, give height 0 (the baseline), so that every
// sample keeps its shift. Shifts are compared on the exact 0.001 ppm grid.
QByteArray windowSamples(const std::array<QByteArray, 26>& pmrData, const Window& w);
// 4 when the tallest sample is 1..60, 2 when 61..120, else 1.
int verticalScale(const QByteArray& samples);

// ppm at a picture x; coupling constant (Hz, 400 MHz) of a horizontal distance.
double ppmAtX(const Window& w, double x);
double couplingHz(const Window& w, double dx);

// Scale line, axis with eleven labels, "ppm" and the trace (black).
Plot picture(const Window& w, const QByteArray& samples, int scale);
Plot trace(const QByteArray& samples, int scale);

// A peak-position mark for a click, or nothing when the shift is 0 or less,
// y <= 350 or y >= 4600.
std::optional<Plot> measureMark(const Window& w, double x, double y);

// The coupling drag's accepted area, and its result text ("7.2 Hz").
bool couplingAccepted(double x, double y);
QString couplingText(const Window& w, double dx);

// The step drag's accepted area (strict bounds), and its value text.
bool stepAccepted(double x, double y);

// The running integral in red with the not-xor pen: from (60, 4500) it
// climbs 3900 twips to (8060, 600) in proportion to the samples, or runs
// flat when they sum to 0 (or there are none). Drawing it twice restores
// the picture.
Plot integral(const QByteArray& samples);

// The printout on a page of the given size (twips, either orientation):
// header texts, then the axis (one pixel) and the trace (thick pen).
struct PrintText {
    QPointF at; // top left
    QString text;
    double points = 10;
    bool bold = false;
};
struct Printout {
    int PrintLongSide = 0;      // the longer side - 1000 (whole twips, any page size)
    double PrintShortSide = 0;  // the shorter side - 4000
    double PrintAxisLength = 0; // PrintLongSide - 500
    QList<PrintText> texts;
    Plot axis;
    Plot trace;
};
Printout printout(const Window& w, const QByteArray& samples, int scale, QSizeF page, bool showUnknownNumber,
                  int unknown);

// The scale line as the picture and the printout show it (without the printout's two leading blanks).
QString scaleLine(float widthPpm, int scale);

} // namespace orv::spectra::pmrexp
