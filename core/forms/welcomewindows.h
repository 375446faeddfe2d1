#pragma once
// The welcome windows: frmNewUser for a first-time user, frmOldUser for a
// returning one, and frmTips with the tip of the day.
#include <QWidget>

class QLabel;
class QPushButton;
class QTextEdit;

namespace orv {

class frmNewUser : public QWidget {
    Q_OBJECT
public:
    frmNewUser();
    QLabel* lblNewUser;
    QPushButton* cmdNewUser;
public slots:
    void cmdNewUser_Click();
};

class frmOldUser : public QWidget {
    Q_OBJECT
public:
    frmOldUser();
    QTextEdit* txtOldUser;
    QPushButton* cmdOldUser;
public slots:
    void cmdOldUser_Click();
};

class frmTips : public QWidget {
    Q_OBJECT
public:
    frmTips();
    QLabel* picTips;
    QTextEdit* txtTips;
    QPushButton* cmdTipsNext;
    QPushButton* cmdTipsOk;
    int tipShown() const { return tip_; }
    int pictureShown() const { return picture_; }
public slots:
    void cmdTipsNext_Click();
    void cmdTipsOk_Click();
private:
    int tip_ = 1;
    int picture_ = 1;
    void showTip();
};

} // namespace orv
