#pragma once
// The instructor's login: a masked password box, Continue and Exit. The
// settings window shows it modally and goes on only when LoginAccepted is
// True afterwards. Three wrong passwords are answered with a message and a
// new try; the fourth ends the program.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class frmLogin : public QDialog {
    Q_OBJECT
public:
    frmLogin();

    // Failed attempts since the window loaded.
    int loginTries() const { return LoginTries; }

    QLabel* lblLabels;
    QLineEdit* txtPassword;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void reject() override;                   // Esc acts as Exit
    void closeEvent(QCloseEvent* e) override; // the close box: the login is not accepted

private:
    void Form_Load();
    int LoginTries = 0;
};

} // namespace orv
