// Every change to what the user file keeps, made after a save through the
// real main window and its windows, reaches the file by every way out: Save
// and quit, the close box and the system's end. A window that forgets to
// say that it changed the record must not lose the student's work.
#include "core/configfile.h"
#include "core/forms/registercore.h"
#include "core/modorvan.h"
#include "core/userfile.h"
#include "core/userrecord.h"
#include "mainwindow/forms/frmNameTyping.h"
#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/forms/frmReportProgress.h"
#include "mainwindow/forms/frmResult.h"
#include "mainwindow/forms/registermainwindow.h"
#include "mainwindow/forms/systemroad.h"
#include "mainwindow/mainmenus.h"
#include "platform/forms/formregistry.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "spectra/forms/registerspectra.h"
#include "tests/common/testsupport.h"
#include "tests/signin/signinsupport.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

using namespace orv;

namespace {

const char* const kPassword = "kordavia1";
// Revealed before the first save: enough for the help with the unknown.
constexpr int kRevealedFirst[] = {1, 2, 3, 4, 53, 54};

// The menu index of item n in an item menu, -1 when it has none.
int menuIndexOf(const QString& menu, int n)
{
    for (int index = 0; index < 60; ++index)
        if (itemForMenuIndex(menu, index) == n)
            return index;
    return -1;
}

class KeepChangesTest : public orvtest::StudentFileTest {
public:
    KeepChangesTest() : StudentFileTest(QStringLiteral("anna"), {3}) {}
    using StudentFileTest::m;
    using StudentFileTest::path;
    void SetUp() override
    {
        StudentFileTest::SetUp();
        InitProgram();
        ResetProgress();
        ReadConfigFile();
        m.TestsAllowed = m.DerivsAllowed = kTrue;
        orvtest::saveStudentLeftOnUnknown3(path, QString::fromLatin1(kPassword));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        before_ = f.readAll();
    }
    // A student signed in on unknown 3, items revealed and saved with "Save
    // and continue"; the file as saved is returned.
    QByteArray signInAndSave()
    {
        registerCoreForms();
        registerMainwindowForms();
        registerSpectraForms();
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(before_) != before_.size())
            ADD_FAILURE() << "the file could not be put back";
        f.close();
        InitProgram();
        ResetProgress();
        ReadConfigFile();
        m.TestsAllowed = m.DerivsAllowed = kTrue;
        m.UserFilePath = path;
        m.CurrentUnknown = 3;
        m.Password = QString::fromLatin1(kPassword);
        m.PasswordVerified = kTrue;
        EXPECT_TRUE(holdUserFile(path).result == UserFileHold::Held);
        main = forms::instance<frmOVMain>();
        forms::showModeless(main);
        for (int n : kRevealedFirst)
            m.ItemsRevealed[n] = kTrue;
        main->clickMenu(QStringLiteral("mnuSaveCont"));
        EXPECT_TRUE(recordSaved(m));
        return readFileBytes(path).value_or(QByteArray());
    }
    // Clicks an item entry and closes the window it opens (the result
    // window or a spectrum viewer) once it is shown.
    void reveal(const QString& menu, int n, forms::FormName window = forms::names::frmResult)
    {
        const int index = menuIndexOf(menu, n);
        ASSERT_GE(index, 0) << "no entry for item " << n;
        bool seen = false;
        orvtest::later([&seen, window] {
            QWidget* w = forms::find(window);
            seen = w && w->isVisible();
            if (w)
                forms::unload(w);
        });
        main->clickMenu(menu, index);
        EXPECT_TRUE(seen) << window.toString().toStdString() << " was not shown";
    }
    void cleanUp()
    {
        resetSystemEndForTests();
        m.QuitReason.clear(); // what is still open closes without saving
        forms::unloadAll();
        orvtest::letGoOfUserFile();
    }

    frmOVMain* main = nullptr;
    QByteArray before_;
};

// Runs `act` on window W once it is shown (it may come after a pause).
template <class W> void whenShown(std::function<void(W*)> act, int triesLeft = 100)
{
    orvtest::later(
        [act, triesLeft] {
            if (auto* w = forms::loaded<W>(); w && w->isVisible())
                act(w);
            else if (triesLeft > 0)
                whenShown<W>(act, triesLeft - 1);
            else
                ADD_FAILURE() << "the window was not shown";
        },
        50);
}

using Held = std::function<bool(const UserRecord&)>;
struct Change {
    const char* name;
    std::function<void(KeepChangesTest&)> make;
    Held held; // true when the file holds the change
};
struct Way {
    const char* name;
    std::function<void(frmOVMain*)> leave;
};

Held revealedItem(int n)
{
    return [n](const UserRecord& r) { return isTrue(r.progress.ItemsRevealed[n]); };
}

} // namespace

TEST_F(KeepChangesTest, EveryChangeAfterASaveReachesTheFileByEveryWayOut)
{
    const QString phys = QStringLiteral("mnuPhysPropItem"), tests = QStringLiteral("mnuCtestItem"),
                  derivs = QStringLiteral("mnuDerivItem");
    // A chemical test that nothing revealed so far rules out, and another
    // that is precluded (the tries at it are counted).
    constexpr int kOpenTest = 18, kPrecludedTest = 20, kDerivative = 44;
    // clang-format off
    const Change changes[] = {
        {"a property in the result window", [&](KeepChangesTest& t) { t.reveal(phys, 9); }, revealedItem(9)},
        {"the carbon-13 spectrum (Ctrl+C)", [&](KeepChangesTest& t) { t.reveal(phys, 5, forms::names::frmCmr); }, revealedItem(5)},
        {"the infrared spectrum (Ctrl+I)",  [&](KeepChangesTest& t) { t.reveal(phys, 6, forms::names::frmIr); },  revealedItem(6)},
        {"the mass spectrum (Ctrl+M)",      [&](KeepChangesTest& t) { t.reveal(phys, 7, forms::names::frmMs); },  revealedItem(7)},
        {"the proton spectrum (Ctrl+P)",    [&](KeepChangesTest& t) { t.reveal(phys, 8, forms::names::frmPmr); }, revealedItem(8)},
        {"a chemical test", [&](KeepChangesTest& t) { t.reveal(tests, kOpenTest); }, revealedItem(kOpenTest)},
        {"a precluded chemical test tried",
         [&](KeepChangesTest& t) { t.m.ItemPrecluded[kPrecludedTest] = kTrue;
                                   t.main->clickMenu(QStringLiteral("mnuSaveCont"));
                                   t.reveal(tests, kPrecludedTest); },
         [](const UserRecord& r) { return r.progress.PrecludedTries == 1; }},
        {"a derivative", [&](KeepChangesTest& t) { t.reveal(derivs, kDerivative); }, revealedItem(kDerivative)},
        {"the explanation of a result",
         [&](KeepChangesTest& t) {
             const int index = menuIndexOf(phys, 2);
             orvtest::later([] { auto* r = forms::loaded<frmResult>(); ASSERT_NE(r, nullptr);
                                 r->cmdResultHelp->click(); r->cmdResultOk->click(); });
             t.main->clickMenu(phys, index); },
         [](const UserRecord& r) { return isTrue(r.progress.ItemHelpShown[2]); }},
        {"help with this unknown",
         [&](KeepChangesTest& t) {
             orvtest::later([] { if (QWidget* w = forms::find(forms::names::frmHelp)) forms::unload(w); });
             t.main->clickMenu(QStringLiteral("mnuHelpGroup5"), 1); },
         [](const UserRecord& r) { return isTrue(r.progress.ItemHelpShown[0]); }},
        {"a wrong name typed, and its report",
         [&](KeepChangesTest& t) {
             orvtest::later([] { auto* w = forms::loaded<frmNameTyping>(); ASSERT_NE(w, nullptr);
                                 w->txtNameText->setText(QStringLiteral("water"));
                                 w->cboGetName->setEditText(QStringLiteral("water"));
                                 // The report on the wrong answer follows.
                                 whenShown<frmReportProgress>([](frmReportProgress* r) { r->cmdReportok->click(); });
                                 w->cmdNameTest->click(); });
             t.main->clickMenu(QStringLiteral("mnuNameItem"), 0); },
         [](const UserRecord& r) { return r.progress.NameTypingTries == 1; }},
        {"a new password", [&](KeepChangesTest& t) { t.m.Password = QStringLiteral("wendover7"); },
         [this](const UserRecord&) {
             const auto lines = readFileLines(path);
             return lines && !lines->isEmpty() && parseUserFileLine(lines->front()).password == "wendover7"; }},
    };
    const Way ways[] = {
        {"Save and quit", [](frmOVMain* w) { w->clickMenu(QStringLiteral("mnuSaveQuit")); }},
        {"the close box", [](frmOVMain* w) { w->close(); }},
        {"the system's end", [](frmOVMain*) { beginSystemEnd(); leaveForSystemEnd(); }},
    };
    // clang-format on
    for (const Change& c : changes) {
        for (const Way& way : ways) {
            SCOPED_TRACE(std::string(c.name) + ", left by " + way.name);
            const QByteArray saved = signInAndSave();
            ASSERT_FALSE(saved.isEmpty());
            EXPECT_FALSE(c.held(orvtest::userFileRecord(path))) << "the change is not in the first save";
            c.make(*this);
            way.leave(main);
            EXPECT_TRUE(c.held(orvtest::userFileRecord(path)));
            cleanUp();
        }
    }
}

// What the file does not keep changes nothing, and a way out after a save
// with no change since writes nothing again.
TEST_F(KeepChangesTest, NothingNewIsNotWrittenAgain)
{
    // clang-format off
    const Change unchanged[] = {
        {"nothing at all", [](KeepChangesTest&) {}, {}},
        {"sound switched", [](KeepChangesTest& t) { t.main->clickMenu(QStringLiteral("mnuSound")); }, {}},
    };
    // clang-format on
    for (const Change& c : unchanged) {
        SCOPED_TRACE(c.name);
        const QByteArray saved = signInAndSave();
        c.make(*this);
        EXPECT_TRUE(recordSaved(m));
        main->close();
        // The file is written with fresh padding each time: unchanged bytes
        // mean no second write.
        EXPECT_EQ(readFileBytes(path).value_or(QByteArray()), saved);
        cleanUp();
    }
}

// The system ends the program while the progress report after a right
// answer is still on show: the record moves on as Continue would have moved
// it, so the finished unknown is recorded once and never handed out again.
TEST_F(KeepChangesTest, TheSystemsEndDuringTheReportOfARightAnswerMovesOn)
{
    ASSERT_FALSE(signInAndSave().isEmpty());
    bool ended = false;
    orvtest::later([&] {
        auto* w = forms::loaded<frmNameTyping>();
        ASSERT_NE(w, nullptr);
        w->txtNameText->setText(m.AcceptedNames[1]);
        w->cboGetName->setEditText(m.AcceptedNames[1]);
        whenShown<frmReportProgress>([&](frmReportProgress* r) {
            beginSystemEnd();
            leaveForSystemEnd();
            ended = true;
            r->close(); // as the program's end closes it: nothing more is recorded
        });
        w->cmdNameTest->click();
    });
    main->clickMenu(QStringLiteral("mnuNameItem"), 0);
    ASSERT_TRUE(ended);
    const UserRecord r = orvtest::userFileRecord(path);
    EXPECT_EQ(r.completedUnknowns, QStringLiteral("03"));
    EXPECT_EQ(r.results.size(), 1u);
    EXPECT_NE(r.progress.CurrentUnknown, 3) << "the finished unknown is not handed out again";
    cleanUp();
}
