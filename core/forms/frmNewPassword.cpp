#include "core/forms/frmNewPassword.h"

#include "core/forms/formlook.h"
#include "core/forms/passwordbox.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"

#include <QLabel>
#include <QPushButton>

namespace orv {

namespace {
constexpr int kWidth = 6500;
constexpr int kLabelLeft3350 = (kWidth - 3350) / 2;
} // namespace

frmNewPassword::frmNewPassword()
{
    setWindowTitle(QStringLiteral("New password"));
    applyFormLook(this);
    placeOnMainWindow(this, 2100, kWidth, 2300);

    cmdNewPassword = new QPushButton(QStringLiteral("&Continue"), this);
    cmdNewPassword->setObjectName(QStringLiteral("cmdNewPassword"));
    makeContinueButton(cmdNewPassword);
    placeControl(cmdNewPassword, 1920, 1320, 1095, 495);

    cmdNPwordCancel = new QPushButton(QStringLiteral("C&ancel"), this);
    cmdNPwordCancel->setObjectName(QStringLiteral("cmdNPwordCancel"));
    applyButtonLook(cmdNPwordCancel);
    cmdNPwordCancel->setToolTip(QStringLiteral("Click here to cancel"));
    placeControl(cmdNPwordCancel, 720, 1320, 855, 495);

    lblNewPassword = new QLabel(kNewPasswordPrompt, this);
    lblNewPassword->setObjectName(QStringLiteral("lblNewPassword"));
    applyLabelLook(lblNewPassword);
    placePasswordLabel(lblNewPassword, kLabelLeft3350, labelWidthTw_);

    txtNewPassword = new PasswordBox(this, cmdNewPassword);
    txtNewPassword->setObjectName(QStringLiteral("txtNewPassword"));
    txtNewPassword->setToolTip(QStringLiteral("Give new password here"));
    placeControl(txtNewPassword, (kWidth - 1400) / 2, 700, 1400, 200);

    connect(cmdNewPassword, &QPushButton::clicked, this, &frmNewPassword::cmdNewPassword_Click);
    connect(cmdNPwordCancel, &QPushButton::clicked, this, &frmNewPassword::cmdNPwordCancel_Click);
    setDefaultButton(this, cmdNewPassword);
    setCancelButton(this, cmdNPwordCancel);
    txtNewPassword->setFocus();
}

void frmNewPassword::setupForUserFile(const QString& caption)
{
    setWindowTitle(caption);
    cmdNPwordCancel->hide();
    placeControl(cmdNewPassword, (kWidth - 1000) / 2, 1250, 1000, 490);
}

void frmNewPassword::setupForChange()
{
    setWindowTitle(QStringLiteral("Change password"));
    cmdNPwordCancel->show();
    placeControl(cmdNewPassword, kWidth / 2 + 800, 1250, 1000, 490);
    placeControl(cmdNPwordCancel, kWidth / 2 - 1000 - 800, 1250, 1000, 490);
}

void frmNewPassword::cmdNewPassword_Click()
{
    const PasswordStep step = entry_.onContinue(txtNewPassword->text(), modOrvan);
    if (step.closes) {
        forms::unload(this);
        return;
    }
    if (!step.label.isEmpty())
        lblNewPassword->setText(step.label);
    if (step.labelWidthTw > 0)
        labelWidthTw_ = step.labelWidthTw;
    placePasswordLabel(lblNewPassword, kLabelLeft3350, labelWidthTw_);
    if (step.clearBox)
        txtNewPassword->clear();
    txtNewPassword->setFocus();
}

void frmNewPassword::cmdNPwordCancel_Click() { forms::unload(this); }

} // namespace orv
