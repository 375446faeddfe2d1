#include "platform/forms/formregistry.h"
#include "setup/forms/frmLogin.h"
#include "setup/login.h"
#include "setup/setupstate.h"
#include "tests/setup/setupfixture.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace orv;
using setuptest::kPassword;

TEST(PasswordDigest, Cases)
{
    struct Case {
        const char* what;
        QString password;
        std::optional<qint32> digest;
    };
    const QString tenOf255 = QString(10, QChar(0xFF));
    const Case cases[] = {
        {"empty", QString(), 0},
        {"one character counts once", QStringLiteral("A"), 45},
        {"second character counts six times", QStringLiteral("AA"), 45 + 45 * 6},
        {"a code below 20 lowers the digest", QString(QChar(10)), -10},
        {"the chosen password", kPassword, LoginDigest},
        {"the euro sign is code 128", QString(QChar(0x20AC)), 108},
        {"a character outside the code page reads as ?", QString(QChar(0x4E2D)), 63 - 20},
        {"ten characters of code 255 leave the 32-bit range", tenOf255, std::nullopt},
    };
    for (const Case& c : cases) {
        QString p = c.password;
        EXPECT_EQ(passwordDigest(p), c.digest) << c.what;
        EXPECT_LE(p.size(), 10) << c.what;
    }
    QString reordered = QStringLiteral("KLeyA!");
    EXPECT_NE(passwordDigest(reordered), std::optional<qint32>(LoginDigest)) << "each position has its own weight";
}

TEST(PasswordDigest, TenRightCharactersFollowedByAnythingAreAccepted)
{
    // A ten-character password with the stored digest: the chosen six, then
    // four characters of code 20, which add nothing.
    const QString ten = kPassword + QString(4, QChar(20));
    EXPECT_TRUE(passwordAccepted(ten));
    EXPECT_TRUE(passwordAccepted(ten + QStringLiteral("anything")));
    EXPECT_FALSE(passwordAccepted(kPassword.left(5)));
    QString long13 = QStringLiteral("0123456789xyz");
    passwordDigest(long13);
    EXPECT_EQ(long13, "0123456789") << "cut in place";
}

class LoginTest : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    QPointer<frmLogin> login;
    void SetUp() override
    {
        resetModSetup();
        login = forms::instance<frmLogin>();
    }
    void TearDown() override
    {
        forms::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        resetModSetup();
    }
    void tryPassword(const QString& p)
    {
        login->txtPassword->setText(p);
        login->cmdOK_Click();
    }
};

TEST_F(LoginTest, RightPasswordIsAcceptedAndClosesTheWindow)
{
    EXPECT_EQ(login->windowTitle(), "Login");
    EXPECT_EQ(login->txtPassword->echoMode(), QLineEdit::Password);
    tryPassword(kPassword);
    EXPECT_EQ(modSetup.LoginAccepted, kTrue);
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(forms::loaded<frmLogin>(), nullptr);
}

TEST_F(LoginTest, ThreeWrongPasswordsAreRefusedAndTheFourthEndsTheProgram)
{
    const QString wrong[] = {QString(), QStringLiteral("lkeya!"), QString(10, QChar(0xFF))};
    for (int i = 0; i < 3; ++i) {
        tryPassword(wrong[i]);
        ASSERT_EQ(orvtest::msgLog().shown.size(), size_t(i + 1));
        const MsgRecord& m = orvtest::msgLog().shown.back();
        EXPECT_EQ(m.prompt, "Invalid password, try again!") << i;
        EXPECT_EQ(m.title, "Login");
        EXPECT_EQ(m.icon, MsgIcon::None);
        EXPECT_EQ(login->loginTries(), i + 1);
        EXPECT_EQ(login->txtPassword->selectedText(), login->txtPassword->text()) << "the next typing replaces it";
        EXPECT_EQ(orvtest::programEnds(), 0);
    }
    tryPassword(QStringLiteral("guess"));
    EXPECT_EQ(orvtest::msgLog().lastPrompt(), "Password failure, program ends");
    EXPECT_EQ(orvtest::msgLog().shown.back().title, "Login");
    EXPECT_EQ(orvtest::programEnds(), 1);
    EXPECT_EQ(modSetup.LoginAccepted, kFalse);
}

TEST_F(LoginTest, RightPasswordAtTheFourthTryIsAccepted)
{
    for (int i = 0; i < 3; ++i)
        tryPassword(QStringLiteral("wrong"));
    tryPassword(kPassword);
    EXPECT_EQ(modSetup.LoginAccepted, kTrue);
    EXPECT_EQ(orvtest::programEnds(), 0);
}

TEST_F(LoginTest, EnterActsAsContinueAndEscAsExit)
{
    login->show();
    login->txtPassword->setText(kPassword);
    QTest::keyClick(login->txtPassword, Qt::Key_Return);
    EXPECT_EQ(modSetup.LoginAccepted, kTrue);

    login = forms::instance<frmLogin>();
    EXPECT_EQ(modSetup.LoginAccepted, kFalse) << "each showing starts afresh";
    login->show();
    login->txtPassword->setText(kPassword);
    QTest::keyClick(login->txtPassword, Qt::Key_Escape);
    EXPECT_EQ(modSetup.LoginAccepted, kFalse);
    EXPECT_EQ(forms::loaded<frmLogin>(), nullptr);
}

TEST_F(LoginTest, ClosingTheWindowRefusesTheLogin)
{
    login->show();
    login->txtPassword->setText(kPassword);
    login->close();
    EXPECT_EQ(modSetup.LoginAccepted, kFalse);
    EXPECT_EQ(forms::loaded<frmLogin>(), nullptr);
}
