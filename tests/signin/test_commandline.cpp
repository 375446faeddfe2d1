// The command-line road of the real start window: a student whose password
// is refused leaves through the quit window, which says why.
#include "core/configfile.h"
#include "core/forms/frmInitial.h"
#include "core/forms/frmQuit.h"
#include "core/forms/frmTestPassword.h"
#include "core/forms/passwordbox.h"
#include "core/forms/registercore.h"
#include "core/forms/startup.h"
#include "core/modorvan.h"
#include "core/userfile.h"
#include "mainwindow/forms/registermainwindow.h"
#include "platform/forms/formregistry.h"
#include "tests/common/testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace orv;

TEST(CommandLine, ARefusedPasswordIsNamedInTheQuitWindow)
{
    orvtest::ProgramFolder folder;
    registerCoreForms();
    registerMainwindowForms();
    auto& m = modOrvan;
    InitProgram();
    ResetProgress();
    ReadConfigFile(); // defaults: passwords required
    ASSERT_EQ(m.PasswordRequired, kTrue);
    const QString path = folder.file("users/anna.ovg");
    m.UserFilePath = path;
    m.CurrentUnknown = 3;
    m.Password = QStringLiteral("kordavia1");
    m.PasswordVerified = kTrue;
    ASSERT_TRUE(WriteUserFile());

    InitProgram();
    ResetProgress();
    QTemporaryDir lockDir;
    releaseSingleCopy();
    setSingleCopyLockFolder(lockDir.path());
    ASSERT_TRUE(startStudentProgram(path));
    auto* start = forms::loaded<frmInitial>();
    ASSERT_TRUE(start);
    // Five presses of Continue with a wrong password close the password window.
    QTimer guesses;
    QObject::connect(&guesses, &QTimer::timeout, [] {
        if (auto* p = qobject_cast<frmTestPassword*>(forms::find(forms::names::frmTestPassword))) {
            p->txtTestPassword->setText(QStringLiteral("wrong-one"));
            p->cmdTestPassword->click();
        }
    });
    guesses.start(5);
    start->cmdInitial_Click();
    guesses.stop();

    auto* quit = qobject_cast<frmQuit*>(forms::find(forms::names::frmQuit));
    ASSERT_TRUE(quit);
    EXPECT_EQ(m.PasswordVerified, kFalse);
    EXPECT_EQ(m.TextBuffer, "Invalid password." + QString(25, ' '));
    EXPECT_TRUE(quit->lblQuit->text().startsWith(QStringLiteral("Invalid password.")))
        << quit->lblQuit->text().toStdString();
    EXPECT_TRUE(quit->lblQuit->text().endsWith(QStringLiteral("Goodbye from Orvanto. Come back soon.")));
    EXPECT_EQ(forms::find(forms::names::frmOVMain), nullptr);
    EXPECT_EQ(m.CurrentUnknown, 0) << "nothing of the refused file stays";
    EXPECT_TRUE(m.Password.isEmpty());
    EXPECT_TRUE(m.UserFilePath.isEmpty());
    forms::unloadAll();
    releaseSingleCopy();
}
