#pragma once
// An up-down spin control that keeps a whole number within Min..Max and shows
// it in a locked buddy text box; the box's change handler does the work. The
// box takes the keyboard focus (a click on it or on the arrows puts it there)
// and Up and Down step the value by 1 within the range.
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace orv {

class SpinControl : public QWidget {
    Q_OBJECT
public:
    SpinControl(QLineEdit* buddy, QWidget* parent);
    void setRange(int min, int max);
    int Value() const { return value_; }
    // Clamped to the range; a new value is written into the buddy box.
    void setValue(int v);
    // Enables or disables the control together with its box.
    void setControlEnabled(bool on);

private:
    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
    int min_ = 0, max_ = 10, value_ = 0;
    void resizeEvent(QResizeEvent*) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
};


} // namespace orv
