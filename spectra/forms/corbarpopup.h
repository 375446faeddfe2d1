#pragma once
// The correlation pop-up of a spectrum picture: a borderless box placed in
// the picture's twips that shows labels with bars (4 pixels wide) on light
// yellow. It lets the mouse through to the picture beneath.
#include "spectra/plot.h"

#include <QImage>
#include <QWidget>

namespace orv::spectra {

class CorBarPopup : public QWidget {
    Q_OBJECT
public:
    explicit CorBarPopup(QWidget* picture);

    // Wipes what is drawn (Cls); place and size stay.
    void clearPicture();
    // Places the box (twips of the picture), shows it and draws the plot in it.
    void showPlot(int leftTw, int topTw, int widthTw, int heightTw, const Plot& plot);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage image_;
    Plot plot_;
};

inline constexpr std::uint32_t kPopupBack = 0xC0FFFF; // light yellow

} // namespace orv::spectra
