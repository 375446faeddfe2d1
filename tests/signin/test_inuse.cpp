// The in-use mark as a lab meets it, through the real sign-in: a copy still
// running anywhere keeps its file whatever the clocks say, a dead copy never
// locks a student out whatever it left in the mark's place, and two copies
// signing in at the same instant never both get in.
#include "core/forms/frmQuit.h"
#include "core/forms/registercore.h"
#include "core/modorvan.h"
#include "core/signin.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "platform/fileinuse.h"
#include "platform/forms/formregistry.h"
#include "platform/marksightings.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
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
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orv;

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
    ~Lab() { setBootClockForTests(nullptr); }
    void sticky(bool on) const { ::chmod(native(users).constData(), on ? 01777 : 0777); }
    SignInOutcome signIn() const
    {
        orvtest::letGoOfUserFile();
        InitProgram();
        return signInFromUserFile(path, true);
    }
    // Removes whatever stands in either mark's place.
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

void elsewhere(MarkHolder& h)
{
    h.host = "lab-pc-07";
    h.machine = QByteArray(h.machine.size(), 'e');
    h.boot = QByteArray(h.boot.size(), 'b');
}

// The mark of a copy on another machine, lab-pc-07.
MarkHolder markOfLabPc07()
{
    MarkHolder other = FileInUse::thisCopy();
    other.token = "lab-pc-07's copy";
    elsewhere(other);
    return other;
}

void writeMark(const QString& where, const QByteArray& bytes, int minutesFromNow = 0)
{
    ASSERT_TRUE(createFileExclusive(where, bytes).written());
    QFile f(where);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(minutesFromNow * 60), QFileDevice::FileModificationTime));
}

// The copy that signed in: its mark under the one name or the other.
bool markedByThisCopy(const Lab& lab)
{
    for (const QString& m : {lab.first, lab.second})
        if (const auto bytes = readFileBytes(m))
            if (const auto h = parseMark(*bytes); h && h->pid == ::getpid() && h->token != "another copy")
                return true;
    return false;
}

// The present fingerprint of a mark, as every look takes it.
QByteArray fingerprintOf(const QString& mark)
{
    struct stat st {};
    EXPECT_EQ(::lstat(native(mark).constData(), &st), 0);
    return markFingerprint(st, readFileBytes(mark));
}

// Another machine as an observer of marks, of account `uid`.
Observer machine(const QByteArray& host, qint64 uid = 0) { return {host, host + "-machine-id", host + "-boot", uid}; }

// `who`'s watch of `mark` as it is now, from `start` to `last` on its clock,
// stored as that machine stores it; the file is then the account `owner`'s.
void storeWatch(const QString& mark, const Observer& who, qint64 start, qint64 last, uid_t owner)
{
    const Sighting s{fingerprintOf(mark), who.host, who.machine, who.boot, start, last};
    ASSERT_TRUE(storeSighting(mark, who, s));
    ASSERT_EQ(::chown(native(sightingPath(mark, who)).constData(), owner, owner), 0);
}

// This machine's own sighting of `mark`, moved to lab-pc-09 (the same
// account): what another machine finds after this one watched.
void moveOwnSightingElsewhere(const QString& mark)
{
    const Observer self = thisObserver();
    const QString ours = sightingPath(mark, self);
    const auto parsed = parseSighting(readFileBytes(ours).value_or(QByteArray()), QFileInfo(mark).fileName());
    ASSERT_TRUE(parsed.sighting) << parsed.error.toStdString();
    ASSERT_TRUE(QFile::remove(ours));
    Sighting s = *parsed.sighting;
    const Observer pc09 = machine("lab-pc-09", self.uid);
    s.host = pc09.host;
    s.machine = pc09.machine;
    s.boot = pc09.boot;
    ASSERT_TRUE(storeSighting(mark, pc09, s));
    forgetSeenForTests();
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

} // namespace

// What stands in the mark's place when a student signs in: live copies on
// other machines are refused whatever their clocks, and a dead copy's mark,
// of whatever account and whatever it has become, never keeps the student
// out. The student is `nobody`, the marks are root's (another account's).
TEST(InUseMark, WhatStandsInTheMarksPlace)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to leave marks as another account and sign in as nobody";
    Lab lab;
    struct Case {
        const char* what;
        std::function<void(const Lab&)> make;
        bool sticky;
        SignInResult want;
        const char* says;            // in the quit message, or in the message box shown
        bool stays;                  // what stood there is still there (this account may not remove it)
        bool needsMachineId = false; // only a machine id tells this machine's earlier boots
    };
    const qint64 dead = deadProcess();
    const Case cases[] = {
        {"a live copy elsewhere whose clock is 11 minutes ahead",
         [](const Lab& l) { writeMark(l.first, mark(elsewhere), 11); }, true, SignInResult::InUse,
         "(on machine lab-pc-07). Finish the session there first.", true},
        {"a live copy elsewhere whose clock is 11 minutes behind",
         [](const Lab& l) { writeMark(l.first, mark(elsewhere), -11); }, true, SignInResult::InUse,
         "try again in 10 minutes", true},
        {"a cloned machine: this machine id, another host name and boot",
         [](const Lab& l) {
             writeMark(l.first, mark([](MarkHolder& h) {
                           h.host = "lab-pc-07";
                           h.boot = QByteArray(h.boot.size(), 'b');
                       }));
         },
         true, SignInResult::InUse, "(on machine lab-pc-07)", true},
        {"a live copy of this machine under another account",
         [](const Lab& l) { writeMark(l.first, mark([](MarkHolder&) {})); }, true, SignInResult::InUse,
         "(on this machine). Finish the session there first.", true},
        {"a killed copy of another account in a sticky folder",
         [dead](const Lab& l) { writeMark(l.first, mark([dead](MarkHolder& h) { h.pid = dead; })); }, true,
         SignInResult::Loaded, nullptr, true},
        {"a killed copy of another account in a folder without the sticky bit",
         [dead](const Lab& l) { writeMark(l.first, mark([dead](MarkHolder& h) { h.pid = dead; })); }, false,
         SignInResult::Loaded, nullptr, false},
        {"a copy from before this machine's last boot",
         [](const Lab& l) { writeMark(l.first, mark([](MarkHolder& h) { h.boot = QByteArray(h.boot.size(), 'b'); })); },
         true, SignInResult::Loaded, nullptr, true, true},
        // A mark this account may not read is another copy's (an older
        // copy's under a private umask) until seen unchanged for the stale time.
        {"mode 000, sticky",
         [](const Lab& l) {
             writeMark(l.first, mark([](MarkHolder&) {}));
             ::chmod(native(l.first).constData(), 0);
         },
         true, SignInResult::InUse,
         "a mark this account may not read (Permission denied): another copy of Orvanto may have the file open.", true},
        {"mode 000, not sticky",
         [](const Lab& l) {
             writeMark(l.first, mark([](MarkHolder&) {}));
             ::chmod(native(l.first).constData(), 0);
         },
         false, SignInResult::InUse, "try again in 10 minutes", true},
        {"a folder", [](const Lab& l) { QDir().mkpath(l.first + "/inside"); }, true, SignInResult::Loaded, nullptr,
         true},
        {"a dangling link", [](const Lab& l) { QFile::link(l.users + "/nothing-here", l.first); }, true,
         SignInResult::Loaded, nullptr, true},
        {"a named pipe, sticky", [](const Lab& l) { ::mkfifo(native(l.first).constData(), 0666); }, true,
         SignInResult::Loaded, nullptr, true},
        {"a named pipe, not sticky", [](const Lab& l) { ::mkfifo(native(l.first).constData(), 0666); }, false,
         SignInResult::Loaded, nullptr, false},
        {"a link to /dev/zero", [](const Lab& l) { QFile::link(QStringLiteral("/dev/zero"), l.first); }, true,
         SignInResult::Loaded, nullptr, true},
        {"a huge file",
         [](const Lab& l) {
             QFile f(l.first);
             f.open(QIODevice::WriteOnly);
             f.resize(kMaxReadBytes);
         },
         true, SignInResult::Loaded, nullptr, true},
        // Numbers no running copy writes: damaged, whatever they wrap to.
        {"a process number beyond the system's range (wraps to 1)",
         [](const Lab& l) { writeMark(l.first, mark([](MarkHolder& h) { h.pid = 4294967297; })); }, true,
         SignInResult::Loaded, nullptr, true},
        {"a process number that wraps to -1",
         [](const Lab& l) { writeMark(l.first, mark([](MarkHolder& h) { h.pid = 4294967295; })); }, true,
         SignInResult::Loaded, nullptr, true},
        {"process 1, started at 0",
         [](const Lab& l) {
             writeMark(l.first, mark([](MarkHolder& h) {
                           h.pid = 1;
                           h.started = 0;
                       }));
         },
         true, SignInResult::Loaded, nullptr, true},
        {"a negative renewal count, not sticky",
         [](const Lab& l) { writeMark(l.first, mark([](MarkHolder& h) { h.renewal = -1; })); }, false,
         SignInResult::Loaded, nullptr, false},
        {"a mark this version cannot read (an older copy's)",
         [](const Lab& l) { writeMark(l.first, "1234\norvantos\nlab-pc-07\n"); }, true, SignInResult::InUse,
         "a mark this version of Orvanto cannot read", true},
        {"both names stuck: taken without a mark, and said so",
         [](const Lab& l) {
             ::mkfifo(native(l.first).constData(), 0666);
             QDir().mkpath(l.second);
         },
         true, SignInResult::Loaded, "is open without an in-use mark", true},
    };
    const bool machineId = !FileInUse::thisCopy().machine.isEmpty();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsMachineId && !machineId) {
            std::printf("skipped \"%s\": this machine has no machine id\n", c.what);
            continue;
        }
        forgetSeenForTests();
        lab.clearMarks();
        lab.sticky(c.sticky);
        c.make(lab);
        struct stat before {};
        ASSERT_EQ(::lstat(native(lab.first).constData(), &before), 0);
        orvtest::msgLog().shown.clear();
        SignInOutcome out;
        {
            orvtest::AsOrdinaryUser student;
            ASSERT_TRUE(student.ok());
            Watchdog hang(c.what);
            out = lab.signIn();
            EXPECT_EQ(out.result, c.want) << out.quitMessage.toStdString();
            if (c.want == SignInResult::Loaded) {
                EXPECT_EQ(modOrvan.CurrentUnknown, 3);
                EXPECT_EQ(markedByThisCopy(lab), !c.says) << "marked unless it says it could not be";
            } else {
                EXPECT_TRUE(modOrvan.UserFilePath.isEmpty());
            }
            if (c.want == SignInResult::InUse) {
                EXPECT_TRUE(out.quitMessage.contains(lab.first)) << "every refusal names the mark";
            }
            if (c.says) {
                const QString said = c.want == SignInResult::InUse ? out.quitMessage : orvtest::msgLog().lastPrompt();
                EXPECT_TRUE(said.contains(QLatin1String(c.says))) << said.toStdString();
                EXPECT_TRUE(c.want != SignInResult::Loaded || (said.contains(lab.first) && said.contains(lab.second)))
                    << "the marks to delete are named: " << said.toStdString();
            }
            clearForNextStudent();
            EXPECT_FALSE(markedByThisCopy(lab)) << "letting go removes this copy's mark";
        }
        struct stat after {};
        const bool there = ::lstat(native(lab.first).constData(), &after) == 0 && after.st_ino == before.st_ino;
        EXPECT_EQ(there, c.stays);
    }
    lab.clearMarks();
}

// Another machine's mark is judged by what this copy sees of it, on its own
// clock: refused while it is renewed, taken over once it stood still for the
// whole stale time. The countdown starts again when the mark changes.
TEST(InUseMark, AnotherMachinesMarkIsStaleOnlyOnceSeenUnchangedForTheStaleTime)
{
    Lab lab;
    qint64 now = 0;
    setBootClockForTests([&now] { return now; });
    forgetSeenForTests();
    MarkHolder other = markOfLabPc07();
    ASSERT_TRUE(createFileExclusive(lab.first, markText(other)).written());
    const auto minutes = [](const SignInOutcome& out) {
        const qsizetype at = out.quitMessage.indexOf(QLatin1String("try again in "));
        return at < 0 ? -1 : out.quitMessage.mid(at + 13).section(u' ', 0, 0).toInt();
    };
    SignInOutcome out = lab.signIn();
    ASSERT_EQ(out.result, SignInResult::InUse);
    EXPECT_EQ(minutes(out), 10) << out.quitMessage.toStdString();
    now += 6 * 60 * 1000;
    ++other.renewal; // the other copy renews its mark: it runs
    ASSERT_TRUE(writeFileAtomic(lab.first, markText(other)).written());
    out = lab.signIn();
    ASSERT_EQ(out.result, SignInResult::InUse);
    EXPECT_EQ(minutes(out), 10) << "seen changed: the waiting starts again";
    now += 6 * 60 * 1000 + 1;
    out = lab.signIn();
    ASSERT_EQ(out.result, SignInResult::InUse);
    EXPECT_EQ(minutes(out), 4);
    EXPECT_TRUE(out.quitMessage.contains("try again in 4 minutes.")) << out.quitMessage.toStdString();
    now += 4 * 60 * 1000;
    EXPECT_EQ(lab.signIn().result, SignInResult::Loaded) << "unchanged for the stale time: taken over";
    EXPECT_TRUE(markedByThisCopy(lab));
    clearForNextStudent();
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
    std::fputs(holdUserFile(path) ? "\nin\n" : "\nrefused\n", stdout);
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
// told why, naming the mark; a live copy elsewhere is named with its mark,
// so that an instructor knows what to delete once it is known to be dead.
TEST(InUseMark, WhatTheStudentIsToldNamesTheMark)
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

    forgetSeenForTests();
    writeMark(lab.first, mark(elsewhere));
    out = lab.signIn();
    EXPECT_EQ(out.result, SignInResult::InUse);
    EXPECT_TRUE(out.quitMessage.endsWith(" Your instructor can also delete its mark " + lab.first + "."))
        << out.quitMessage.toStdString();
    lab.clearMarks();
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
// ORV_COPY_NOBODY is set. Takes one command a line ("signin", "save N" with
// N the naming tries stored, "release", anything else ends it) and answers
// each on a line of its own after "=".
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
        if (line == "signin") {
            orvtest::letGoOfUserFile();
            InitProgram();
            const SignInOutcome out = signInFromUserFile(path, true);
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
// root in this one. Whoever comes second is refused while the first runs
// (never let in beside it, never under the second mark name); a refused
// open never stops the first copy's saves; every save reported done is in
// the file; root's save leaves the file the student's, so that the
// student's saves go on working.
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
        EXPECT_EQ(lab.signIn().result, SignInResult::InUse) << "root opens the file for a moment";
        EXPECT_FALSE(QFileInfo::exists(lab.second));
        EXPECT_EQ(student.ask("save 5"), "saved");
        EXPECT_EQ(lab.signIn().result, SignInResult::InUse);
        EXPECT_EQ(student.ask("save 7"), "saved") << "a refused open never stops the owner's saves";
        EXPECT_EQ(storedTries(lab.path), 7);
        EXPECT_EQ(student.ask("release"), "released");
        EXPECT_FALSE(QFileInfo::exists(lab.first));

        // Now root holds it (an instructor, say) and saves; the student waits.
        ASSERT_EQ(lab.signIn().result, SignInResult::Loaded);
        EXPECT_EQ(student.ask("signin"), "refused");
        EXPECT_FALSE(QFileInfo::exists(lab.second));
        modOrvan.NameTypingTries = 6;
        EXPECT_TRUE(WriteUserFile());
        struct stat st {};
        ASSERT_EQ(::stat(native(lab.path).constData(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u) << "the save keeps the file's owner";
        EXPECT_EQ(st.st_mode & 0777, 0600u) << "and its permissions";
        // A mark as an older copy under the private umask left it: another
        // account cannot read it, and still never takes it for damaged.
        ASSERT_EQ(::chmod(native(lab.first).constData(), 0600), 0);
        EXPECT_EQ(student.ask("signin"), "refused");
        EXPECT_FALSE(QFileInfo::exists(lab.second));
        modOrvan.NameTypingTries = 8;
        EXPECT_TRUE(WriteUserFile()) << "the holder reads its own mark";
        EXPECT_EQ(storedTries(lab.path), 8);
        clearForNextStudent();
        EXPECT_EQ(student.ask("signin"), "in");
        EXPECT_EQ(student.ask("save 9"), "saved") << "the file is still the student's to replace";
        EXPECT_EQ(storedTries(lab.path), 9);
        EXPECT_EQ(student.ask("release"), "released");
    }
    ::umask(umaskBefore);
    lab.clearMarks();
}

// A refused student's wait is not started again by a fresh start of the
// program: each look writes down beside the mark how long it has been seen
// unchanged, by this machine's clock since boot. Another machine's watch
// counts as far as it went (the longest of them, never their sum), and a
// renewed mark starts every watch again.
TEST(InUseMark, AFreshStartGoesOnWithTheWait)
{
    Lab lab;
    qint64 now = 5'000'000;
    setBootClockForTests([&now] { return now; });
    MarkHolder other = markOfLabPc07();
    ASSERT_TRUE(createFileExclusive(lab.first, markText(other)).written());
    const auto minutes = [&lab] {
        const SignInOutcome out = lab.signIn();
        const qsizetype at = out.quitMessage.indexOf(QLatin1String("try again in "));
        return out.result == SignInResult::Loaded ? 0
             : at < 0                             ? -1
                                                  : out.quitMessage.mid(at + 13).section(u' ', 0, 0).toInt();
    };
    const auto sightings = [&lab] {
        return QDir(lab.users).entryList({QStringLiteral("*.seen")}, QDir::Files | QDir::Hidden);
    };
    EXPECT_EQ(minutes(), 10);
    now += 4 * 60 * 1000;
    forgetSeenForTests(); // a fresh start: nothing in memory
    EXPECT_EQ(minutes(), 6) << "the wait goes on";
    ASSERT_EQ(sightings().size(), 1);

    // Two other machines wrote down 3 and 4 minutes; this one has seen
    // nothing yet, and its clock has nothing to do with theirs.
    ASSERT_TRUE(QFile::remove(lab.users + u'/' + sightings().front()));
    storeWatch(lab.first, machine("lab-pc-09"), 100, 100 + 3 * 60 * 1000, 0);
    storeWatch(lab.first, machine("lab-pc-10"), 100, 100 + 4 * 60 * 1000, 0);
    ASSERT_EQ(sightings().size(), 2) << "each machine's sighting a file of its own";
    forgetSeenForTests();
    now = 42;
    EXPECT_EQ(minutes(), 6) << "the longest watch elsewhere counts";
    now += 3 * 60 * 1000;
    forgetSeenForTests();
    EXPECT_EQ(minutes(), 3);

    ++other.renewal; // the copy on lab-pc-07 was alive after all
    ASSERT_TRUE(writeFileAtomic(lab.first, markText(other)).written());
    EXPECT_EQ(minutes(), 10) << "a renewed mark starts every watch again";
    now += 10 * 60 * 1000;
    forgetSeenForTests();
    EXPECT_EQ(minutes(), 0) << "unchanged for the stale time on this machine: taken over";
    EXPECT_TRUE(markedByThisCopy(lab));
    EXPECT_TRUE(sightings().isEmpty()) << "the sightings of a mark taken over are removed";
    clearForNextStudent();
}

// A program refused by another machine's mark stays open (the student went
// to another PC): it watches on, so that the other PC, which has seen
// nothing itself, finds the whole wait done.
TEST(InUseMark, ARefusedProgramThatRunsOnWatchesForTheOtherMachines)
{
    Lab lab;
    qint64 now = 7'000'000;
    setBootClockForTests([&now] { return now; });
    MarkHolder other = markOfLabPc07();
    ASSERT_TRUE(createFileExclusive(lab.first, markText(other)).written());
    ASSERT_EQ(lab.signIn().result, SignInResult::InUse);
    now += 10 * 60 * 1000 + 30 * 1000;
    FileInUse::lookAfterMarks(); // the program's timer, half a minute before its watch ends

    // The same sighting as another machine's, whose clock this one cannot read.
    moveOwnSightingElsewhere(lab.first);
    now = 42;
    EXPECT_EQ(lab.signIn().result, SignInResult::Loaded) << "watched for the stale time elsewhere";
    EXPECT_TRUE(markedByThisCopy(lab));
    clearForNextStudent();
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
    // that other copies on this machine are not refused meanwhile.
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

namespace {

int minutesLeftIn(const SignInOutcome& out)
{
    const qsizetype at = out.quitMessage.indexOf(QLatin1String("try again in "));
    return out.result == SignInResult::Loaded ? 0
         : at < 0                             ? -1
                                              : out.quitMessage.mid(at + 13).section(u' ', 0, 0).toInt();
}

} // namespace

// The student (nobody) owns the file and runs a copy on lab-pc-07 that
// renews its mark. A classmate (another account) forges sightings that give
// the mark a long unchanged time, under the owner's, root's and its own
// names: its copy never takes the file, in a plain or in a sticky users/.
// The student's own watch elsewhere still counts for the student's fresh start.
TEST(InUseMark, AForgedSightingNeverLetsASecondCopyIn)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to act as the student and as a classmate";
    Lab lab;
    ASSERT_EQ(::chown(native(lab.path).constData(), 65534, 65534), 0);
    qint64 now = 50'000'000;
    setBootClockForTests([&now] { return now; });
    for (const bool sticky : {false, true}) {
        SCOPED_TRACE(sticky ? "sticky users/" : "users/ without the sticky bit");
        lab.sticky(sticky);
        lab.clearMarks();
        for (const QString& f : QDir(lab.users).entryList({QStringLiteral("*.seen")}, QDir::Files | QDir::Hidden))
            QFile::remove(lab.users + u'/' + f);
        forgetSeenForTests();
        ASSERT_TRUE(createFileExclusive(lab.first, markText(markOfLabPc07()), 0644).written());
        ASSERT_EQ(::chown(native(lab.first).constData(), 65534, 65534), 0);
        struct stat before {};
        ASSERT_EQ(::lstat(native(lab.first).constData(), &before), 0);
        const qint64 twentyMinutes = 20 * 60 * 1000;
        for (const uid_t named : {uid_t(65534), uid_t(0), uid_t(AsClassmate::kUid)})
            storeWatch(lab.first, machine("lab-pc-13", named), 0, twentyMinutes, AsClassmate::kUid);
        {
            AsClassmate classmate;
            ASSERT_TRUE(classmate.ok());
            const SignInOutcome out = lab.signIn();
            EXPECT_EQ(out.result, SignInResult::InUse) << out.quitMessage.toStdString();
            EXPECT_EQ(minutesLeftIn(out), 10);
            clearForNextStudent();
        }
        struct stat after {};
        ASSERT_EQ(::lstat(native(lab.first).constData(), &after), 0) << "the live copy's mark stays";
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_FALSE(QFileInfo::exists(lab.second)) << "no copy in beside the live one";

        // The student watched 6 minutes on lab-pc-10, and now starts afresh here.
        storeWatch(lab.first, machine("lab-pc-10", 65534), 0, 6 * 60 * 1000, 65534);
        forgetSeenForTests();
        orvtest::AsOrdinaryUser student;
        ASSERT_TRUE(student.ok());
        const SignInOutcome out = lab.signIn();
        EXPECT_EQ(out.result, SignInResult::InUse);
        EXPECT_EQ(minutesLeftIn(out), 4) << "the student's own watch counts, the forged ones never";
        clearForNextStudent();
    }
    lab.clearMarks();
}

// Another account's copy died holding the student's file in a sticky users/,
// on another machine or on this one: its mark stays, and the student may not
// remove it. Once the student got in under the second name, every later
// session, on this machine or another, goes in at once.
TEST(InUseMark, AStuckMarksLaterSessionsGoInAtOnce)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to leave a mark the student may not remove";
    Lab lab;
    ASSERT_EQ(::chown(native(lab.path).constData(), 65534, 65534), 0);
    lab.sticky(true);
    qint64 now = 60'000'000;
    setBootClockForTests([&now] { return now; });
    const qint64 dead = deadProcess();
    for (const bool elsewhereMark : {true, false}) {
        SCOPED_TRACE(elsewhereMark ? "died on lab-pc-07" : "died on this machine");
        lab.clearMarks();
        forgetSeenForTests();
        writeMark(lab.first, elsewhereMark ? markText(markOfLabPc07()) : mark([dead](MarkHolder& h) { h.pid = dead; }));
        orvtest::AsOrdinaryUser student;
        ASSERT_TRUE(student.ok());
        if (elsewhereMark) {
            EXPECT_EQ(minutesLeftIn(lab.signIn()), 10);
            now += 10 * 60 * 1000;
        }
        ASSERT_EQ(lab.signIn().result, SignInResult::Loaded) << "the wait done once";
        EXPECT_TRUE(QFileInfo::exists(lab.first));
        EXPECT_TRUE(markedByThisCopy(lab));
        clearForNextStudent();

        now += 60 * 1000;
        forgetSeenForTests(); // a fresh start on the same machine
        EXPECT_EQ(lab.signIn().result, SignInResult::Loaded) << "the next session on this machine";
        clearForNextStudent();

        if (elsewhereMark || !FileInUse::thisCopy().machine.isEmpty()) {
            moveOwnSightingElsewhere(lab.first);
            now = 42; // lab-pc-09's clock, with nothing to do with this one's
            // Seen from lab-pc-09, this machine's dead mark is another machine's too.
            EXPECT_EQ(lab.signIn().result, SignInResult::Loaded) << "the next session on another machine";
            clearForNextStudent();
            now = 60'000'000 + 20 * 60 * 1000;
        }
    }
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
         [](const Lab& l) { ASSERT_TRUE(writeFileAtomic(l.first, markText(markOfLabPc07())).written()); },
         [](const Lab&) {
             return QStringLiteral("Another copy of Orvanto has opened this file since you signed in, and saving "
                                   "here would overwrite its work.");
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
        EXPECT_EQ(orvtest::msgLog().lastPrompt(), "Error writing " + lab.path + ". Information not saved.\r\n"
                                                      + c.says(lab)
                                                      + " Your work is kept: save again to give it "
                                                        "another name.");
        EXPECT_EQ(readFileBytes(lab.path).value_or("gone"), before) << "nothing written";
        clearForNextStudent();
        if (QFileInfo::exists(away))
            ::rename(native(away).constData(), native(lab.users).constData());
    }
    lab.clearMarks();
}
