#include "setup/forms/frmLogin.h"

#include "core/coreservices.h"
#include "platform/forms/formregistry.h"
#include "platform/msgbox.h"
#include "setup/forms/setuplook.h"
#include "setup/login.h"
#include "setup/setupstate.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

namespace {
constexpr int kWidth = 3350;
constexpr int kDesignedHeight = 1800;
}

frmLogin::frmLogin()
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Login"));
    applySetupLook(this);

    lblLabels = new QLabel(QStringLiteral("&Password:"), this);
    txtPassword = new QLineEdit(this);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setMaxLength(32767);
    lblLabels->setBuddy(txtPassword);
    cmdOK = new QPushButton(QStringLiteral("&Continue"), this);
    cmdCancel = new QPushButton(QStringLiteral("&Exit"), this);
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    cmdCancel->setAutoDefault(false);
    placeSetupControl(lblLabels, 240, 315, 840, 240);
    placeSetupControl(txtPassword, 1110, 240, 1845, 339);
    placeSetupControl(cmdOK, 240, 840, 1172, 390);
    placeSetupControl(cmdCancel, 1800, 840, 1172, 390);
    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    txtPassword->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
    Form_Load();
}

void frmLogin::Form_Load()
{
    const int height = kDesignedHeight + CaptionExtraTwips();
    placeSetupWindow(this, kWidth, height);
    LoginTries = 0;
    modSetup.LoginAccepted = kFalse;
}

void frmLogin::cmdOK_Click()
{
    if (passwordAccepted(txtPassword->text())) {
        modSetup.LoginAccepted = kTrue;
        forms::unload(this);
        return;
    }
    ++LoginTries;
    if (LoginTries >= 4) {
        MsgBox(QStringLiteral("Password failure, program ends"), MsgButtons::OkOnly, MsgIcon::None,
               QStringLiteral("Login"));
        endSetupProgram();
        return;
    }
    MsgBox(QStringLiteral("Invalid password, try again!"), MsgButtons::OkOnly, MsgIcon::None, QStringLiteral("Login"));
    txtPassword->setFocus();
    txtPassword->selectAll();
}

void frmLogin::cmdCancel_Click()
{
    modSetup.LoginAccepted = kFalse;
    forms::unload(this);
}

void frmLogin::reject() { cmdCancel_Click(); }

// Closing leaves LoginAccepted as it stands: True only after a right password.
void frmLogin::closeEvent(QCloseEvent* e) { QWidget::closeEvent(e); }

} // namespace orv
