// The end of a lab session with the student program open, through the real
// program: the built orvantos runs as a child process on a program folder of
// its own, a robot preloaded into it signs the student in and reveals an
// item, and the test then ends it as a shutdown or logout would (SIGTERM,
// SIGHUP, SIGINT, the session manager's order to quit, the X server gone).
// Each must end the program at once the way the main window's close box
// leaves: the work saved in the user file, the file whole, its in-use mark
// gone, no window shown. The road's choices where the close box would ask
// are checked in the program itself; the setup program is ended too.
#include "core/configfile.h"
#include "core/forms/registercore.h"
#include "core/modorvan.h"
#include "core/userfile.h"
#include "core/userrecord.h"
#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/forms/registermainwindow.h"
#include "mainwindow/forms/systemroad.h"
#include "mainwindow/mainmenus.h"
#include "mainwindow/savedata.h"
#include "platform/filedialog.h"
#include "platform/fileinuse.h"
#include "platform/forms/formregistry.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"
#include "tests/signin/signinsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QThread>
#include <atomic>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

using namespace orv;

namespace {

constexpr int kReadyMs = 60000; // a loaded machine may take this long to start it
constexpr int kEndMs = 15000;   // the end itself is a save and a remove

const char* const kPassword = "kordavia1";

// A built program (the student program unless named) with the robot in it,
// on the test's folder.
class RunningProgram {
public:
    // `display`: an X display to run on, else none (offscreen).
    // `childSetup` runs in the child before the program starts.
    RunningProgram(const QString& programFolder, const QStringList& args, const QString& script,
                   const QString& display = QString(), const QString& program = QStringLiteral(ORV_STUDENT_PROGRAM),
                   std::function<void()> childSetup = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORVANTO_HOME"), programFolder);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   display.isEmpty() ? QStringLiteral("offscreen") : QStringLiteral("xcb"));
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(ORV_ROBOT_LIBRARY));
        env.insert(QStringLiteral("ORV_ROBOT"), script);
        // Under the sanitizers: the program ends with exit() from inside an
        // event loop, its windows alive on the stack, which the leak check
        // would count as leaks; every other error still ends it, with an
        // exit code of its own (Qt's own end on a lost display is 1, as is
        // the sanitizers' by default).
        for (const QString& options : {QStringLiteral("ASAN_OPTIONS"), QStringLiteral("UBSAN_OPTIONS")})
            if (env.contains(options))
                env.insert(options, env.value(options) + QStringLiteral(":exitcode=86")
                                        + (options.startsWith(u'A') ? QStringLiteral(":detect_leaks=0") : QString()));
        QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(programFolder);
        if (childSetup)
            process_.setChildProcessModifier(childSetup);
        process_.start(program, args);
        // Signals go through a handle on this very process: once it has
        // ended, none can reach another process given the same number.
        if (process_.waitForStarted())
            pidfd_ = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(process_.processId()), 0));
    }
    ~RunningProgram()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill(); // the watchdog: a program that did not end
            process_.waitForFinished(5000);
        }
        if (pidfd_ >= 0)
            ::close(pidfd_);
    }
    // Waits for the robot's "READY label".
    bool waitReady(const QString& label)
    {
        const QByteArray line = "READY " + label.toUtf8() + '\n';
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < kReadyMs && process_.state() != QProcess::NotRunning) {
            process_.waitForReadyRead(200);
            out_ += process_.readAllStandardOutput();
            if (out_.contains(line))
                return true;
        }
        return false;
    }
    void signal(int signo) const
    {
        ASSERT_GE(pidfd_, 0) << "no handle on the process";
        ::syscall(SYS_pidfd_send_signal, pidfd_, signo, nullptr, 0);
    }
    bool waitEnd()
    {
        const bool ended = process_.waitForFinished(kEndMs);
        out_ += process_.readAllStandardOutput();
        return ended;
    }
    bool endedNormally(int code = 0) const
    {
        return process_.state() == QProcess::NotRunning && process_.exitStatus() == QProcess::NormalExit
            && process_.exitCode() == code;
    }
    // What the program and the robot said, for failure messages.
    std::string log()
    {
        out_ += process_.readAllStandardOutput();
        return (out_ + "--- error output:\n" + process_.readAllStandardError()).toStdString();
    }

private:
    QTemporaryDir runtime_;
    QProcess process_;
    QByteArray out_;
    int pidfd_ = -1;
};

// Signs in on the command line with the password, passes the welcome
// window, and reveals physical property `menuIndex` (1 the melting point,
// 6 the infrared spectrum in its viewer).
QString signInAndReveal(int menuIndex = 1)
{
    return QStringLiteral("frmInitial:click:cmdInitial;"
                          "frmTestPassword:type:txtTestPassword:%1;frmTestPassword:click:cmdTestPassword;"
                          "frmNewUser:close;frmOVMain:menu:mnuPhysPropItem%2;")
        .arg(QLatin1String(kPassword))
        .arg(menuIndex);
}

int meltingPoint() { return itemForMenuIndex(QStringLiteral("mnuPhysPropItem"), 1); }

class SystemEndTest : public orvtest::StudentFileTest {
protected:
    SystemEndTest() : StudentFileTest(QStringLiteral("anna"), {3}) {}
    void SetUp() override
    {
        StudentFileTest::SetUp();
        InitProgram();
        ResetProgress();
        ReadConfigFile(); // defaults: passwords required, sessions saved
        orvtest::saveStudentLeftOnUnknown3(path, QString::fromLatin1(kPassword));
        before_ = readBytes();
    }
    // The state of a student signed in on unknown 3 of the saved file, the
    // forms registered; nothing held yet.
    void signInOnUnknown3()
    {
        registerCoreForms();
        registerMainwindowForms();
        InitProgram();
        ResetProgress();
        ReadConfigFile();
        m.CurrentUnknown = 3;
        m.UserFilePath = path;
        m.Password = QString::fromLatin1(kPassword);
    }
    // After a system end taken by hand: the program's state as before it,
    // the main window gone without saving, the file let go.
    void leaveAfterTheEnd(QWidget* main)
    {
        resetSystemEndForTests();
        registerCoreForms();
        registerMainwindowForms();
        m.QuitReason.clear();
        forms::unload(main);
        orvtest::letGoOfUserFile();
    }
    QByteArray readBytes() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The file as it was before the student signed in.
    void restoreFile() const
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(before_) == before_.size());
    }
    bool markThere() const
    {
        return QFileInfo::exists(FileInUse::markPath(path)) || QFileInfo::exists(FileInUse::secondMarkPath(path));
    }
    // No unfinished copy of a write is left in users/.
    QStringList leftovers() const
    {
        return QDir(folder.file(QStringLiteral("users"))).entryList({QStringLiteral("*.orvtmp")}, QDir::Files);
    }
    QByteArray before_;
};

struct SignalCase {
    const char* name;
    int signo;
    int menuIndex;      // the physical property revealed
    const char* window; // the window it opened (modal)
    bool left;          // that window is still open at the end
};

} // namespace

TEST_F(SystemEndTest, EachSignalSavesTheWorkAndLetsTheFileGo)
{
    // clang-format off
    const SignalCase cases[] = {
        {"SIGTERM, the result window open", SIGTERM, 1, "frmResult", true},
        {"SIGTERM, the main window alone",  SIGTERM, 1, "frmResult", false},
        {"SIGTERM, a spectrum viewer open", SIGTERM, 6, "frmIr",     true},
        {"SIGHUP, the result window open",  SIGHUP,  1, "frmResult", true},
        {"SIGHUP, the main window alone",   SIGHUP,  1, "frmResult", false},
        {"SIGINT, the main window alone",   SIGINT,  1, "frmResult", false},
    };
    // clang-format on
    for (const SignalCase& c : cases) {
        SCOPED_TRACE(c.name);
        restoreFile();
        const QString window = QString::fromLatin1(c.window);
        const QString script = signInAndReveal(c.menuIndex)
                             + (c.left ? window + QStringLiteral(":ready:work")
                                       : window + QStringLiteral(":close;frmOVMain:ready:work"));
        RunningProgram student(folder.path(), {path}, script);
        ASSERT_TRUE(student.waitReady(QStringLiteral("work"))) << student.log();
        if (!c.left)
            QThread::msleep(300); // the window closes meanwhile
        EXPECT_TRUE(markThere()) << "the session holds its file";
        EXPECT_EQ(readBytes(), before_) << "nothing saved before the end";

        student.signal(c.signo);
        ASSERT_TRUE(student.waitEnd()) << student.log();
        EXPECT_TRUE(student.endedNormally()) << student.log();
        const UserRecord r = orvtest::userFileRecord(path);
        EXPECT_EQ(r.progress.CurrentUnknown, 3);
        const int item = itemForMenuIndex(QStringLiteral("mnuPhysPropItem"), c.menuIndex);
        EXPECT_TRUE(r.progress.ItemsRevealed[item] == kTrue) << "the revealed item is saved\n" << student.log();
        EXPECT_FALSE(markThere()) << student.log();
        EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(u' ').toStdString();
    }
}

TEST_F(SystemEndTest, ASpectrumSeenAfterASaveIsSavedAtTheEnd)
{
    // The viewer's reveal counts as a change like any other: the end writes it.
    const int infrared = itemForMenuIndex(QStringLiteral("mnuPhysPropItem"), 6);
    RunningProgram student(folder.path(), {path},
                           signInAndReveal()
                               + QStringLiteral("frmResult:close;frmOVMain:menu:mnuSaveCont;"
                                                "frmOVMain:menu:mnuPhysPropItem6;frmIr:close;"
                                                "frmOVMain:ready:work"));
    ASSERT_TRUE(student.waitReady(QStringLiteral("work"))) << student.log();
    QThread::msleep(300); // the viewer closes meanwhile
    EXPECT_TRUE(orvtest::userFileRecord(path).progress.ItemsRevealed[meltingPoint()] == kTrue) << "the first save";
    student.signal(SIGTERM);
    ASSERT_TRUE(student.waitEnd()) << student.log();
    EXPECT_TRUE(student.endedNormally()) << student.log();
    EXPECT_TRUE(orvtest::userFileRecord(path).progress.ItemsRevealed[infrared] == kTrue) << student.log();
    EXPECT_FALSE(markThere());
}

TEST_F(SystemEndTest, AFailedSaveReportedToAClosedPipeStillLetsTheFileGo)
{
    // At a logout the error output is often a pipe nobody reads any more.
    // The save fails (a folder stands where the file was), its report goes
    // to that pipe, and the program must still let go of its mark. The
    // signal's default action is put back, as a session would start it.
    const auto closedPipe = [] {
        ::signal(SIGPIPE, SIG_DFL);
        int ends[2];
        if (::pipe(ends) == 0) {
            ::close(ends[0]);
            ::dup2(ends[1], 2);
            ::close(ends[1]);
        }
    };
    RunningProgram student(folder.path(), {path}, signInAndReveal() + QStringLiteral("frmResult:ready:work"), QString(),
                           QStringLiteral(ORV_STUDENT_PROGRAM), closedPipe);
    ASSERT_TRUE(student.waitReady(QStringLiteral("work"))) << student.log();
    ASSERT_TRUE(markThere());
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    student.signal(SIGTERM);
    ASSERT_TRUE(student.waitEnd()) << student.log();
    EXPECT_TRUE(student.endedNormally()) << "not ended by SIGPIPE\n" << student.log();
    EXPECT_FALSE(markThere());
    EXPECT_TRUE(QFileInfo(path).isDir()) << "nothing written in its place";
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(u' ').toStdString();
    QDir().rmdir(path);
}

TEST_F(SystemEndTest, SignalsDuringTheSaveLeaveTheFileWhole)
{
    // Signals keep coming from the first until the program has ended, so
    // that some arrive while the work is being written.
    RunningProgram student(folder.path(), {path}, signInAndReveal() + QStringLiteral("frmResult:ready:work"));
    ASSERT_TRUE(student.waitReady(QStringLiteral("work"))) << student.log();
    std::atomic<bool> ended = false;
    std::thread sender([&] {
        for (int i = 0; !ended; ++i) {
            student.signal(i % 3 == 2 ? SIGHUP : SIGTERM);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    const bool finished = student.waitEnd();
    ended = true;
    sender.join();
    ASSERT_TRUE(finished) << student.log();
    EXPECT_TRUE(student.endedNormally()) << student.log();
    const UserRecord r = orvtest::userFileRecord(path);
    EXPECT_TRUE(r.progress.ItemsRevealed[meltingPoint()] == kTrue) << student.log();
    EXPECT_FALSE(markThere());
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(u' ').toStdString();
}

TEST_F(SystemEndTest, TheSessionManagersEndTakesTheSameRoad)
{
    // Its order to end reaches the program as the application's Quit event,
    // which would otherwise close each window in turn and ask.
    RunningProgram student(folder.path(), {path},
                           signInAndReveal() + QStringLiteral("frmResult:click:cmdResultOk;frmOVMain:quit"));
    ASSERT_TRUE(student.waitEnd()) << student.log();
    EXPECT_TRUE(student.endedNormally()) << student.log();
    const UserRecord r = orvtest::userFileRecord(path);
    EXPECT_TRUE(r.progress.ItemsRevealed[meltingPoint()] == kTrue) << student.log();
    EXPECT_FALSE(markThere());
}

TEST_F(SystemEndTest, AnEndDuringTheSignInLetsTheFileGoUnchanged)
{
    // The password window is open: the file is marked, nothing of it is in
    // the program yet, so there is nothing to save.
    RunningProgram student(folder.path(), {path},
                           QStringLiteral("frmInitial:click:cmdInitial;frmTestPassword:ready:password"));
    ASSERT_TRUE(student.waitReady(QStringLiteral("password"))) << student.log();
    EXPECT_TRUE(markThere());
    student.signal(SIGTERM);
    ASSERT_TRUE(student.waitEnd()) << student.log();
    EXPECT_TRUE(student.endedNormally()) << student.log();
    EXPECT_EQ(readBytes(), before_);
    EXPECT_FALSE(markThere());
}

// Starts an X server of its own on a free display; empty when it cannot.
QString startXServer(QProcess& server, const QString& xvfb)
{
    // It names the display it took on its standard output.
    server.start(xvfb,
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                  QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x1024x24")});
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    while (!out.contains('\n') && clock.elapsed() < 20000 && server.state() != QProcess::NotRunning) {
        server.waitForReadyRead(200);
        out += server.readAllStandardOutput();
    }
    bool ok = false;
    const int number = out.trimmed().toInt(&ok);
    return ok ? QStringLiteral(":%1").arg(number) : QString();
}

TEST_F(SystemEndTest, TheDisplayGoneSavesAsTheProgramExits)
{
    // A logout ends the X server; Qt then ends the program with exit(1) as
    // soon as it notices, with no event or signal first, and the road runs
    // from an exit handler: nothing it touches may be gone by then (under
    // the sanitizers a use after free ends the program with 86). Needs an X
    // server of its own to end (Xvfb).
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    const QString mark = FileInUse::markPath(path);
    struct Case {
        const char* what;
        QString script;
        int revealed; // the physical property revealed and saved at the end; 0: none, nothing opened
    };
    const Case cases[] = {
        {"the result window open", signInAndReveal() + QStringLiteral("frmResult:ready:work"), 1},
        {"the main window alone",
         signInAndReveal() + QStringLiteral("frmResult:click:cmdResultOk;frmOVMain:ready:work"), 1},
        {"a spectrum viewer open", signInAndReveal(6) + QStringLiteral("frmIr:ready:work"), 6},
        // Another machine's mark: the sign-in asks whether to open the file anyway.
        {"a message box open", QStringLiteral("frmInitial:click:cmdInitial;QMessageBox:ready:work"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool asking = c.revealed == 0;
        if (asking) {
            ASSERT_TRUE(createFileExclusive(mark, markText(orvtest::markOfLabPc07()), 0644).written());
        }
        const QByteArray markBefore = readFileBytes(mark).value_or(QByteArray());
        QProcess server;
        const QString display = startXServer(server, xvfb);
        ASSERT_FALSE(display.isEmpty()) << server.readAllStandardError().toStdString();
        RunningProgram student(folder.path(), {path}, c.script, display);
        ASSERT_TRUE(student.waitReady(QStringLiteral("work"))) << student.log();
        QThread::msleep(300);
        if (asking)
            EXPECT_EQ(readFileBytes(mark).value_or(QByteArray()), markBefore) << "the other copy's mark, untouched";
        else
            EXPECT_TRUE(markThere()) << "the program holds its file";
        server.kill();
        server.waitForFinished(5000);
        ASSERT_TRUE(student.waitEnd()) << student.log();
        EXPECT_TRUE(student.endedNormally(1)) << "Qt's own exit code\n" << student.log();
        const std::string log = student.log();
        EXPECT_EQ(log.find("AddressSanitizer"), std::string::npos) << log;
        EXPECT_EQ(log.find("runtime error"), std::string::npos) << log;
        if (!asking) {
            const UserRecord r = orvtest::userFileRecord(path);
            EXPECT_TRUE(r.progress.ItemsRevealed[itemForMenuIndex(QStringLiteral("mnuPhysPropItem"), c.revealed)]
                        == kTrue)
                << student.log();
        } else {
            EXPECT_EQ(readBytes(), before_) << "nothing of the file was opened";
            EXPECT_EQ(readFileBytes(mark).value_or(QByteArray()), markBefore) << "the other copy's mark stays";
            ASSERT_TRUE(QFile::remove(mark));
        }
        EXPECT_FALSE(markThere()) << student.log();
        EXPECT_TRUE(leftovers().isEmpty());
        restoreFile();
    }
}

// The road's choices where the close box would ask, in the program itself:
// nothing may be shown, and nothing may wait for an answer.
namespace {
enum class Named { No, NewFileNoPassword, Existing };
struct RoadCase {
    const char* name;
    bool sessionsSaved; // the settings save sessions: the close box saves
    Named named;
    bool written;       // the file holds the work afterwards
    const char* logged; // what the error output says, nullptr for nothing
};

// Everything written to the error output (descriptor 2) while it lives.
class ErrorOutput {
public:
    ErrorOutput()
    {
        std::fflush(stderr);
        saved_ = ::dup(2);
        if (file_.open())
            ::dup2(file_.handle(), 2);
    }
    ~ErrorOutput() { restore(); }
    QString text()
    {
        restore();
        file_.seek(0);
        return QString::fromLocal8Bit(file_.readAll());
    }

private:
    void restore()
    {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        saved_ = -1;
    }
    QTemporaryFile file_;
    int saved_ = -1;
};
} // namespace

TEST_F(SystemEndTest, TheRoadSavesOnlyWhereTheCloseBoxWouldAndAsksNothing)
{
    // clang-format off
    const RoadCase cases[] = {
        {"no file named yet: no Save dialog, nothing written",       true,  Named::No,                false,
         "Orvanto: the session was not saved when the system ended the program: no file had been named for it "
         "yet. 2 items had been revealed.\n"},
        {"a new file, its password still to choose: not written",    true,  Named::NewFileNoPassword, false,
         "Orvanto: the session was not saved when the system ended the program: no password had been chosen yet "
         "for its file %1. 2 items had been revealed.\n"},
        {"the student's file",                                       true,  Named::Existing,          true,  nullptr},
        {"sessions not saved: the close box does not save",          false, Named::Existing,          false, nullptr},
    };
    // clang-format on
    registerCoreForms();
    registerMainwindowForms();
    const QString fresh = folder.file(QStringLiteral("users/newcomer.ovg"));
    for (const RoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        restoreFile();
        QFile::remove(fresh);
        InitProgram();
        ResetProgress();
        ReadConfigFile();
        m.MultipleSessionsAllowed = vb(c.sessionsSaved);
        m.CurrentUnknown = 3;
        const QString file = c.named == Named::Existing          ? path
                           : c.named == Named::NewFileNoPassword ? fresh
                                                                 : QString();
        m.UserFilePath = file;
        if (c.named == Named::Existing)
            m.Password = QString::fromLatin1(kPassword);
        if (!file.isEmpty()) {
            ASSERT_TRUE(holdUserFile(file).result == UserFileHold::Held);
        }
        auto* main = forms::instance<frmOVMain>();
        ASSERT_TRUE(frmOVMain::sessionOpen());
        m.ItemsRevealed[meltingPoint()] = kTrue; // the work since the last save
        m.ItemsRevealed[1] = kTrue;
        int dialogs = 0;
        setFileDialogPresenter([&dialogs](const FileDialogRequest&) {
            ++dialogs;
            return QString();
        });
        orvtest::msgLog().shown.clear();

        beginSystemEnd();
        ErrorOutput log;
        leaveForSystemEnd();
        const QString logged = log.text();
        EXPECT_EQ(logged, c.logged ? QString::fromLatin1(c.logged).replace(QStringLiteral("%1"), file) : QString());

        EXPECT_EQ(dialogs, 0);
        EXPECT_TRUE(orvtest::msgLog().shown.empty()) << orvtest::msgLog().lastPrompt().toStdString();
        EXPECT_FALSE(markThere());
        EXPECT_FALSE(QFileInfo::exists(FileInUse::markPath(fresh)));
        if (c.named == Named::No)
            EXPECT_EQ(QDir(folder.file(QStringLiteral("users"))).entryList(QDir::Files), QStringList{"anna.ovg"});
        else if (c.written) {
            const auto lines = readFileLines(file);
            ASSERT_TRUE(lines && !lines->isEmpty());
            const UserFileContents saved = parseUserFileLine(lines->value(0));
            EXPECT_TRUE(saved.record.progress.ItemsRevealed[meltingPoint()] == kTrue);
            EXPECT_EQ(saved.password, QString::fromLatin1(kPassword));
        } else if (c.named == Named::NewFileNoPassword)
            EXPECT_FALSE(QFileInfo::exists(fresh)) << "no user file without a password typed twice";
        else
            EXPECT_EQ(readBytes(), before_);

        resetSystemEndForTests();
        registerCoreForms(); // the road took the password windows and the main window's sinks away
        registerMainwindowForms();
        setFileDialogPresenter({});
        m.QuitReason.clear(); // closes without saving
        forms::unload(main);
        EXPECT_EQ(releaseUserFile(), QString());
    }
}

TEST_F(SystemEndTest, TheSetupProgramEndsWithoutWritingUnsavedSettings)
{
    // The instructor changed a setting and chose Exit; the question whether
    // to leave without saving is open when the session ends. The settings
    // stay as they were, and no half-written copy is left.
    const QString ini = folder.file(QStringLiteral("orvanto.ini"));
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray settings = f.readAll();
    f.close();
    const QString program = QFileInfo(QStringLiteral(ORV_STUDENT_PROGRAM)).absolutePath() + QStringLiteral("/ovsetup");
    RunningProgram instructor(folder.path(), {},
                              QStringLiteral("QFileDialog:accept;frmLogin:type::LKeyA!;frmLogin:click:&Continue;"
                                             "frmTabSetup:click:Tips;frmTabSetup:click:&Exit;QMessageBox:ready:asked"),
                              QString(), program);
    ASSERT_TRUE(instructor.waitReady(QStringLiteral("asked"))) << instructor.log();
    instructor.signal(SIGTERM);
    ASSERT_TRUE(instructor.waitEnd()) << instructor.log();
    EXPECT_TRUE(instructor.endedNormally()) << instructor.log();
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), settings);
    EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("*.orvtmp")}, QDir::Files).isEmpty());
}

// The session manager asks for the work before it ends the session; the
// program goes on meanwhile, so it saves only what the student's own next
// save would, keeps its file, and asks nothing.
namespace {
struct CommitCase {
    const char* name;
    bool example;     // the solved example is on
    bool passwordSet; // the file's password is chosen
    bool written;
};
} // namespace

TEST_F(SystemEndTest, TheSessionManagersRequestToSaveKeepsTheSessionGoing)
{
    // clang-format off
    const CommitCase cases[] = {
        {"the student's unknown",                false, true,  true},
        {"the solved example on: left to the end", true,  true,  false},
        {"a password still to choose",           false, false, false},
    };
    // clang-format on
    registerCoreForms();
    registerMainwindowForms();
    for (const CommitCase& c : cases) {
        SCOPED_TRACE(c.name);
        restoreFile();
        InitProgram();
        ResetProgress();
        ReadConfigFile();
        m.CurrentUnknown = 3;
        m.UserFilePath = path;
        if (c.passwordSet)
            m.Password = QString::fromLatin1(kPassword);
        ASSERT_TRUE(holdUserFile(path).result == UserFileHold::Held);
        auto* main = forms::instance<frmOVMain>();
        m.ItemsRevealed[meltingPoint()] = kTrue;
        m.ExampleMode = vb(c.example);
        orvtest::msgLog().shown.clear();
        {
            const NoWindows none; // as the request runs
            saveForSessionManager();
        }
        EXPECT_TRUE(orvtest::msgLog().shown.empty()) << orvtest::msgLog().lastPrompt().toStdString();
        EXPECT_TRUE(markThere()) << "the session goes on with its file";
        EXPECT_EQ(m.DataSaved, vb(c.written));
        if (c.written)
            EXPECT_TRUE(orvtest::userFileRecord(path).progress.ItemsRevealed[meltingPoint()] == kTrue);
        else
            EXPECT_EQ(readBytes(), before_);
        m.ExampleMode = kFalse;
        m.QuitReason.clear();
        forms::unload(main);
        EXPECT_EQ(releaseUserFile(), QString());
    }
}

// At a system end with users/ read-only to the student's account, neither
// the save nor the removal of the in-use mark can be done. Nobody reads a
// window then: the log tells both, and that the mark stays, with what that
// means for the next sign-in.
TEST_F(SystemEndTest, AMarkThatCannotBeRemovedAtTheEndIsToldInTheLog)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to take the folder's rights away from an ordinary account";
    const QByteArray users = QFile::encodeName(folder.file(QStringLiteral("users")));
    ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(users.constData(), 0777), 0);
    signInOnUnknown3();
    {
        orvtest::AsOrdinaryUser student;
        ASSERT_TRUE(student.ok());
        ASSERT_TRUE(holdUserFile(path).result == UserFileHold::Held);
    }
    const QString mark = FileInUse::markPath(path);
    ASSERT_TRUE(QFileInfo::exists(mark));
    ASSERT_EQ(::chmod(users.constData(), 0555), 0);
    auto* main = forms::instance<frmOVMain>();
    m.ItemsRevealed[meltingPoint()] = kTrue;

    testing::internal::CaptureStderr();
    {
        orvtest::AsOrdinaryUser student;
        beginSystemEnd();
        leaveForSystemEnd();
    }
    const QString log = QString::fromStdString(testing::internal::GetCapturedStderr());
    ::chmod(users.constData(), 0777);
    EXPECT_TRUE(log.contains(QStringLiteral("Error writing ") + path + QStringLiteral(". Information not saved.")))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("The in-use mark of your file could not be removed: ") + mark))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Orvanto on this machine opens the file again once this program has "
                                            "ended; elsewhere, the next copy that opens the file asks first whether "
                                            "this one is still running.")))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Orvanto was ended by the system, so the work since the last save is "
                                            "lost")))
        << "no file can be made in a read-only folder either: " << log.toStdString();
    EXPECT_TRUE(QFileInfo::exists(mark)) << "the mark stays, as told";
    EXPECT_EQ(readBytes(), before_) << "nothing saved";

    leaveAfterTheEnd(main);
}

// The save at the system's end is refused: a classmate swapped the user file
// for a link after sign-in (nothing is written through it), or another copy
// opened the file anyway (nothing is written over its work). No window can
// ask for another name, so the work goes into a new file beside the user
// file, made exclusively, which the log names; the student signs in with it
// later.
TEST_F(SystemEndTest, ASaveRefusedAtTheEndIsKeptInANewFile)
{
    const QString other = folder.file(QStringLiteral("notes.txt"));
    const QString givenUp = QStringLiteral("It was given up earlier in this session.");
    const struct {
        const char* what;
        bool link;          // else the mark taken over
        bool refusedBefore; // a save the student made was refused before the end: the file given up
        QString why;
    } cases[] = {
        {"the file swapped for a link", true, false,
         QStringLiteral("someone has put another file, or a shortcut to one, in its place. Tell your instructor.")},
        {"the mark taken over", false, false,
         QStringLiteral("Another copy of Orvanto (on machine lab-pc-07, account ") + accountName(::geteuid())
             + QStringLiteral(") has opened this file since you signed in, and saving here would overwrite its "
                              "work.")},
        {"the file swapped for a link, a save refused before", true, true, givenUp},
        {"the mark taken over, a save refused before", false, true, givenUp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        signInOnUnknown3();
        m.PasswordVerified = kTrue;
        ASSERT_TRUE(holdUserFile(path).result == UserFileHold::Held);
        auto* main = forms::instance<frmOVMain>();
        ASSERT_TRUE(WriteUserFile()); // the student's last save: the file this copy may replace
        const QByteArray saved = readBytes();
        if (c.link) {
            ASSERT_TRUE(writeFileAtomic(other, "precious").written());
            ASSERT_TRUE(QFile::remove(path));
            ASSERT_TRUE(QFile::link(other, path));
        } else {
            ASSERT_TRUE(writeFileAtomic(FileInUse::markPath(path), markText(orvtest::markOfLabPc07())).written());
        }
        m.ItemsRevealed[meltingPoint()] = kTrue;
        if (c.refusedBefore) {
            // Refused, told, and no other name given (the Save dialog cancelled).
            setFileDialogPresenter([](const FileDialogRequest&) { return QString(); });
            EXPECT_NE(WriteUserDataFlow(), SaveOutcome::Saved);
            setFileDialogPresenter({});
            EXPECT_TRUE(m.UserFilePath.isEmpty());
            m.ItemsRevealed[meltingPoint() + 1] = kTrue;
        }

        testing::internal::CaptureStderr();
        beginSystemEnd();
        leaveForSystemEnd();
        const QString log = QString::fromStdString(testing::internal::GetCapturedStderr());
        EXPECT_TRUE(log.contains(c.why
                                 + QStringLiteral(" Orvanto was ended by the system, so your work "
                                                  "has been saved in the new file ")))
            << log.toStdString();
        EXPECT_FALSE(log.contains(QStringLiteral("Your work is kept"))) << log.toStdString();
        if (c.link) {
            EXPECT_EQ(readFileBytes(other).value_or(QByteArray()), QByteArray("precious"));
            EXPECT_TRUE(QFileInfo(path).isSymLink());
        } else {
            EXPECT_EQ(readBytes(), saved) << "the other copy's file is not written";
        }
        const QStringList kept =
            QDir(folder.file(QStringLiteral("users"))).entryList({QStringLiteral("anna-kept-*.ovg")}, QDir::Files);
        ASSERT_EQ(kept.size(), 1) << log.toStdString();
        const QString keptPath = folder.file(QStringLiteral("users/") + kept.front());
        EXPECT_TRUE(log.contains(keptPath + QStringLiteral(" instead: tell your instructor."))) << log.toStdString();
        EXPECT_TRUE(orvtest::userFileRecord(keptPath).progress.ItemsRevealed[meltingPoint()] == kTrue);
        if (c.refusedBefore) {
            EXPECT_TRUE(orvtest::userFileRecord(keptPath).progress.ItemsRevealed[meltingPoint() + 1] == kTrue);
        }

        leaveAfterTheEnd(main);
        QFile::remove(keptPath);
        QFile::remove(FileInUse::markPath(path));
        QFile::remove(path);
        restoreFile();
    }
}
