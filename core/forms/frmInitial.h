#pragma once
// The start window: the program's title picture, a short description, the
// version and "&Continue", which routes the student on (the user file named
// on the command line, or a sign-in window). Loading it refuses a second
// running copy, sets up the state and reads the configuration.
#include <QPixmap>
#include <QWidget>

class QLabel;
class QPushButton;

namespace orv {

class frmInitial : public QWidget {
    Q_OBJECT
public:
    frmInitial();

    QLabel* imgInitial;
    QLabel* imgKor;
    QLabel* lblVersion;
    QLabel* lblAbout;
    QPushButton* cmdInitial;

    // True when loading found another running copy (the window then only
    // waits to be unloaded).
    bool refusedSecondCopy() const { return refused_; }

    void cmdInitial_Click();
    void imgKor_MouseDown();
    void imgKor_MouseUp();
    // The instructor's road (Ctrl+Shift+I): the unknown selection in place
    // of a student's session.
    void instructorSelection();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Sets lblAbout's description, fitted to the label.
    void setAboutText(const QString& text);
    bool refused_ = false;
};

// The program's command line, joined as one path (the whole command line is
// the user file's path).
void setStudentCommandLine(const QString& commandLine);

// Where the single-copy lock lives; tests point it at a folder of their own.
void setSingleCopyLockFolder(const QString& folder);
// Takes the single-copy lock for this process (kept until the process
// ends); false when another live process holds it. Taking it again in the
// same process succeeds.
bool claimSingleCopy();
// Lets the lock go again (tests).
void releaseSingleCopy();

// What "&Continue" does once the start window is gone.
void routeFromStartWindow();

// The start window's title picture (416 x 165 pixels).
QPixmap titlePicture();

} // namespace orv
