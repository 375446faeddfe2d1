// The instructor's allocation: its command line and list rules directly, and
// the program ovallocate run as the instructor runs it: the files it makes
// are read by the student program, and it shows what a file holds.
#include "core/allocation.h"
#include "core/configfile.h"
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"
#include "tests/core/programrun.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace orv;

namespace {

using coretest::ProgramRun;

ProgramRun ovallocate(const QStringList& args)
{
    return coretest::runProgram(qEnvironmentVariable("ORV_PROGRAM_DIR") + QStringLiteral("/ovallocate"), args);
}

// The allocation program reads the unknowns' data files from the folder it
// runs in (ORVANTO_HOME here): these ones are shipped.
class AllocateTest : public orvtest::StudentFileTest {
protected:
    AllocateTest() : StudentFileTest("cleo", {5, 7, 12, 21, 33}) {}
    void SetUp() override
    {
        StudentFileTest::SetUp();
        ASSERT_TRUE(QFile::exists(qEnvironmentVariable("ORV_PROGRAM_DIR") + QStringLiteral("/ovallocate")))
            << "ovallocate is built into the program folder";
    }
    void TearDown() override { setPasswordWindows({}); }
};

void writeSettings(const QString& ini, const ConfigSettings& s)
{
    ASSERT_TRUE(writeFileAtomic(ini, studentConfigFileBytes(s)).written()) << ini.toStdString();
}

ConfigSettings withChoice(ConfigSettings s, Boolean programChooses)
{
    s.ProgramChoosesUnknowns = programChooses;
    return s;
}

} // namespace

TEST(AllocationRules, CommandLines)
{
    using Action = AllocationRequest::Action;
    struct Case {
        const char* name;
        QStringList args;
        Action action;
        const char* unknowns = "";
        const char* path = "";
        bool withPassword = false;
    };
    const Case cases[] = {
        {"show", {"--show", "a.ovg"}, Action::Show, "", "a.ovg"},
        {"allocate", {"--unknowns", "05,12", "a.ovg"}, Action::Allocate, "05,12", "a.ovg"},
        {"file first", {"a.ovg", "--unknowns", "05"}, Action::Allocate, "05", "a.ovg"},
        {"with a password",
         {"--unknowns", "05", "--password", "cleo pass", "a.ovg"},
         Action::Allocate,
         "05",
         "a.ovg",
         true},
        {"empty password, refused later",
         {"--password", "", "--unknowns", "05", "a.ovg"},
         Action::Allocate,
         "05",
         "a.ovg",
         true},
        {"show with two files", {"--show", "a.ovg", "b.ovg"}, Action::Usage},
        {"show without a file", {"--show"}, Action::Usage},
        {"show among others", {"--unknowns", "05", "--show", "a.ovg"}, Action::Usage},
        {"no file", {"--unknowns", "05"}, Action::Usage},
        {"two files", {"--unknowns", "05", "a.ovg", "b.ovg"}, Action::Usage},
        {"no list", {"a.ovg"}, Action::Usage},
        {"empty list", {"--unknowns", "", "a.ovg"}, Action::Usage},
        {"list missing its value", {"a.ovg", "--unknowns"}, Action::Usage},
        {"unknown option", {"--unknowns", "05", "--force", "a.ovg"}, Action::Usage},
        {"nothing", {}, Action::Usage},
    };
    for (const Case& c : cases) {
        const AllocationRequest r = parseAllocationArguments(c.args);
        EXPECT_EQ(r.action, c.action) << c.name;
        if (c.action != Action::Allocate && c.action != Action::Show)
            continue;
        EXPECT_EQ(r.unknowns, QLatin1String(c.unknowns)) << c.name;
        EXPECT_EQ(r.path, QLatin1String(c.path)) << c.name;
        EXPECT_EQ(r.withPassword, c.withPassword) << c.name;
    }
    EXPECT_EQ(parseAllocationArguments({"--unknowns", "05", "--password", "cleo pass", "a.ovg"}).password, "cleo pass");
}

TEST(AllocationRules, Lists)
{
    struct Case {
        const char* text;
        const char* list;
        const char* error;
    };
    const Case cases[] = {
        {"05,12,33", "051233", ""},
        {"7", "07", ""},
        {" 5 , 12 ", "0512", ""},
        {"99,1", "9901", ""},
        {"0", "", "\"0\" is not an unknown number from 1 to 99"},
        {"05,100", "", "\"100\" is not an unknown number from 1 to 99"},
        {"005", "", "\"005\" is not an unknown number from 1 to 99"},
        {"05,,12", "", "\"\" is not an unknown number from 1 to 99"},
        {"05,", "", "\"\" is not an unknown number from 1 to 99"},
        {"-5", "", "\"-5\" is not an unknown number from 1 to 99"},
        {"x1", "", "\"x1\" is not an unknown number from 1 to 99"},
        {"05,5", "", "unknown 5 is listed twice"},
        {"12,7,12", "", "unknown 12 is listed twice"},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_EQ(allocationList(QLatin1String(c.text), error), QLatin1String(c.list)) << c.text;
        EXPECT_EQ(error, QLatin1String(c.error)) << c.text;
    }
}

// The student program follows allocation lists only when its settings say
// the instructor allocates; without a usable orvanto.ini it takes the
// defaults, in which Orvanto chooses. Each case lays the program folder's
// settings file its own way; a warning names why and what to do.
TEST(AllocationSettings, WarnsWhenTheStudentProgramWillNotFollowTheList)
{
    struct Case {
        const char* name;
        std::function<void(const QString& ini)> lay;
        QStringList says; // empty: no warning
    };
    const auto settings = [](const ConfigSettings& s) { return [s](const QString& ini) { writeSettings(ini, s); }; };
    const Case cases[] = {
        {"the instructor allocates", settings(withChoice(defaultConfigSettings(), kFalse)), {}},
        {"the instructor allocates, every other flag off", settings(withChoice(clearedConfigSettings(), kFalse)), {}},
        {"Orvanto chooses", settings(defaultConfigSettings()), {"INI has Orvanto choose the unknowns"}},
        {"Orvanto chooses, every other flag off",
         settings(withChoice(clearedConfigSettings(), kTrue)),
         {"INI has Orvanto choose the unknowns"}},
        {"no settings file",
         [](const QString&) {},
         {"there is no orvanto.ini in FOLDER; the student program will create it with the default settings, in "
          "which Orvanto chooses the unknowns",
          "write the settings file first"}},
        {"three lines only",
         [](const QString& ini) { ASSERT_TRUE(writeFileAtomic(ini, "one\r\ntwo\r\nthree\r\n").written()); },
         {"INI is not a usable settings file; the student program will write the default settings over it"}},
        {"a folder in its place",
         [](const QString& ini) { ASSERT_TRUE(QDir().mkpath(ini)); },
         {"INI cannot be read here (it is not a regular file); a student program that cannot read it either works "
          "with the default settings",
          "make the file readable"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        const QString ini = folder.filePath(QStringLiteral("orvanto.ini"));
        c.lay(ini);
        const QString warning = allocationNotFollowedWarning(folder.path());
        if (c.says.isEmpty()) {
            EXPECT_EQ(warning, QString());
            continue;
        }
        for (QString part : c.says) {
            part.replace(QLatin1String("INI"), ini).replace(QLatin1String("FOLDER"), folder.path());
            EXPECT_TRUE(warning.contains(part)) << part.toStdString() << "\nin: " << warning.toStdString();
        }
        EXPECT_TRUE(warning.contains("will not follow this allocation list: the student starts on the first unknown "
                                     "listed, and Orvanto chooses each unknown after it"))
            << warning.toStdString();
        EXPECT_TRUE(warning.endsWith("choose \"By instructor\" on the Unk Allocation tab of ovsetup and Save."))
            << warning.toStdString();
        EXPECT_FALSE(warning.contains(u'\n')) << "one line";
    }
}

TEST_F(AllocateTest, WrittenFileIsReadByTheStudentProgram)
{
    const ProgramRun r = ovallocate({"--unknowns", "05,12,33", "--password", "cleo pass", path});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();

    QStringList asked;
    setPasswordWindows({{}, [&](const QString& caption) {
                            asked << caption;
                            m.PasswordVerified = vb(m.Password == "cleo pass");
                        }});
    m.UserFilePath = path;
    m.ProgramChoosesUnknowns = kFalse;
    m.PasswordRequired = kTrue;
    m.MultipleSessionsAllowed = kTrue;
    ASSERT_TRUE(ReadUserFile());
    EXPECT_EQ(m.CurrentUnknown, 5);
    EXPECT_EQ(m.AllocatedUnknowns, "1233") << "the rest wait in order";
    EXPECT_EQ(m.SessionNumber, 1);
    EXPECT_EQ(m.MinutesUsed, 0);
    EXPECT_TRUE(m.CompletedUnknowns.isEmpty());
    EXPECT_EQ(IsNewUser(), kTrue);
    EXPECT_EQ(asked, QStringList{"Password required"});
    EXPECT_EQ(m.PasswordVerified, kTrue);
}

// A list the student program would not follow is still written, with the
// status of success; the warning is one line on standard error.
TEST_F(AllocateTest, WarnsOfSettingsThatWillNotFollowTheListAndWritesItAllTheSame)
{
    const QString ini = folder.file(QStringLiteral("orvanto.ini"));
    struct Case {
        const char* name;
        std::function<void()> lay;
        const char* warning; // the start of standard error; empty: nothing there
    };
    const Case cases[] = {
        {"no settings file", [] {}, "ovallocate: warning: there is no orvanto.ini in "},
        {"Orvanto chooses", [&] { writeSettings(ini, defaultConfigSettings()); }, "ovallocate: warning: "},
        {"the instructor allocates", [&] { writeSettings(ini, withChoice(defaultConfigSettings(), kFalse)); }, ""},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.lay();
        const QString file = folder.file(QStringLiteral("users/student%1.ovg").arg(++n));
        const ProgramRun r = ovallocate({"--unknowns", "05,12", file});
        EXPECT_EQ(r.status, 0);
        if (*c.warning) {
            EXPECT_TRUE(r.err.startsWith(QLatin1String(c.warning))) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains("will not follow this allocation list")) << r.err.toStdString();
            EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
        } else {
            EXPECT_EQ(r.err, QString());
        }
        EXPECT_EQ(r.out, QString());
        const UserRecord written = orvtest::userFileRecord(file);
        EXPECT_EQ(written.progress.CurrentUnknown, 5);
        EXPECT_EQ(written.allocatedUnknowns, "12");
    }
}

TEST_F(AllocateTest, ShowPrintsWhatAFileHolds)
{
    ASSERT_EQ(ovallocate({"--unknowns", "7,21", path}).status, 0);
    ProgramRun r = ovallocate({"--show", path});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Allocation list: 21\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Current unknown: 7\n"));
    EXPECT_TRUE(r.out.contains("Items revealed: 0\n"));
    EXPECT_TRUE(r.out.contains("Password: none\n"));

    // A file the student program saved part-way through.
    m.UserFilePath = path;
    m.AllocatedUnknowns = "21";
    m.CurrentUnknown = 9;
    m.ItemsRevealed[5] = m.ItemsRevealed[8] = kTrue;
    m.NameTypingTries = 2;
    m.SessionNumber = 3;
    m.MinutesUsed = 41;
    markStartTime();
    m.CompletedUnknowns = "07";
    m.UnkResults[1] = {"11000000000000000000Ethanol", "00112"};
    m.Password = "cleo secret";
    ASSERT_TRUE(WriteUserFile());
    r = ovallocate({"--show", path});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    for (const char* line : {"Current unknown: 9\n", "Items revealed: 2 (items 5, 8)\n",
                             "Tries: precluded items 0, naming 2, choosing the structure 0, building the structure 0\n",
                             "Session: 3\n", "Minutes: 41\n", "Completed unknowns: 07\n",
                             "  07: 11000000000000000000Ethanol (session and minutes 00112)\n", "Password: set\n"})
        EXPECT_TRUE(r.out.contains(QLatin1String(line))) << line << " in\n" << r.out.toStdString();
    EXPECT_FALSE(r.out.contains("cleo secret")) << "the password itself is never shown";
}

TEST_F(AllocateTest, BadFilesAndArgumentsFailClearly)
{
    QFile f(folder.file("users/broken.ovg"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a user file\r\n");
    f.close();

    struct Case {
        const char* name;
        QStringList args;
        const char* message;
    };
    const Case cases[] = {
        {"missing file", {"--show", folder.file("users/nobody.ovg")}, "it does not exist"},
        {"damaged file", {"--show", folder.file("users/broken.ovg")}, "is not a usable user file"},
        {"unknown 100", {"--unknowns", "05,100", folder.file("users/x.ovg")}, "not an unknown number"},
        {"unknown twice", {"--unknowns", "05,5", folder.file("users/x.ovg")}, "listed twice"},
        {"short password", {"--unknowns", "05", "--password", "abc", folder.file("users/x.ovg")}, "password"},
        {"not .ovg", {"--unknowns", "05", folder.file("users/x.txt")}, ".ovg"},
        {"no arguments", {}, "usage"},
    };
    for (const auto& c : cases) {
        const ProgramRun r = ovallocate(c.args);
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << c.name << ": " << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder.file("users/x.ovg")));

    // An existing file is left as it is.
    ASSERT_EQ(ovallocate({"--unknowns", "05", path}).status, 0);
    const QByteArray before = readFileBytes(path).value();
    const ProgramRun again = ovallocate({"--unknowns", "33", path});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains("already exists"));
    EXPECT_EQ(readFileBytes(path).value(), before);
}

TEST_F(AllocateTest, RefusesUnknownsTheStudentProgramCannotRead)
{
    QFile damaged(folder.unknownFile(41));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("Not an unknown\r\n");
    damaged.close();
    struct Case {
        const char* name;
        const char* list;
        const char* unknown;
    };
    const Case cases[] = {
        {"no data file, first", "40,05", "unknown 40 "},
        {"no data file, later", "05,12,40", "unknown 40 "},
        {"damaged data file", "05,41", "unknown 41 "},
    };
    for (const auto& c : cases) {
        const ProgramRun r = ovallocate({"--unknowns", c.list, path});
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_TRUE(r.err.contains(QLatin1String(c.unknown)) && r.err.contains("cannot be allocated"))
            << c.name << ": " << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(path)) << c.name;
    }
}

TEST_F(AllocateTest, TwoRunsForOneNewFileLeaveOneWinner)
{
    for (int round = 0; round < 8; ++round) {
        const QString raced = folder.file(QStringLiteral("users/race%1.ovg").arg(round));
        QProcess a, b;
        const QString program = qEnvironmentVariable("ORV_PROGRAM_DIR") + QStringLiteral("/ovallocate");
        a.start(program, {"--unknowns", "05", raced});
        b.start(program, {"--unknowns", "12", raced});
        ASSERT_TRUE(a.waitForFinished(30000) && b.waitForFinished(30000));
        const bool aWon = a.exitCode() == 0;
        EXPECT_NE(aWon, b.exitCode() == 0) << "exactly one run succeeds, round " << round;
        const QString loserErr = QString::fromLocal8Bit((aWon ? b : a).readAllStandardError());
        EXPECT_TRUE(loserErr.contains("already exists")) << loserErr.toStdString();
        const ProgramRun shown = ovallocate({"--show", raced});
        EXPECT_TRUE(shown.out.contains(aWon ? "Current unknown: 5\n" : "Current unknown: 12\n"))
            << "the file is the winner's, round " << round;
    }
    EXPECT_TRUE(QDir(folder.file("users")).entryList({"*.orvtmp"}, QDir::Files).isEmpty());
}

TEST_F(AllocateTest, FullDiskWritesNothing)
{
    orvtest::FullDisk disk(folder.file("users"));
    if (!disk.mounted())
        GTEST_SKIP() << "no RAM disk can be mounted here (the writer's own full-disk test covers the failure)";
    ASSERT_TRUE(writeFileAtomic(folder.file("users/other.ovg"), "another student\r\n").written());
    disk.fill();
    const ProgramRun r = ovallocate({"--unknowns", "05,12", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("cannot write") && r.err.contains("nothing was written")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(readFileBytes(folder.file("users/other.ovg")).value(), QByteArray("another student\r\n"));
}

// A folder that cannot be synced after the file is made: the file is there
// and usable, and the instructor is warned that a power cut could lose it.
TEST_F(AllocateTest, AnUnsyncedFolderIsReportedAsWrittenWithAWarning)
{
    AllocationRequest request;
    request.action = AllocationRequest::Action::Allocate;
    request.unknowns = QStringLiteral("05,12");
    request.path = path;
    setFolderSyncFailureForTests(QStringLiteral("Input/output error"));
    QString warning;
    const QString error = allocateUserFile(request, &warning);
    setFolderSyncFailureForTests({});
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_TRUE(warning.contains(path) && warning.contains("Input/output error") && warning.contains("power cut"))
        << warning.toStdString();
    EXPECT_EQ(orvtest::userFileRecord(path).progress.CurrentUnknown, 5);
}

// Run from its own program folder, as the instructor runs it (no
// ORVANTO_HOME): the unknowns are looked for in that folder's unks/, and the
// settings in its orvanto.ini.
TEST_F(AllocateTest, LooksForUnknownsBesideItself)
{
    const QString program = folder.file("ovallocate");
    ASSERT_TRUE(QFile::copy(qEnvironmentVariable("ORV_PROGRAM_DIR") + QStringLiteral("/ovallocate"), program));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("ORVANTO_HOME"));
    const auto run = [&](const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return std::make_pair(p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError()));
    };
    const auto refused = run({"--unknowns", "05,40", path});
    EXPECT_EQ(refused.first, 1);
    EXPECT_TRUE(refused.second.contains(folder.unknownFile(40))) << refused.second.toStdString();
    // The settings beside it have the instructor allocate: no warning.
    writeSettings(folder.file(QStringLiteral("orvanto.ini")), withChoice(defaultConfigSettings(), kFalse));
    const auto made = run({"--unknowns", "05,12", path});
    EXPECT_EQ(made.first, 0) << made.second.toStdString();
    EXPECT_EQ(made.second, QString()) << "the settings beside it are read";
    EXPECT_EQ(orvtest::userFileRecord(path).progress.CurrentUnknown, 5);
}

// On a file system without hard links (a FAT stick) the allocation still
// makes its file, and still never replaces one. Needs a FAT file system
// mounted for the test: made with mkfs.fat on a loop device where this
// machine allows it, else skipped with the reason.
TEST_F(AllocateTest, AllocatesOnAFileSystemWithoutHardLinks)
{
    const QString mkfs = QStandardPaths::findExecutable(QStringLiteral("mkfs.fat"), {"/usr/sbin", "/sbin"});
    if (mkfs.isEmpty())
        GTEST_SKIP() << "mkfs.fat (dosfstools) is not installed: no FAT file system can be made here";
    const QString image = folder.file(QStringLiteral("fat.img")), stick = folder.file(QStringLiteral("stick"));
    ASSERT_TRUE(QDir().mkpath(stick));
    {
        QFile f(image);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(2 * 1024 * 1024));
    }
    if (QProcess::execute(mkfs, {image}) != 0)
        GTEST_SKIP() << "mkfs.fat failed";
    if (QProcess::execute(QStringLiteral("mount"), {"-o", "loop", image, stick}) != 0)
        GTEST_SKIP() << "a loop device cannot be mounted here (needs root and loop devices)";
    const QString onStick = stick + QStringLiteral("/dana.ovg");
    const ProgramRun r = ovallocate({"--unknowns", "05,12", onStick});
    const ProgramRun again = ovallocate({"--unknowns", "33", onStick});
    const ProgramRun shown = ovallocate({"--show", onStick});
    QProcess::execute(QStringLiteral("umount"), {stick});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(shown.out.contains("Current unknown: 5\n")) << shown.out.toStdString();
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains("already exists")) << again.err.toStdString();
}
