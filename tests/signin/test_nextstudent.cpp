// One student after another through the real windows: nothing of the
// student before (a finished session, or a sign-in refused for a wrong
// password or a damaged file) reaches the next student's file, and a refused
// sign-in leaves nothing that could be saved or handed on.
#include "core/coreservices.h"
#include "core/forms/frmInitial.h"
#include "core/forms/frmNewPassword.h"
#include "core/forms/frmQuit.h"
#include "core/forms/frmTestPassword.h"
#include "core/forms/passwordbox.h"
#include "core/forms/registercore.h"
#include "core/forms/signinwindows.h"
#include "core/forms/startup.h"
#include "core/forms/welcomewindows.h"
#include "core/modorvan.h"
#include "core/nextunknown.h"
#include "core/userrecord.h"
#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/forms/frmResult.h"
#include "mainwindow/forms/registermainwindow.h"
#include "platform/filedialog.h"
#include "platform/forms/formregistry.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"
#include "tests/signin/signinsupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;
using namespace orvtest;

namespace {

const QString kAnnaPassword = QStringLiteral("annapass");
const QString kBeaPassword = QStringLiteral("beapass1");
constexpr int kAnnaUnknown = 5;

// Anna as an instructor's allocation file leaves her after three sessions:
// two of her unknowns finished, unknown 5 under way, 07 and 09 still to come.
UserRecord annasRecord()
{
    UserRecord r;
    r.allocatedUnknowns = QStringLiteral("0709");
    r.progress.CurrentUnknown = kAnnaUnknown;
    r.progress.ItemsRevealed[6] = r.progress.ItemsRevealed[13] = kTrue;
    r.progress.ItemHelpShown[0] = r.progress.ItemHelpShown[6] = kTrue;
    r.progress.ItemPrecluded[20] = kTrue;
    r.progress.PrecludedTries = 1;
    r.progress.NameTypingTries = 2;
    r.progress.StructChooseTries = 1;
    r.session = 3;
    r.minutes = 42;
    r.completedUnknowns = QStringLiteral("1112");
    r.results = {{QStringLiteral("12010000000001010000Ethanol"), QStringLiteral("00315")},
                 {QStringLiteral("21020110100002000100Acetone"), QStringLiteral("00209")}};
    return r;
}

enum class AnnaLeaves { SavesForNextUser, WrongPassword, DamagedFile };

// The program as a lab machine runs it: started without a user file, one
// student after another at the same start window. Settings are the defaults
// (the program chooses unknowns, saving allowed, passwords required).
class NextStudentTest : public ::testing::Test {
protected:
    ProgramFolder folder;
    QTemporaryDir lockDir;
    ModOrvan& m = modOrvan;
    Robot robot;
    QString annaFile = folder.file(QStringLiteral("users/anna.ovg"));
    QString beaFile = folder.file(QStringLiteral("users/bea.ovg"));

    // How the robot answers.
    bool previousUser = false; // the option chosen in frmUnkProgm
    QString typedPassword;     // in frmTestPassword
    bool quitByExit = false;   // else Restart (or Continue) for the next user
    // What the quit window found when it showed.
    QString quitTitle, quitText;
    bool mainWindowAtQuit = false;
    UserRecord recordAtQuit;
    QString passwordAtQuit, pathAtQuit;
    QStringList saveDialogs; // titles of Save dialogs shown

    void SetUp() override
    {
        copyShippedUnknowns(folder);
        registerCoreForms();
        registerMainwindowForms();
        releaseSingleCopy();
        setSingleCopyLockFolder(lockDir.path());
        setFileDialogPresenter([this](const FileDialogRequest& r) {
            if (r.save) {
                saveDialogs << r.title;
                return folder.file(QStringLiteral("users/bea"));
            }
            return annaFile;
        });
        robot.on["frmUnkProgm"] = [this](QWidget* w) {
            auto* s = as<frmUnkProgm>(w);
            s->optUnkProg[previousUser ? 1 : 0]->setChecked(true);
            s->cmdUserData->click();
        };
        robot.on["frmUnkTeach"] = [](QWidget* w) { as<frmUnkTeach>(w)->cmdUserData[0]->click(); };
        robot.on["frmTestPassword"] = [this](QWidget* w) {
            auto* p = as<frmTestPassword>(w);
            p->txtTestPassword->setText(typedPassword);
            p->cmdTestPassword->click();
        };
        robot.on["frmNewPassword"] = [](QWidget* w) {
            auto* p = as<frmNewPassword>(w);
            p->txtNewPassword->setText(kBeaPassword);
            p->cmdNewPassword->click(); // once to give it, once to confirm
        };
        robot.on["frmTips"] = [](QWidget* w) { as<frmTips>(w)->cmdTipsOk->click(); };
        robot.on["frmOldUser"] = [](QWidget* w) { as<frmOldUser>(w)->cmdOldUser->click(); };
        robot.on["frmNewUser"] = [](QWidget* w) { as<frmNewUser>(w)->cmdNewUser->click(); };
        robot.on["frmResult"] = [](QWidget* w) { as<frmResult>(w)->cmdResultOk->click(); };
        robot.on["frmQuit"] = [this](QWidget* w) {
            auto* q = as<frmQuit>(w);
            quitTitle = q->windowTitle();
            quitText = q->lblQuit->text();
            mainWindowAtQuit = forms::find(forms::names::frmOVMain) != nullptr;
            recordAtQuit = userRecordOf(modOrvan);
            passwordAtQuit = modOrvan.Password + modOrvan.PasswordCode;
            pathAtQuit = modOrvan.UserFilePath;
            if (quitByExit)
                q->cmdQuitExit->click();
            else
                q->cmdQuitRestart->click();
        };
    }
    void TearDown() override
    {
        forms::unloadAll();
        setFileDialogPresenter({});
        releaseSingleCopy();
    }

    void writeAnnasFile(bool damaged = false)
    {
        QByteArray line = userFileLine(annasRecord(), kAnnaPassword, GetRandomNum);
        if (damaged) // the record's first character unscrambles below code 0
            line[line.indexOf(char(kFieldSeparator)) + 1] = '\x01';
        QFile f(annaFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(line + "\r\n");
    }
    QByteArray annaBytes() const { return readFileBytes(annaFile).value_or(QByteArray()); }

    // Continue in the start window, and the sign-in that follows, answered
    // by the robot; returns once the sign-in has handed over.
    void signIn(bool previous, const QString& password = {})
    {
        previousUser = previous;
        typedPassword = password;
        auto* start = forms::loaded<frmInitial>();
        ASSERT_TRUE(start) << "the start window waits for the next student";
        start->cmdInitial_Click();
    }

    // Bea signs in as a first-time user, reveals an item and saves.
    void beaSignsInAndSaves()
    {
        signIn(false);
        auto* main = forms::loaded<frmOVMain>();
        ASSERT_TRUE(main);
        EXPECT_TRUE(main->isVisible());
        EXPECT_EQ(m.QuitReason, "Save") << "a fresh main window for Bea";
        main->mnuPhysPropItem_Click(1);
        saveDialogs.clear();
        main->clickMenu(QStringLiteral("mnuSaveCont"));
        EXPECT_EQ(saveDialogs.size(), 1) << "Bea's file is a new one, named by her";
    }

    // Bea's file holds Bea's own record and nothing of Anna's.
    void expectOnlyBeasRecord()
    {
        const UserFileContents bea = readBack(beaFile);
        ASSERT_TRUE(bea.ok()) << bea.error.toStdString();
        const UserRecord& r = bea.record;
        EXPECT_EQ(bea.password, kBeaPassword);
        EXPECT_EQ(r.allocatedUnknowns, "") << "no allocation list of Anna's";
        EXPECT_EQ(r.completedUnknowns, "");
        EXPECT_TRUE(r.results.empty());
        EXPECT_EQ(r.session, 1);
        EXPECT_EQ(r.minutes, 1);
        EXPECT_EQ(r.progress.CurrentUnknown, m.CurrentUnknown);
        const UnknownProgress& p = r.progress;
        EXPECT_EQ(p.PrecludedTries + p.NameTypingTries + p.StructChooseTries + p.StructGiveTries, 0);
        int revealed = 0;
        for (int k = 1; k <= kLastItem; ++k)
            revealed += isTrue(r.progress.ItemsRevealed[k]);
        EXPECT_LE(revealed, 1) << "only the item Bea asked for";
        for (int k = 0; k <= kLastItem; ++k)
            EXPECT_EQ(r.progress.ItemHelpShown[k], kFalse) << "help " << k;
        // Precluded only by what Bea revealed.
        QSet<int> precludable;
        for (int n = 1; n <= kLastPrecludable; ++n)
            if (isTrue(r.progress.ItemsRevealed[n]))
                for (qsizetype i = 0; i + 2 <= m.ItemPrecludes[n].size(); i += 2)
                    precludable.insert(m.ItemPrecludes[n].mid(i, 2).toInt());
        for (int k = 1; k <= kLastPrecludable; ++k)
            if (isTrue(r.progress.ItemPrecluded[k])) {
                EXPECT_TRUE(precludable.contains(k)) << "precluded " << k;
            }
    }

    void expectNothingOfAnnaAtQuit()
    {
        EXPECT_FALSE(mainWindowAtQuit) << "no hidden main window holds Anna's record";
        ModOrvan fresh;
        fresh.SessionNumber = 1;
        EXPECT_EQ(recordAtQuit, userRecordOf(fresh));
        EXPECT_TRUE(passwordAtQuit.isEmpty());
        EXPECT_TRUE(pathAtQuit.isEmpty());
    }
};

} // namespace

TEST_F(NextStudentTest, TheNextStudentsFileHoldsOnlyTheirOwnRecord)
{
    const struct {
        const char* name;
        AnnaLeaves how;
    } cases[] = {
        {"after Save and next user", AnnaLeaves::SavesForNextUser},
        {"after a wrong password", AnnaLeaves::WrongPassword},
        {"after a damaged file", AnnaLeaves::DamagedFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        forms::unloadAll();
        QFile::remove(annaFile);
        QFile::remove(beaFile);
        quitTitle.clear();
        writeAnnasFile(c.how == AnnaLeaves::DamagedFile);
        const QByteArray annaBefore = annaBytes();
        ASSERT_TRUE(startStudentProgram(QString()));
        ASSERT_EQ(m.ProgramChoosesUnknowns, kTrue);
        ASSERT_EQ(m.MultipleSessionsAllowed, kTrue);
        ASSERT_EQ(m.PasswordRequired, kTrue);
        ASSERT_TRUE(unknownAvailable(kAnnaUnknown));

        if (c.how == AnnaLeaves::SavesForNextUser) {
            signIn(true, kAnnaPassword);
            ASSERT_EQ(m.PasswordVerified, kTrue);
            ASSERT_EQ(m.AllocatedUnknowns, "0709");
            ASSERT_EQ(m.CompletedUnknowns, "1112");
            auto* main = forms::loaded<frmOVMain>();
            ASSERT_TRUE(main);
            main->clickMenu(QStringLiteral("mnuSaveNext"));
            ASSERT_TRUE(waitFor([] { return forms::loaded<frmInitial>() != nullptr; }));
            EXPECT_EQ(quitTitle, "Getting ready for another user");
            const UserFileContents anna = readBack(annaFile);
            ASSERT_TRUE(anna.ok());
            EXPECT_EQ(anna.record.allocatedUnknowns, "0709");
            EXPECT_EQ(anna.record.completedUnknowns, "1112");
            EXPECT_EQ(anna.record.session, 4) << "her fourth session";
            EXPECT_EQ(anna.password, kAnnaPassword);
        } else {
            signIn(true, QStringLiteral("not-annas"));
            EXPECT_EQ(quitTitle, "Ready to quit Orvanto?");
            EXPECT_TRUE(quitText.startsWith(c.how == AnnaLeaves::WrongPassword
                                                ? QStringLiteral("Error with supplying the password")
                                                : QStringLiteral("The file ") + annaFile))
                << quitText.toStdString();
            expectNothingOfAnnaAtQuit();
            EXPECT_EQ(annaBytes(), annaBefore) << "a refused file is left as it was";
        }
        const QByteArray annaAfter = annaBytes();

        beaSignsInAndSaves();
        expectOnlyBeasRecord();
        EXPECT_EQ(annaBytes(), annaAfter) << "Bea's save never touches Anna's file";

        // Bea's close box leads to the quit window, as that of a main window
        // of her own does (everything is saved already).
        auto* main = forms::loaded<frmOVMain>();
        ASSERT_TRUE(main);
        quitTitle.clear();
        main->close();
        EXPECT_TRUE(waitFor([this] { return !quitTitle.isEmpty(); })) << "the close box leads to the quit window";
        EXPECT_EQ(quitTitle, "Ready to quit Orvanto?");
        EXPECT_EQ(annaBytes(), annaAfter);
    }
}

TEST_F(NextStudentTest, ExitAfterAWrongPasswordOffersNothingToSave)
{
    const struct {
        const char* name;
        Boolean programChooses;
    } cases[] = {{"previous user", kTrue}, {"allocated unknowns", kFalse}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        forms::unloadAll();
        programEnds() = 0;
        msgLog().shown.clear();
        saveDialogs.clear();
        writeAnnasFile();
        const QByteArray annaBefore = annaBytes();
        ASSERT_TRUE(startStudentProgram(QString()));
        m.ProgramChoosesUnknowns = c.programChooses;
        quitByExit = true;
        signIn(true, QStringLiteral("not-annas"));

        EXPECT_EQ(programEnds(), 1);
        expectNothingOfAnnaAtQuit();
        EXPECT_TRUE(saveDialogs.isEmpty()) << "Exit offered to save someone's record";
        for (const auto& shown : msgLog().shown)
            EXPECT_FALSE(shown.prompt.contains(QStringLiteral("cancel save"))) << shown.prompt.toStdString();
        EXPECT_EQ(QDir(folder.file(QStringLiteral("users"))).entryList(QDir::Files), QStringList{"anna.ovg"});
        EXPECT_EQ(annaBytes(), annaBefore);
        EXPECT_EQ(m.NameCount, 0) << "no unknown file was read for Anna";
    }
}

// Should a main window still be loaded when the program restarts for the
// next student, it goes without saving and without a second quit window,
// and the next student's sign-in builds a main window of their own.
TEST_F(NextStudentTest, RestartDiscardsAMainWindowLeftBehind)
{
    InitProgram();
    applyUserRecord(annasRecord(), m);
    m.Password = kAnnaPassword;
    m.MultipleSessionsAllowed = kTrue;
    QPointer<QWidget> stale = forms::instance<frmOVMain>();
    ASSERT_EQ(m.QuitReason, "Save");
    ASSERT_FALSE(stale->isVisible());
    auto* quit = as<frmQuit>(forms::load(forms::names::frmQuit));
    ASSERT_TRUE(quit);
    robot.on.erase("frmQuit");
    quit->cmdQuitRestart_Click();

    EXPECT_EQ(forms::find(forms::names::frmOVMain), nullptr);
    EXPECT_TRUE(waitFor([&] { return stale.isNull(); }));
    EXPECT_TRUE(saveDialogs.isEmpty());
    EXPECT_EQ(forms::find(forms::names::frmQuit), nullptr);
    EXPECT_EQ(m.MainWindowTop, 0) << "a window never shown leaves no place to come back to";
    EXPECT_TRUE(m.AllocatedUnknowns.isEmpty());
    EXPECT_TRUE(m.Password.isEmpty());

    beaSignsInAndSaves();
    expectOnlyBeasRecord();
}
