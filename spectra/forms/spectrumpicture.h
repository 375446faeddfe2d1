#pragma once
// The picture box of a spectrum viewer: a white surface in twips that keeps
// what is drawn on it (its persistent image, 15 twips a pixel) until it is
// cleared, and reports mouse and key events with x and y in twips.
#include "spectra/plot.h"

#include <QImage>
#include <QWidget>

namespace orv::spectra {

class SpectrumPicture : public QWidget {
    Q_OBJECT
public:
    SpectrumPicture(int widthTwips, int heightTwips, QWidget* parent = nullptr);

    void draw(const Plot& plot);
    // Back to plain white.
    void clear();
    const QImage& image() const { return image_; }
    int widthTwips() const { return widthTwips_; }
    int heightTwips() const { return heightTwips_; }

signals:
    // Button (1 left, 2 right, 4 middle), shift state (1 shift, 2 ctrl, 4 alt), x and y in twips.
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);
    void keyPress(int keyAscii);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    int widthTwips_;
    int heightTwips_;
    QImage image_;
};

} // namespace orv::spectra
