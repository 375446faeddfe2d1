#pragma once
// A block of help text composed by its opener (caption and text set before
// the window is shown modally), with Print and Continue. The window itself
// never changes the text.
#include "platform/forms/textprint.h"

#include <QWidget>
#include <memory>

class QLineEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QTimer;

namespace orv {

class frmHelp : public QWidget {
    Q_OBJECT
public:
    frmHelp();
    QTextEdit* txtHelp;
    QLineEdit* txtHelpMsg;
    QProgressBar* pbHelpPrint;
    QPushButton* cmdHelpPrint;
    QPushButton* cmdHelpOk;
    // The "Printing completed." notice's 3-second timer.
    QTimer* noticeTimer() const { return noticeTimer_; }
public slots:
    void cmdHelpPrint_Click();
    void cmdHelpOk_Click();
private:
    QTimer* noticeTimer_;
    std::unique_ptr<TextPrintout> print_;
};

} // namespace orv
