#pragma once
// Naming the current unknown by typing (or choosing from the candidates, by
// the settings). Continue judges the name, counts the attempt and opens the
// progress report; Cancel leaves without an attempt.
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class frmNameTyping : public QWidget {
    Q_OBJECT
public:
    frmNameTyping();

    QLabel* lblNameTyping;
    QComboBox* cboGetName;
    QLineEdit* txtNameText;
    QPushButton* cmdNameTest;
    QPushButton* cmdnameCancel;

    int NameListExtraHeight = 0;
    QString TypedName;

    void cmdNameTest_Click();
    void cmdnameCancel_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
};

} // namespace orv
