// One sign-in from a user file, whichever window chose it: what the outcome
// is for each kind of file, and that a refused file leaves no record behind.
#include "core/forms/frmQuit.h"
#include "core/forms/registercore.h"
#include "core/modorvan.h"
#include "core/signin.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "platform/fileinuse.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <gtest/gtest.h>

using namespace orv;

namespace {

// Writes a user file for the given unknown (0: all done) with a password
// when one is given; the state is cleared afterwards, as at a start.
QString writeUser(const orvtest::ProgramFolder& folder, const char* name, int unknown, const QString& password)
{
    auto& m = modOrvan;
    InitProgram();
    m.UserFilePath = folder.file(QStringLiteral("users/%1.ovg").arg(QLatin1String(name)));
    m.CurrentUnknown = unknown;
    if (unknown == 0) {
        m.CompletedUnknowns = QStringLiteral("03");
        m.UnkResults[1] = {QStringLiteral("11000000000000000000Ethanol"), QStringLiteral("00315")};
    }
    m.Password = password;
    m.PasswordVerified = password.isEmpty() ? kFalse : kTrue;
    EXPECT_TRUE(WriteUserFile());
    const QString path = m.UserFilePath;
    InitProgram();
    return path;
}

// The reader runs here without password windows (nothing is shown, so no
// password is verified); the windows other tests of this program installed
// come back afterwards.
struct NoPasswordWindows {
    NoPasswordWindows() { setPasswordWindows({}); }
    ~NoPasswordWindows() { registerCoreForms(); }
};

} // namespace

TEST(SignIn, OutcomeByFileAndNothingKeptOfARefusedOne)
{
    NoPasswordWindows noWindows;
    orvtest::ProgramFolder folder;
    const QString three = QStringLiteral("unks/ovunk") + UnknownFileCode(3) + QStringLiteral(".txt");
    folder.copyFromSource(QStringLiteral("data/") + three, three);
    struct Case {
        const char* name;
        QString path;
        bool checkName;
        bool passwordRequired;
        SignInResult want;
        bool recordKept;
    };
    const QString plain = writeUser(folder, "anna", 3, {});
    const QString locked = writeUser(folder, "ben", 3, QStringLiteral("benspassword"));
    const QString done = writeUser(folder, "cleo", 0, {});
    const QString missingUnknown = writeUser(folder, "dan", 5, {});
    QFile::copy(plain, folder.file(QStringLiteral("users/anna.txt")));
    const Case cases[] = {
        {"a readable file", plain, true, false, SignInResult::Loaded, true},
        {"every unknown done", done, true, false, SignInResult::AllDone, true},
        {"no such file", folder.file(QStringLiteral("users/nobody.ovg")), true, false, SignInResult::Unreadable, false},
        {"not a user file's name", folder.file(QStringLiteral("users/anna.txt")), true, false,
         SignInResult::NotAUserFile, false},
        {"the command line takes any name", folder.file(QStringLiteral("users/anna.txt")), false, false,
         SignInResult::Loaded, true},
        {"no password given", locked, true, true, SignInResult::PasswordRefused, false},
        {"the unknown's data missing", missingUnknown, true, false, SignInResult::UnknownUnreadable, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InitProgram();
        modOrvan.PasswordRequired = c.passwordRequired ? kTrue : kFalse;
        const SignInOutcome out = signInFromUserFile(c.path, c.checkName);
        EXPECT_EQ(out.result, c.want);
        EXPECT_EQ(!modOrvan.UserFilePath.isEmpty(), c.recordKept);
        if (!c.recordKept) {
            EXPECT_EQ(modOrvan.CurrentUnknown, 0);
        }
        if (c.want == SignInResult::AllDone) {
            EXPECT_EQ(modOrvan.QuitReason, "AllDone");
        }
        if (c.want == SignInResult::UnknownUnreadable) {
            EXPECT_FALSE(out.quitMessage.isEmpty());
        }
        if (c.want == SignInResult::Loaded) {
            EXPECT_EQ(modOrvan.CurrentUnknown, 3);
        }
    }
}

// Run only as the second process of the test below: holds the user file
// named by ORV_HOLD_USER_FILE, says so, and keeps it until killed.
TEST(SignIn, DISABLED_HoldsAUserFileForAnotherProcess)
{
    const QString path = qEnvironmentVariable("ORV_HOLD_USER_FILE");
    ASSERT_FALSE(path.isEmpty());
    ASSERT_TRUE(holdUserFile(path).result == UserFileHold::Held);
    std::fputs("\nholding the user file\n", stdout);
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

// Two copies of the program on one user file: the second is refused before
// anything of the file is read, with a message naming the file; a mark left
// by a copy that was killed is taken over at once; a mark from another
// machine is told to the student, who may open the file anyway.
TEST(SignIn, ASecondCopyOnTheSameUserFileIsRefused)
{
    NoPasswordWindows noWindows;
    orvtest::ProgramFolder folder;
    const QString three = QStringLiteral("unks/ovunk") + UnknownFileCode(3) + QStringLiteral(".txt");
    folder.copyFromSource(QStringLiteral("data/") + three, three);
    const QString path = writeUser(folder, "anna", 3, {});
    const QByteArray before = orv::readFileBytes(path).value();

    QProcess other;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORV_HOLD_USER_FILE"), path);
    other.setProcessEnvironment(env);
    other.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=SignIn.DISABLED_HoldsAUserFileForAnotherProcess"),
                 QStringLiteral("--gtest_also_run_disabled_tests")});
    QByteArray said;
    QDeadlineTimer deadline(30000);
    while (!said.contains("holding the user file") && !deadline.hasExpired() && other.waitForReadyRead(1000))
        said += other.readAllStandardOutput();
    ASSERT_TRUE(said.contains("holding the user file")) << said.toStdString();

    const auto signIn = [&] {
        InitProgram();
        return signInFromUserFile(path, true);
    };
    SignInOutcome out = signIn();
    EXPECT_EQ(out.result, SignInResult::InUse);
    EXPECT_EQ(out.quitMessage, "The file " + path + " is in use by another copy of Orvanto on this machine (account "
                                   + accountName(::geteuid()) + "). Finish the session there first. Its in-use mark is "
                                   + FileInUse::markPath(path) + ".")
        << out.quitMessage.toStdString();
    EXPECT_TRUE(modOrvan.UserFilePath.isEmpty());
    EXPECT_EQ(modOrvan.CurrentUnknown, 0);
    EXPECT_EQ(orv::readFileBytes(path).value(), before);

    other.kill(); // as a crash would end it: the mark stays behind
    ASSERT_TRUE(other.waitForFinished(10000));
    const QString mark = FileInUse::markPath(path);
    ASSERT_TRUE(QFile::exists(mark));
    EXPECT_EQ(signIn().result, SignInResult::Loaded) << "the dead copy's mark is taken over";

    // The same mark as another machine leaves it.
    std::optional<MarkHolder> holder = parseMark(orv::readFileBytes(mark).value()).holder;
    ASSERT_TRUE(holder);
    clearForNextStudent();
    ASSERT_FALSE(QFile::exists(mark)) << "letting go removes the mark";
    holder->pid = 4242;
    holder->host = "lab-pc-07";
    holder->machine = QByteArray(holder->machine.size(), '7');
    holder->boot = QByteArray(holder->boot.size(), '7');
    ASSERT_TRUE(orv::writeFileAtomic(mark, markText(*holder)).written());
    out = signIn();
    EXPECT_EQ(out.result, SignInResult::InUse);
    EXPECT_TRUE(out.quitMessage.contains("has not been opened: it may be open in another copy of Orvanto (marked as "
                                         "in use on machine lab-pc-07, by the account "))
        << out.quitMessage.toStdString();
    orvtest::msgLog().answers = {MsgResult::Yes};
    EXPECT_EQ(signIn().result, SignInResult::Loaded) << "opened anyway";
    clearForNextStudent();
}
