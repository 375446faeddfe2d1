#include "core/coreservices.h"
#include "core/forms/registercore.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "core/userrecord.h"
#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/forms/frmResult.h"
#include "mainwindow/forms/frmSpecQHelp.h"
#include "mainwindow/forms/registermainwindow.h"
#include "platform/filedialog.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/helpviewer.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"
#include "tests/mainwindow/fixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace orv;

namespace {

class MainWindowForms : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    ModOrvan& m = modOrvan;
    frmOVMain* main = nullptr;

    void SetUp() override
    {
        registerMainwindowForms();
        frmOVMain::unknownFileReader() = [] { return true; }; // the fixture is already in the state
        mwtest::applyDefaultSettings(m);
        m.TestsAllowed = m.DerivsAllowed = kTrue;
        mwtest::deriveAnyFlags(m);
        mwtest::loadButanone(m);
        m.ProgramPath = folder.path();
        m.SessionNumber = 1;
    }
    void TearDown() override
    {
        forms::unloadAll();
        if (auto* v = currentHelpViewer())
            v->close();
        setFileDialogPresenter({});
    }
    frmOVMain* loadMain()
    {
        main = forms::instance<frmOVMain>();
        forms::showModeless(main);
        return main;
    }
    // Clicks a menu entry whose result window opens modally; `inspect`
    // runs while it is open, then Continue closes it.
    void clickWithResult(const QString& name, int index, const std::function<void(frmResult*)>& inspect)
    {
        bool seen = false;
        orvtest::later([&] {
            auto* r = forms::loaded<frmResult>();
            ASSERT_NE(r, nullptr) << "no result window for " << name.toStdString() << ' ' << index;
            seen = true;
            inspect(r);
            r->cmdResultOk->click();
        });
        main->clickMenu(name, index);
        EXPECT_TRUE(seen) << name.toStdString() << ' ' << index;
    }
};

} // namespace

TEST_F(MainWindowForms, LoadSetsCaptionMenusAndStatusBar)
{
    m.ItemsRevealed[2] = kTrue;
    loadMain();
    EXPECT_EQ(main->windowTitle(), "Orvanto assigns you unknown 12, a colourless liquid with a sweet smell");
    EXPECT_EQ(main->statusPanel(1), "1 item revealed");
    EXPECT_EQ(main->statusPanel(2), "");
    EXPECT_EQ(main->statusPanel(4), "session 1");
    EXPECT_EQ(m.QuitReason, "Save");
    EXPECT_EQ(m.DataSaved, kFalse);
    // Within a pixel of the designed size.
    EXPECT_NEAR(formRectTwips(main).width(), 9400, 15);
    EXPECT_NEAR(formRectTwips(main).height(), 6800 + 2 * CaptionExtraTwips(), 15);

    EXPECT_TRUE(main->menuAction("mnuChemTests")->isVisible());
    EXPECT_FALSE(main->menuAction("mnuNextUser")->isVisible());
    EXPECT_EQ(main->menuAction("mnuPhysPropItem", 2)->text(), "Me&lting point");
    EXPECT_EQ(main->menuAction("mnuPhysPropItem", 5)->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_TRUE(main->menuAction("mnuPhysPropItem", 4)->isSeparator());

    // The core's later writes reach the window.
    setStatusPanel(2, QStringLiteral("an aliphatic ketone "));
    EXPECT_EQ(main->statusPanel(2), "an aliphatic ketone ");
    setMainCaption(QStringLiteral("Orvanto assigns you unknown 13, x"));
    EXPECT_EQ(main->windowTitle(), "Orvanto assigns you unknown 13, x");
}

TEST_F(MainWindowForms, CoreWritesBringUpTheMainWindowOnce)
{
    ASSERT_EQ(forms::find(forms::names::frmOVMain), nullptr);
    setMainCaption(QStringLiteral("Orvanto assigns you unknown 12, a colourless liquid with a sweet smell"));
    auto* w = forms::loaded<frmOVMain>();
    ASSERT_NE(w, nullptr) << "the caption write loads the window";
    EXPECT_FALSE(w->isVisible()) << "loaded, not shown";
    setStatusPanel(4, QStringLiteral("session 3"));
    EXPECT_EQ(forms::loaded<frmOVMain>(), w);
    EXPECT_EQ(w->statusPanel(4), "session 3");
    EXPECT_EQ(forms::loadedForms().size(), 1);
}

TEST_F(MainWindowForms, KeysOfAHiddenMenuDoNothing)
{
    m.AnyCalcAllowed = kFalse; // the single calculator switches stay on
    loadMain();
    EXPECT_FALSE(main->menuAction("mnutools")->isVisible());
    EXPECT_TRUE(main->menuAction("mmnuToolsItem", 0)->shortcut().isEmpty());
    EXPECT_EQ(main->menuAction("mnuPhysPropItem", 8)->shortcut(), QKeySequence("Ctrl+P"));
}

TEST_F(MainWindowForms, RevealingAPropertyShowsItsResultAndPrecludes)
{
    loadMain();
    clickWithResult("mnuPhysPropItem", 0, [&](frmResult* r) {
        EXPECT_EQ(r->windowTitle(), "Elemental analysis result");
        EXPECT_EQ(r->txtResult->toPlainText(), m.UnkItemTitle[1]);
        EXPECT_FALSE(r->txtResultHelp->isVisible());
        EXPECT_TRUE(r->cmdResultHelp->isEnabled());
        EXPECT_EQ(main->statusPanel(1), "1 item revealed") << "the result window recounts on load";
        const QRect mainTw = formRectTwips(main), tw = formRectTwips(r);
        EXPECT_NEAR(tw.y(), mainTw.y() + 2100, 15);
        EXPECT_NEAR(tw.width(), 6500, 15);
        r->cmdResultHelp->click();
        EXPECT_TRUE(r->txtResultHelp->isVisible());
        EXPECT_FALSE(r->cmdResultHelp->isVisible());
        EXPECT_NEAR(formRectTwips(r).height(), 3200 + CaptionExtraTwips(), 15);
        EXPECT_TRUE(r->txtResultHelp->toPlainText().endsWith(m.UnkItemHelp[1]));
    });
    EXPECT_EQ(m.ItemsRevealed[1], kTrue);
    EXPECT_EQ(m.ItemHelpShown[1], kTrue);
    for (int p : {14, 20, 29, 30})
        EXPECT_EQ(m.ItemPrecluded[p], kTrue) << p;
    EXPECT_EQ(m.DataSaved, kFalse);
}

TEST_F(MainWindowForms, PrecludedTestShowsTheNoticeAndCountsEachAsk)
{
    loadMain();
    main->clickMenu("mnuPhysPropItem", 6); // infrared: its viewer is not part of this test program
    EXPECT_EQ(m.ItemsRevealed[6], kTrue);
    EXPECT_EQ(m.ItemPrecluded[13], kTrue);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        clickWithResult("mnuCtestItem", 0, [&](frmResult* r) {
            EXPECT_EQ(r->windowTitle(), "Acetyl chloride reaction result");
            EXPECT_EQ(r->txtResult->toPlainText(), "This is precluded by information that you already have.");
            r->cmdResultHelp->click();
            EXPECT_TRUE(r->txtResultHelp->toPlainText().endsWith(
                "It has been precluded by the following item:\nInfra red spectrum - no NH or OH present."));
        });
        EXPECT_EQ(m.PrecludedTries, attempt);
    }
    EXPECT_EQ(m.ItemsRevealed[13], kFalse);
    EXPECT_EQ(main->statusPanel(1), "1 item revealed");

    clickWithResult("mnuCtestItem", 5, [&](frmResult* r) { // 2,4-DNP: not precluded
        EXPECT_EQ(r->txtResult->toPlainText(), m.UnkItemTitle[18]);
    });
    EXPECT_EQ(main->statusPanel(1), "2 items revealed");
}

TEST_F(MainWindowForms, UnsuitableDerivativeCountedOnce)
{
    loadMain();
    for (int k = 0; k < 2; ++k)
        clickWithResult("mnuDerivItem", 8, [&](frmResult* r) {
            EXPECT_EQ(r->windowTitle(), "3,5-Dinitrobenzoate  result");
            EXPECT_EQ(r->txtResult->toPlainText(), m.UnkItemTitle[43]);
        });
    EXPECT_EQ(m.UnsuitableDerivs, 1);
    EXPECT_EQ(m.ItemsRevealed[43], kTrue);
}

TEST_F(MainWindowForms, HelpButtonGreyedWhenHelpIsNotAllowed)
{
    m.ItemHelpAllowed = kFalse;
    loadMain();
    clickWithResult("mnuPhysPropItem", 1, [&](frmResult* r) {
        EXPECT_TRUE(r->cmdResultHelp->isVisible());
        EXPECT_FALSE(r->cmdResultHelp->isEnabled());
    });
}

TEST_F(MainWindowForms, ClockCountsEarlierSessions)
{
    m.MinutesUsed = 75;
    loadMain();
    main->TimerOVMain_Timer();
    EXPECT_TRUE(main->statusPanel(3).startsWith("time taken 01:15:0")) << main->statusPanel(3).toStdString();
    EXPECT_EQ(m.StatusPanelText[3], main->statusPanel(3));
}

TEST_F(MainWindowForms, QuickHelpMarksTheHelpSeenWhenItCloses)
{
    loadMain();
    m.CurrentItem = 8;
    m.UnkItemHelp[8] = QString();
    auto* q = qobject_cast<frmSpecQHelp*>(forms::load(forms::names::frmSpecQHelp));
    ASSERT_NE(q, nullptr);
    q->setWindowTitle("Pmr spectrum quick help");
    q->txtQHelp->setPlainText(m.UnkItemHelp[8]);
    EXPECT_TRUE(q->txtQHelp->isReadOnly());
    const QRect mainTw = formRectTwips(main), tw = formRectTwips(q);
    EXPECT_NEAR(tw.width(), 6500, 15);
    EXPECT_NEAR(tw.y(), mainTw.y() + (mainTw.height() - tw.height()) / 1.5, 30);
    orvtest::later([q] { q->cmdQHelpOk->click(); });
    forms::showModal(q);
    EXPECT_EQ(m.ItemHelpShown[8], kTrue) << "an empty help still counts as seen";
    EXPECT_EQ(forms::find(forms::names::frmSpecQHelp), nullptr);
}

TEST_F(MainWindowForms, LeavingWithoutSavingRemembersThePlace)
{
    m.MultipleSessionsAllowed = kFalse;
    loadMain();
    EXPECT_EQ(m.QuitReason, "NoSave");
    EXPECT_TRUE(main->menuAction("mnuExit")->isVisible());
    const QRect tw = formRectTwips(main);
    main->clickMenu("mnuNextUser");
    EXPECT_EQ(m.QuitReason, "NoSaveNext");
    EXPECT_EQ(forms::find(forms::names::frmOVMain), nullptr);
    EXPECT_EQ(m.MainWindowWidth, tw.width());
    EXPECT_EQ(m.MainWindowTop, tw.y());
}

TEST_F(MainWindowForms, SoundEntryFlipsTheSwitch)
{
    m.SoundAllowed = kTrue;
    m.SoundOn = kTrue;
    loadMain();
    QAction* sound = main->menuAction("mnuSound");
    ASSERT_TRUE(sound->isVisible());
    EXPECT_TRUE(sound->isChecked());
    main->clickMenu("mnuSound");
    EXPECT_EQ(m.SoundOn, kFalse);
    EXPECT_FALSE(sound->isChecked());
    main->clickMenu("mnuSound");
    EXPECT_EQ(m.SoundOn, kTrue);
    EXPECT_TRUE(sound->isChecked());
}

TEST_F(MainWindowForms, InstructorModeSavesNothing)
{
    m.InstructorMode = kTrue;
    int asked = 0;
    setFileDialogPresenter([&](const FileDialogRequest&) {
        ++asked;
        return QString();
    });
    loadMain();
    main->WriteUserData();
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(m.UserFilePath.isEmpty());
    EXPECT_EQ(m.DataSaved, kFalse);
}

TEST_F(MainWindowForms, F1OnAHighlightedEntryOpensItsTopic)
{
    loadMain();
    const struct {
        const char* menu;
        const char* name;
        int index;
        int topic;
    } cases[] = {
        {"mnuDerivs", "mnuDerivItem", 2, 215},
        {"mnuPhysProp", "mnuPhysPropItem", 6, 755},
        {"mnuname", "mnuNameItem", 0, 500},   // no topic of its own: the menu's
        {"mnuHelp", "mnuHelpGroup1", 0, 715}, // Contents: about the Help menu, not the list
    };
    for (const auto& c : cases) {
        auto* menu = main->findChild<QMenu*>(c.menu);
        ASSERT_NE(menu, nullptr) << c.menu;
        menu->popup(QPoint(0, 0));
        menu->setActiveAction(main->menuAction(c.name, c.index));
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(menu, &f1);
        ASSERT_NE(currentHelpViewer(), nullptr) << c.name;
        EXPECT_EQ(currentHelpViewer()->topic(), c.topic) << c.name << ' ' << c.index;
        EXPECT_FALSE(menu->isVisible());
    }
}

TEST_F(MainWindowForms, F1InTheWindowOpensTheHelpContents)
{
    loadMain();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QTest::keyClick(main, Qt::Key_F1);
    HelpViewer* v = currentHelpViewer();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_TRUE(v->showingContents());
    EXPECT_TRUE(v->shownText().startsWith(QStringLiteral("How to use Orvanto\n"))) << v->shownText().toStdString();
}

TEST_F(MainWindowForms, SaveNamesANewUserFileOnce)
{
    std::vector<QString> answers = {QDir(folder.path()).filePath("users/old.ovg"),
                                    QDir(folder.path()).filePath("users/fred.txt")};
    QFile existing(folder.file("users/old.ovg"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    int asked = 0;
    setFileDialogPresenter([&](const FileDialogRequest& r) {
        EXPECT_TRUE(r.save);
        EXPECT_EQ(r.title, "Save details of progress?");
        EXPECT_EQ(r.initialDir, QDir(folder.path()).filePath("users"));
        return answers.at(asked++);
    });
    m.PasswordRequired = kFalse; // no password windows here to give one
    loadMain();
    main->clickMenu("mnuSaveCont");
    EXPECT_EQ(asked, 2);
    ASSERT_EQ(orvtest::msgLog().shown.size(), 2u);
    EXPECT_EQ(orvtest::msgLog().shown[0].prompt, "File already exists, do not use.");
    EXPECT_EQ(orvtest::msgLog().shown[1].prompt, "File name changed to fred.ovg");
    EXPECT_EQ(m.UserFilePath, QDir(folder.path()).filePath("users/fred.ovg"));
    EXPECT_EQ(m.DataSaved, kTrue);
    main->clickMenu("mnuSaveCont");
    EXPECT_EQ(asked, 2) << "the file is named only once";
}

namespace {

// A student on the real unknown 12 (its data file and the solved example's
// copied from the built program folder) with a saved user file kim.ovg.
class LeavingForms : public MainWindowForms {
protected:
    QString path = folder.file("users/kim.ovg");
    void SetUp() override
    {
        MainWindowForms::SetUp();
        registerCoreForms();
        for (int n : {0, 12})
            ASSERT_TRUE(folder.shipUnknown(n)) << n;
        m.MultipleSessionsAllowed = kTrue;
        m.PasswordRequired = kFalse;
        m.AllocatedUnknowns.clear(); // the last allocated unknown
        m.ProgramChoosesUnknowns = kFalse;
        ASSERT_TRUE(ReadUnknownFile());
        m.ItemsRevealed[1] = m.ItemsRevealed[4] = kTrue;
        m.UserFilePath = path;
        ASSERT_TRUE(WriteUserFile());
        loadMain();
        m.ItemsRevealed[3] = kTrue; // unsaved work
    }
    void startExample()
    {
        main->clickMenu("mnuHelpGroup4", 0);
        ASSERT_EQ(m.ExampleMode, kTrue);
        EXPECT_FALSE(main->menuAction("mnuSaveQuit")->isVisible());
        m.ItemsRevealed[2] = kTrue;
    }
    UserRecord saved() const { return orvtest::userFileRecord(path); }
    bool left() const { return forms::find(forms::names::frmOVMain) == nullptr; }
    QString quitCaption() const
    {
        QWidget* q = forms::find(forms::names::frmQuit);
        return q ? q->windowTitle() : QString();
    }
};

} // namespace

// "Save and quit", "Save and next user" and the close box after a failed
// save: the student stays in the main window with the work; with room again
// the same way out saves and leaves.
TEST_F(LeavingForms, FailedSaveKeepsTheMainWindow)
{
    const QByteArray before = readFileBytes(path).value();
    {
        orvtest::WriteLimit full(5);
        main->clickMenu("mnuSaveQuit");
        EXPECT_FALSE(left());
        EXPECT_EQ(forms::find(forms::names::frmQuit), nullptr);
        main->clickMenu("mnuSaveNext");
        EXPECT_FALSE(left());
        main->close();
        EXPECT_FALSE(left());
    }
    EXPECT_EQ(orvtest::msgLog().shown.size(), 3u);
    EXPECT_EQ(orvtest::msgLog().lastPrompt(),
              "Error writing " + path + ". Information not saved.\r\nNo space left on device.");
    EXPECT_EQ(readFileBytes(path).value(), before);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(m.ItemsRevealed[3], kTrue);
    main->clickMenu("mnuSaveQuit");
    EXPECT_TRUE(left());
    EXPECT_EQ(quitCaption(), "Quitting Orvanto");
    EXPECT_EQ(saved().progress.ItemsRevealed[3], kTrue);
}

// The close box during the example saves the real unknown, as it does
// outside the example; nothing of the example is stored.
TEST_F(LeavingForms, CloseBoxDuringTheExampleSavesTheRealUnknown)
{
    startExample();
    main->close();
    EXPECT_TRUE(left());
    EXPECT_EQ(quitCaption(), "Ready to quit Orvanto?");
    const UserRecord r = saved();
    EXPECT_EQ(r.progress.CurrentUnknown, 12);
    EXPECT_EQ(r.progress.ItemsRevealed[3], kTrue);
    EXPECT_EQ(r.progress.ItemsRevealed[2], kFalse);
    EXPECT_EQ(m.ExampleMode, kFalse);
}

// "End now" during the example asks first when the real unknown has unsaved
// work; a failed save keeps the student, with the menus of the real unknown.
TEST_F(LeavingForms, EndNowDuringTheExampleAsksFirst)
{
    startExample();
    orvtest::msgLog().answers = {MsgResult::Yes};
    {
        orvtest::WriteLimit full(5);
        main->clickMenu("mnuExit");
    }
    EXPECT_FALSE(left());
    EXPECT_EQ(orvtest::msgLog().shown.at(0).prompt,
              "Your work on your own unknown has not been saved. Save it before leaving?");
    EXPECT_EQ(m.ExampleMode, kFalse);
    EXPECT_EQ(m.CurrentUnknown, 12);
    EXPECT_TRUE(main->menuAction("mnuSaveQuit")->isVisible());
    EXPECT_FALSE(main->menuAction("mnuExit")->isVisible());
    EXPECT_EQ(saved().progress.ItemsRevealed[3], kFalse) << "not saved yet";

    startExample();
    orvtest::msgLog().shown.clear();
    orvtest::msgLog().answers = {MsgResult::No};
    main->clickMenu("mnuExit");
    EXPECT_TRUE(left());
    EXPECT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(quitCaption(), "Quitting Orvanto");
    EXPECT_EQ(saved().progress.ItemsRevealed[3], kFalse) << "the student chose not to save";
}
