// While passwords are required, no user file is written without a password
// the student typed twice. Closing the new-password window by its close box,
// at the first entry or at the confirmation, cancels the save on every road
// that saves (the student stays with the work and can save again), and
// refuses a sign-in whose file needs a new password (the file is left as it
// was).
#include "core/coreservices.h"
#include "core/forms/frmInitial.h"
#include "core/forms/frmNewPassword.h"
#include "core/forms/frmQuit.h"
#include "core/forms/frmTestPassword.h"
#include "core/forms/passwordbox.h"
#include "core/forms/registercore.h"
#include "core/forms/signinwindows.h"
#include "core/forms/startup.h"
#include "core/forms/welcomewindows.h"
#include "core/modorvan.h"
#include "core/userrecord.h"
#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/forms/frmResult.h"
#include "mainwindow/forms/registermainwindow.h"
#include "platform/filedialog.h"
#include "platform/fileinuse.h"
#include "platform/forms/formregistry.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"
#include "tests/signin/signinsupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace orv;
using namespace orvtest;

namespace {

const QString kPassword = QStringLiteral("beapass1");

// How the student meets the new-password window.
enum class PasswordAnswer { Gives, ClosesAtFirstEntry, ClosesAtConfirmation };

class ClosedPasswordTest : public ::testing::Test {
protected:
    ProgramFolder folder;
    QTemporaryDir lockDir;
    ModOrvan& m = modOrvan;
    Robot robot;
    QString beaFile = folder.file(QStringLiteral("users/bea.ovg"));

    bool previousUser = false;
    PasswordAnswer answer = PasswordAnswer::Gives;
    QStringList passwordCaptions; // of the new-password windows shown
    QString quitTitle, quitText;

    void SetUp() override
    {
        copyShippedUnknowns(folder);
        registerCoreForms();
        registerMainwindowForms();
        releaseSingleCopy();
        setSingleCopyLockFolder(lockDir.path());
        setFileDialogPresenter(
            [this](const FileDialogRequest& r) { return r.save ? folder.file(QStringLiteral("users/bea")) : beaFile; });
        robot.on["frmUnkProgm"] = [this](QWidget* w) {
            auto* s = as<frmUnkProgm>(w);
            s->optUnkProg[previousUser ? 1 : 0]->setChecked(true);
            s->cmdUserData->click();
        };
        robot.on["frmNewPassword"] = [this](QWidget* w) {
            auto* p = as<frmNewPassword>(w);
            passwordCaptions << p->windowTitle();
            if (answer == PasswordAnswer::ClosesAtFirstEntry) {
                p->txtNewPassword->setText(kPassword); // typed, never confirmed
                p->close();
                return;
            }
            p->txtNewPassword->setText(kPassword);
            p->cmdNewPassword->click();
            if (answer == PasswordAnswer::ClosesAtConfirmation) {
                p->close();
                return;
            }
            p->txtNewPassword->setText(kPassword);
            p->cmdNewPassword->click();
        };
        robot.on["frmTestPassword"] = [](QWidget* w) {
            auto* p = as<frmTestPassword>(w);
            p->txtTestPassword->setText(kPassword);
            p->cmdTestPassword->click();
        };
        robot.on["frmTips"] = [](QWidget* w) { as<frmTips>(w)->cmdTipsOk->click(); };
        robot.on["frmOldUser"] = [](QWidget* w) { as<frmOldUser>(w)->cmdOldUser->click(); };
        robot.on["frmNewUser"] = [](QWidget* w) { as<frmNewUser>(w)->cmdNewUser->click(); };
        robot.on["frmResult"] = [](QWidget* w) { as<frmResult>(w)->cmdResultOk->click(); };
        robot.on["frmQuit"] = [this](QWidget* w) {
            auto* q = as<frmQuit>(w);
            quitTitle = q->windowTitle();
            quitText = q->lblQuit->text();
            (q->cmdQuitRestart->isVisible() ? q->cmdQuitRestart : q->cmdQuitExit)->click();
        };
    }
    void TearDown() override
    {
        forms::unloadAll();
        setFileDialogPresenter({});
        releaseSingleCopy();
    }

    void signIn(bool previous)
    {
        previousUser = previous;
        auto* start = forms::loaded<frmInitial>();
        ASSERT_TRUE(start) << "the start window waits for the next student";
        start->cmdInitial_Click();
    }

    QStringList userFiles() const
    {
        return QDir(folder.file(QStringLiteral("users"))).entryList({QStringLiteral("*.ovg")}, QDir::Files);
    }

    QStringList notSavedMessages() const
    {
        QStringList told;
        for (const auto& shown : msgLog().shown)
            if (shown.prompt.contains(QStringLiteral("Information not saved.")))
                told << shown.prompt;
        return told;
    }
};

} // namespace

// Each road that saves a new student's work, with the password window closed
// at either stage: nothing is written, the student is told as of a failed
// save and stays in the main window with the work, and the next save (the
// password given) writes the file with it.
TEST_F(ClosedPasswordTest, ClosingThePasswordWindowCancelsTheSave)
{
    // clang-format off
    const struct { const char* road; std::function<void(frmOVMain*)> save; } roads[] = {
        {"Save and continue", [](frmOVMain* w) { w->clickMenu(QStringLiteral("mnuSaveCont")); }},
        {"Save and next user", [](frmOVMain* w) { w->clickMenu(QStringLiteral("mnuSaveNext")); }},
        {"Save and quit", [](frmOVMain* w) { w->clickMenu(QStringLiteral("mnuSaveQuit")); }},
        {"the close box", [](frmOVMain* w) { w->close(); }},
    };
    // clang-format on
    for (const auto& road : roads)
        for (PasswordAnswer closes : {PasswordAnswer::ClosesAtFirstEntry, PasswordAnswer::ClosesAtConfirmation}) {
            SCOPED_TRACE(std::string(road.road)
                         + (closes == PasswordAnswer::ClosesAtFirstEntry ? ", closed at the first entry"
                                                                         : ", closed at the confirmation"));
            forms::unloadAll();
            QFile::remove(beaFile);
            ASSERT_TRUE(startStudentProgram(QString()));
            ASSERT_EQ(m.PasswordRequired, kTrue);
            signIn(false);
            auto* main = forms::loaded<frmOVMain>();
            ASSERT_TRUE(main);
            main->mnuPhysPropItem_Click(1); // boiling point
            ASSERT_EQ(m.ItemsRevealed[2], kTrue);
            const int unknown = m.CurrentUnknown;

            answer = closes;
            passwordCaptions.clear();
            quitTitle.clear();
            msgLog().shown.clear();
            road.save(main);
            QApplication::processEvents();

            EXPECT_EQ(passwordCaptions, QStringList{"Password required for new user"});
            EXPECT_TRUE(userFiles().isEmpty()) << "written without a password: " << userFiles().join(' ').toStdString();
            EXPECT_FALSE(QFile::exists(FileInUse::markPath(beaFile))) << "the name is given back with its mark";
            const QStringList told = notSavedMessages();
            ASSERT_EQ(told.size(), 1) << "the cancelled save is told once";
            EXPECT_TRUE(told[0].startsWith(QStringLiteral("Error writing ") + beaFile)) << told[0].toStdString();
            EXPECT_EQ(m.DataSaved, kFalse);
            EXPECT_TRUE(quitTitle.isEmpty()) << "left for the quit window: " << quitTitle.toStdString();
            main = forms::loaded<frmOVMain>();
            ASSERT_TRUE(main) << "the student stays in the main window";
            EXPECT_TRUE(main->isVisible());
            EXPECT_EQ(m.ItemsRevealed[2], kTrue) << "with the work";
            EXPECT_EQ(m.CurrentUnknown, unknown);
            EXPECT_TRUE(m.Password.isEmpty()) << "an unconfirmed entry is not kept";

            // Saving again, the password given this time.
            answer = PasswordAnswer::Gives;
            main->clickMenu(QStringLiteral("mnuSaveCont"));
            const UserFileContents saved = readBack(beaFile);
            ASSERT_TRUE(saved.ok()) << saved.error.toStdString();
            EXPECT_EQ(saved.password, kPassword);
            EXPECT_EQ(saved.record.progress.CurrentUnknown, unknown);
            EXPECT_EQ(saved.record.progress.ItemsRevealed[2], kTrue);
            EXPECT_EQ(m.DataSaved, kTrue);
        }
}

// A returning student whose file holds no password (an instructor's
// allocation file, or one saved while passwords were off) is asked for one
// as the file is read. Closing that window refuses this sign-in: the file
// is left as it was, nothing of it stays, and a later sign-in that gives the
// password goes on with the work in it.
TEST_F(ClosedPasswordTest, ClosingItAtSignInRefusesTheSignInAndKeepsTheFile)
{
    UserRecord r;
    r.progress.CurrentUnknown = 5;
    r.progress.ItemsRevealed[6] = kTrue;
    r.session = 2;
    r.minutes = 17;
    for (const bool commandLine : {false, true})
        for (PasswordAnswer closes : {PasswordAnswer::ClosesAtFirstEntry, PasswordAnswer::ClosesAtConfirmation}) {
            SCOPED_TRACE(
                std::string(commandLine ? "on the command line" : "in the sign-in window")
                + (closes == PasswordAnswer::ClosesAtFirstEntry ? ", at the first entry" : ", at the confirmation"));
            forms::unloadAll();
            QFile f(beaFile);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(userFileLine(r, QString(), GetRandomNum) + "\r\n");
            f.close();
            const QByteArray before = readFileBytes(beaFile).value_or(QByteArray());
            m.CommandLineUsed.clear(); // a new run of the program
            ASSERT_TRUE(startStudentProgram(commandLine ? beaFile : QString()));
            answer = closes;
            passwordCaptions.clear();
            quitTitle.clear();
            signIn(true);
            EXPECT_TRUE(waitFor([this] { return !quitTitle.isEmpty(); })) << "no quit window";

            EXPECT_EQ(passwordCaptions, QStringList{"Password now required"});
            EXPECT_EQ(quitTitle, "Ready to quit Orvanto?");
            EXPECT_TRUE(quitText.startsWith(commandLine ? QStringLiteral("Invalid password.")
                                                        : QStringLiteral("Error with supplying the password")))
                << quitText.toStdString();
            EXPECT_EQ(forms::find(forms::names::frmOVMain), nullptr);
            EXPECT_EQ(readFileBytes(beaFile).value_or(QByteArray()), before) << "the file is left as it was";
            EXPECT_TRUE(m.Password.isEmpty());
            EXPECT_TRUE(m.UserFilePath.isEmpty());
            EXPECT_EQ(m.ItemsRevealed[6], kFalse) << "nothing of the refused file stays";
        }

    // The same student again, giving the password: in, with the work, and the
    // next save stores the password.
    forms::unloadAll();
    ASSERT_TRUE(startStudentProgram(QString()));
    answer = PasswordAnswer::Gives;
    signIn(true);
    auto* main = forms::loaded<frmOVMain>();
    ASSERT_TRUE(main);
    EXPECT_EQ(m.CurrentUnknown, 5);
    EXPECT_EQ(m.ItemsRevealed[6], kTrue);
    main->clickMenu(QStringLiteral("mnuSaveCont"));
    const UserFileContents saved = readBack(beaFile);
    ASSERT_TRUE(saved.ok()) << saved.error.toStdString();
    EXPECT_EQ(saved.password, kPassword);
    EXPECT_EQ(saved.record.progress.ItemsRevealed[6], kTrue);
    EXPECT_EQ(saved.record.session, 3);
}
