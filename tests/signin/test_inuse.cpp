// The in-use mark as a lab meets it, through the real sign-in: a copy still
// running on this machine keeps its file, any other mark is told to the
// student (who holds the file, where, since when) and the student decides,
// what a classmate leaves at a mark's name is never removed nor followed,
// and two copies signing in at the same instant never both get in.
#include "core/forms/frmQuit.h"
#include "core/forms/registercore.h"
#include "core/marktexts.h"
#include "core/modorvan.h"
#include "core/signin.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "platform/fileinuse.h"
#include "platform/forms/formregistry.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"
#include "tests/signin/signinsupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QThread>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orv;
using orvtest::elsewhere;
using orvtest::markOfLabPc07;

namespace {

QByteArray native(const QString& path) { return QFile::encodeName(path); }

// Waits up to a second for more of a child's output; false once it has
// ended without more (a slow start, as under a sanitizer, is no end).
bool mayStillSay(QProcess& p) { return p.waitForReadyRead(1000) || p.state() == QProcess::Running; }

// Ends the test program when a sign-in hangs (a pipe or a device read
// waiting for ever), so that the failure is named instead of timing out.
class Watchdog {
public:
    explicit Watchdog(const char* what, int seconds = 20)
        : thread_([this, what, seconds] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, std::chrono::seconds(seconds), [this] { return over_; })) {
                  std::fprintf(stderr, "\nhung: %s\n", what);
                  std::_Exit(3);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(mutex_);
            over_ = true;
        }
        done_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool over_ = false;
    std::thread thread_;
};

// A program folder shared by a lab: the folder readable by all, users/
// writable by all (with the sticky bit when asked), one student's file in it.
struct Lab {
    orvtest::ProgramFolder folder;
    QString users, path, first, second;
    Lab()
    {
        const QString three = QStringLiteral("unks/ovunk") + UnknownFileCode(3) + QStringLiteral(".txt");
        folder.copyFromSource(QStringLiteral("data/") + three, three);
        users = folder.file(QStringLiteral("users"));
        path = users + QStringLiteral("/anna.ovg");
        InitProgram();
        modOrvan.UserFilePath = path;
        modOrvan.CurrentUnknown = 3;
        EXPECT_TRUE(WriteUserFile());
        EXPECT_EQ(releaseUserFile(), QString()) << "nothing was held";
        InitProgram();
        ::chmod(native(folder.path()).constData(), 0755);
        sticky(true);
        first = FileInUse::markPath(path);
        second = FileInUse::secondMarkPath(path);
    }
    ~Lab() { orvtest::msgLog().answers.clear(); }
    void sticky(bool on) const { ::chmod(native(users).constData(), on ? 01777 : 0777); }
    SignInOutcome signIn() const
    {
        orvtest::letGoOfUserFile();
        InitProgram();
        return signInFromUserFile(path, true);
    }
    // Removes whatever stands in either mark's place (a test's own planting).
    void clearMarks() const
    {
        for (const QString& m : {first, second}) {
            if (QFileInfo(m).isDir() && !QFileInfo(m).isSymLink())
                QDir(m).removeRecursively();
            else
                ::unlink(native(m).constData());
        }
    }
};

// A mark as a copy of Orvanto leaves it; `edit` makes it another copy's.
QByteArray mark(const std::function<void(MarkHolder&)>& edit)
{
    MarkHolder h = FileInUse::thisCopy();
    h.token = "another copy";
    h.renewal = 7;
    edit(h);
    return markText(h);
}

// A process number that no process has now.
qint64 deadProcess()
{
    QProcess p;
    p.start(QStringLiteral("true"), {});
    p.waitForFinished();
    return p.processId() > 0 ? p.processId() : 999999;
}

// A mark made at `where`, last renewed half a minute more than `minutesAgo`
// minutes ago (negative: by a clock ahead of this one).
void writeMark(const QString& where, const QByteArray& bytes, int minutesAgo = 0)
{
    ASSERT_TRUE(createFileExclusive(where, bytes).written());
    QFile f(where);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const int seconds = minutesAgo * 60 + (minutesAgo > 0 ? 30 : 0);
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-seconds), QFileDevice::FileModificationTime));
}

// The copy that signed in: its mark under the one name or the other.
bool markedByThisCopy(const Lab& lab)
{
    for (const QString& m : {lab.first, lab.second})
        if (const auto bytes = readFileBytes(m))
            if (const auto h = parseMark(*bytes).holder; h && h->pid == ::getpid() && h->token != "another copy")
                return true;
    return false;
}

// Everything below `folder` as it stands: each entry's kind, owner, mode and
// bytes (or link target), never following a link.
std::map<QString, QString> treeOf(const QString& folder)
{
    std::map<QString, QString> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        struct stat st {};
        if (::lstat(native(p).constData(), &st) != 0)
            continue;
        QString what = QStringLiteral("mode %1 owner %2 ").arg(st.st_mode, 0, 8).arg(st.st_uid);
        if (S_ISLNK(st.st_mode))
            what += QStringLiteral("-> ") + QFileInfo(p).symLinkTarget();
        else if (S_ISREG(st.st_mode))
            what += QString::fromLatin1(readFileBytes(p).value_or("(unreadable)").toHex());
        tree[p] = what;
    }
    return tree;
}

// For its life this process acts as another account than root and nobody:
// a classmate.
class AsClassmate {
public:
    static constexpr uid_t kUid = 4242;
    AsClassmate() { ok_ = ::setegid(kUid) == 0 && ::seteuid(kUid) == 0; }
    ~AsClassmate()
    {
        [[maybe_unused]] const int u = ::seteuid(0);
        [[maybe_unused]] const int g = ::setegid(0);
    }
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

// The questions about other marks that a sign-in asked.
std::vector<MsgRecord> questionsAsked()
{
    std::vector<MsgRecord> asked;
    for (const MsgRecord& r : orvtest::msgLog().shown)
        if (r.yesText == kOpenAnyway)
            asked.push_back(r);
    return asked;
}

} // namespace

// What stands in the mark's place when a student signs in. A dead copy's
// mark of this machine, of whatever account, never keeps the student out;
// any other mark is told, and the student's "Open anyway" lets the student
// in; what is no mark at all (a folder, a link, a pipe) stays where it is,
// untouched, and the mark goes under the other name. The student is
// `nobody`, the marks are root's (another account's) unless said.
TEST(InUseMark, WhatStandsInTheMarksPlace)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to leave marks as another account and sign in as nobody";
    Lab lab;
    const QString outside = lab.folder.file(QStringLiteral("private.txt"));
    ASSERT_TRUE(createFileExclusive(outside, "a file nobody may change", 0444).written());
    struct Case {
        const char* what;
        std::function<void(const Lab&)> make;
        bool sticky;
        int asked;                   // questions answered "Open anyway"
        const char* says;            // in a question or the message shown after, when given
        bool markStays;              // what stood at the first name is still there, as it was
        bool unmarked = false;       // in without a mark of its own (both names taken)
        bool needsMachineId = false; // only a machine id tells this machine's earlier boots
    };
    const qint64 dead = deadProcess();
    const auto asNobody = [](const QString& m) { ASSERT_EQ(::chown(native(m).constData(), 65534, 65534), 0); };
    const Case cases[] = {
        {"no mark", [](const Lab&) {}, true, 0, nullptr, false},
        {"a copy on another machine, renewed 11 minutes ago",
         [](const Lab& l) { writeMark(l.first, mark(elsewhere), 11); }, true, 1,
         "It was marked as in use on machine lab-pc-07, by the account root. The mark was last renewed 11 "
         "minutes ago",
         true},
        {"a copy on another machine, not sticky", [](const Lab& l) { writeMark(l.first, mark(elsewhere), 11); }, false,
         1, nullptr, false},
        {"a copy on a machine whose clock is ahead", [](const Lab& l) { writeMark(l.first, mark(elsewhere), -30); },
         false, 1, "The mark was last renewed moments ago.", false},
        {"a killed copy of another account, sticky",
         [dead](const Lab& l) { writeMark(l.first, mark([dead](MarkHolder& h) { h.pid = dead; })); }, true, 0, nullptr,
         true},
        {"a killed copy of another account, not sticky",
         [dead](const Lab& l) { writeMark(l.first, mark([dead](MarkHolder& h) { h.pid = dead; })); }, false, 0, nullptr,
         false},
        {"a killed copy of the student's own",
         [dead, asNobody](const Lab& l) {
             writeMark(l.first, mark([dead](MarkHolder& h) { h.pid = dead; }));
             asNobody(l.first);
         },
         true, 0, nullptr, false},
        {"the student's own mark naming process 1 (not a copy of Orvanto)",
         [asNobody](const Lab& l) {
             writeMark(l.first, mark([](MarkHolder& h) { h.pid = 1; }));
             asNobody(l.first);
         },
         true, 0, nullptr, false},
        {"a classmate's mark naming process 1",
         [](const Lab& l) { writeMark(l.first, mark([](MarkHolder& h) { h.pid = 1; })); }, false, 0, nullptr, false},
        {"a copy from before this machine's last boot",
         [](const Lab& l) { writeMark(l.first, mark([](MarkHolder& h) { h.boot = QByteArray(h.boot.size(), 'b'); })); },
         false, 0, nullptr, false, false, true},
        {"mode 000",
         [](const Lab& l) {
             writeMark(l.first, mark(elsewhere), 3);
             ::chmod(native(l.first).constData(), 0);
         },
         false, 1,
         "Its in-use mark cannot be read (Permission denied). It belongs to the account root and was "
         "last changed 3 minutes ago",
         false},
        {"a mark this version cannot read (an older copy's)",
         [](const Lab& l) { writeMark(l.first, "1234\norvantos\nlab-pc-07\n"); }, true, 1,
         "not a mark of this version of Orvanto", true},
        {"a process number beyond the system's range",
         [](const Lab& l) { writeMark(l.first, mark([](MarkHolder& h) { h.pid = 4294967297; })); }, false, 1,
         "a mark with an impossible process number", false},
        {"a huge file",
         [](const Lab& l) {
             QFile f(l.first);
             f.open(QIODevice::WriteOnly);
             f.resize(kMaxReadBytes);
         },
         true, 1, "larger than any mark", true},
        {"a huge file, not sticky",
         [](const Lab& l) {
             QFile f(l.first);
             f.open(QIODevice::WriteOnly);
             f.resize(kMaxReadBytes);
         },
         false, 1, "larger than any mark", false},
        // What no copy makes: never removed, opened or followed.
        {"a folder", [](const Lab& l) { QDir().mkpath(l.first + "/inside"); }, false, 1,
         "a folder, which Orvanto never makes", true},
        {"a folder of links to a read-only file",
         [outside](const Lab& l) {
             QDir().mkpath(l.first + "/deeper");
             QFile::link(outside, l.first + "/link");
             QFile::link(outside, l.first + "/deeper/link");
         },
         false, 1, "a folder, which Orvanto never makes", true},
        {"a dangling link", [](const Lab& l) { QFile::link(l.users + "/nothing-here", l.first); }, false, 1,
         "a symbolic link, which Orvanto never makes", true},
        {"a link to a read-only file", [outside](const Lab& l) { QFile::link(outside, l.first); }, false, 1,
         "a symbolic link", true},
        {"a named pipe", [](const Lab& l) { ::mkfifo(native(l.first).constData(), 0666); }, false, 1,
         "a named pipe, which Orvanto never makes", true},
        {"a second name of a read-only file",
         [outside](const Lab& l) { ASSERT_EQ(::link(native(outside).constData(), native(l.first).constData()), 0); },
         false, 1, "a second name of another file, which Orvanto never makes", true},
        {"both names taken: in without a mark, and told so",
         [](const Lab& l) {
             ::mkfifo(native(l.first).constData(), 0666);
             QDir().mkpath(l.second);
         },
         false, 2, "is open without an in-use mark", true, true},
    };
    const bool machineId = !FileInUse::thisCopy().machine.isEmpty();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsMachineId && !machineId) {
            std::printf("skipped \"%s\": this machine has no machine id\n", c.what);
            continue;
        }
        lab.clearMarks();
        lab.sticky(c.sticky);
        c.make(lab);
        const auto before = treeOf(lab.folder.path());
        const auto stood = before.find(lab.first);
        orvtest::msgLog().shown.clear();
        orvtest::msgLog().answers.assign(c.asked, MsgResult::Yes);
        SignInOutcome out;
        {
            orvtest::AsOrdinaryUser student;
            ASSERT_TRUE(student.ok());
            Watchdog hang(c.what);
            out = lab.signIn();
            EXPECT_EQ(out.result, SignInResult::Loaded) << out.quitMessage.toStdString();
            EXPECT_EQ(modOrvan.CurrentUnknown, 3);
            EXPECT_EQ(int(questionsAsked().size()), c.asked);
            for (const MsgRecord& q : questionsAsked()) {
                EXPECT_EQ(q.defaultButton, 2) << "going back is the default";
                EXPECT_EQ(q.noText, kGoBack);
            }
            EXPECT_EQ(markedByThisCopy(lab), !c.unmarked);
            if (c.says) {
                bool found = false;
                for (const MsgRecord& r : orvtest::msgLog().shown)
                    found = found || r.prompt.contains(QLatin1String(c.says));
                EXPECT_TRUE(found) << orvtest::msgLog().lastPrompt().toStdString();
            }
            clearForNextStudent();
            EXPECT_FALSE(markedByThisCopy(lab)) << "letting go removes this copy's mark";
        }
        const auto after = treeOf(lab.folder.path());
        const auto stands = after.find(lab.first);
        const bool stayed = stood != before.end() && stands != after.end() && stood->second == stands->second;
        EXPECT_EQ(stayed, c.markStays);
        // Nothing else changed: the user file, the file outside, whatever
        // stood below a planted folder.
        for (const auto& [p, what] : before) {
            if (p != lab.first && p != lab.path) {
                EXPECT_EQ(after.count(p) ? after.at(p) : QStringLiteral("(gone)"), what) << p.toStdString();
            }
        }
        EXPECT_EQ(readFileBytes(outside).value(), "a file nobody may change");
        QStringList asides;
        for (const auto& [p, what] : after)
            if (p.endsWith(QLatin1String(".gone")) || p.endsWith(QLatin1String(".orvtmp")))
                asides << p;
        EXPECT_EQ(asides, QStringList()) << "nothing set aside or made for a look stays";
    }
    lab.clearMarks();
}

// The student's choice over another machine's mark: going back leaves
// everything as it was and says why the file was not opened; "Open anyway"
// marks the file as this copy's. A mark that changed while the question was
// shown (its copy renewed it) is asked about again.
TEST(InUseMark, TheStudentChoosesWhetherToOpenAnyway)
{
    Lab lab;
    lab.sticky(false);
    writeMark(lab.first, mark(elsewhere), 25);
    const auto before = treeOf(lab.folder.path());

    orvtest::msgLog().shown.clear();
    orvtest::msgLog().answers = {MsgResult::No};
    SignInOutcome out = lab.signIn();
    EXPECT_EQ(out.result, SignInResult::InUse);
    ASSERT_EQ(questionsAsked().size(), 1u);
    const QString asked = questionsAsked().front().prompt;
    EXPECT_TRUE(asked.startsWith("The file " + lab.path + " may be open in another copy of Orvanto."))
        << asked.toStdString();
    EXPECT_TRUE(asked.contains("on machine lab-pc-07, by the account " + accountName(::geteuid())));
    EXPECT_TRUE(asked.contains("last renewed 25 minutes ago (at ")) << asked.toStdString();
    EXPECT_TRUE(asked.contains("If it is still running, the work done there since its last save is lost."));
    EXPECT_TRUE(asked.endsWith("The mark is " + lab.first + "."));
    EXPECT_EQ(out.quitMessage,
              notOpenedText(lab.path, MarkClaim{lab.first, "lab-pc-07", false, accountName(::geteuid()), {}, {}, {}}));
    EXPECT_TRUE(modOrvan.UserFilePath.isEmpty());
    EXPECT_EQ(modOrvan.CurrentUnknown, 0);
    EXPECT_EQ(treeOf(lab.folder.path()), before) << "declined: nothing changed";

    // Renewed while the question is shown: told again, then opened.
    int questions = 0;
    const MsgPresenter log = msgPresenter();
    setMsgPresenter([&](const MsgRecord& r) {
        if (r.yesText != kOpenAnyway)
            return log(r);
        if (++questions == 1) {
            MarkHolder renewed = markOfLabPc07();
            renewed.token = "another copy";
            renewed.renewal = 8;
            elsewhere(renewed);
            EXPECT_TRUE(writeFileAtomic(lab.first, markText(renewed)).written());
        }
        return MsgResult::Yes;
    });
    out = lab.signIn();
    setMsgPresenter(log);
    EXPECT_EQ(out.result, SignInResult::Loaded) << out.quitMessage.toStdString();
    EXPECT_EQ(questions, 2);
    EXPECT_TRUE(markedByThisCopy(lab));
    EXPECT_FALSE(QFileInfo::exists(lab.second)) << "the other copy's mark was replaced, not sidestepped";
    clearForNextStudent();
    EXPECT_FALSE(QFileInfo::exists(lab.first));
}

// Run only as a child of the test below: waits for the start signal, signs
// in on ORV_RACE_FILE, says whether it got in, and keeps the file until killed.
TEST(InUseMark, DISABLED_SignsInAtTheSignal)
{
    const QString path = qEnvironmentVariable("ORV_RACE_FILE"), go = qEnvironmentVariable("ORV_RACE_GO");
    ASSERT_FALSE(path.isEmpty());
    std::fputs("\nready\n", stdout);
    std::fflush(stdout);
    QDeadlineTimer deadline(30000);
    while (!QFileInfo::exists(go) && !deadline.hasExpired())
        QThread::usleep(200);
    std::fputs(holdUserFile(path).result == UserFileHold::Held ? "\nin\n" : "\nrefused\n", stdout);
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

// Copies signing in on one file at the same instant: exactly one gets in,
// on a file without a mark and on one whose copy was killed.
TEST(InUseMark, CopiesSigningInAtTheSameInstantNeverBothGetIn)
{
    Lab lab;
    for (const bool deadMark : {false, true}) {
        SCOPED_TRACE(deadMark ? "over a killed copy's mark" : "no mark before");
        lab.clearMarks();
        const qint64 dead = deadProcess();
        if (deadMark)
            writeMark(lab.first, mark([dead](MarkHolder& h) { h.pid = dead; }));
        const QString go = lab.users + QStringLiteral("/go");
        QFile::remove(go);
        std::vector<std::unique_ptr<QProcess>> copies;
        for (int i = 0; i < 6; ++i) {
            auto p = std::make_unique<QProcess>();
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("ORV_RACE_FILE"), lab.path);
            env.insert(QStringLiteral("ORV_RACE_GO"), go);
            p->setProcessEnvironment(env);
            p->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--gtest_filter=InUseMark.DISABLED_SignsInAtTheSignal"),
                      QStringLiteral("--gtest_also_run_disabled_tests")});
            copies.push_back(std::move(p));
        }
        std::vector<QByteArray> said(copies.size());
        const auto allSaid = [&](const char* word) {
            for (size_t i = 0; i < copies.size(); ++i) {
                QDeadlineTimer deadline(30000);
                while (!said[i].contains(word) && !deadline.hasExpired() && mayStillSay(*copies[i]))
                    said[i] += copies[i]->readAllStandardOutput();
                if (!said[i].contains(word))
                    return false;
            }
            return true;
        };
        ASSERT_TRUE(allSaid("ready"));
        ASSERT_TRUE(createFileExclusive(go, "go").written());
        bool answered = true;
        for (size_t i = 0; i < copies.size(); ++i) {
            QDeadlineTimer deadline(30000);
            while (!said[i].contains("\nin\n") && !said[i].contains("refused") && !deadline.hasExpired()
                   && mayStillSay(*copies[i]))
                said[i] += copies[i]->readAllStandardOutput();
            answered = answered && (said[i].contains("\nin\n") || said[i].contains("refused"));
        }
        int in = 0;
        for (const QByteArray& s : said)
            in += s.contains("\nin\n") ? 1 : 0;
        for (auto& p : copies) {
            p->kill();
            p->waitForFinished(10000);
        }
        EXPECT_TRUE(answered);
        EXPECT_EQ(in, 1);
    }
    lab.clearMarks();
}

// No room even for the mark: the file is not opened, and the student is
// told why, naming the mark.
TEST(InUseMark, NoRoomForTheMarkIsToldNamingIt)
{
    Lab lab;
    SignInOutcome out;
    {
        orvtest::WriteLimit full(0);
        out = lab.signIn();
    }
    EXPECT_EQ(out.result, SignInResult::Unreadable);
    EXPECT_EQ(out.quitMessage, "The file " + lab.path + " cannot be opened: its in-use mark " + lab.first
                                   + " cannot be written (No space left on device). Nothing of it has been read.");
    EXPECT_TRUE(modOrvan.UserFilePath.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(lab.first));
}

// A user file the instructor forgot to hand over, in a sticky users/: the
// student may read it but not replace it, and the failed save says why.
TEST(InUseMark, AFailedSaveGivesTheWritersReasonOnALineOfItsOwn)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to leave a file of another account in a sticky folder";
    Lab lab;
    orvtest::AsOrdinaryUser student;
    ASSERT_TRUE(student.ok());
    ASSERT_EQ(lab.signIn().result, SignInResult::Loaded);
    const QByteArray before = readFileBytes(lab.path).value();
    modOrvan.ItemsRevealed[4] = kTrue;
    orvtest::msgLog().shown.clear();
    EXPECT_FALSE(WriteUserFile());
    EXPECT_EQ(orvtest::msgLog().lastPrompt(),
              "Error writing " + lab.path + ". Information not saved.\r\nOperation not permitted.");
    EXPECT_EQ(readFileBytes(lab.path).value(), before);
    clearForNextStudent();
}

// Run only as a child of the tests below: another copy of the program on
// ORV_COPY_FILE, with a private umask, as the account nobody when
// ORV_COPY_NOBODY is set. Takes one command a line ("signin", "signin
// anyway" answering "Open anyway" to every question, "save N" with N the
// naming tries stored, "release", anything else ends it) and answers each on
// a line of its own after "=".
TEST(InUseMark, DISABLED_ACopyOfTheProgram)
{
    const QString path = qEnvironmentVariable("ORV_COPY_FILE");
    ASSERT_FALSE(path.isEmpty());
    ::umask(077);
    std::optional<orvtest::AsOrdinaryUser> nobody;
    if (qEnvironmentVariableIsSet("ORV_COPY_NOBODY"))
        nobody.emplace();
    std::string line;
    while (std::getline(std::cin, line)) {
        QString answer;
        if (line == "signin" || line == "signin anyway") {
            orvtest::letGoOfUserFile();
            InitProgram();
            orvtest::msgLog().answers.assign(line == "signin" ? 0 : 4, MsgResult::Yes);
            const SignInOutcome out = signInFromUserFile(path, true);
            orvtest::msgLog().answers.clear();
            answer = out.result == SignInResult::Loaded ? QStringLiteral("in") : QStringLiteral("refused");
        } else if (line.rfind("save ", 0) == 0) {
            modOrvan.NameTypingTries = std::stoi(line.substr(5));
            orvtest::msgLog().shown.clear();
            answer = WriteUserFile() ? QStringLiteral("saved")
                                     : QStringLiteral("not saved: ") + orvtest::msgLog().lastPrompt();
        } else if (line == "release") {
            clearForNextStudent();
            answer = QStringLiteral("released");
        } else {
            break;
        }
        std::printf("\n=%s\n", answer.simplified().toUtf8().constData());
        std::fflush(stdout);
    }
}

namespace {

// Another copy of the program, in a process of its own (see above).
class OtherCopy {
public:
    OtherCopy(const QString& path, bool asNobody)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORV_COPY_FILE"), path);
        if (asNobody)
            env.insert(QStringLiteral("ORV_COPY_NOBODY"), QStringLiteral("1"));
        process_.setProcessEnvironment(env);
        process_.start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--gtest_filter=InUseMark.DISABLED_ACopyOfTheProgram"),
                        QStringLiteral("--gtest_also_run_disabled_tests")});
        process_.waitForStarted(10000);
    }
    ~OtherCopy()
    {
        process_.write("end\n");
        if (!process_.waitForFinished(10000))
            process_.kill();
        process_.waitForFinished(10000);
    }
    // The answer to one command, or what the copy said when it gave none.
    QByteArray ask(const QByteArray& command)
    {
        process_.write(command + '\n');
        QDeadlineTimer deadline(30000);
        for (;;) {
            const qsizetype at = said_.indexOf("\n=");
            const qsizetype end = at < 0 ? -1 : said_.indexOf('\n', at + 2);
            if (end >= 0) {
                const QByteArray answer = said_.mid(at + 2, end - at - 2);
                said_ = said_.mid(end);
                return answer;
            }
            if (deadline.hasExpired() || !mayStillSay(process_))
                return "no answer: " + said_ + process_.readAllStandardError();
            said_ += process_.readAllStandardOutput();
        }
    }
    qint64 pid() const { return process_.processId(); }

private:
    QProcess process_;
    QByteArray said_;
};

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::lstat(native(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

int storedTries(const QString& path) { return orvtest::userFileRecord(path).progress.NameTypingTries; }

} // namespace

// Two accounts with a private umask (077) on one student's file, in users/
// with and without the sticky bit: the student (nobody) in another process,
// root in this one. Root sees the student's running copy and is refused;
// the student cannot see root's program, so is told of root's mark and may
// open the file anyway, after which root's copy saves nothing more into it.
// Every save reported done is in the file, and root's save leaves the file
// the student's, so that the student's saves go on working.
TEST(InUseMark, TwoAccountsWithAPrivateUmaskNeverShareAFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to run a second copy as nobody";
    Lab lab;
    const mode_t umaskBefore = ::umask(077);
    // The student's own file, as their first save under that umask made it.
    ASSERT_EQ(::chown(native(lab.path).constData(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(native(lab.path).constData(), 0600), 0);
    for (const bool sticky : {false, true}) {
        SCOPED_TRACE(sticky ? "sticky users/" : "users/ without the sticky bit");
        lab.sticky(sticky);
        lab.clearMarks();
        OtherCopy student(lab.path, true);
        ASSERT_EQ(student.ask("signin"), "in");
        EXPECT_EQ(modeOf(lab.first), 0644u) << "readable by every account whatever the umask";
        orvtest::msgLog().answers.assign(4, MsgResult::Yes);
        SignInOutcome out = lab.signIn();
        EXPECT_EQ(out.result, SignInResult::InUse) << "root opens the file for a moment";
        EXPECT_EQ(out.quitMessage, markInUseText(lab.path, QStringLiteral("nobody"), lab.first));
        EXPECT_TRUE(questionsAsked().empty()) << "a copy running here is never taken over";
        EXPECT_FALSE(QFileInfo::exists(lab.second));
        EXPECT_EQ(student.ask("save 5"), "saved");
        EXPECT_EQ(storedTries(lab.path), 5);
        EXPECT_EQ(student.ask("release"), "released");
        EXPECT_FALSE(QFileInfo::exists(lab.first));

        // Now root holds it (an instructor, say) and saves; the student is
        // told and goes back.
        ASSERT_EQ(lab.signIn().result, SignInResult::Loaded);
        EXPECT_EQ(student.ask("signin"), "refused");
        EXPECT_FALSE(QFileInfo::exists(lab.second));
        modOrvan.NameTypingTries = 6;
        EXPECT_TRUE(WriteUserFile());
        struct stat st {};
        ASSERT_EQ(::stat(native(lab.path).constData(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u) << "the save keeps the file's owner";
        EXPECT_EQ(st.st_mode & 0777, 0600u) << "and its permissions";
        // The student opens it anyway: root's copy saves nothing more into it.
        EXPECT_EQ(student.ask("signin anyway"), "in");
        orvtest::msgLog().shown.clear();
        modOrvan.NameTypingTries = 8;
        EXPECT_FALSE(WriteUserFile());
        EXPECT_TRUE(orvtest::msgLog().lastPrompt().contains("Another copy of Orvanto (on machine "))
            << orvtest::msgLog().lastPrompt().toStdString();
        EXPECT_EQ(storedTries(lab.path), 6);
        clearForNextStudent();
        EXPECT_TRUE(readFileBytes(lab.first)) << "the student's mark stays";
        EXPECT_EQ(student.ask("save 9"), "saved") << "the file is still the student's to replace";
        EXPECT_EQ(storedTries(lab.path), 9);
        EXPECT_EQ(student.ask("release"), "released");
    }
    orvtest::msgLog().answers.clear();
    ::umask(umaskBefore);
    lab.clearMarks();
}

// A running copy learns at its next renewal that its mark was taken over
// (a student opened the file anyway elsewhere) and tells its student at
// once, who is then asked for another name at the next save: the work of
// both copies is kept.
TEST(InUseMark, ARenewalThatFindsTheMarkTakenOverTellsTheStudent)
{
    Lab lab;
    FileInUse::setRenewalIntervalForTests(50);
    ASSERT_EQ(lab.signIn().result, SignInResult::Loaded);
    FileInUse::setRenewalIntervalForTests(0);
    const QByteArray record = readFileBytes(lab.path).value();
    MarkHolder theirs = markOfLabPc07();
    ASSERT_TRUE(writeFileAtomic(lab.first, markText(theirs)).written());
    orvtest::msgLog().shown.clear();
    orvtest::waitFor([] { return !orvtest::msgLog().shown.empty(); });
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().lastPrompt(),
              "Your file " + lab.path + "\r\n\r\nAnother copy of Orvanto (on machine lab-pc-07, account "
                  + accountName(::geteuid())
                  + ") has opened this file since you signed in, and saving here would overwrite its work.\r\n\r\n"
                    "Nothing more is saved in it from here: your next save asks for another name, so that your work "
                    "here is kept as well.");
    EXPECT_TRUE(userFileTakenOver());
    modOrvan.ItemsRevealed[4] = kTrue;
    EXPECT_FALSE(WriteUserFile());
    EXPECT_EQ(readFileBytes(lab.path).value(), record) << "the other copy's file is not written";
    EXPECT_EQ(readFileBytes(lab.first).value(), markText(theirs)) << "nor its mark";
    clearForNextStudent();
    lab.clearMarks();
}

// users/ is read-only for a moment as the student leaves: the quit window
// names the mark that stays, and the same running program's next sign-in
// ("Restart for new user") takes its own mark back.
TEST(InUseMark, AFailedReleaseIsToldAndTheProgramTakesItsMarkBack)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to sign in as nobody (root may write a read-only folder)";
    Lab lab;
    lab.sticky(false);
    ASSERT_EQ(::chown(native(lab.users).constData(), 65534, 65534), 0);
    registerCoreForms();
    orvtest::AsOrdinaryUser student;
    ASSERT_TRUE(student.ok());
    ASSERT_EQ(lab.signIn().result, SignInResult::Loaded);
    const QByteArray left = readFileBytes(lab.first).value();
    ASSERT_EQ(::chmod(native(lab.users).constData(), 0555), 0);
    modOrvan.QuitReason = QStringLiteral("NoSaveNext");
    auto* quit = qobject_cast<frmQuit*>(forms::load(forms::names::frmQuit));
    ASSERT_TRUE(quit);
    EXPECT_TRUE(quit->lblQuit->text().startsWith("The in-use mark of your file could not be removed: " + lab.first
                                                 + " (Permission denied)."))
        << quit->lblQuit->text().toStdString();
    forms::unload(quit);
    EXPECT_EQ(readFileBytes(lab.first).value(), left);

    ASSERT_EQ(::chmod(native(lab.users).constData(), 0777), 0);
    EXPECT_EQ(lab.signIn().result, SignInResult::Loaded) << "its own mark, taken back";
    EXPECT_TRUE(markedByThisCopy(lab));
    EXPECT_NE(readFileBytes(lab.first).value(), left);
    EXPECT_FALSE(QFileInfo::exists(lab.second));
    FileInUse::lookAfterMarks();
    EXPECT_TRUE(markedByThisCopy(lab)) << "the mark made anew is not taken for the one left behind";
    clearForNextStudent();
    EXPECT_FALSE(QFileInfo::exists(lab.first));

    // Left behind again, and the folder writable once more while the program
    // runs on at the start window: the mark goes without a new sign-in, so
    // that other copies are not told of it meanwhile.
    ASSERT_EQ(lab.signIn().result, SignInResult::Loaded);
    ASSERT_EQ(::chmod(native(lab.users).constData(), 0555), 0);
    quit = qobject_cast<frmQuit*>(forms::load(forms::names::frmQuit));
    ASSERT_TRUE(quit);
    forms::unload(quit);
    FileInUse::lookAfterMarks();
    EXPECT_TRUE(QFileInfo::exists(lab.first)) << "still read-only";
    ASSERT_EQ(::chmod(native(lab.users).constData(), 0777), 0);
    FileInUse::lookAfterMarks();
    EXPECT_FALSE(QFileInfo::exists(lab.first));
}

// A classmate (another account) plants marks in a sticky users/: a mark
// naming the classmate's own running program (not a copy of Orvanto) is
// dead and sidestepped at once; the classmate's planted regular file is
// told, and the student gets in under the second name; nothing of the
// classmate's is removed or changed.
TEST(InUseMark, AClassmatesPlantedMarksNeverKeepTheStudentOut)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to act as the student and as a classmate";
    Lab lab;
    ASSERT_EQ(::chown(native(lab.path).constData(), 65534, 65534), 0);
    lab.sticky(true);
    QProcess sleeper;
    sleeper.setChildProcessModifier([] {
        [[maybe_unused]] const int g = ::setgid(AsClassmate::kUid);
        [[maybe_unused]] const int u = ::setuid(AsClassmate::kUid);
    });
    sleeper.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(sleeper.waitForStarted(10000));
    const qint64 sleeping = sleeper.processId();
    QByteArray stat;
    {
        QFile f(QStringLiteral("/proc/%1/stat").arg(sleeping));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        stat = f.readAll();
    }
    const qint64 started = stat.mid(stat.lastIndexOf(')') + 2).split(' ').value(19).toLongLong();
    {
        AsClassmate classmate;
        ASSERT_TRUE(classmate.ok());
        writeMark(lab.first, mark([&](MarkHolder& h) {
                      h.pid = sleeping;
                      h.started = started;
                      h.account = "classmate";
                  }));
    }
    const auto before = treeOf(lab.users);
    {
        orvtest::AsOrdinaryUser student;
        ASSERT_TRUE(student.ok());
        orvtest::msgLog().shown.clear();
        EXPECT_EQ(lab.signIn().result, SignInResult::Loaded);
        EXPECT_TRUE(questionsAsked().empty()) << "a program that is not Orvanto holds nothing";
        EXPECT_TRUE(markedByThisCopy(lab));
        EXPECT_TRUE(QFileInfo::exists(lab.second));
        clearForNextStudent();
    }
    EXPECT_EQ(treeOf(lab.users), before);
    sleeper.kill();
    sleeper.waitForFinished(10000);

    // A regular file of the classmate's at the first name: told, then
    // opened beside it.
    lab.clearMarks();
    {
        AsClassmate classmate;
        ASSERT_TRUE(classmate.ok());
        writeMark(lab.first, "made by a classmate\n");
    }
    const auto planted = treeOf(lab.users);
    {
        orvtest::AsOrdinaryUser student;
        ASSERT_TRUE(student.ok());
        orvtest::msgLog().shown.clear();
        orvtest::msgLog().answers = {MsgResult::Yes};
        EXPECT_EQ(lab.signIn().result, SignInResult::Loaded);
        ASSERT_EQ(questionsAsked().size(), 1u);
        EXPECT_TRUE(questionsAsked().front().prompt.contains("It belongs to the account 4242"))
            << questionsAsked().front().prompt.toStdString();
        EXPECT_TRUE(markedByThisCopy(lab));
        clearForNextStudent();
    }
    EXPECT_EQ(treeOf(lab.users), planted);
    lab.clearMarks();
}

// A copy whose own mark is lost is told what happened when it saves, and
// nothing is written: the mark made unreadable, removed, replaced by another
// copy's, or its folder gone (a share unmounted).
TEST(InUseMark, ALostMarkIsToldAsItWasLost)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to sign in as nobody (root reads any mark)";
    Lab lab;
    lab.sticky(false);
    const QString away = lab.users + QStringLiteral("-away");
    struct Case {
        const char* what;
        std::function<void(const Lab&)> lose;
        std::function<QString(const Lab&)> says;
    };
    const Case cases[] = {
        {"its mode changed", [](const Lab& l) { ASSERT_EQ(::chmod(native(l.first).constData(), 0), 0); },
         [](const Lab& l) {
             return "The in-use mark " + l.first
                  + " of this file can no longer be read or renewed (Permission denied), so other copies of Orvanto "
                    "cannot tell that it is open here.";
         }},
        {"removed", [](const Lab& l) { ASSERT_TRUE(QFile::remove(l.first)); },
         [](const Lab& l) {
             return "The in-use mark " + l.first
                  + " of this file was removed since you signed in: another copy of Orvanto may have opened the file, "
                    "and saving here could overwrite its work.";
         }},
        {"taken over by another copy",
         // Replaced as a copy of the student on lab-pc-07 would: still the student's file.
         [](const Lab& l) { ASSERT_TRUE(writeFileAtomic(l.first, markText(markOfLabPc07())).written()); },
         [](const Lab&) {
             return QStringLiteral("Another copy of Orvanto (on machine lab-pc-07, account nobody) has opened this "
                                   "file since you signed in, and saving here would overwrite its work.");
         }},
        {"its folder gone",
         [away](const Lab& l) { ASSERT_EQ(::rename(native(l.users).constData(), native(away).constData()), 0); },
         [](const Lab& l) {
             return "The folder " + l.users + " is no longer there (a shared folder may have been disconnected).";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lab.clearMarks();
        {
            orvtest::AsOrdinaryUser student;
            ASSERT_TRUE(student.ok());
            ASSERT_EQ(lab.signIn().result, SignInResult::Loaded);
        }
        c.lose(lab);
        const QByteArray before = readFileBytes(lab.path).value_or("gone");
        orvtest::AsOrdinaryUser student;
        ASSERT_TRUE(student.ok());
        orvtest::msgLog().shown.clear();
        modOrvan.ItemsRevealed[4] = kTrue;
        EXPECT_FALSE(WriteUserFile());
        EXPECT_EQ(orvtest::msgLog().lastPrompt().toStdString(),
                  ("Error writing " + lab.path + ". Information not saved.\r\n" + c.says(lab)
                   + " Your work is kept: save again to give it another name.")
                      .toStdString());
        EXPECT_EQ(readFileBytes(lab.path).value_or("gone"), before) << "nothing written";
        clearForNextStudent();
        if (QFileInfo::exists(away))
            ::rename(native(away).constData(), native(lab.users).constData());
    }
    lab.clearMarks();
}
