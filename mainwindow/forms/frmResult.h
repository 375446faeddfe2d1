#pragma once
// The result of one revealed item (physical property, ultraviolet, test,
// derivative or equivalent), with its explanation on request. The opener
// sets CurrentItem, then txtResult's text, and shows the window modally.
#include <QWidget>

class QPushButton;
class QTextEdit;

namespace orv {

class frmResult : public QWidget {
    Q_OBJECT
public:
    frmResult();

    QPushButton* cmdResultOk;
    QTextEdit* txtResult;
    QPushButton* cmdResultHelp;
    QTextEdit* txtResultHelp;

    void cmdResultHelp_Click();
    void cmdResultOk_Click();
};

} // namespace orv
