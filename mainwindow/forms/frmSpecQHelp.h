#pragma once
// The quick help of a spectrum viewer. The viewer sets the caption and the
// text of txtQHelp and shows it modally; once it closes, the help of
// CurrentItem counts as seen (ItemHelpShown).
#include <QWidget>

class QPushButton;
class QTextEdit;

namespace orv {

class frmSpecQHelp : public QWidget {
    Q_OBJECT
public:
    frmSpecQHelp();

    QTextEdit* txtQHelp;
    QPushButton* cmdQHelpOk;

    void cmdQHelpOk_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
};

} // namespace orv
