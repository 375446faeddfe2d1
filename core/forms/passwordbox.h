#pragma once
// The text box both password windows use: "*" for every character, at most
// 20 characters of printable ASCII, and the key filter (Enter presses the
// window's Continue button; other control characters and codes above 126 are
// refused, with a beep when sound is on). Text that arrives other than by
// typing (pasting, dropping) is held to the same characters.
#include <QLineEdit>

class QPushButton;

namespace orv {

class PasswordBox : public QLineEdit {
    Q_OBJECT
public:
    explicit PasswordBox(QWidget* parent, QPushButton* continueButton);
protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
private:
    QPushButton* continue_;
};

} // namespace orv
