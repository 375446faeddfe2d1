#include "mainwindow/forms/frmNoID.h"

#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "mainwindow/forms/textboxes.h"
#include "mainwindow/identify.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace orv {

frmNoID::frmNoID() : txtNoIDText(new QPlainTextEdit(this)), cmdNoIDOk(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmNoID"));
    makeContinueButton(cmdNoIDOk);
    txtNoIDText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(cmdNoIDOk, &QPushButton::clicked, this, &frmNoID::cmdNoIDOk_Click);
    setContinueButton(this, cmdNoIDOk);
    Form_Load();
}

void frmNoID::Form_Load()
{
    applyFormLook(this);
    applyDesignFont(this);
    const int width = 6500;
    placeOnMainWindow(this, 2100, width, 3220);
    setWindowTitle(QStringLiteral("Resign from identifying this unknown"));
    placeControl(txtNoIDText, 230, 130, width - 460, 2000);
    txtNoIDText->setReadOnly(true);
    placeControl(cmdNoIDOk, 2650, 2250, 1000, 490);
    cmdNoIDOk->setToolTip(QStringLiteral("Click here to proceed"));

    const ResignationVerdict verdict = judgeResignation();
    if (verdict.accepted) {
        placeControl(txtNoIDText, 230, 530, width - 460, 1000);
        acceptResignation();
    }
    setBoxText(txtNoIDText, verdict.text);
}

void frmNoID::cmdNoIDOk_Click()
{
    continuing_ = true;
    forms::unload(this);
    if (isTrue(modOrvan.ShowReportAfterResign))
        forms::showModal(forms::names::frmReportProgress);
}

void frmNoID::closeEvent(QCloseEvent* event)
{
    // The close box after an accepted resignation goes on to the report, as
    // Continue does: otherwise the unknown would stay finished but unrecorded.
    event->accept();
    if (continuing_ || !isTrue(modOrvan.ShowReportAfterResign))
        return;
    continuing_ = true;
    hide();
    forms::showModal(forms::names::frmReportProgress);
}

} // namespace orv
