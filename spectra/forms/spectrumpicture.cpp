#include "spectra/forms/spectrumpicture.h"

#include "platform/twips.h"
#include "spectra/forms/twipspainter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace orv::spectra {

SpectrumPicture::SpectrumPicture(int widthTwips, int heightTwips, QWidget* parent)
    : QWidget(parent), widthTwips_(widthTwips), heightTwips_(heightTwips),
      image_(px(widthTwips), px(heightTwips), QImage::Format_RGB32)
{
    image_.fill(Qt::white);
    setFixedSize(image_.size());
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
}

void SpectrumPicture::draw(const Plot& plot)
{
    drawOnImage(image_, plot);
    update();
}

void SpectrumPicture::clear()
{
    image_.fill(Qt::white);
    update();
}

void SpectrumPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

namespace {
int buttonsOf(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}
int shiftOf(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}
} // namespace

void SpectrumPicture::mousePressEvent(QMouseEvent* e)
{
    const QPointF p = e->position();
    emit mouseDown(buttonsOf(e->button()), shiftOf(e->modifiers()), float(twips(p.x())), float(twips(p.y())));
}

void SpectrumPicture::mouseMoveEvent(QMouseEvent* e)
{
    const QPointF p = e->position();
    emit mouseMove(buttonsOf(e->buttons()), shiftOf(e->modifiers()), float(twips(p.x())), float(twips(p.y())));
}

void SpectrumPicture::mouseReleaseEvent(QMouseEvent* e)
{
    const QPointF p = e->position();
    emit mouseUp(buttonsOf(e->button()), shiftOf(e->modifiers()), float(twips(p.x())), float(twips(p.y())));
}

void SpectrumPicture::keyPressEvent(QKeyEvent* e)
{
    const QString t = e->text();
    if (!t.isEmpty())
        emit keyPress(t.at(0).unicode());
    else
        QWidget::keyPressEvent(e);
}

} // namespace orv::spectra
