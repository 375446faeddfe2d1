// The whole loop of two students through the real windows: a first-time
// student signs in, reveals an item, saves with a new password and leaves;
// a returning student signs in with that password, is welcomed back, names
// the unknown, sees the summary and restarts the program for another user.
#include "core/configfile.h"
#include "core/forms/frmNewPassword.h"
#include "core/forms/frmQuit.h"
#include "core/forms/frmTestPassword.h"
#include "core/forms/passwordbox.h"
#include "core/forms/registercore.h"
#include "core/forms/signinwindows.h"
#include "core/forms/welcomewindows.h"
#include "core/modorvan.h"
#include "core/userrecord.h"
#include "mainwindow/forms/frmNameTyping.h"
#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/forms/frmReportProgress.h"
#include "mainwindow/forms/frmResult.h"
#include "mainwindow/forms/frmSummary.h"
#include "mainwindow/forms/registermainwindow.h"
#include "platform/filedialog.h"
#include "platform/fileinuse.h"
#include "platform/forms/formregistry.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"
#include "tests/signin/signinsupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

using namespace orv;
using namespace orvtest;

TEST(WholeLoop, TwoStudentsThroughTheWindows)
{
    orvtest::ProgramFolder folder;
    copyShippedUnknowns(folder);
    registerCoreForms();
    registerMainwindowForms();
    InitProgram();
    ResetProgress();
    ReadConfigFile(); // none yet: defaults (passwords required, tips shown)
    ASSERT_EQ(modOrvan.PasswordRequired, kTrue);
    const QString password = "kordavia1";
    const QString users = folder.file("users");

    Robot robot;
    QString oldUserText, summaryText, reportText;
    robot.on["frmNewUser"] = [](QWidget* w) { as<frmNewUser>(w)->cmdNewUser->click(); };
    robot.on["frmResult"] = [](QWidget* w) { as<frmResult>(w)->cmdResultOk->click(); };
    robot.on["frmNewPassword"] = [&](QWidget* w) {
        auto* p = as<frmNewPassword>(w);
        p->txtNewPassword->setText(password);
        p->cmdNewPassword->click(); // once to give it, once to confirm
    };
    robot.on["frmTestPassword"] = [&](QWidget* w) {
        auto* p = as<frmTestPassword>(w);
        p->txtTestPassword->setText(password);
        p->cmdTestPassword->click();
    };
    robot.on["frmTips"] = [](QWidget* w) { as<frmTips>(w)->cmdTipsOk->click(); };
    robot.on["frmOldUser"] = [&](QWidget* w) {
        oldUserText = as<frmOldUser>(w)->txtOldUser->toPlainText();
        as<frmOldUser>(w)->cmdOldUser->click();
    };
    robot.on["frmNameTyping"] = [](QWidget* w) {
        auto* n = as<frmNameTyping>(w);
        const QString name = modOrvan.AcceptedNames[1].toLower();
        if (n->cboGetName->isVisible())
            n->cboGetName->setEditText(name);
        else
            n->txtNameText->setText(name);
        n->cmdNameTest->click();
    };
    robot.on["frmReportProgress"] = [&](QWidget* w) {
        reportText = as<frmReportProgress>(w)->txtReport->toPlainText();
        as<frmReportProgress>(w)->cmdReportok->click();
    };
    robot.on["frmSummary"] = [&](QWidget* w) {
        summaryText = as<frmSummary>(w)->txtSummaryText->toPlainText();
        as<frmSummary>(w)->cmdSummaryOk->click();
    };

    // --- A first-time student ---
    auto* signIn = as<frmUnkProgm>(forms::load(forms::names::frmUnkProgm));
    ASSERT_TRUE(signIn);
    QTimer::singleShot(0, signIn, [signIn] { signIn->cmdUserData_Click(); }); // option 0 is selected
    forms::showModal(signIn);
    ASSERT_TRUE(robot.seen.contains("frmNewUser"));
    auto* main = forms::loaded<frmOVMain>();
    ASSERT_TRUE(main);
    const int firstUnknown = modOrvan.CurrentUnknown;
    ASSERT_GE(firstUnknown, 1);

    main->mnuPhysPropItem_Click(1); // boiling point
    EXPECT_TRUE(robot.seen.contains("frmResult"));
    EXPECT_EQ(modOrvan.ItemsRevealed[2], kTrue);

    setFileDialogPresenter([&](const FileDialogRequest& r) { return r.save ? users + "/anna" : QString(); });
    main->clickMenu("mnuSaveCont");
    ASSERT_TRUE(robot.seen.contains("frmNewPassword"));
    const QString annaFile = users + "/anna.ovg";
    UserFileContents saved = readBack(annaFile);
    ASSERT_TRUE(saved.ok()) << saved.error.toStdString();
    EXPECT_EQ(saved.password, password);
    EXPECT_EQ(saved.record.progress.CurrentUnknown, firstUnknown);
    EXPECT_EQ(saved.record.progress.ItemsRevealed[2], kTrue);
    EXPECT_TRUE(saved.record.completedUnknowns.isEmpty());
    EXPECT_TRUE(QFile::exists(FileInUse::markPath(annaFile))) << "the file is marked while the student works";

    main->clickMenu("mnuSaveQuit");
    auto* quit = as<frmQuit>(forms::find(forms::names::frmQuit));
    ASSERT_TRUE(quit);
    EXPECT_EQ(quit->windowTitle(), "Quitting Orvanto");
    EXPECT_FALSE(QFile::exists(FileInUse::markPath(annaFile)))
        << "saved and leaving: another machine may open the file while this window waits";
    EXPECT_EQ(forms::find(forms::names::frmOVMain), nullptr);
    EXPECT_TRUE(readBack(annaFile).ok());

    // --- The program is made ready for the next student ---
    quit->cmdQuitRestart_Click(); // as the student would from "Getting ready..."
    EXPECT_EQ(modOrvan.NameCount, 0);
    forms::unload(forms::names::frmInitial);

    // --- The same student comes back ---
    InitProgram();
    ResetProgress();
    ReadConfigFile();
    setFileDialogPresenter([&](const FileDialogRequest& r) { return r.save ? QString() : annaFile; });
    signIn = as<frmUnkProgm>(forms::load(forms::names::frmUnkProgm));
    signIn->optUnkProg[1]->setChecked(true);
    QTimer::singleShot(0, signIn, [signIn] { signIn->cmdUserData_Click(); });
    forms::showModal(signIn);
    EXPECT_TRUE(robot.seen.contains("frmTestPassword"));
    EXPECT_EQ(modOrvan.PasswordVerified, kTrue);
    EXPECT_TRUE(robot.seen.contains("frmTips"));
    ASSERT_FALSE(oldUserText.isEmpty());
    EXPECT_TRUE(oldUserText.contains("You have so far viewed 1 item and taken "));
    EXPECT_TRUE(oldUserText.contains("This is session 2."));
    EXPECT_EQ(modOrvan.CurrentUnknown, firstUnknown);
    main = forms::loaded<frmOVMain>();
    ASSERT_TRUE(main);

    main->mnuNameItem_Click(0);
    EXPECT_TRUE(robot.seen.contains("frmReportProgress"));
    EXPECT_EQ(modOrvan.CompletedUnknowns, QString::number(firstUnknown).rightJustified(2, '0'));
    EXPECT_NE(modOrvan.CurrentUnknown, firstUnknown) << "the next unknown is assigned";
    EXPECT_EQ(modOrvan.UnkResults[1].resultLine.mid(13, 1), "1") << "identified by typing";

    main = forms::loaded<frmOVMain>();
    ASSERT_TRUE(main);
    main->clickMenu("mnuSummary");
    EXPECT_TRUE(summaryText.startsWith("1 unknown attempted."));
    EXPECT_TRUE(summaryText.contains("Identification was by typing name."));

    main->clickMenu("mnuSaveNext");
    quit = as<frmQuit>(forms::find(forms::names::frmQuit));
    ASSERT_TRUE(quit);
    EXPECT_EQ(quit->windowTitle(), "Getting ready for another user");
    saved = readBack(annaFile);
    ASSERT_TRUE(saved.ok()) << saved.error.toStdString();
    EXPECT_EQ(saved.password, password) << "the password is kept";
    EXPECT_EQ(saved.record.completedUnknowns, modOrvan.CompletedUnknowns);
    ASSERT_EQ(saved.record.results.size(), 1u);
    EXPECT_EQ(saved.record.results[0].resultLine, modOrvan.UnkResults[1].resultLine);
    EXPECT_EQ(saved.record.progress.CurrentUnknown, modOrvan.CurrentUnknown);

    quit->cmdQuitRestart_Click();
    EXPECT_NE(forms::find(forms::names::frmInitial), nullptr) << "the start window waits for the next student";
    forms::unloadAll();
    setFileDialogPresenter({});
}
