#pragma once
// Check boxes, option buttons and push buttons whose captions wrap onto a
// second line within the control's designed width, as the settings window
// was laid out: a long caption breaks at a blank instead of being cut off.
// The whole control (indicator and caption) answers to a click.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace orv {

class WrapCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit WrapCheckBox(const QString& text, QWidget* parent = nullptr) : QCheckBox(text, parent) {}
protected:
    void paintEvent(QPaintEvent*) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class WrapRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit WrapRadioButton(const QString& text, QWidget* parent = nullptr) : QRadioButton(text, parent) {}
protected:
    void paintEvent(QPaintEvent*) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class WrapPushButton : public QPushButton {
    Q_OBJECT
public:
    explicit WrapPushButton(const QString& text, QWidget* parent = nullptr) : QPushButton(text, parent) {}
protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace orv
