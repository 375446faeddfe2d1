#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/programfolder.h"
#include "setup/forms/frmLogin.h"
#include "setup/forms/updown.h"
#include "setup/setupconfig.h"
#include "setup/setupstate.h"
#include "tests/setup/setupfixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace orv;

class WindowTest : public setuptest::SetupWindowTest {
protected:
    void SetUp() override
    {
        SetupWindowTest::SetUp();
        writeIni(setuptest::iniFor(defaultConfigSettings()));
    }
};

TEST_F(WindowTest, StartAsksForTheFileReadsItAndAdmitsTheInstructor)
{
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(dialogs.size(), 1u);
    const FileDialogRequest& d = dialogs[0];
    EXPECT_FALSE(d.save);
    EXPECT_EQ(d.title, "Orvanto setup. Give location of orvanto.ini file.");
    EXPECT_EQ(d.filter, "orvanto.ini|orvanto.ini");
    EXPECT_EQ(d.defaultName, "orvanto.ini");
    EXPECT_TRUE(d.mustExist);
    EXPECT_EQ(QDir(d.initialDir), QDir(programFolder()));
    EXPECT_EQ(w->fileName(), ini);
    EXPECT_EQ(w->windowTitle(), "Orvanto - setup (v 4.40)");
    EXPECT_EQ(modSetup.LoginAccepted, kTrue);
    EXPECT_TRUE(w->frmGeneral->isVisible());
    EXPECT_EQ(w->tspSetup->currentIndex(), 0);
    const QStringList tabs = {"&General", "&Unk Allocation", "&Items allowed", "&Help allowed", "I&D  methods"};
    for (int i = 0; i < tabs.size(); ++i)
        EXPECT_EQ(w->tspSetup->tabText(i), tabs[i]);
}

TEST_F(WindowTest, CancelledDialogEndsTheProgramWithoutLogin)
{
    dialogAnswer.clear();
    EXPECT_EQ(start(), nullptr);
    EXPECT_EQ(prompts(), QStringList{"File opening operation cancelled by user. Program ends."});
    EXPECT_EQ(orvtest::programEnds(), 1);
    EXPECT_EQ(forms::loaded<frmLogin>(), nullptr) << "no login";
}

TEST_F(WindowTest, AFileOfAnotherNameIsRefusedAndLeftAlone)
{
    // The dialog lists only orvanto.ini, but another name can be typed into
    // it; saving would then overwrite that file with the settings.
    const QString other = folder.file(QStringLiteral("unks/ovunkax.txt"));
    const QByteArray data = "colourless crystals\r\nan amide\r\nline 3\r\nline 4\r\n";
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
    f.close();
    dialogAnswer = other;
    EXPECT_EQ(start(), nullptr);
    EXPECT_EQ(prompts(), QStringList{"Only a file named orvanto.ini can be used. Program ends."});
    EXPECT_EQ(orvtest::programEnds(), 1);
    EXPECT_EQ(forms::loaded<frmLogin>(), nullptr) << "no login";
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), data);

    // The name is taken whatever its letter case, as on the instructor's system.
    orvtest::programEnds() = 0;
    orvtest::msgLog().shown.clear();
    writeIni(setuptest::iniFor(defaultConfigSettings()));
    dialogAnswer = folder.file(QStringLiteral("ORVANTO.INI"));
    QFile::rename(ini, dialogAnswer);
    EXPECT_NE(start(), nullptr);
    EXPECT_EQ(orvtest::programEnds(), 0);
}

TEST_F(WindowTest, RefusedLoginEndsTheProgramWithoutAQuestion)
{
    writeIni("bad"); // unusable contents leave the settings unsaved, yet nothing is asked
    orvtest::later([] {
        if (auto* login = forms::loaded<frmLogin>()) {
            EXPECT_EQ(login->windowTitle(), "Orvanto setup login");
            login->cmdCancel->click();
        }
    });
    QPointer<frmTabSetup> w = forms::instance<frmTabSetup>();
    EXPECT_FALSE(w->Form_Load());
    EXPECT_EQ(orvtest::programEnds(), 1);
    EXPECT_EQ(prompts(), QStringList{"Error with contents of orvanto.ini, default values selected."});
    EXPECT_EQ(readIni(), "bad");
}

TEST_F(WindowTest, FourthWrongPasswordEndsTheProgram)
{
    orvtest::later([] {
        auto* login = forms::loaded<frmLogin>();
        ASSERT_NE(login, nullptr);
        for (int i = 0; i < 4; ++i) {
            login->txtPassword->setText(QStringLiteral("nope"));
            login->cmdOK_Click();
        }
    });
    QPointer<frmTabSetup> w = forms::instance<frmTabSetup>();
    EXPECT_FALSE(w->Form_Load());
    EXPECT_EQ(orvtest::programEnds(), 1);
    EXPECT_EQ(prompts().size(), 4);
    EXPECT_EQ(prompts().back(), "Password failure, program ends");
}

TEST_F(WindowTest, TabsShowTheirFramesAndChangeNothing)
{
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    QWidget* frames[] = {w->frmGeneral, w->frmUnkAllocate, w->frmItems, w->frmHelp, w->frmID};
    const ConfigSettings before = modSetup.settings;
    for (int tab = 5; tab >= 1; --tab) {
        w->tspSetup->setCurrentIndex(tab - 1);
        for (int f = 0; f < 5; ++f)
            EXPECT_EQ(frames[f]->isVisible(), f == tab - 1) << "tab " << tab << " frame " << f;
    }
    EXPECT_EQ(modSetup.settings, before);
    EXPECT_FALSE(w->setupDirty());
}

TEST_F(WindowTest, AllocationTextsFollowTheChoice)
{
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    w->tspSetup->setCurrentIndex(1);
    EXPECT_EQ(w->updAllocate->minimum(), 0);
    EXPECT_EQ(w->updAllocate->maximum(), 20);
    EXPECT_TRUE(w->txtUnkNum->isVisible());
    EXPECT_TRUE(w->txtAllocate->text().endsWith("Choose in range 0 - 20."));
    w->optAllocate[1]->setChecked(true);
    EXPECT_EQ(modSetup.settings.ProgramChoosesUnknowns, kFalse);
    EXPECT_FALSE(w->txtUnkNum->isVisible());
    EXPECT_FALSE(w->updAllocate->isVisible());
    EXPECT_EQ(w->txtAllocate->text(),
              "Requires that an appropriate file exists for each student. Use companion program called ovallocate.");
    EXPECT_TRUE(w->setupDirty());
    w->optAllocate[0]->setChecked(true);
    EXPECT_TRUE(w->txtUnkNum->isVisible());
    EXPECT_EQ(w->txtAllocate->text(),
              "Number of simple unknowns to be done before the more difficult ones. Choose in range 0 - 20.");
}

TEST_F(WindowTest, SpinArrowsStepWithinRangeAndMarkUnsaved)
{
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    w->tspSetup->setCurrentIndex(1);
    w->txtUnkNum->setText(QStringLiteral("19"));
    EXPECT_FALSE(w->setupDirty()) << "the window's own setting of the box";
    w->updAllocate->step(1);
    EXPECT_EQ(w->txtUnkNum->text(), "20");
    EXPECT_TRUE(w->setupDirty());
    w->updAllocate->step(1);
    EXPECT_EQ(w->txtUnkNum->text(), "20");
    w->txtUnkNum->setText(QStringLiteral("0"));
    w->updAllocate->step(-1);
    EXPECT_EQ(w->txtUnkNum->text(), "0");
}

// Each way the instructor changes a setting, by mouse or keyboard, marks the
// settings unsaved: Exit and the close box then ask before the change is lost.
TEST_F(WindowTest, EveryChangeByMouseOrKeyboardAsksBeforeLeaving)
{
    auto typeNumber = [](const QString& keys) {
        return [keys](frmTabSetup* w) {
            w->tspSetup->setCurrentIndex(1);
            w->txtUnkNum->setFocus();
            w->txtUnkNum->selectAll();
            QTest::keyClicks(w->txtUnkNum, keys);
        };
    };
    auto clickOn = [](int tab, auto control) {
        return [tab, control](frmTabSetup* w) {
            w->tspSetup->setCurrentIndex(tab);
            QAbstractButton* b = w->*control;
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
        };
    };
    const ConfigSettings typeOnly = [] {
        ConfigSettings s = defaultConfigSettings();
        s.TypeNameOnly = kTrue;
        s.OfferNameList = kFalse;
        return s;
    }();
    // clang-format off
    struct Case { const char* what; ConfigSettings file; std::function<void(frmTabSetup*)> change; };
    const Case cases[] = {
        {"a number typed over the old one", defaultConfigSettings(), typeNumber(QStringLiteral("7"))},
        {"a digit added", defaultConfigSettings(), [](frmTabSetup* w) {
             w->tspSetup->setCurrentIndex(1);
             w->txtUnkNum->setFocus();
             w->txtUnkNum->end(false);
             QTest::keyClick(w->txtUnkNum, Qt::Key_1); }},
        {"the number deleted", defaultConfigSettings(), [](frmTabSetup* w) {
             w->tspSetup->setCurrentIndex(1);
             w->txtUnkNum->setFocus();
             w->txtUnkNum->end(false);
             QTest::keyClick(w->txtUnkNum, Qt::Key_Backspace); }},
        {"Type name only", defaultConfigSettings(), clickOn(4, &frmTabSetup::optType)},
        {"No typing", defaultConfigSettings(), clickOn(4, &frmTabSetup::optNoType)},
        {"Type name or choose", typeOnly, clickOn(4, &frmTabSetup::optSeeNames)},
        {"No typing by the arrow key", defaultConfigSettings(), [](frmTabSetup* w) {
             w->tspSetup->setCurrentIndex(4);
             w->activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(w));
             w->optSeeNames->setFocus();
             QTest::keyClick(w->optSeeNames, Qt::Key_Down); }},
        {"By instructor", defaultConfigSettings(), [](frmTabSetup* w) {
             w->tspSetup->setCurrentIndex(1);
             QAbstractButton* b = w->optAllocate[1];
             QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2)); }},
        {"a check box by Space", defaultConfigSettings(), [](frmTabSetup* w) {
             w->chkTips->setFocus();
             QTest::keyClick(w->chkTips, Qt::Key_Space); }},
        {"a spin arrow", defaultConfigSettings(), [](frmTabSetup* w) {
             w->tspSetup->setCurrentIndex(1);
             QTest::mouseClick(w->updAllocate->findChildren<QToolButton*>().at(0), Qt::LeftButton); }},
    };
    // clang-format on
    for (const Case& c : cases) {
        writeIni(setuptest::iniFor(c.file));
        const QByteArray before = readIni();
        orvtest::programEnds() = 0;
        frmTabSetup* w = start();
        ASSERT_NE(w, nullptr) << c.what;
        ASSERT_FALSE(w->setupDirty()) << c.what;
        const ConfigSettings shown = w->shownSettings();
        c.change(w);
        EXPECT_NE(w->shownSettings(), shown) << c.what << ": the change did not reach the window";
        EXPECT_TRUE(w->setupDirty()) << c.what;
        orvtest::msgLog().shown.clear();
        orvtest::msgLog().answers = {MsgResult::No, MsgResult::No};
        w->cmdExit->click();
        EXPECT_FALSE(w->close()) << c.what;
        EXPECT_EQ(prompts(),
                  (QStringList{"Information not saved. Quit anyway?", "Information not saved. Quit anyway?"}))
            << c.what;
        EXPECT_EQ(forms::loaded<frmTabSetup>(), w) << c.what;
        EXPECT_EQ(orvtest::programEnds(), 0) << c.what;
        EXPECT_EQ(readIni(), before) << c.what;
        unloadWindows();
    }
}

TEST_F(WindowTest, ATypedNumberIsWhatSaveWritesAndThenExitDoesNotAsk)
{
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    w->tspSetup->setCurrentIndex(1);
    w->txtUnkNum->setFocus();
    w->txtUnkNum->selectAll();
    QTest::keyClicks(w->txtUnkNum, QStringLiteral("7"));
    w->cmdSave->click();
    EXPECT_TRUE(prompts().isEmpty());
    EXPECT_FALSE(w->setupDirty());
    EXPECT_EQ(readConfigFileAsIs(ini).settings.BasicUnknownsBeforeAdvanced, 7);
    w->cmdExit->click();
    EXPECT_TRUE(prompts().isEmpty());
    EXPECT_EQ(orvtest::programEnds(), 1);
}

// Enter presses the focused button as Space does; the window has no default
// button, so Enter elsewhere presses nothing.
TEST_F(WindowTest, EnterPressesTheFocusedButton)
{
    installFocusedButtonEnter();
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    const QByteArray before = readIni();
    w->chkSound->click();
    w->chkTips->setFocus();
    const bool tips = w->chkTips->isChecked();
    QTest::keyClick(w->chkTips, Qt::Key_Return);
    EXPECT_EQ(w->chkTips->isChecked(), tips);
    EXPECT_EQ(readIni(), before) << "nothing pressed";

    w->cmdNoSpec->setFocus();
    QTest::keyClick(w->cmdNoSpec, Qt::Key_Return);
    EXPECT_FALSE(w->chkCMR->isChecked()) << "the preset";
    w->cmdSave->setFocus();
    QTest::keyClick(w->cmdSave, Qt::Key_Return);
    EXPECT_TRUE(prompts().isEmpty());
    EXPECT_FALSE(w->setupDirty());
    EXPECT_NE(readIni(), before) << "saved";

    w->chkSound->click();
    w->cmdExit->setFocus();
    orvtest::msgLog().shown.clear();
    orvtest::msgLog().answers = {MsgResult::No};
    QTest::keyClick(w->cmdExit, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(prompts(), QStringList{"Information not saved. Quit anyway?"});
    EXPECT_EQ(forms::loaded<frmTabSetup>(), w);
    orvtest::msgLog().answers = {MsgResult::Yes};
    QTest::keyClick(w->cmdExit, Qt::Key_Return);
    EXPECT_EQ(prompts().size(), 2);
    EXPECT_EQ(orvtest::programEnds(), 1);
}

TEST_F(WindowTest, GreyCheckBoxTurnsItsSettingOff)
{
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    w->chkReward->setTristate(true);
    w->chkReward->setCheckState(Qt::PartiallyChecked);
    EXPECT_EQ(modSetup.settings.ShowRewardPicture, kFalse);
    EXPECT_TRUE(w->setupDirty());
}

TEST_F(WindowTest, ExitAsksOnlyAfterChanges)
{
    // clang-format off
    struct Case { const char* what; std::function<void(frmTabSetup*)> change; bool asks; };
    const Case cases[] = {
        {"nothing changed", [](frmTabSetup*) {}, false},
        {"typing option only", [](frmTabSetup* w) { w->optType->setChecked(true); }, true},
        {"a check box", [](frmTabSetup* w) { w->chkSound->click(); }, true},
        {"a preset with nothing to change", [](frmTabSetup* w) { w->cmdCalcAll->click(); }, true},
        {"saved after a change", [](frmTabSetup* w) { w->chkSound->click(); w->cmdSave_Click(); }, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        frmTabSetup* w = start();
        ASSERT_NE(w, nullptr) << c.what;
        c.change(w);
        orvtest::msgLog().shown.clear();
        orvtest::programEnds() = 0;
        w->cmdExit_Click();
        EXPECT_EQ(!prompts().isEmpty(), c.asks) << c.what;
        EXPECT_EQ(orvtest::programEnds(), c.asks ? 0 : 1) << c.what << " (the default answer is not Yes)";
        unloadWindows();
    }
}

TEST_F(WindowTest, ExitQuestionNoKeepsEverythingYesEndsWithoutWriting)
{
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    const QByteArray before = readIni();
    w->chkTips->click();
    const ConfigSettings changed = modSetup.settings;
    orvtest::msgLog().answers = {MsgResult::No};
    w->cmdExit_Click();
    EXPECT_EQ(prompts(), QStringList{"Information not saved. Quit anyway?"});
    EXPECT_EQ(orvtest::msgLog().shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(orvtest::msgLog().shown[0].defaultButton, 2);
    EXPECT_EQ(forms::loaded<frmTabSetup>(), w);
    EXPECT_EQ(modSetup.settings, changed);
    EXPECT_EQ(orvtest::programEnds(), 0);

    orvtest::msgLog().answers = {MsgResult::Yes};
    w->cmdExit_Click();
    EXPECT_EQ(prompts().size(), 2) << "asked once";
    EXPECT_EQ(orvtest::programEnds(), 1);
    EXPECT_EQ(readIni(), before);
}

TEST_F(WindowTest, ClosingTheWindowWithChangesAsksTheSameQuestion)
{
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    w->chkIR->click();
    orvtest::msgLog().answers = {MsgResult::No};
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(prompts(), QStringList{"Information not saved. Quit anyway?"});
    orvtest::msgLog().answers = {MsgResult::Yes};
    EXPECT_TRUE(w->close());
    EXPECT_EQ(prompts().size(), 2);
    EXPECT_EQ(orvtest::programEnds(), 1);
}

TEST_F(WindowTest, PrintingWritesThePageAndShowsTheNoticeForThreeSeconds)
{
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("setup.pdf"));
    qputenv("ORVANTO_PRINT_PDF", pdf.toLocal8Bit());
    QPointer<frmTabSetup> w = start();
    ASSERT_NE(w, nullptr);
    w->cmdPrint->click();
    EXPECT_TRUE(prompts().isEmpty());
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.read(4), "%PDF");
    f.close();
    EXPECT_TRUE(w->printNoticeShowing());
    EXPECT_TRUE(w->lblPrinted->isVisible());
    EXPECT_EQ(w->lblPrinted->text(), "Printing completed.");

    QFile::remove(pdf);
    w->cmdPrint->click();
    EXPECT_FALSE(QFile::exists(pdf)) << "Print is ignored while the notice shows";

    QTest::qWait(3200);
    EXPECT_FALSE(w->lblPrinted->isVisible());
    EXPECT_FALSE(w->printNoticeShowing());
}

TEST_F(WindowTest, ClosingWhileTheNoticeShowsIsSafe)
{
    QTemporaryDir out;
    qputenv("ORVANTO_PRINT_PDF", out.filePath(QStringLiteral("setup.pdf")).toLocal8Bit());
    QPointer<frmTabSetup> w = start();
    ASSERT_NE(w, nullptr);
    w->cmdPrint->click();
    ASSERT_TRUE(w->printNoticeShowing());
    w->cmdExit_Click();
    EXPECT_EQ(orvtest::programEnds(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    QTest::qWait(50);
}

TEST_F(WindowTest, PrinterFailureSaysSoOnceAndShowsNoNotice)
{
    qputenv("ORVANTO_PRINT_PDF", "/nonexistent-folder/setup.pdf");
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    w->cmdPrint->click();
    EXPECT_EQ(prompts(), QStringList{"Problem with printer."});
    EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::None);
    EXPECT_FALSE(w->printNoticeShowing());
}

TEST_F(WindowTest, EveryAccessKeyOnShowIsItsOwn)
{
    // A key two controls share presses neither: Alt moves the focus between
    // them instead.
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    for (int page = 0; page < w->tspSetup->count(); ++page) {
        w->tspSetup->setCurrentIndex(page);
        QMap<QString, QString> keys;
        auto take = [&](const QString& caption) {
            const QString key = QKeySequence::mnemonic(caption).toString();
            if (key.isEmpty())
                return;
            EXPECT_FALSE(keys.contains(key))
                << "page " << page << ": " << qPrintable(caption) << " and " << qPrintable(keys.value(key));
            keys.insert(key, caption);
        };
        for (int t = 0; t < w->tspSetup->count(); ++t)
            take(w->tspSetup->tabText(t));
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if (b->isVisibleTo(w))
                take(b->text());
        EXPECT_GE(keys.size(), 11) << "page " << page;
    }
}
