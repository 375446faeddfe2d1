#pragma once
// A borderless picture box laid over a spectrum picture: placed and sized in
// twips, it shows the plot drawn on it (in twips from its own top left)
// until it is cleared. The correlation pop-ups use it.
#include "spectra/forms/twipspainter.h"
#include "spectra/plot.h"

#include <QImage>
#include <QWidget>

namespace orv::spectra {

class PopupPicture : public QWidget {
    Q_OBJECT
public:
    explicit PopupPicture(QWidget* parent = nullptr);

    // Left, top, width and height in twips of the parent.
    void placeTwips(double left, double top, double width, double height);
    void draw(const Plot& plot, const PaintStyle& style = {});
    void clear();
    const Plot& plot() const { return plot_; }
    // What the pop-up shows now, one pixel per 15 twips.
    QImage image();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Plot plot_;
    PaintStyle style_;
};

} // namespace orv::spectra
