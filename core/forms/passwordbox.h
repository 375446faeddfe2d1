#pragma once
// The text box both password windows use: "*" for every character, at most
// 20 characters of printable ASCII, and the key filter (Enter presses the
// window's Continue button; other control characters and codes above 126 are
// refused, with a beep when sound is on). Tab and Shift+Tab move the focus
// as in any text box. Text that arrives other than by typing (pasting,
// dropping) is held to the same characters.
#include <QLineEdit>

class QLabel;
class QPushButton;

namespace orv {

class PasswordBox : public QLineEdit {
    Q_OBJECT
public:
    explicit PasswordBox(QWidget* parent, QPushButton* continueButton);
protected:
    void keyPressEvent(QKeyEvent* e) override;
private:
    QPushButton* continue_;
};

// Places a password window's label at Top 100 with its designed 450 twips
// height, taller when its text needs more lines at the given width, so
// that no message is cut off.
void placePasswordLabel(QLabel* label, int leftTw, int widthTw);

} // namespace orv
