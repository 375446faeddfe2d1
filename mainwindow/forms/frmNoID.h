#pragma once
// Resigning from the current unknown. Refused until enough has been tried;
// once accepted, Continue (or the close box) opens the progress report,
// which records the unknown as resigned.
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace orv {

class frmNoID : public QWidget {
    Q_OBJECT
public:
    frmNoID();

    QPlainTextEdit* txtNoIDText;
    QPushButton* cmdNoIDOk;

    void cmdNoIDOk_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    bool continuing_ = false;
};

} // namespace orv
