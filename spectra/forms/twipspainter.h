#pragma once
// Draws a spectrum picture (a list of steps in twips) with any painter whose
// units are twips: the picture box's persistent image (15 twips a pixel), an
// image of any size, or the printer (TwipsPrinter). Lines are one device
// pixel wide on screen and in images, never antialiased, so the not-xor pen
// restores every pixel when a step is drawn twice.
#include "spectra/plot.h"

#include <QFont>
#include <QImage>

class QPainter;

namespace orv::spectra {

struct PaintStyle {
    double lineWidthTwips = 0; // 0: one device pixel (screen and images)
    QFont font = {};           // texts; the default font stands for pictureFont()
};

// The picture boxes' font (the program's default, 8.25 points) for a painter in twips.
QFont pictureFont();

// Draws the steps in order. The painter must be scaled to twips; raster
// modes (not-xor, mask) need a raster paint device and draw as copy
// elsewhere.
void paintPlot(QPainter& painter, const Plot& plot, const PaintStyle& style = {});

// A white image of the given size in twips with the plot drawn on it.
QImage renderPlot(const Plot& plot, int widthTwips, int heightTwips);
// Draws the plot onto an existing image that stands for a picture box (15 twips a pixel).
void drawOnImage(QImage& image, const Plot& plot);

} // namespace orv::spectra
