#pragma once
// The main spectral assignments of the unknown finished last: its picture
// from gifs/ovunk<code>.gif, with Print, Copy and Continue. Shown modally by
// the progress report. A picture that cannot be loaded leaves a message in
// its place and only Continue usable.
#include "platform/forms/textprint.h"

#include <QPixmap>
#include <QSize>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace orv {

class frmAssignments : public QWidget {
    Q_OBJECT
public:
    frmAssignments();
    QPushButton* cmdAssignmentsOk;
    QLabel* picAssignments;
    QLabel* lblAssignments;
    QPushButton* cmdAssignmentsPrint;
    QLineEdit* txtAssignments;
    QPushButton* cmdAssignmentsCopy;
    // The "Printing completed." notice's 3-second timer.
    QTimer* noticeTimer() const { return noticeTimer_; }
public slots:
    void cmdAssignmentsCopy_Click();
    void cmdAssignmentsPrint_Click();
    void cmdAssignmentsOk_Click();
private:
    QPixmap picture_;
    QSize himetric_;
    QTimer* noticeTimer_;
    std::unique_ptr<TextPrintout> print_;
};

} // namespace orv
