#include "mainwindow/forms/frmHelp.h"

#include "core/forms/formlook.h"
#include "mainwindow/helpprint.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/printnotice.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>

namespace orv {

namespace {
constexpr int kWidth = 7500;
constexpr int kHeight = 3000;
}

frmHelp::frmHelp()
{
    applyFormLook(this);
    setWindowTitle(QStringLiteral("Orvanto help"));
    placeOnMainWindow(this, 2100, kWidth, kHeight);

    txtHelp = new QTextEdit(this);
    txtHelp->setReadOnly(true);
    txtHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtHelp->setAcceptRichText(false);
    placeControl(txtHelp, 230, 120, kWidth - 460, 1815);

    pbHelpPrint = new QProgressBar(this);
    pbHelpPrint->setTextVisible(false);
    pbHelpPrint->hide();
    txtHelpMsg = new QLineEdit(this);
    txtHelpMsg->hide();

    cmdHelpPrint = new QPushButton(QStringLiteral("&Print"), this);
    applyButtonLook(cmdHelpPrint);
    cmdHelpPrint->setToolTip(QStringLiteral("Click here to get a copy on paper"));
    placeControl(cmdHelpPrint, kWidth / 2 - 1250, 2050, 1000, 490);
    cmdHelpOk = new QPushButton(this);
    makeContinueButton(cmdHelpOk);
    placeControl(cmdHelpOk, kWidth / 2 + 250, 2050, 1000, 490);
    setContinueButton(this, cmdHelpOk);
    cmdHelpOk->setFocus();
    connect(cmdHelpPrint, &QPushButton::clicked, this, &frmHelp::cmdHelpPrint_Click);
    connect(cmdHelpOk, &QPushButton::clicked, this, &frmHelp::cmdHelpOk_Click);

    noticeTimer_ = newPrintNoticeTimer(this, txtHelpMsg);
    print_ = std::make_unique<TextPrintout>(TextPrintout::Feedback{txtHelpMsg,
                                                                   {(kWidth - kPrintNoticeWidth) / 2, 330},
                                                                   noticeTimer_,
                                                                   pbHelpPrint,
                                                                   QRect(100, 330, kWidth - 330, 330),
                                                                   true});
}

void frmHelp::cmdHelpPrint_Click()
{
    // A failure has been told by the printer's message; the text stays.
    print_->print(windowTitle(), [this](PrintLines& out) {
        const auto lines = helpPrintout(windowTitle(), txtHelp->toPlainText(), printedLine(), out.pageSize().width(),
                                        [&out](const QString& s) { return out.textWidth(s); });
        for (const HelpPrintLine& l : lines) {
            out.setBold(l.bold);
            out.printLine(l.text);
            if (!out.ok)
                return;
            out.setProgress(l.progress);
        }
    });
}

void frmHelp::cmdHelpOk_Click() { forms::unload(this); }

} // namespace orv
