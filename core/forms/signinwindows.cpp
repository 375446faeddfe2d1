#include "core/forms/signinwindows.h"

#include "core/coreservices.h"
#include "core/forms/formlook.h"
#include "core/forms/frmQuit.h"
#include "core/modorvan.h"
#include "core/nextunknown.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "platform/filedialog.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"

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
    QWidget* q = forms::load(QStringLiteral("frmQuit"));
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

// Checks the chosen name; on a wrong or empty name tells the student through
// the quit window and returns false.
bool acceptUserFileName(const QString& fileName)
{
    if (fileName.right(3) == QLatin1String("ovg"))
        return true;
    refuseSignIn(QStringLiteral("Error finding file") + (fileName.isEmpty() ? QStringLiteral(".") : u' ' + fileName + u'.')
                 + u' ' + kComeBack);
    return false;
}

// The file chosen in the Open dialog becomes the user's file and is read,
// its password checked before anything of it enters the program. A refused
// file or password ends the sign-in in the quit window, with nothing of the
// file kept, so that no later save can write it anywhere.
bool takeChosenUserFile(const QString& fileName)
{
    auto& m = modOrvan;
    clearForNextStudent();
    if (!acceptUserFileName(fileName))
        return false;
    m.UserFilePath = fileName;
    if (!ReadUserFile()) {
        refuseSignIn(QStringLiteral("The file ") + fileName + QStringLiteral(" could not be read. ") + kComeBack);
        return false;
    }
    if (m.PasswordRequired == kTrue && m.PasswordVerified != kTrue) {
        refuseSignIn(QStringLiteral("Error with supplying the password for an existing file."));
        return false;
    }
    return true;
}

// A user file whose allocated or available unknowns are all done.
void showAllDone(bool modal)
{
    auto& m = modOrvan;
    m.QuitReason = QStringLiteral("AllDone");
    m.AllUnknownsDone = kTrue;
    showQuit(QString(), modal);
}

void repaintMain()
{
    if (QWidget* main = forms::find(QStringLiteral("frmOVMain")))
        main->update();
}

void showMainTipsAndWelcome()
{
    if (QWidget* main = forms::load(QStringLiteral("frmOVMain")))
        forms::showModeless(main);
    if (modOrvan.ShowTipsAtStart == kTrue)
        forms::showModal(QStringLiteral("frmTips"));
    forms::showModal(QStringLiteral("frmOldUser"));
}

QString usersFolder()
{
    const QString& p = modOrvan.ProgramPath;
    return (p.endsWith(u'/') || p.endsWith(u'\\')) ? p + QStringLiteral("users") : p + QStringLiteral("/users");
}

} // namespace

void showWelcomeAfterSignIn()
{
    if (IsNewUser() == kTrue)
        forms::showModal(QStringLiteral("frmNewUser"));
    else
        showMainTipsAndWelcome();
}

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
    if (m.MultipleSessionsAllowed == kTrue) {
        setWindowTitle(QStringLiteral("Orvanto data saving option"));
        labelHeight = 450;
        text = QStringLiteral("Orvanto can save the details of your analysis so that you can exit the program and then ")
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
    if (!previous || m.MultipleSessionsAllowed != kTrue) {
        forms::unload(this);
        clearForNextStudent();
        if (QString why; !StartNewUnknown(&why)) {
            showQuit(why);
            return;
        }
        AnnounceUnknown();
        if (!previous)
            forms::showModal(QStringLiteral("frmNewUser"));
        else
            showMainTipsAndWelcome();
        repaintMain();
        return;
    }

    // A previous user with saved information opens their file.
    const QString users = usersFolder();
    if (!QDir(users).exists())
        QDir().mkpath(users);
    QDir::setCurrent(users);
    FileDialogRequest req;
    req.title = QStringLiteral("Load details of progress");
    req.initialDir = users;
    req.filter = kFilter;
    const QString fileName = showFileDialog(req);
    forms::unload(this);
    // The password is checked before the unknown is loaded or announced, as
    // on the allocated road: a refused student leaves nothing behind.
    if (!takeChosenUserFile(fileName))
        return;
    if (m.CurrentUnknown == 0) {
        showAllDone(true);
        return;
    }
    if (QString why; !OpenCurrentUnknown(&why)) {
        showQuit(why);
        return;
    }
    AnnounceUnknown();
    showWelcomeAfterSignIn();
    repaintMain();
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
    auto& m = modOrvan;
    if (index == 1) {
        forms::unload(this);
        showQuit(kComeBack);
        return;
    }
    const QString users = usersFolder();
    if (!QDir::setCurrent(users)) {
        // No users folder: there is no allocated file to open, and no unknown
        // has been chosen, so the sign-in cannot go on.
        forms::unload(this);
        showQuit(QStringLiteral("The folder ") + users + QStringLiteral(" for user files is missing. ") + kComeBack);
        return;
    }
    FileDialogRequest req;
    req.title = QStringLiteral("Get file details");
    req.initialDir = users;
    req.filter = kFilter;
    const QString fileName = showFileDialog(req);
    forms::unload(this);
    if (!takeChosenUserFile(fileName))
        return;
    if (m.CurrentUnknown == 0) {
        showAllDone(false);
        return;
    }
    if (QString why; !OpenCurrentUnknown(&why)) {
        showQuit(why);
        return;
    }
    AnnounceUnknown();
    showWelcomeAfterSignIn();
}

} // namespace orv
