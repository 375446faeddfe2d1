// The user file between the disk and the program-wide state: saving and
// reading back, the password step, older files and their upgrade, refusals.
#include "core/coreservices.h"
#include "core/modorvan.h"
#include "core/userfile.h"
#include "core/userrecord.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"

#include <QFile>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace orv;

namespace {

// Password windows that answer as scripted and record what was asked.
struct FakePasswordWindows {
    QStringList asked;   // captions, in order
    QString newPassword; // what the new-password window leaves (empty: cancelled)
    QString typed;       // what the student types in the test window
    void install()
    {
        setPasswordWindows({
            [this](const QString& caption) {
                asked << caption;
                if (!newPassword.isEmpty()) {
                    modOrvan.Password = newPassword;
                    modOrvan.PasswordVerified = kTrue;
                }
            },
            [this](const QString& caption) {
                asked << caption;
                modOrvan.PasswordVerified = vb(typed == modOrvan.Password);
            },
        });
    }
    ~FakePasswordWindows() { setPasswordWindows({}); }
};

class UserFileTest : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    ModOrvan& m = modOrvan;
    FakePasswordWindows pw;
    QString path = folder.file("users/ann.ovg");
    qint64 clockMs = 1000;

    void SetUp() override
    {
        pw.install();
        setMonotonicSource([this] { return clockMs; });
        m.UserFilePath = path;
        m.MultipleSessionsAllowed = kTrue;
    }
    void TearDown() override { setMonotonicSource({}); }

    // A student part-way through unknown 5 with two unknowns finished.
    void fillProgress()
    {
        m.AllocatedUnknowns = "1233";
        m.CurrentUnknown = 5;
        m.ItemsRevealed[6] = kTrue;
        m.ItemsRevealed[54] = kTrue;
        m.ItemHelpShown[0] = kTrue;
        m.ItemPrecluded[34] = kTrue;
        m.PrecludedTries = 2;
        m.NameTypingTries = 3;
        m.StructChooseTries = 1;
        m.StructGiveTries = 98;
        m.UnsuitableDerivs = 4;
        m.SessionNumber = 3;
        m.MinutesUsed = 20;
        m.CompletedUnknowns = "0721";
        m.UnkResults[1] = {"11000000000000000000Ethanol", "00315"};
        m.UnkResults[2] = {"12010000000000000000Acetone", "00209"};
        markStartTime();
        clockMs += 5 * 60 * 1000 + 40 * 1000; // 5 min 40 s this session
    }
    QByteArray fileBytes() const { return readFileBytes(path).value_or(QByteArray()); }
};

} // namespace

// Fresh state for the next read, as a new start would leave it (the path and
// the settings stay).
static void freshState()
{
    const QString path = modOrvan.UserFilePath;
    const Boolean required = modOrvan.PasswordRequired;
    const Boolean multiple = modOrvan.MultipleSessionsAllowed;
    resetModOrvan();
    modOrvan.UserFilePath = path;
    modOrvan.PasswordRequired = required;
    modOrvan.MultipleSessionsAllowed = multiple;
}

TEST_F(UserFileTest, SavedRecordReadsBackWithAndWithoutPassword)
{
    for (const QString& password : {QString(), QString("Open sesame")}) {
        SCOPED_TRACE(password.toStdString());
        freshState();
        fillProgress();
        m.Password = password;
        ASSERT_TRUE(WriteUserFile());
        EXPECT_EQ(m.MinutesUsed, 26) << "20 earlier minutes + 5 min 40 s";
        const QList<QByteArray> lines = readFileLines(path).value();
        ASSERT_EQ(lines.size(), 1);
        EXPECT_TRUE(fileBytes().endsWith("\r\n"));

        freshState();
        ASSERT_TRUE(ReadUserFile());
        EXPECT_EQ(m.AllocatedUnknowns, "1233");
        EXPECT_EQ(m.CurrentUnknown, 5);
        EXPECT_EQ(m.ItemsRevealed[6], kTrue);
        EXPECT_EQ(m.ItemsRevealed[54], kTrue);
        EXPECT_EQ(m.ItemsRevealed[5], kFalse);
        EXPECT_EQ(m.ItemHelpShown[0], kTrue);
        EXPECT_EQ(m.ItemPrecluded[34], kTrue);
        EXPECT_EQ(m.PrecludedTries, 2);
        EXPECT_EQ(m.NameTypingTries, 3);
        EXPECT_EQ(m.StructChooseTries, 1);
        EXPECT_EQ(m.StructGiveTries, 98);
        EXPECT_EQ(m.UnsuitableDerivs, 0);
        EXPECT_EQ(m.SessionNumber, 4) << "this session counts";
        EXPECT_EQ(m.MinutesUsed, 26);
        EXPECT_EQ(m.CompletedUnknowns, "0721");
        EXPECT_EQ(m.UnkResults[1].resultLine, "11000000000000000000Ethanol");
        EXPECT_EQ(m.UnkResults[2].sessionTime, "00209");
        EXPECT_EQ(m.Password, password);
        EXPECT_EQ(m.PasswordCode.size(), 46);
    }
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_TRUE(pw.asked.isEmpty()) << "no password is asked for when none is required";
}

TEST_F(UserFileTest, AllDoneWritesZeroSessionAndReadsAsSessionOne)
{
    fillProgress();
    m.CurrentUnknown = 0;
    m.AllUnknownsDone = kTrue;
    m.Password = "abcdef";
    ASSERT_TRUE(WriteUserFile());
    EXPECT_EQ(m.SessionNumber, 0);
    freshState();
    ASSERT_TRUE(ReadUserFile());
    EXPECT_EQ(m.SessionNumber, 1);
    EXPECT_EQ(m.MinutesUsed, 0);
    EXPECT_EQ(m.Password, "abcdef");
}

TEST_F(UserFileTest, StoredPasswordSurvivesWhileNotRequired)
{
    fillProgress();
    m.Password = "abcdef";
    ASSERT_TRUE(WriteUserFile());

    // Passwords switched off: the password is still read, and saved again.
    freshState();
    ASSERT_TRUE(ReadUserFile());
    EXPECT_EQ(m.Password, "abcdef");
    EXPECT_EQ(m.PasswordVerified, kFalse);
    ASSERT_TRUE(WriteUserFile());

    // Switched on again: the old password is asked for and works.
    freshState();
    m.PasswordRequired = kTrue;
    pw.typed = "abcdef";
    ASSERT_TRUE(ReadUserFile());
    EXPECT_EQ(pw.asked, QStringList{"Password required"});
    EXPECT_EQ(m.PasswordVerified, kTrue);
}

TEST_F(UserFileTest, PasswordStepFollowsTheSettings)
{
    struct Case {
        const char* name;
        Boolean required, multiple;
        QString stored, typed;
        QStringList asked;
        Boolean verified;
    };
    const Case cases[] = {
        {"not required", kFalse, kTrue, "abcdef", "abcdef", {}, kFalse},
        {"required, right password", kTrue, kTrue, "abcdef", "abcdef", {"Password required"}, kTrue},
        {"required, wrong password", kTrue, kTrue, "abcdef", "abcdeF", {"Password required"}, kFalse},
        {"required, none stored, saving", kTrue, kTrue, "", "", {"Password now required"}, kTrue},
        {"required, none stored, no saving", kTrue, kFalse, "", "", {}, kTrue},
    };
    for (const auto& c : cases) {
        freshState();
        fillProgress();
        m.Password = c.stored;
        m.PasswordRequired = kFalse;
        ASSERT_TRUE(WriteUserFile()) << c.name;
        freshState();
        m.PasswordRequired = c.required;
        m.MultipleSessionsAllowed = c.multiple;
        m.PasswordVerified = kTrue; // left over from the student before
        pw.asked.clear();
        pw.typed = c.typed;
        pw.newPassword = "brandnew";
        ASSERT_TRUE(ReadUserFile()) << c.name;
        EXPECT_EQ(pw.asked, c.asked) << c.name;
        EXPECT_EQ(m.PasswordVerified, c.verified) << c.name;
    }
}

TEST_F(UserFileTest, SavingAsksForAPasswordWhenOneIsRequired)
{
    fillProgress();
    m.PasswordRequired = kTrue;
    pw.newPassword = "firstpass";
    ASSERT_TRUE(WriteUserFile());
    EXPECT_EQ(pw.asked, QStringList{"Password required for new user"});
    const UserFileContents c = parseUserFile(readFileLines(path).value());
    EXPECT_EQ(c.password, "firstpass");
}

// The new-password window closed without a confirmed password: nothing is
// written, neither a new file nor over an old one, and the failure is told
// as a failed write is; the state stays for the next save.
TEST_F(UserFileTest, SavingWithoutTheRequiredPasswordWritesNothing)
{
    for (const bool fileBefore : {false, true}) {
        SCOPED_TRACE(fileBefore ? "over a file without a password" : "a new file");
        freshState();
        fillProgress();
        QFile::remove(path);
        if (fileBefore) {
            m.PasswordRequired = kFalse;
            ASSERT_TRUE(WriteUserFile());
        }
        const QByteArray before = fileBytes();
        m.PasswordRequired = kTrue;
        pw.asked.clear();
        pw.newPassword.clear(); // the window is closed
        orvtest::msgLog().shown.clear();
        EXPECT_FALSE(WriteUserFile());
        EXPECT_EQ(pw.asked, QStringList{"Password required for new user"});
        EXPECT_EQ(fileBytes(), before);
        EXPECT_EQ(QFile::exists(path), fileBefore);
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
        EXPECT_TRUE(orvtest::msgLog().shown[0].prompt.startsWith("Error writing " + path + ". Information not saved."))
            << orvtest::msgLog().shown[0].prompt.toStdString();
        EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.CurrentUnknown, 5) << "the state is kept";

        pw.newPassword = "givennow";
        ASSERT_TRUE(WriteUserFile());
        EXPECT_EQ(parseUserFile(readFileLines(path).value()).password, "givennow");
    }
}

TEST_F(UserFileTest, SessionNumberStopsAt999)
{
    fillProgress();
    m.SessionNumber = 999;
    m.Password = "abcdefg";
    ASSERT_TRUE(WriteUserFile());
    freshState();
    ASSERT_TRUE(ReadUserFile());
    EXPECT_EQ(m.SessionNumber, 999);
    EXPECT_EQ(m.Password, "abcdefg");
    ASSERT_TRUE(WriteUserFile());
    freshState();
    ASSERT_TRUE(ReadUserFile());
    EXPECT_EQ(m.SessionNumber, 999);
    EXPECT_EQ(m.Password, "abcdefg");
}

TEST_F(UserFileTest, MinutesAcrossMidnightAndBeyondADay)
{
    // Monotonic mark: 25 hours and 10 seconds on top of 20 earlier minutes.
    fillProgress();
    markStartTime();
    m.MinutesUsed = 999; // whatever the state says now, the mark counts
    clockMs += (25 * 3600 + 10) * 1000LL;
    ASSERT_TRUE(WriteUserFile());
    EXPECT_EQ(m.MinutesUsed, 20 + 25 * 60);

    // A StartTime set without the mark: times of day, across midnight.
    m.StartTime = (23 * 3600 + 58 * 60) / 86400.0;
    m.TimerNow = (3 * 60 + 30) / 86400.0;
    ASSERT_TRUE(WriteUserFile());
    EXPECT_EQ(m.MinutesUsed, 6) << "23:58 to 00:03:30 is 5 min 30 s";
}

TEST_F(UserFileTest, DamagedOrMissingFileIsRefusedAndLeftAlone)
{
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty file", QByteArray()},
        {"too short", QByteArray("abc\r\n")},
        {"older file cut short", QByteArray("\r\n5\r\n0000\r\n")},
        {"older file with a bad completed list", QByteArray("\r\n5\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0015\r\n7\r\n")},
    };
    for (const auto& c : cases) {
        freshState();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        m.CurrentUnknown = 42;
        m.PasswordVerified = kTrue; // the student before
        orvtest::msgLog().shown.clear();
        EXPECT_FALSE(ReadUserFile()) << c.name;
        EXPECT_EQ(m.PasswordVerified, kFalse) << c.name;
        EXPECT_EQ(fileBytes(), c.bytes) << c.name << ": nothing is written over it";
        EXPECT_EQ(m.CurrentUnknown, 42) << c.name;
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u) << c.name;
        EXPECT_TRUE(orvtest::msgLog().lastPrompt().startsWith("The file " + path + " cannot be used: "))
            << orvtest::msgLog().lastPrompt().toStdString();
    }
    QFile::remove(path);
    EXPECT_FALSE(ReadUserFile());
    EXPECT_TRUE(orvtest::msgLog().lastPrompt().contains("it does not exist"));
}

TEST_F(UserFileTest, FailedWriteIsReportedAndReturnsFalse)
{
    fillProgress();
    m.UserFilePath = folder.file("no such folder/ann.ovg");
    EXPECT_FALSE(WriteUserFile());
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown[0].prompt,
              "Error writing " + m.UserFilePath + ". Information not saved.\r\nNo such file or directory.");
    EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.CurrentUnknown, 5) << "the data stays in memory";
}

// "Save and continue" on a full disk: the file that held every finished
// unknown, the session count and the password stays byte for byte, and the
// student is told. A RAM disk over the users folder where one can be
// mounted, and a writer told to stop at several places in the line.
TEST_F(UserFileTest, FullDiskKeepsTheOldFileByteForByte)
{
    fillProgress();
    m.Password = "Open sesame";
    ASSERT_TRUE(WriteUserFile());
    const QByteArray before = fileBytes();
    m.ItemsRevealed[20] = kTrue;
    for (const qint64 limit : {qint64(-2), qint64(0), qint64(1), qint64(100), qint64(200)}) {
        SCOPED_TRACE(limit == -2 ? std::string("RAM disk") : "limit " + std::to_string(limit));
        orvtest::msgLog().shown.clear();
        std::optional<orvtest::FullDisk> disk;
        if (limit == -2) {
            disk.emplace(folder.file("users"));
            if (!disk->mounted())
                continue;
            ASSERT_TRUE(writeFileAtomic(path, before).written());
            disk->fill();
        }
        {
            orvtest::WriteLimit full(limit == -2 ? -1 : limit);
            EXPECT_FALSE(WriteUserFile());
        }
        EXPECT_EQ(fileBytes(), before);
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
        EXPECT_EQ(orvtest::msgLog().lastPrompt(),
                  "Error writing " + path + ". Information not saved.\r\nNo space left on device.");
    }
}

TEST_F(UserFileTest, RecordTheFileCannotHoldIsNotWritten)
{
    fillProgress();
    ASSERT_TRUE(WriteUserFile());
    const QByteArray before = fileBytes();
    m.UnkResults[2].resultLine = QStringLiteral("12010000000000000000Ac") + QChar(0x3B1) + "tone";
    EXPECT_FALSE(WriteUserFile());
    EXPECT_EQ(orvtest::msgLog().lastPrompt(),
              "Error writing " + path
                  + ". Information not saved.\r\nThe record cannot be stored: it holds the "
                    "character \""
                  + QChar(0x3B1) + "\", which the file cannot store.");
    EXPECT_EQ(fileBytes(), before);
}

namespace {

QByteArray olderFile(bool version42, const QString& passwordCode, bool withPasswordLine)
{
    QList<QByteArray> lines = {
        "", // allocation list (the program chooses)
        "5",
        QByteArray(5, '0') + "1" + QByteArray(48, '0'), // item 6 revealed
        "1" + QByteArray(54, '0'),
        QByteArray(33, '0') + "1", // item 34 precluded
        "1",
        "2",
        "0",
    };
    if (version42) {
        lines << "2"
              << "00315";
        lines << "07"
              << "11000000000000000002Ethanol"
              << "00211";
    } else {
        lines << "0015";
        lines << "07"
              << "110000000000000000Ethanol"
              << "00112";
    }
    if (withPasswordLine)
        lines << toBytes(passwordCode);
    return joinLinesCrLf(lines);
}

} // namespace

TEST_F(UserFileTest, OlderFilesAreUpgradedWithTheirMinutes)
{
    struct Case {
        bool version42;
        int session; // as read, this session counted
        long minutes;
        int giveTries;
        QString result;
        QString message;
    };
    const Case cases[] = {
        {false, 2, 5, 0, "11000000000000000000Ethanol", " was from a version earlier than 4.2 "},
        {true, 4, 15, 2, "11000000000000000002Ethanol", " was from version 4.2 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version42 ? "version 4.2" : "before 4.2");
        freshState();
        orvtest::msgLog().shown.clear();
        const QString code = encodePasswordCode("oldpass", c.session - 1, GetRandomNum);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(olderFile(c.version42, code, true));
        f.close();

        m.PasswordRequired = kTrue;
        pw.asked.clear();
        pw.typed = "oldpass";
        ASSERT_TRUE(ReadUserFile());
        EXPECT_EQ(m.Password, "oldpass");
        EXPECT_EQ(m.PasswordVerified, kTrue);
        EXPECT_EQ(pw.asked, QStringList{"Password required"});
        EXPECT_EQ(m.SessionNumber, c.session);
        EXPECT_EQ(m.MinutesUsed, c.minutes);
        EXPECT_EQ(m.StructGiveTries, c.giveTries);
        EXPECT_EQ(m.UnkResults[1].resultLine, c.result);
        EXPECT_EQ(m.ItemsRevealed[6], kTrue);
        EXPECT_EQ(m.ItemPrecluded[34], kTrue);
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
        EXPECT_EQ(orvtest::msgLog().shown[0].prompt,
                  "Your file " + path + c.message + "\r\n of Orvanto and has now been updated to version 4.40.");
        EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Information);

        // Rewritten as one line that reads back to the same state.
        ASSERT_EQ(readFileLines(path).value().size(), 1);
        freshState();
        ASSERT_TRUE(ReadUserFile());
        EXPECT_EQ(m.SessionNumber, c.session) << "the upgrade does not count a session";
        EXPECT_EQ(m.MinutesUsed, c.minutes);
        EXPECT_EQ(m.UnkResults[1].resultLine, c.result);
        EXPECT_EQ(m.Password, "oldpass");
    }
}

TEST_F(UserFileTest, OlderFileWithoutPasswordGetsOneWhenRequired)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(olderFile(false, {}, false));
    f.close();
    m.PasswordRequired = kTrue;
    pw.newPassword = "givennow";
    pw.typed = "givennow";
    ASSERT_TRUE(ReadUserFile());
    EXPECT_EQ(pw.asked, (QStringList{"Password required for new user", "Password required"}));
    EXPECT_EQ(m.PasswordVerified, kTrue);
    freshState();
    m.PasswordRequired = kFalse;
    ASSERT_TRUE(ReadUserFile());
    EXPECT_EQ(m.Password, "givennow");
}

// Closing the window that asks for the upgrade's password refuses the file:
// it is not rewritten without one, and stays as it was for the next try.
// Where progress is not saved, a file without a password is let in as any
// such file is, still not upgraded.
TEST_F(UserFileTest, OlderFileIsNotUpgradedWithoutTheRequiredPassword)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(olderFile(false, {}, false));
    f.close();
    const QByteArray before = fileBytes();
    for (const auto& [multiple, verified] : {std::pair{kTrue, kFalse}, std::pair{kFalse, kTrue}}) {
        SCOPED_TRACE(isTrue(multiple) ? "progress saved" : "one session only");
        freshState();
        m.PasswordRequired = kTrue;
        m.MultipleSessionsAllowed = multiple;
        pw.asked.clear();
        orvtest::msgLog().shown.clear();
        ASSERT_TRUE(ReadUserFile());
        EXPECT_EQ(pw.asked, QStringList{"Password required for new user"});
        EXPECT_EQ(m.PasswordVerified, verified);
        EXPECT_EQ(fileBytes(), before);
        EXPECT_TRUE(orvtest::msgLog().shown.empty()) << "no upgrade is announced";
    }
}

TEST_F(UserFileTest, OlderFileWithoutPasswordReadsAsNoPassword)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(olderFile(true, {}, false));
    f.close();
    ASSERT_TRUE(ReadUserFile());
    EXPECT_TRUE(m.Password.isEmpty());
    EXPECT_TRUE(pw.asked.isEmpty());
}

// A wrong password lets nothing of the file into the program, in either
// format, and an older file is not rewritten for someone who is not its owner.
TEST_F(UserFileTest, WrongPasswordLeavesTheStateAndTheFileAsTheyWere)
{
    struct Case {
        const char* name;
        bool older;
    };
    for (const Case c : {Case{"one-line file", false}, Case{"older file", true}}) {
        SCOPED_TRACE(c.name);
        freshState();
        if (c.older) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(olderFile(true, encodePasswordCode("annapass", 3, GetRandomNum), true));
        } else {
            fillProgress();
            m.Password = "annapass";
            ASSERT_TRUE(WriteUserFile());
        }
        const QByteArray before = fileBytes();

        freshState();
        m.PasswordRequired = kTrue;
        const UserRecord empty = userRecordOf(m);
        pw.asked.clear();
        pw.typed = "not-annas";
        orvtest::msgLog().shown.clear();
        ASSERT_TRUE(ReadUserFile());
        EXPECT_EQ(pw.asked, QStringList{"Password required"});
        EXPECT_EQ(m.PasswordVerified, kFalse);
        EXPECT_EQ(userRecordOf(m), empty);
        EXPECT_TRUE(m.Password.isEmpty());
        EXPECT_TRUE(m.PasswordCode.isEmpty());
        EXPECT_EQ(fileBytes(), before);
        EXPECT_TRUE(orvtest::msgLog().shown.empty()) << "no upgrade for a refused student";
    }
}
