#pragma once
// Pieces the three mass-spectrometry calculator windows share: placement and
// look, the spin control with its count box, and the fixed-pitch result font.
#include <QFont>
#include <QString>
#include <QWidget>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace orv::mscalc {

// Icon, grey background, the 8-point design font, and the calculators'
// placement: 6000 twips high (plus the caption extra), Top = main window's
// Top + 400 + CaptionExtraTwips, centred on the main window's width.
void placeCalculator(QWidget* w, int widthTw);
// A yellow button at its designed twips, with its tool tip.
QPushButton* calcButton(QWidget* parent, const QString& caption, const QString& toolTip, int leftTw, int topTw,
                        int widthTw = 1095, int heightTw = 495);
// A read-only count box that shows a spin control's value.
QLineEdit* countBox(QWidget* parent, int leftTw, int topTw);

// The up-down spin control: a whole number kept between Min and Max. Moving a
// bound past the value pulls the value inside. Every change of the value
// emits Change once. Its arrow buttons, or the Up and Down keys while it has
// the focus, step the value by 1; a click on its count box gives it the focus.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    void setMin(int v);
    void setMax(int v);
    void setValue(int v);
    // Shows the value in `box` from now on.
    void setBuddy(QLineEdit* box);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }
signals:
    void Change();
protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
private:
    int min_ = 0, max_ = 10, value_ = 0;
    QLineEdit* buddy_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
};

// "Courier New", else "Courier", else the system's fixed-pitch face at
// `points`. A substitute that keeps the columns (a fixed-pitch face such as
// Liberation Mono for Courier New) counts as taking.
QFont fixedPitchFont(double points);
// The font the result boxes and pictures were designed with (8 point).
QFont designFont();

} // namespace orv::mscalc
