#include "mainwindow/forms/frmHelp.h"

#include "core/forms/formlook.h"
#include "core/forms/printnotice.h"
#include "mainwindow/helpprint.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/printer.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

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

    noticeTimer_ = new QTimer(this);
    noticeTimer_->setSingleShot(true);
    connect(noticeTimer_, &QTimer::timeout, txtHelpMsg, &QWidget::hide);
}

void frmHelp::cmdHelpPrint_Click()
{
    if (printing_ || noticeTimer_->isActive())
        return;
    printing_ = true;
    placeControl(pbHelpPrint, 100, 330, kWidth - 330, 330);
    pbHelpPrint->setValue(0);
    pbHelpPrint->show();

    TwipsPrinter printer;
    bool ok = printer.begin(windowTitle());
    if (ok) {
        QPainter* p = printer.painter();
        const PrintTextFace face(p->device());
        const QFontMetricsF& fm = face.metrics;
        const double lineTw = face.lineTw;
        const QSizeF page = printer.pageSizeTwips();
        const auto lines = helpPrintout(windowTitle(), txtHelp->toPlainText(), printedLine(), page.width(),
                                        [&fm](const QString& s) { return fm.horizontalAdvance(s); });
        double y = 0;
        for (const HelpPrintLine& l : lines) {
            if (y + lineTw > page.height()) {
                ok = printer.newPage();
                if (!ok)
                    break;
                y = 0;
            }
            p->setFont(l.bold ? face.bold : face.normal);
            p->drawText(QPointF(0, y + fm.ascent()), l.text);
            y += lineTw;
            pbHelpPrint->setValue(l.progress);
        }
        if (ok)
            ok = printer.end();
    }
    pbHelpPrint->hide();
    printing_ = false;
    if (!ok)
        return; // the printer has said "Error with printer."; the text stays
    showPrintNotice(txtHelpMsg, (kWidth - kPrintNoticeWidth) / 2, 330, noticeTimer_);
}

void frmHelp::cmdHelpOk_Click() { forms::unload(this); }

} // namespace orv
