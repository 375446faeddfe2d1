#pragma once
// The summary of completed unknowns, on screen and printed.
#include "platform/forms/textprint.h"

#include <QWidget>
#include <memory>

class QLineEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QTimer;

namespace orv {

class frmSummary : public QWidget {
    Q_OBJECT
public:
    frmSummary();
    QTextEdit* txtSummaryText;
    QLineEdit* txtSummaryMsg;
    QProgressBar* pbSummary;
    QPushButton* cmdSummaryPrint;
    QPushButton* cmdSummaryOk;
public slots:
    void cmdSummaryPrint_Click();
    void cmdSummaryOk_Click();
protected:
    void showEvent(QShowEvent* e) override;   // Form_Activate: builds the text
    void closeEvent(QCloseEvent* e) override; // Form_Unload
private:
    void buildText();
    QTimer* noticeTimer_;
    std::unique_ptr<TextPrintout> print_;
};

} // namespace orv
