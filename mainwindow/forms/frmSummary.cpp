#include "mainwindow/forms/frmSummary.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "mainwindow/forms/summaryprint.h"
#include "mainwindow/summarytext.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/printnotice.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>

namespace orv {

frmSummary::frmSummary()
{
    auto& m = modOrvan;
    applyFormLook(this);
    setWindowTitle(QStringLiteral("A summary of completed unknowns"));
    const int height = 3000 + CaptionExtraTwips();
    QWidget* quit = forms::find(forms::names::frmQuit);
    int left = 0, top = 0, width = 0;
    if (isTrue(m.AllUnknownsDone) && quit) {
        const QRect r = formRectTwips(quit);
        setFormGeometry(this, r.x(), r.y(), 6500, height);
    } else if (mainWindowRectTwips(left, top, width)) {
        setFormGeometry(this, left + (width - 6500) / 2, top + 2100, 6500, height);
    } else {
        placeBeforeMainWindow(this, 6500, 3000);
    }
    txtSummaryText = new QTextEdit(this);
    txtSummaryText->setReadOnly(true);
    txtSummaryText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    placeControl(txtSummaryText, 120, 120, 6135, 1813);
    txtSummaryText->hide();
    txtSummaryMsg = new QLineEdit(this);
    txtSummaryMsg->setReadOnly(true);
    txtSummaryMsg->hide();
    pbSummary = new QProgressBar(this);
    pbSummary->hide();
    cmdSummaryPrint = new QPushButton(QStringLiteral("&Print"), this);
    applyButtonLook(cmdSummaryPrint);
    cmdSummaryPrint->setToolTip(QStringLiteral("Click here to get a copy on paper"));
    placeControl(cmdSummaryPrint, 6500 / 2 - 1250, 2050, 1000, 490);
    cmdSummaryPrint->setEnabled(false);
    cmdSummaryOk = new QPushButton(QStringLiteral("&Continue"), this);
    applyButtonLook(cmdSummaryOk);
    cmdSummaryOk->setToolTip(QStringLiteral("Click here to proceed"));
    placeControl(cmdSummaryOk, 6500 / 2 + 250, 2050, 1000, 490);
    cmdSummaryOk->setEnabled(false);
    connect(cmdSummaryPrint, &QPushButton::clicked, this, &frmSummary::cmdSummaryPrint_Click);
    connect(cmdSummaryOk, &QPushButton::clicked, this, &frmSummary::cmdSummaryOk_Click);
    setContinueButton(this, cmdSummaryOk);
    noticeTimer_ = newPrintNoticeTimer(this, txtSummaryMsg);
    print_ = std::make_unique<TextPrintout>(TextPrintout::Feedback{txtSummaryMsg,
                                                                   {(6500 - kPrintNoticeWidth) / 2, 880},
                                                                   noticeTimer_,
                                                                   pbSummary,
                                                                   QRect(100, 880, 6500 - 330, 300),
                                                                   true});
}

void frmSummary::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    buildText();
}

void frmSummary::buildText()
{
    const auto& m = modOrvan;
    const int n = static_cast<int>(m.CompletedUnknowns.size() / 2);
    if (n > 10) {
        placeControl(pbSummary, 100, 880, 6500 - 330, 300);
        pbSummary->setValue(100);
        pbSummary->show();
    }
    QString text = summaryText(m);
    txtSummaryText->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    pbSummary->hide();
    txtSummaryText->show();
    cmdSummaryPrint->setEnabled(!m.CompletedUnknowns.isEmpty());
    cmdSummaryOk->setEnabled(true);
    cmdSummaryOk->setFocus();
}

void frmSummary::cmdSummaryPrint_Click()
{
    if (print_->busy())
        return;
    const SummaryPrintout out = summaryPrintout(modOrvan);
    print_->print(QStringLiteral("Orvanto unknowns completed"),
                  [&out](PrintLines& lines) { printSummary(lines, out, printedLine()); });
}

void frmSummary::cmdSummaryOk_Click() { forms::unload(this); }

void frmSummary::closeEvent(QCloseEvent* e)
{
    if (isTrue(modOrvan.AllUnknownsDone))
        if (QWidget* quit = forms::find(forms::names::frmQuit))
            quit->show();
    QWidget::closeEvent(e);
}

} // namespace orv
