#include "core/forms/frmTestPassword.h"

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
} // namespace

frmTestPassword::frmTestPassword()
{
    modOrvan.PasswordVerified = kFalse;
    setWindowTitle(QStringLiteral("Form1"));
    applyFormLook(this);
    placeBeforeMainWindow(this, kWidth, 2300);

    cmdTestPassword = new QPushButton(this);
    cmdTestPassword->setObjectName(QStringLiteral("cmdTestPassword"));
    makeContinueButton(cmdTestPassword);
    placeControl(cmdTestPassword, (kWidth - 1000) / 2, 1250, 1000, 490);

    cmdTPwordCancel = new QPushButton(QStringLiteral("C&ancel"), this);
    cmdTPwordCancel->setObjectName(QStringLiteral("cmdTPwordCancel"));
    applyButtonLook(cmdTPwordCancel);
    placeControl(cmdTPwordCancel, 0, 2160, 1000, 490);
    // It lies below the window's visible area and does nothing: Tab passes
    // it by, so the focus never goes where the student cannot see it.
    cmdTPwordCancel->setFocusPolicy(Qt::NoFocus);

    lblTestPassword = new QLabel(kTestPasswordPrompt, this);
    lblTestPassword->setObjectName(QStringLiteral("lblTestPassword"));
    applyLabelLook(lblTestPassword);
    placePasswordLabel(lblTestPassword, (kWidth - 3300) / 2, 3300);

    txtTestPassword = new PasswordBox(this, cmdTestPassword);
    txtTestPassword->setObjectName(QStringLiteral("txtTestPassword"));
    txtTestPassword->setToolTip(QStringLiteral("Give password here"));
    placeControl(txtTestPassword, (kWidth - 1400) / 2, 700, 1400, 200);

    connect(cmdTestPassword, &QPushButton::clicked, this, &frmTestPassword::cmdTestPassword_Click);
    setDefaultButton(this, cmdTestPassword);
    txtTestPassword->setFocus();
}

void frmTestPassword::cmdTestPassword_Click()
{
    const PasswordStep step = entry_.onContinue(txtTestPassword->text(), modOrvan);
    if (step.closes) {
        forms::unload(this);
        return;
    }
    if (!step.label.isEmpty()) {
        lblTestPassword->setText(step.label);
        placePasswordLabel(lblTestPassword, (kWidth - 3300) / 2, 3300);
    }
    if (step.clearBox) {
        txtTestPassword->clear();
        txtTestPassword->setFocus();
    }
    if (step.hideBox) {
        // Continue takes the focus the box had, so Enter still goes on.
        txtTestPassword->hide();
        cmdTestPassword->setAutoDefault(true);
        cmdTestPassword->setFocus();
    }
}

} // namespace orv
