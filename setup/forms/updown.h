#pragma once
// An up-down spin control paired with a text box: its arrows step the whole
// number in the box by 1 within Min..Max and then report the change. Typing
// into the box is the box's own affair.
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace orv {

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* buddy, QWidget* parent);
    void setRange(int min, int max);
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    // One step up (+1) or down (-1), as a click on an arrow does.
    void step(int delta);

signals:
    void changed();

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
    int min_ = 0;
    int max_ = 10;
};

} // namespace orv
