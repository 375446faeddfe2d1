#include "setup/forms/updown.h"

#include "platform/basic.h"

#include <QLineEdit>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace orv {

UpDown::UpDown(QLineEdit* buddy, QWidget* parent) : QWidget(parent), buddy_(buddy)
{
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::setRange(int min, int max)
{
    min_ = min;
    max_ = max;
}

void UpDown::step(int delta)
{
    // The box may hold anything typed; step from its number brought into range.
    const double typed = Val(buddy_->text());
    const int current = std::isfinite(typed) ? CInt(std::clamp(typed, double(min_), double(max_))) : min_;
    const int next = std::clamp(current + delta, min_, max_);
    const QString text = QString::number(next);
    if (text == buddy_->text())
        return;
    buddy_->setText(text);
    emit changed();
}

void UpDown::resizeEvent(QResizeEvent*)
{
    const int h = height() / 2;
    up_->setGeometry(0, 0, width(), h);
    down_->setGeometry(0, h, width(), height() - h);
}

} // namespace orv
