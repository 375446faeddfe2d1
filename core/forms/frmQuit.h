#pragma once
// The window through which every session ends: goodbye or congratulations,
// and the way to end the program, restart for the next student or look at
// the summary of completed unknowns.
// Once it opens, the student's record can no longer change: the user file
// is let go then (its in-use mark removed), so that another machine may open
// it while this window waits.
#include <QWidget>

class QLabel;
class QPushButton;

namespace orv {

class frmQuit : public QWidget {
    Q_OBJECT
public:
    frmQuit();
    // A message for the student from the window that opened this one (a file
    // that could not be found, a password not supplied); shown before the
    // goodbye so that no failure is silent. Taken by the next load.
    static void setMessage(const QString& message);

    QLabel* lblQuit;
    QPushButton* cmdQuitExit;
    QPushButton* cmdQuitRestart;
    QPushButton* cmdQuitSummary;

public slots:
    void cmdQuitExit_Click();
    void cmdQuitRestart_Click();
    void cmdQuitSummary_Click();

private:
    void Form_Load();
};

// Makes the program ready for another student: a main window still loaded
// (it would hold the student before and be handed on as theirs) is closed
// without saving and without opening the quit window, the user file is let
// go and the user record starts afresh (ResetUserRecord). The restart for a new user and every
// refused sign-in run it.
void clearForNextStudent();

} // namespace orv
