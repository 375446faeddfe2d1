// The password windows: the steps of a new password and of a password test,
// the key filter, and the windows as the user-file routines show them.
#include "core/forms/frmNewPassword.h"
#include "core/forms/frmTestPassword.h"
#include "core/forms/passwordbox.h"
#include "core/forms/registercore.h"
#include "core/modorvan.h"
#include "core/passwordentry.h"
#include "core/userfile.h"
#include "platform/forms/formregistry.h"
#include "platform/twips.h"
#include "tests/common/testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace orv;

namespace {

const QString kTooShort = "Password is too short. Use a word containing from 6 to 20 characters.";
const QString kTooLong = "Password is too long. Use a word containing from 6 to 20 characters.";
const QString kReenter = "Re-enter password.";
const QString kIncorrect = "Incorrect password.";
const QString kStartAgain =
    "Start again. Supply a password to protect your information. Use a word containing from 6 to 20 characters.";
const QString kTryAgain = "Incorrect. Try again to supply your password.";

class PasswordTest : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    ModOrvan& m = modOrvan;
    void TearDown() override
    {
        forms::unloadAll();
        setPasswordWindows({});
    }
};

// Types into a box and presses Enter, as the student would.
void typeAndEnter(QLineEdit* box, const QString& text)
{
    box->clear();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

// A key press carrying the character the keyboard would send.
void sendCharacter(QWidget* w, int key, Qt::KeyboardModifiers mods, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
}

} // namespace

TEST_F(PasswordTest, NewPasswordSteps)
{
    // Each row: typed text, then the label, its width (0 unchanged), and
    // whether the window closes.
    struct Row {
        QString typed;
        QString label;
        int width;
        bool closes;
    };
    const std::vector<Row> rows = {
        {"abcde", kTooShort, 3300, false},
        {"abcdefghijklmnopqrstu", kTooLong, 3300, false},
        {"Secret", kReenter, 3300, false},
        {"secret", kIncorrect, 3300, false}, // letter case counts
        {"Secre", kIncorrect, 3300, false},
        {"", kIncorrect, 3300, false},
        {"Secrets", kStartAgain, 4200, false}, // fourth wrong confirmation
        {"Secret", kReenter, 3300, false},     // a fresh pair works
        {"Secret", "", 0, true},
    };
    m.Password = "previous";
    NewPasswordEntry entry;
    for (size_t i = 0; i < rows.size(); ++i) {
        const PasswordStep step = entry.onContinue(rows[i].typed, m);
        EXPECT_EQ(step.label, rows[i].label) << "row " << i;
        EXPECT_EQ(step.labelWidthTw, rows[i].width) << "row " << i;
        EXPECT_EQ(step.closes, rows[i].closes) << "row " << i;
        if (!step.closes) {
            EXPECT_TRUE(step.clearBox) << "row " << i;
            EXPECT_EQ(m.Password, "previous") << "row " << i << ": nothing is committed before confirmation";
            EXPECT_EQ(m.PasswordVerified, kFalse) << "row " << i;
        }
    }
    EXPECT_EQ(m.Password, "Secret");
    EXPECT_EQ(m.PasswordVerified, kTrue);
}

TEST_F(PasswordTest, NewPasswordLengthsSixAndTwentyAccepted)
{
    for (const QString& p : {QString("sixsix"), QString(20, u'x'), QString("with blank")}) {
        NewPasswordEntry entry;
        EXPECT_EQ(entry.onContinue(p, m).label, kReenter) << p.toStdString();
        EXPECT_TRUE(entry.onContinue(p, m).closes) << p.toStdString();
        EXPECT_EQ(m.Password, p);
    }
}

TEST_F(PasswordTest, TestPasswordSteps)
{
    struct Case {
        const char* name;
        QStringList typed;
        bool verified;
        QString lastLabel;
        bool closed;
    };
    const Case cases[] = {
        {"right at once", {"letmein"}, true, "", true},
        {"right at the third try", {"x", "LETMEIN", "letmein"}, true, "", true},
        {"three wrong", {"a", "b", "c"}, false, kTryAgain, false},
        {"fourth press, even right", {"a", "b", "c", "letmein"}, false, "Too many guesses!", false},
        {"fifth press closes", {"a", "b", "c", "", ""}, false, "", true},
    };
    for (const auto& c : cases) {
        m.Password = "letmein";
        m.PasswordVerified = kFalse;
        TestPasswordEntry entry;
        PasswordStep step;
        QString label;
        for (const QString& t : c.typed) {
            step = entry.onContinue(t, m);
            if (!step.label.isEmpty())
                label = step.label;
        }
        EXPECT_EQ(m.PasswordVerified, vb(c.verified)) << c.name;
        EXPECT_EQ(step.closes, c.closed) << c.name;
        if (!c.closed) {
            EXPECT_EQ(label, c.lastLabel) << c.name;
        }
    }
}

TEST_F(PasswordTest, KeyFilterByCharacterCode)
{
    for (int code = 0; code <= 255; ++code) {
        PasswordKey expected = PasswordKey::Take;
        if (code == 13)
            expected = PasswordKey::Continue;
        else if ((code >= 1 && code <= 7) || (code >= 9 && code <= 31) || code > 126)
            expected = PasswordKey::Refuse;
        EXPECT_EQ(passwordKeyAction(code), expected) << "code " << code;
    }
}

TEST_F(PasswordTest, NewPasswordWindowSequence)
{
    m.Password = "oldpassword";
    auto* w = forms::instance<frmNewPassword>();
    w->setupForUserFile("Password now required");
    w->show();
    EXPECT_EQ(w->windowTitle(), "Password now required");
    EXPECT_FALSE(w->cmdNPwordCancel->isVisible());
    EXPECT_EQ(w->cmdNewPassword->geometry(), QRect(px(2750), px(1250), px(1000), px(490)));
    EXPECT_EQ(w->lblNewPassword->text(),
              "Supply a password to protect your information. Use a word containing from 6 to 20 characters.");

    QLineEdit* box = w->txtNewPassword;
    typeAndEnter(box, "short");
    EXPECT_EQ(w->lblNewPassword->text(), kTooShort);
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_EQ(w->lblNewPassword->width(), px(3300));

    typeAndEnter(box, "pass word");
    EXPECT_EQ(w->lblNewPassword->text(), kReenter);
    for (int k = 0; k < 3; ++k) {
        typeAndEnter(box, "Pass word");
        EXPECT_EQ(w->lblNewPassword->text(), kIncorrect) << k;
    }
    typeAndEnter(box, "pass wordx");
    EXPECT_EQ(w->lblNewPassword->text(), kStartAgain);
    EXPECT_EQ(w->lblNewPassword->width(), px(4200));
    EXPECT_EQ(m.Password, "oldpassword");

    typeAndEnter(box, "another1");
    typeAndEnter(box, "another1");
    EXPECT_EQ(m.Password, "another1");
    EXPECT_EQ(m.PasswordVerified, kTrue);
    EXPECT_EQ(forms::find(forms::names::frmNewPassword), nullptr) << "the window unloads";
}

TEST_F(PasswordTest, CancelKeepsThePasswordBefore)
{
    m.Password = "oldpassword";
    auto* w = forms::instance<frmNewPassword>();
    w->setupForChange();
    w->show();
    EXPECT_EQ(w->windowTitle(), "Change password");
    EXPECT_TRUE(w->cmdNPwordCancel->isVisible());
    EXPECT_EQ(w->cmdNewPassword->geometry(), QRect(px(4050), px(1250), px(1000), px(490)));
    EXPECT_EQ(w->cmdNPwordCancel->geometry(), QRect(px(1450), px(1250), px(1000), px(490)));
    typeAndEnter(w->txtNewPassword, "newpassword");
    w->cmdNPwordCancel->click();
    EXPECT_EQ(forms::find(forms::names::frmNewPassword), nullptr);
    EXPECT_EQ(m.Password, "oldpassword");
    EXPECT_EQ(m.PasswordVerified, kFalse);
}

TEST_F(PasswordTest, EscapeIsCancelWhereTheWindowShowsOne)
{
    m.Password = "oldpassword";
    auto* w = forms::instance<frmNewPassword>();
    w->setupForChange();
    w->show();
    w->txtNewPassword->setFocus();
    QTest::keyClicks(w->txtNewPassword, "newpass");
    QTest::keyClick(w->txtNewPassword, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(forms::find(forms::names::frmNewPassword), nullptr);
    EXPECT_EQ(m.Password, "oldpassword");
}

TEST_F(PasswordTest, BoxRefusesWhatTheFileCannotHold)
{
    // Without a Cancel button (a new user file's password) Escape is one
    // more refused character.
    auto* w = forms::instance<frmNewPassword>();
    w->setupForUserFile(QStringLiteral("New password"));
    w->show();
    QLineEdit* box = w->txtNewPassword;
    box->setFocus();
    QTest::keyClicks(box, "ab c");
    // Tab and Shift+Tab move the focus as in any box, typing nothing.
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), w->cmdNewPassword) << "Tab moves on to Continue";
    QTest::keyClick(w->cmdNewPassword, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w->focusWidget(), box) << "Shift+Tab comes back";
    QTest::keyClick(box, Qt::Key_Escape);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    sendCharacter(box, Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)));
    sendCharacter(box, Qt::Key_V, Qt::ControlModifier, QString(QChar(22))); // Ctrl+V as the keyboard sends it
    EXPECT_EQ(box->text(), "ab c");
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "ab ");
    EXPECT_EQ(box->maxLength(), 20);
    EXPECT_EQ(box->echoMode(), QLineEdit::Password);

    // Pasted text is held to the same characters.
    QApplication::clipboard()->setText(QStringLiteral("x\ty"));
    box->paste();
    EXPECT_EQ(box->text(), "ab ");
    QApplication::clipboard()->setText(QStringLiteral("xyz"));
    box->paste();
    EXPECT_EQ(box->text(), "ab xyz");
}

TEST_F(PasswordTest, TestPasswordWindowSequence)
{
    m.Password = "letmein";
    m.PasswordVerified = kTrue;
    auto* w = forms::instance<frmTestPassword>();
    EXPECT_EQ(m.PasswordVerified, kFalse) << "cleared when the window loads";
    w->show();
    EXPECT_EQ(w->lblTestPassword->text(), "Supply your password.");
    EXPECT_EQ(w->cmdTestPassword->geometry(), QRect(px(2750), px(1250), px(1000), px(490)));
    for (const char* wrong : {"letmeIn", "", "let me in"}) {
        typeAndEnter(w->txtTestPassword, wrong);
        EXPECT_EQ(w->lblTestPassword->text(), kTryAgain);
        EXPECT_TRUE(w->txtTestPassword->text().isEmpty());
    }
    typeAndEnter(w->txtTestPassword, "letmein");
    EXPECT_EQ(w->lblTestPassword->text(), "Too many guesses!");
    EXPECT_FALSE(w->txtTestPassword->isVisible());
    EXPECT_EQ(m.PasswordVerified, kFalse);
    // With the box gone, Continue holds the focus and Enter presses it.
    EXPECT_EQ(w->focusWidget(), w->cmdTestPassword);
    QTest::keyClick(w->cmdTestPassword, Qt::Key_Return);
    EXPECT_EQ(forms::find(forms::names::frmTestPassword), nullptr);
    EXPECT_EQ(m.PasswordVerified, kFalse);
}

// Tab goes between the box and Continue only: the Cancel below the visible
// area takes no turn, so the focus is always on something the student sees.
TEST_F(PasswordTest, TabInThePasswordTestStaysOnScreen)
{
    auto* w = forms::instance<frmTestPassword>();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    ASSERT_EQ(QApplication::focusWidget(), w->txtTestPassword);
    for (QWidget* next : {static_cast<QWidget*>(w->cmdTestPassword), static_cast<QWidget*>(w->txtTestPassword),
                          static_cast<QWidget*>(w->cmdTestPassword)}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), next)
            << (QApplication::focusWidget() ? qPrintable(QApplication::focusWidget()->objectName()) : "none");
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), w->txtTestPassword);
    EXPECT_FALSE(w->rect().intersects(w->cmdTPwordCancel->geometry())) << "the Cancel is out of sight";
}

TEST_F(PasswordTest, UserFileShowsTheWindowsModally)
{
    registerCoreForms();
    m.UserFilePath = folder.file("users/bo.ovg");
    m.PasswordRequired = kTrue;
    m.MultipleSessionsAllowed = kTrue;
    m.CurrentUnknown = 9;

    // Saving without a password: the new-password window comes first.
    QString caption;
    bool cancelShown = true;
    orvtest::later([&] {
        auto* w = forms::loaded<frmNewPassword>();
        ASSERT_NE(w, nullptr);
        caption = w->windowTitle();
        cancelShown = w->cmdNPwordCancel->isVisible();
        typeAndEnter(w->txtNewPassword, "bo-secret");
        typeAndEnter(w->txtNewPassword, "bo-secret");
    });
    ASSERT_TRUE(WriteUserFile());
    EXPECT_EQ(caption, "Password required for new user");
    EXPECT_FALSE(cancelShown);

    // Reading it back: the test window, right at the second try.
    m.Password.clear();
    orvtest::later([&] {
        auto* w = forms::loaded<frmTestPassword>();
        ASSERT_NE(w, nullptr);
        caption = w->windowTitle();
        typeAndEnter(w->txtTestPassword, "wrong-one");
        typeAndEnter(w->txtTestPassword, "bo-secret");
    });
    ASSERT_TRUE(ReadUserFile());
    EXPECT_EQ(caption, "Password required");
    EXPECT_EQ(m.PasswordVerified, kTrue);
    EXPECT_EQ(m.CurrentUnknown, 9);
}
