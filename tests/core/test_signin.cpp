// One sign-in from a user file, whichever window chose it: what the outcome
// is for each kind of file, and that a refused file leaves no record behind.
#include "core/modorvan.h"
#include "core/signin.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "tests/common/testsupport.h"

#include <QFile>
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

} // namespace

TEST(SignIn, OutcomeByFileAndNothingKeptOfARefusedOne)
{
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
        if (!c.recordKept)
            EXPECT_EQ(modOrvan.CurrentUnknown, 0);
        if (c.want == SignInResult::AllDone)
            EXPECT_EQ(modOrvan.QuitReason, "AllDone");
        if (c.want == SignInResult::UnknownUnreadable)
            EXPECT_FALSE(out.quitMessage.isEmpty());
        if (c.want == SignInResult::Loaded)
            EXPECT_EQ(modOrvan.CurrentUnknown, 3);
    }
}
