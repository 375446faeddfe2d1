#include "mscalc/forms/calcwidgets.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "platform/forms/geometry.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv::mscalc {

namespace {
const QString kCountBoxStyle = QStringLiteral(
    "QLineEdit { padding: 0px; background: white; border: 1px solid #808080; }");
} // namespace

QFont designFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                   QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(8);
    return f;
}

void placeCalculator(QWidget* w, int widthTw)
{
    applyFormLook(w);
    w->setFont(designFont());
    placeOnMainWindow(w, 400 + CaptionExtraTwips(), widthTw, 6000);
}

QPushButton* calcButton(QWidget* parent, const QString& caption, const QString& toolTip, int leftTw, int topTw,
                        int widthTw, int heightTw)
{
    auto* b = new QPushButton(caption, parent);
    applyButtonLook(b);
    b->setToolTip(toolTip);
    placeControl(b, leftTw, topTw, widthTw, heightTw);
    return b;
}

QLineEdit* countBox(QWidget* parent, int leftTw, int topTw)
{
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    box->setFocusPolicy(Qt::NoFocus);
    box->setTextMargins(0, 0, 0, 0);
    box->setStyleSheet(kCountBoxStyle);
    placeControl(box, leftTw, topTw, 300, 285);
    return box;
}

UpDown::UpDown(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setIconSize(QSize(7, 5));
        column->addWidget(b);
    }
    setFocusPolicy(Qt::StrongFocus);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { setValue(value_ + 1); });
    connect(down_, &QToolButton::clicked, this, [this] { setValue(value_ - 1); });
}

void UpDown::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Up)
        setValue(value_ + 1);
    else if (e->key() == Qt::Key_Down)
        setValue(value_ - 1);
    else
        QWidget::keyPressEvent(e);
}

// The count box lights up while its spin control takes the arrow keys.
void UpDown::focusInEvent(QFocusEvent* e)
{
    if (buddy_)
        buddy_->setStyleSheet(
            QStringLiteral("QLineEdit { padding: 0px; background: #C0E0FF; border: 1px solid #000080; }"));
    QWidget::focusInEvent(e);
}

void UpDown::focusOutEvent(QFocusEvent* e)
{
    if (buddy_)
        buddy_->setStyleSheet(kCountBoxStyle);
    QWidget::focusOutEvent(e);
}

void UpDown::setMin(int v)
{
    min_ = v;
    if (max_ < min_)
        max_ = min_;
    setValue(value_);
}

void UpDown::setMax(int v)
{
    max_ = v;
    if (min_ > max_)
        min_ = max_;
    setValue(value_);
}

void UpDown::setValue(int v)
{
    v = std::clamp(v, min_, max_);
    if (v == value_)
        return;
    value_ = v;
    if (buddy_)
        buddy_->setText(QString::number(value_));
    emit Change();
}

void UpDown::setBuddy(QLineEdit* box)
{
    buddy_ = box;
    buddy_->setText(QString::number(value_));
    // The box takes no focus itself: a click on it gives the focus to its
    // spin control, so the keys that follow go there and not to the box
    // that had the focus before.
    buddy_->installEventFilter(this);
}

bool UpDown::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == buddy_ && e->type() == QEvent::MouseButtonPress && isEnabled())
        setFocus(Qt::MouseFocusReason);
    return QWidget::eventFilter(watched, e);
}

QFont fixedPitchFont(double points)
{
    for (const char* name : {"Courier New", "Courier"}) {
        QFont f(QString::fromLatin1(name));
        f.setStyleHint(QFont::TypeWriter);
        f.setPointSizeF(points);
        const QFontInfo info(f);
        if (info.family() == f.family() || info.fixedPitch())
            return f;
    }
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPointSizeF(points);
    return f;
}

} // namespace orv::mscalc
