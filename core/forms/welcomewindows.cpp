#include "core/forms/welcomewindows.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/modorvan.h"
#include "core/welcometexts.h"
#include "platform/basic.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/helpviewer.h"
#include "platform/forms/pictures.h"
#include "platform/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>

namespace orv {

namespace {

// The welcome windows stand 880 twips below the main window's top, centred
// across the screen, and bring the main window up behind themselves.
void placeWelcome(QWidget* w)
{
    QWidget* main = forms::load(forms::names::frmOVMain);
    if (main)
        forms::showModeless(main);
    int left = 0, top = 0, width = 0;
    if (!mainWindowRectTwips(left, top, width))
        top = modOrvan.ScreenTopOffset;
    setFormGeometry(w, (screenWidthTwips() - 6500) / 2, top + 880, 6500, 4370 + CaptionExtraTwips());
}

QPushButton* yellowButton(QWidget* parent, const QString& caption, const QString& tip)
{
    auto* b = new QPushButton(caption, parent);
    applyButtonLook(b);
    b->setToolTip(tip);
    return b;
}

} // namespace

frmNewUser::frmNewUser()
{
    applyFormLook(this, 0xFFFF7D);
    setWindowTitle(QStringLiteral("For new Orvanto users"));
    lblNewUser = new QLabel(this);
    applyLabelLook(lblNewUser);
    lblNewUser->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QString text = newUserText(modOrvan);
    lblNewUser->setText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // 50 twips shorter than designed, so that it ends above the button.
    placeControl(lblNewUser, (6500 - 6000) / 2 - 40, 100, 6000, 3300);
    fitTextToLabel(lblNewUser);
    cmdNewUser = yellowButton(this, QStringLiteral("&Continue"), QStringLiteral("Click here to proceed"));
    placeControl(cmdNewUser, (6500 - 1000) / 2, 3420, 1000, 490);
    connect(cmdNewUser, &QPushButton::clicked, this, &frmNewUser::cmdNewUser_Click);
    setContinueButton(this, cmdNewUser);
    // The text tells the student to press F1 for help while it is on show.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [] { showHelpContents(); });
    modOrvan.DataSaved = kFalse;
    placeWelcome(this);
}

void frmNewUser::cmdNewUser_Click() { forms::unload(this); }

frmOldUser::frmOldUser()
{
    applyFormLook(this);
    setWindowTitle(QStringLiteral("For previous Orvanto users"));
    modOrvan.DataSaved = kFalse;
    txtOldUser = new QTextEdit(this);
    txtOldUser->setReadOnly(true);
    txtOldUser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    placeControl(txtOldUser, (6500 - 6000) / 2 - 40, 100, 6000, 3170);
    const int greeting = randomDraw(6);
    const int cheer = randomDraw(6);
    const int ending = randomDraw(4);
    QString text = oldUserText(modOrvan, greeting, cheer, ending);
    txtOldUser->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    cmdOldUser = yellowButton(this, QStringLiteral("&Continue"), QStringLiteral("Click here to proceed"));
    placeControl(cmdOldUser, (6500 - 1000) / 2, 3420, 1000, 490);
    connect(cmdOldUser, &QPushButton::clicked, this, &frmOldUser::cmdOldUser_Click);
    setContinueButton(this, cmdOldUser);
    placeWelcome(this);
}

void frmOldUser::cmdOldUser_Click() { forms::unload(this); }

frmTips::frmTips()
{
    applyFormLook(this);
    setWindowTitle(QStringLiteral("Orvanto Tip of the Day"));
    setFormGeometry(this, (screenWidthTwips() - 5400) / 2, modOrvan.ScreenTopOffset + 2250, 5400,
                    3400 + CaptionExtraTwips());
    picTips = new QLabel(this);
    picTips->move(px(80), px(400));
    txtTips = new QTextEdit(this);
    txtTips->setReadOnly(true);
    placeControl(txtTips, 900, 200, 5400 - 1200, 2050);
    cmdTipsOk = yellowButton(this, QStringLiteral("&Continue"), QStringLiteral("Click here to proceed"));
    placeControl(cmdTipsOk, 5400 / 2 + 250, 2420, 1000, 490);
    cmdTipsNext = yellowButton(this, QStringLiteral("&Next tip"), QStringLiteral("Click here for another tip"));
    placeControl(cmdTipsNext, 5400 / 2 - 1250, 2420, 1000, 490);
    connect(cmdTipsOk, &QPushButton::clicked, this, &frmTips::cmdTipsOk_Click);
    connect(cmdTipsNext, &QPushButton::clicked, this, &frmTips::cmdTipsNext_Click);
    setContinueButton(this, cmdTipsOk);
    picture_ = 1;
    tip_ = randomDraw(30);
    showTip();
}

void frmTips::showTip()
{
    const QPixmap p = LoadResPicture(200 + picture_);
    picTips->setPixmap(p);
    picTips->resize(p.isNull() ? QSize(1, 1) : p.size());
    QString text = tipText(tip_);
    txtTips->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmTips::cmdTipsNext_Click()
{
    tip_ = nextTipNumber(tip_);
    if (picture_ < 6)
        ++picture_;
    showTip();
}

void frmTips::cmdTipsOk_Click() { forms::unload(this); }

} // namespace orv
