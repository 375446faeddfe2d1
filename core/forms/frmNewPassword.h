#pragma once
// The new-password window: the student types a password of 6 to 20
// characters, then again to confirm it. The confirmed password is left in
// Password and PasswordVerified is set; until then Password keeps what it
// held before. Shown modally; the caller sets the caption and places the
// buttons (setupForUserFile / setupForChange) before showing it.
#include "core/passwordentry.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace orv {

class PasswordBox;

class frmNewPassword : public QWidget {
    Q_OBJECT
public:
    frmNewPassword();

    // The user-file readers and writer: the caption, Cancel hidden and
    // Continue 1000 x 490 twips at Top 1250, centred.
    void setupForUserFile(const QString& caption);
    // The main window's password menu: "Change password", both buttons
    // 1000 x 490 at Top 1250, Cancel left and Continue right of the middle.
    void setupForChange();

    QLabel* lblNewPassword;
    PasswordBox* txtNewPassword;
    QPushButton* cmdNewPassword;
    QPushButton* cmdNPwordCancel;

private:
    void cmdNewPassword_Click();
    void cmdNPwordCancel_Click();

    NewPasswordEntry entry_;
    int labelWidthTw_ = 3350;
};

} // namespace orv
