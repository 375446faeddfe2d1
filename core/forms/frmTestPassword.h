#pragma once
// The password test window: three tries at the password of an existing user
// file. PasswordVerified is cleared when the window loads and set when the
// typed text equals Password. The fourth Continue shows "Too many guesses!",
// the fifth closes the window. Shown modally; the caller sets the caption.
#include "core/passwordentry.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace orv {

class PasswordBox;

class frmTestPassword : public QWidget {
    Q_OBJECT
public:
    frmTestPassword();

    QLabel* lblTestPassword;
    PasswordBox* txtTestPassword;
    QPushButton* cmdTestPassword;
    QPushButton* cmdTPwordCancel; // no action; lies below the visible area

private:
    void cmdTestPassword_Click();

    TestPasswordEntry entry_;
};

} // namespace orv
