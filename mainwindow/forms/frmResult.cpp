#include "mainwindow/forms/frmResult.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "mainwindow/resultexplain.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"

#include <QPushButton>
#include <QTextEdit>

namespace orv {

namespace {
constexpr int kWidthTw = 6500;

QTextEdit* resultBox(QWidget* parent, const QString& name)
{
    auto* t = new QTextEdit(parent);
    t->setObjectName(name);
    t->setAcceptRichText(false);
    t->setReadOnly(true);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return t;
}
} // namespace

frmResult::frmResult()
{
    auto& m = modOrvan;
    setObjectName(QStringLiteral("frmResult"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    applyFormLook(this);
    placeOnMainWindow(this, 2100, kWidthTw, 2000);
    setWindowTitle(resultCaption(m.CurrentItem));

    // Tab order: Continue, the result, Help, the explanation.
    cmdResultOk = new QPushButton(this);
    cmdResultOk->setObjectName(QStringLiteral("cmdResultOk"));
    makeContinueButton(cmdResultOk);
    txtResult = resultBox(this, QStringLiteral("txtResult"));
    cmdResultHelp = new QPushButton(QStringLiteral("&Help"), this);
    cmdResultHelp->setObjectName(QStringLiteral("cmdResultHelp"));
    cmdResultHelp->setToolTip(QStringLiteral("Click here to get help with this result"));
    applyButtonLook(cmdResultHelp);
    txtResultHelp = resultBox(this, QStringLiteral("txtResultHelp"));
    txtResultHelp->hide();
    m.DataSaved = kFalse;

    placeControl(cmdResultOk, kWidthTw / 2 + 250, 1050, 1000, 490);
    placeControl(cmdResultHelp, kWidthTw / 2 - 1250, 1050, 1000, 490);
    placeControl(txtResult, (kWidthTw - 6200) / 2 - 30, 130, 6200, 800);
    cmdResultHelp->setEnabled(isTrue(m.ItemHelpAllowed));
    setTabOrder(cmdResultOk, txtResult);
    setTabOrder(txtResult, cmdResultHelp);
    setTabOrder(cmdResultHelp, txtResultHelp);
    setContinueButton(this, cmdResultOk);
    cmdResultOk->setFocus();

    connect(cmdResultOk, &QPushButton::clicked, this, &frmResult::cmdResultOk_Click);
    connect(cmdResultHelp, &QPushButton::clicked, this, &frmResult::cmdResultHelp_Click);

    UpdateStatusBar(1);
}

void frmResult::cmdResultHelp_Click()
{
    auto& m = modOrvan;
    const int n = m.CurrentItem;
    setFormSize(this, kWidthTw, 3200 + CaptionExtraTwips());
    cmdResultHelp->hide();
    placeControl(cmdResultOk, 2690, 2260, 1000, 490);
    placeControl(txtResultHelp, (kWidthTw - 6200) / 2 - 30, 1080, 6200, 1070);
    txtResultHelp->setPlainText(resultExplanation(m, n).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    txtResultHelp->show();
    if (n >= 0 && n <= kLastItem)
        m.ItemHelpShown[n] = kTrue;
    cmdResultOk->setFocus();
}

void frmResult::cmdResultOk_Click() { forms::unload(this); }

} // namespace orv
