#pragma once
// The sign-in windows: frmUnkProgm when the program chooses the unknowns
// (first-time or previous user), frmUnkTeach when an instructor allocated
// them (the student opens the user file made for them).
#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace orv {

class frmUnkProgm : public QWidget {
    Q_OBJECT
public:
    frmUnkProgm();
    QLabel* lblUserData;
    QGroupBox* fraUserData;
    QRadioButton* optUnkProg[2];
    QPushButton* cmdUserData;
public slots:
    void cmdUserData_Click();
protected:
    bool eventFilter(QObject* o, QEvent* e) override; // double click on an option
};

class frmUnkTeach : public QWidget {
    Q_OBJECT
public:
    frmUnkTeach();
    QLabel* lblUserData;
    QPushButton* cmdUserData[2];
public slots:
    void cmdUserData_Click(int index);
};

// What follows a sign-in once the user's unknown is loaded: the new-user
// window, or the main window with the tips and the welcome-back window.
void showWelcomeAfterSignIn();

} // namespace orv
