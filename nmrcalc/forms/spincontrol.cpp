#include "nmrcalc/forms/spincontrol.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace orv {

SpinControl::SpinControl(QLineEdit* buddy, QWidget* parent)
    : QWidget(parent), buddy_(buddy), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAutoRepeat(true);
    down_->setAutoRepeat(true);
    buddy_->setReadOnly(true);
    buddy_->setText(QString::number(value_));
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::pressed, buddy_, [this] { buddy_->setFocus(Qt::MouseFocusReason); });
    }
    buddy_->setFocusPolicy(Qt::StrongFocus);
    buddy_->installEventFilter(this);
    connect(up_, &QToolButton::clicked, this, [this] { setValue(value_ + 1); });
    connect(down_, &QToolButton::clicked, this, [this] { setValue(value_ - 1); });
}

bool SpinControl::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == buddy_ && e->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            setValue(value_ + (key == Qt::Key_Up ? 1 : -1));
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void SpinControl::setRange(int min, int max)
{
    min_ = min;
    max_ = max;
    setValue(value_);
}

void SpinControl::setValue(int v)
{
    v = std::clamp(v, min_, max_);
    if (v == value_)
        return;
    value_ = v;
    buddy_->setText(QString::number(v));
}

void SpinControl::setControlEnabled(bool on)
{
    setEnabled(on);
    buddy_->setEnabled(on);
}

void SpinControl::resizeEvent(QResizeEvent*)
{
    const int h = height() / 2;
    up_->setGeometry(0, 0, width(), h);
    down_->setGeometry(0, h, width(), height() - h);
}

} // namespace orv
