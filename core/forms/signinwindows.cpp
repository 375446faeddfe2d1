#include "core/forms/signinwindows.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/forms/frmQuit.h"
#include "core/modorvan.h"
#include "core/nextunknown.h"
#include "core/signin.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "platform/filedialog.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/programfolder.h"

#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace orv {

namespace {

const QString kComeBack = QStringLiteral("Please come back when you have the required information about your file.");
const QString kFilter = QStringLiteral("Orvanto files (*.ovg)|*.ovg");

// The quit window, shown modally (or modeless) with a message for the student.
void showQuit(const QString& message, bool modal = true)
{
    modOrvan.TextBuffer = message;
    frmQuit::setMessage(message);
    QWidget* q = forms::load(forms::names::frmQuit);
    if (modal)
        forms::showModal(q);
    else
        forms::showModeless(q);
}

// A sign-in that cannot go on: nothing of the refused file stays in the
// program (no path, no record, no password, no main window), and the
// student is told why in the quit window.
void refuseSignIn(const QString& message, bool modal = true)
{
    clearForNextStudent();
    showQuit(message, modal);
}

void repaintMain()
{
    if (QWidget* main = forms::find(forms::names::frmOVMain))
        main->update();
}

void showMainTipsAndWelcome()
{
    if (QWidget* main = forms::load(forms::names::frmOVMain))
        forms::showModeless(main);
    if (isTrue(modOrvan.ShowTipsAtStart))
        forms::showModal(forms::names::frmTips);
    forms::showModal(forms::names::frmOldUser);
}

} // namespace

void showWelcomeAfterSignIn()
{
    if (isTrue(IsNewUser()))
        forms::showModal(forms::names::frmNewUser);
    else
        showMainTipsAndWelcome();
}

namespace {

// The student chose a user file in the Open dialog: signs them in from it
// and opens what the outcome asks for. Any refusal ends in the quit window
// with nothing of the file kept (no path, record, password or main window).
void signInChosenFile(const QString& fileName, bool modalQuit)
{
    clearForNextStudent();
    const SignInOutcome out = signInFromUserFile(fileName, true);
    switch (out.result) {
    case SignInResult::NotAUserFile:
        refuseSignIn(QStringLiteral("Error finding file")
                     + (fileName.isEmpty() ? QStringLiteral(".") : u' ' + fileName + u'.') + u' ' + kComeBack);
        return;
    case SignInResult::Unreadable:
        refuseSignIn((out.quitMessage.isEmpty()
                          ? QStringLiteral("The file ") + fileName + QStringLiteral(" could not be read.")
                          : out.quitMessage)
                     + u' ' + kComeBack);
        return;
    case SignInResult::PasswordRefused:
        refuseSignIn(QStringLiteral("Error with supplying the password for an existing file."));
        return;
    case SignInResult::InUse: refuseSignIn(out.quitMessage); return;
    case SignInResult::AllDone: showQuit(QString(), modalQuit); return;
    case SignInResult::UnknownUnreadable: showQuit(out.quitMessage); return;
    case SignInResult::Loaded:
        AnnounceUnknown();
        showWelcomeAfterSignIn();
        repaintMain();
        return;
    }
}

// The Open dialog of a sign-in window: the window goes, then the student is
// signed in from the chosen file.
void openAndSignIn(QWidget* window, const QString& title, const QString& users, bool modalQuit)
{
    FileDialogRequest req;
    req.title = title;
    req.initialDir = users;
    req.filter = kFilter;
    const QString fileName = showFileDialog(req);
    forms::unload(window);
    signInChosenFile(fileName, modalQuit);
}

} // namespace

frmUnkProgm::frmUnkProgm()
{
    auto& m = modOrvan;
    applyFormLook(this);
    placeBeforeMainWindow(this, 6500, 3000);
    lblUserData = new QLabel(this);
    applyLabelLook(lblUserData);
    fraUserData = new QGroupBox(this);
    setBackColour(fraUserData, PaletteColour(0xC0C0C0));
    placeControl(fraUserData, 1680, 840, 3252, 975);
    for (int i = 0; i < 2; ++i) {
        optUnkProg[i] = new QRadioButton(fraUserData);
        optUnkProg[i]->installEventFilter(this);
    }
    placeControl(optUnkProg[0], 125, 120, 2415, 375);
    placeControl(optUnkProg[1], 120, 480, 3012, 375);
    cmdUserData = new QPushButton(this);
    makeContinueButton(cmdUserData);
    placeControl(cmdUserData, (6500 - 1000) / 2, 2050, 1000, 490);
    connect(cmdUserData, &QPushButton::clicked, this, &frmUnkProgm::cmdUserData_Click);
    setDefaultButton(this, cmdUserData);
    optUnkProg[0]->setChecked(true);

    QString text;
    int labelHeight;
    if (isTrue(m.MultipleSessionsAllowed)) {
        setWindowTitle(QStringLiteral("Orvanto data saving option"));
        labelHeight = 450;
        text = QStringLiteral(
                   "Orvanto can save the details of your analysis so that you can exit the program and then ")
             + QStringLiteral("continue at a later time.");
        optUnkProg[0]->setText(QStringLiteral("first time user"));
        optUnkProg[1]->setText(QStringLiteral("previous user with saved information"));
    } else {
        setWindowTitle(QStringLiteral("Orvanto data saving is not allowed"));
        labelHeight = 250;
        optUnkProg[0]->setText(QStringLiteral("first time user"));
        optUnkProg[1]->setText(QStringLiteral("previous user"));
    }
    text += QStringLiteral(" Choose one of the following and then click on \"Continue\".");
    lblUserData->setText(text);
    placeControl(lblUserData, (6500 - 6300) / 2 - 40, 200, 6300, labelHeight);
    fitTextToLabel(lblUserData);
}

bool frmUnkProgm::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonDblClick)
        for (QRadioButton* opt : optUnkProg)
            if (o == opt) {
                opt->setChecked(true);
                cmdUserData_Click();
                return true;
            }
    return QWidget::eventFilter(o, e);
}

void frmUnkProgm::cmdUserData_Click()
{
    auto& m = modOrvan;
    hide();
    const bool previous = optUnkProg[1]->isChecked();
    if (!previous || !isTrue(m.MultipleSessionsAllowed)) {
        forms::unload(this);
        clearForNextStudent();
        if (QString why; !StartNewUnknown(&why)) {
            showQuit(why);
            return;
        }
        AnnounceUnknown();
        if (!previous)
            forms::showModal(forms::names::frmNewUser);
        else
            showMainTipsAndWelcome();
        repaintMain();
        return;
    }

    // A previous user with saved information opens their file.
    const QString users = usersFolder(modOrvan.ProgramPath);
    if (!QDir(users).exists())
        QDir().mkpath(users);
    QDir::setCurrent(users);
    openAndSignIn(this, QStringLiteral("Load details of progress"), users, true);
}

frmUnkTeach::frmUnkTeach()
{
    applyFormLook(this);
    placeBeforeMainWindow(this, 6500, 3000);
    setWindowTitle(QStringLiteral("Orvanto allocated unknowns"));
    const char* captions[] = {"&Continue", "&Quit"};
    const char* tips[] = {"Click here to proceed", "Click here to leave this program"};
    for (int i = 0; i < 2; ++i) {
        cmdUserData[i] = new QPushButton(QString::fromLatin1(captions[i]), this);
        applyButtonLook(cmdUserData[i]);
        cmdUserData[i]->setToolTip(QString::fromLatin1(tips[i]));
        connect(cmdUserData[i], &QPushButton::clicked, this, [this, i] { cmdUserData_Click(i); });
    }
    placeControl(cmdUserData[0], 6500 / 2 - 1250, 2050, 1000, 490);
    placeControl(cmdUserData[1], 6500 / 2 + 250, 2050, 1000, 490);
    setDefaultButton(this, cmdUserData[0]);
    lblUserData = new QLabel(this);
    applyLabelLook(lblUserData);
    lblUserData->setText(
        QStringLiteral("Your unknowns have been already been allocated to you so you need to be able to specify ")
        + QStringLiteral("the name and location of the file containing that information."));
    placeControl(lblUserData, (6500 - 5400) / 2 - 40, 750, 5400, 450);
    fitTextToLabel(lblUserData);
}

void frmUnkTeach::cmdUserData_Click(int index)
{
    if (index == 1) {
        forms::unload(this);
        showQuit(kComeBack);
        return;
    }
    const QString users = usersFolder(modOrvan.ProgramPath);
    if (!QDir::setCurrent(users)) {
        // No users folder: there is no allocated file to open, and no unknown
        // has been chosen, so the sign-in cannot go on.
        forms::unload(this);
        showQuit(QStringLiteral("The folder ") + users + QStringLiteral(" for user files is missing. ") + kComeBack);
        return;
    }
    openAndSignIn(this, QStringLiteral("Get file details"), users, false);
}

} // namespace orv
