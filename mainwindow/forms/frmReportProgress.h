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
    ~frmReportProgress() override;

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
    // At the system's end, with a report still on show after a right answer
    // or a resignation: the record moves on to the next unknown, as Continue
    // would do, so that the finished unknown is not handed out again.
    static void carryOnForSystemEnd();

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
