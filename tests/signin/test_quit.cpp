#include "core/forms/frmQuit.h"
#include "core/forms/registercore.h"
#include "core/modorvan.h"
#include "core/quitlayout.h"
#include "platform/forms/formregistry.h"
#include "tests/common/testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace orv;

namespace {
struct QuitCase {
    const char* reason;
    const char* caption;
    bool exit;
    const char* exitCaption;
    bool restart;
    const char* restartCaption;
};
}

TEST(QuitWindow, CaptionAndButtonsByReason)
{
    const QuitCase cases[] = {
        {"AnotherUser", "Getting ready for another user", false, "", true, "&Continue"},
        {"NoSaveNext", "Getting ready for another user", false, "", true, "&Continue"},
        {"QuitNow", "Quitting Orvanto", true, "&End now", false, ""},
        {"NoSaveExit", "Quitting Orvanto", true, "&End now", false, ""},
        {"Save", "Ready to quit Orvanto?", true, "&Exit", true, "&Restart for new user"},
        {"NoSave", "Ready to quit Orvanto?", true, "&Exit", true, "&Restart for new user"},
        {"AllDone", "Ready to quit Orvanto?", true, "&Exit", true, "&Restart for new user"},
        {"SecretAllocate", "Ready to quit Orvanto?", true, "&Exit", true, "&Restart for new user"},
        {"", "Ready to quit Orvanto?", true, "&Exit", true, "&Restart for new user"},
    };
    for (const QuitCase& c : cases) {
        ModOrvan m;
        m.QuitReason = QString::fromLatin1(c.reason);
        const QuitLayout q = quitLayout(m);
        SCOPED_TRACE(c.reason);
        EXPECT_EQ(q.caption, QString::fromLatin1(c.caption));
        EXPECT_EQ(q.exit.visible, c.exit);
        EXPECT_EQ(q.restart.visible, c.restart);
        if (c.exit) {
            EXPECT_EQ(q.exit.caption, QString::fromLatin1(c.exitCaption));
        }
        if (c.restart) {
            EXPECT_EQ(q.restart.caption, QString::fromLatin1(c.restartCaption));
        }
        EXPECT_FALSE(q.summary.visible);
    }
    ModOrvan m;
    m.QuitReason = "Save";
    QuitLayout q = quitLayout(m);
    EXPECT_EQ(q.exit.width, 1700);
    EXPECT_EQ(q.exit.left, 6500 / 2 + 250);
    EXPECT_EQ(q.restart.left, 6500 / 2 - 1950);
    m.QuitReason = "QuitNow";
    q = quitLayout(m);
    EXPECT_EQ(q.exit.left, (6500 - 1000) / 2);
    EXPECT_EQ(q.exit.toolTip, "Click here to quit Orvanto");
}

TEST(QuitWindow, TextsByState)
{
    ModOrvan m;
    EXPECT_EQ(quitText(m), "Goodbye from Orvanto. Come back soon.");
    m.InstructorMode = kTrue;
    EXPECT_EQ(quitText(m), "Goodbye from instructor unknown selection mode.  ");
    m.AllUnknownsDone = kTrue;
    m.QuitReason = "AllDone";
    EXPECT_TRUE(quitText(m).startsWith("All allocated (or all available) unknowns"));
    m.QuitReason = "Save";
    m.ProgramChoosesUnknowns = kTrue;
    const QString chosen = quitText(m);
    EXPECT_TRUE(chosen.startsWith("Congratulations on completing all the available unknowns."));
    EXPECT_EQ(chosen.size(), 192);
    m.ProgramChoosesUnknowns = kFalse;
    const QString allocated = quitText(m);
    EXPECT_TRUE(allocated.startsWith("Congratulations on completing all your allocated  unknowns."));
    EXPECT_EQ(allocated.size(), 194);
    const QuitLayout q = quitLayout(m);
    EXPECT_TRUE(q.summary.visible);
    EXPECT_EQ(q.summary.width, 2800);
    EXPECT_EQ(q.labelWidth, 5300);
}

TEST(QuitWindow, NarrowLabelUpTo180Characters)
{
    ModOrvan m; // goodbye text: 37 characters
    const QString goodbye = quitText(m);
    const struct {
        int length;
        int width;
        int height;
    } cases[] = {
        {180, 4650, static_cast<int>(180 * 4.6 + 120)},
        {181, 5300, static_cast<int>(181 * 3.3 + 120)},
        {400, 5300, 1300}, // 400 x 3.3 + 120 is above the limit
    };
    for (const auto& c : cases) {
        const QString message(c.length - static_cast<int>(goodbye.size()) - 2, u'x');
        const QuitLayout q = quitLayout(m, message);
        ASSERT_EQ(q.text.size(), c.length);
        EXPECT_EQ(q.labelWidth, c.width) << c.length;
        EXPECT_EQ(q.labelHeight, c.height) << c.length;
        EXPECT_EQ(q.labelTop, (1300 - q.labelHeight) / 2 + 20);
    }
}

TEST(QuitWindow, Position)
{
    ModOrvan m;
    m.ScreenTopOffset = 500;
    TwipsPoint p = quitWindowPosition(m, 3000, 19200, 14400);
    EXPECT_EQ(p.top, 2750);
    EXPECT_EQ(p.left, (19200 - 6500) / 2);
    m.MainWindowTop = 1000;
    m.MainWindowLeft = 2000;
    m.MainWindowWidth = 9000;
    p = quitWindowPosition(m, 3000, 19200, 14400);
    EXPECT_EQ(p.top, 3000);
    EXPECT_EQ(p.left, 2000 + (9000 - 6500) / 2);
    m.MainWindowTop = 13000;  // would leave the screen at the bottom
    m.MainWindowLeft = 15000; // and at the right
    p = quitWindowPosition(m, 3000, 19200, 14400);
    EXPECT_EQ(p.top, 14400 - 3000 - 10);
    EXPECT_EQ(p.left, 19200 - 6500 - 10);
    m.MainWindowTop = -5000;
    m.MainWindowLeft = -9000;
    p = quitWindowPosition(m, 3000, 19200, 14400);
    EXPECT_EQ(p.top, 1);
    EXPECT_EQ(p.left, 1);
}

TEST(QuitWindow, MessageIsShownAndRestartPreparesTheNextUser)
{
    orvtest::ProgramFolder folder;
    registerCoreForms();
    modOrvan.QuitReason = "NoSaveNext";
    modOrvan.NameCount = 3;
    frmQuit::setMessage("Error finding file.");
    auto* q = qobject_cast<frmQuit*>(forms::load(forms::names::frmQuit));
    ASSERT_TRUE(q);
    EXPECT_TRUE(q->lblQuit->text().startsWith("Error finding file."));
    EXPECT_TRUE(q->lblQuit->text().endsWith("Goodbye from Orvanto. Come back soon."));
    EXPECT_EQ(q->windowTitle(), "Getting ready for another user");
    EXPECT_FALSE(q->cmdQuitExit->isVisibleTo(q));
    q->cmdQuitRestart_Click();
    EXPECT_EQ(modOrvan.NameCount, 0);
    EXPECT_EQ(modOrvan.SoundOn, kTrue);
    EXPECT_EQ(forms::find(forms::names::frmQuit), nullptr);
    // the next showing is built afresh, without the old message
    auto* again = qobject_cast<frmQuit*>(forms::load(forms::names::frmQuit));
    EXPECT_EQ(again->lblQuit->text(), "Goodbye from Orvanto. Come back soon.");
    forms::unload(again);
}

TEST(QuitWindow, ExitEndsTheProgram)
{
    orvtest::ProgramFolder folder;
    registerCoreForms();
    modOrvan.QuitReason = "QuitNow";
    auto* q = qobject_cast<frmQuit*>(forms::load(forms::names::frmQuit));
    q->cmdQuitExit_Click();
    EXPECT_EQ(orvtest::programEnds(), 1);
    EXPECT_EQ(forms::find(forms::names::frmQuit), nullptr);
}

TEST(QuitWindow, EnterAndEscapePressTheOnlyWayOn)
{
    // "Quitting Orvanto" ends the program, "Getting ready for another user"
    // restarts for the next one; with a choice of two, Escape does nothing.
    struct KeyCase {
        const char* reason;
        Qt::Key key;
        int ends;
        bool restarted;
    };
    const KeyCase cases[] = {
        {"QuitNow", Qt::Key_Return, 1, false},   {"NoSaveExit", Qt::Key_Escape, 1, false},
        {"AnotherUser", Qt::Key_Enter, 0, true}, {"NoSaveNext", Qt::Key_Escape, 0, true},
        {"Save", Qt::Key_Escape, 0, false},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(std::string(c.reason) + (c.key == Qt::Key_Escape ? " Escape" : " Enter"));
        orvtest::ProgramFolder folder;
        registerCoreForms();
        orvtest::programEnds() = 0;
        modOrvan.QuitReason = c.reason;
        auto* q = qobject_cast<frmQuit*>(forms::load(forms::names::frmQuit));
        ASSERT_TRUE(q);
        q->show();
        QTest::keyClick(q, c.key);
        EXPECT_EQ(orvtest::programEnds(), c.ends);
        EXPECT_EQ(forms::find(forms::names::frmInitial) != nullptr, c.restarted);
        forms::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
