// The keyboard in the sign-in and welcome windows: Enter presses the one
// obvious Continue, Escape closes the windows whose Continue only closes
// them, and F1 opens the help that the new-user window points to.
#include "core/forms/registercore.h"
#include "core/forms/signinwindows.h"
#include "core/forms/welcomewindows.h"
#include "core/modorvan.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/helpviewer.h"
#include "tests/common/testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace orv;

namespace {

struct WindowKeys : ::testing::Test {
    orvtest::ProgramFolder folder;
    void SetUp() override
    {
        registerCoreForms();
        modOrvan.MultipleSessionsAllowed = kTrue;
    }
    void TearDown() override
    {
        orvtest::clearRandom();
        if (HelpViewer* v = currentHelpViewer())
            v->close();
        forms::unloadAll();
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(WindowKeys, EachSignInChoiceHasContinueAsItsDefault)
{
    auto* progm = forms::instance<frmUnkProgm>();
    EXPECT_EQ(defaultButton(progm), progm->cmdUserData);
    // Choosing is not cancelling: Escape does not sign in.
    EXPECT_EQ(cancelButton(progm), nullptr);
    auto* teach = forms::instance<frmUnkTeach>();
    EXPECT_EQ(defaultButton(teach), teach->cmdUserData[0]);
    EXPECT_EQ(cancelButton(teach), nullptr) << "Escape does not quit the program";
}

TEST_F(WindowKeys, EnterAndEscapeCloseTheWelcomeWindows)
{
    orvtest::scriptRandom({0.1, 0.2, 0.3, 0.4, 0.5, 0.6});
    const struct {
        const char* form;
        Qt::Key key;
    } cases[] = {
        {"frmNewUser", Qt::Key_Return}, {"frmNewUser", Qt::Key_Escape}, {"frmOldUser", Qt::Key_Enter},
        {"frmOldUser", Qt::Key_Escape}, {"frmTips", Qt::Key_Return},    {"frmTips", Qt::Key_Escape},
    };
    for (const auto& c : cases) {
        QWidget* w = forms::load(orvtest::form(QString::fromLatin1(c.form)));
        ASSERT_TRUE(w) << c.form;
        w->show();
        // The text boxes have the focus where there are any: the key comes up
        // from them unused.
        QWidget* from = w->focusWidget() ? w->focusWidget() : w;
        QTest::keyClick(from, c.key);
        QApplication::processEvents();
        EXPECT_EQ(forms::find(orvtest::form(QString::fromLatin1(c.form))), nullptr) << c.form << ' ' << int(c.key);
    }
}

TEST_F(WindowKeys, F1InTheNewUserWindowOpensTheHelpItNames)
{
    auto* w = forms::instance<frmNewUser>();
    ASSERT_TRUE(w->lblNewUser->text().contains(QStringLiteral("press the F1 key")));
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_F1);
    HelpViewer* v = currentHelpViewer();
    ASSERT_TRUE(v);
    EXPECT_TRUE(v->isVisible());
    EXPECT_TRUE(v->showingContents());
    // Every topic the text names is in the contents, whence it opens.
    const QStringList contents = v->shownText().split(u'\n');
    for (const char* title : {"How to use Orvanto", "Why use Orvanto", "Strategy background", "Strategy summary"}) {
        EXPECT_TRUE(w->lblNewUser->text().contains(QStringLiteral("\n") + QString(39, u' ') + title)) << title;
        EXPECT_TRUE(contents.contains(QString::fromUtf8(title))) << title;
    }
    EXPECT_NE(forms::find(forms::names::frmNewUser), nullptr) << "the welcome stays open beside the help";
}
