#pragma once
// The progress report that ends every identification attempt. A wrong
// answer only gets a refusal; a right answer or an accepted resignation
// records the unknown, reports what was used, may show a reward picture, and
// Continue (or the close box) moves on to the next unknown.
#include "mainwindow/progressreport.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace orv {

class frmReportProgress : public QWidget {
    Q_OBJECT
public:
    frmReportProgress();

    QPlainTextEdit* txtReport;
    QLabel* picStrReward;
    QPlainTextEdit* txtStrReward;
    QPushButton* cmdReportok;
    QPushButton* cmdAssign;

    int ReportLineCount = 1;
    bool AnotherUnknownLeft = false;
    int RewardPictureNo = 0;
    ReportOutcome outcome; // counts and lines of the report on show

    void cmdReportok_Click();
    void cmdAssign_Click();
    void picStrReward_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void loadWrongAnswer();
    void loadRightAnswer();
    void showRewardPicture();
    void placeRewardText(const QString& text, std::uint32_t back, int height);
    void carryOn();
    bool continued_ = false;
};

} // namespace orv
