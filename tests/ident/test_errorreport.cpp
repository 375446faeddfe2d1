// The error file written for a malformed result line.
#include "mainwindow/errorreport.h"
#include "platform/textfile.h"
#include "tests/ident/identfixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace orv;

namespace {

const QDateTime kWhen(QDate(2026, 12, 10), QTime(14, 5, 9));

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The state of a name typed right at the second attempt after 100 precluded items.
struct Malformed : identtest::Unknown7 {
    Malformed()
    {
        auto& m = modOrvan;
        identtest::reveal({1, 5, 6, 13, 35, 36});
        m.ItemHelpShown[6] = kTrue;
        m.PrecludedTries = 100;
        m.UnsuitableDerivs = 1;
        m.UnkIdentified = m.IdentifiedByName = kTrue;
        m.NameTypingTries = 2;
        m.StructGiveTries = 1;
        m.UserFilePath = QStringLiteral("C:\\class\\2026\\student1.ovg");
    }
    QString errPath() const { return folder.file(QStringLiteral("users/student1.err")); }
};

const char* const kRecord = "unknown no 7 ethanol\r\n"
                            "time 10/12/2026 2:05:09 PM\r\n"
                            "CODED LINE 120102001100011020001\r\n"
                            "line length 21\r\n"
                            "phys prop 1\r\n"
                            "spec 2\r\n"
                            "chem tests 1\r\n"
                            "tot deriv 2\r\n"
                            "unsuit deriv 1\r\n"
                            "general help with unk was not obtained\r\n"
                            "items with help 1\r\n"
                            "precluded item attempted 100\r\n"
                            "IDByName\r\n"
                            "AttemptsByName 2\r\n"
                            "AttemptsByChooseStructure 0\r\n"
                            "AttemptsByGiveStructure 1\r\n"
                            "END\r\n"
                            "\r\n";

} // namespace

TEST(ErrorReportFile, NameFollowsTheUserFile)
{
    // clang-format off
    const struct { const char* user; const char* err; } cases[] = {
        {"", "noname.err"},
        {"student1.ovg", "student1.err"},
        {"C:\\orvanto\\users\\student1.ovg", "student1.err"},
        {"/home/kim/work/Kim Lee.ovg", "Kim Lee.err"},
        {"/home/kim/notes.txt", "notes.err"},
        {"/home/kim/ab", "ab.err"},
        {"/home/kim/", "noname.err"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(errorReportFileName(QString::fromLatin1(c.user)), QString::fromLatin1(c.err)) << c.user;
}

TEST(ErrorReportFile, AThreeDigitFieldWritesTheRecordWithItsExactLines)
{
    Malformed s;
    const ReportOutcome r = makeReport(QStringLiteral("Great"), kWhen);
    EXPECT_TRUE(r.errorReported);
    EXPECT_EQ(fileBytes(s.errPath()), QByteArray(kRecord));
    EXPECT_EQ(modOrvan.TextBuffer, QStringLiteral("120102001100011020001")) << "the line as built is left unchanged";
    EXPECT_EQ(modOrvan.UnkResults[2].resultLine, QStringLiteral("12010200199011020001ethanol"));
}

TEST(ErrorReportFile, ANewRecordIsAppendedAfterTheOldOnesWithTwoEmptyLinesBetween)
{
    Malformed s;
    const QByteArray old = "unknown no 3 propanone\r\nEND\r\n\r\n";
    ASSERT_TRUE(writeFileAtomic(s.errPath(), old).written());
    makeReport(QStringLiteral("Great"), kWhen);
    EXPECT_EQ(fileBytes(s.errPath()), old + "\r\n" + QByteArray(kRecord));
}

TEST(ErrorReportFile, WithoutAUserFileTheRecordGoesToNoname)
{
    Malformed s;
    modOrvan.UserFilePath.clear();
    makeReport(QStringLiteral("Great"), kWhen);
    EXPECT_EQ(fileBytes(s.folder.file(QStringLiteral("users/noname.err"))), QByteArray(kRecord));
}

TEST(ErrorReportFile, FlagsLinesFollowTheIdentificationState)
{
    Malformed s;
    auto& m = modOrvan;
    m.IdentifiedByName = kFalse;
    m.ShowReportAfterResign = kTrue;
    m.ItemHelpShown[0] = kTrue;
    const QStringList lines = errorReportRecord(QStringLiteral("1"), countItems(), kWhen);
    EXPECT_EQ(lines[9], QStringLiteral("general help with unk was obtained"));
    EXPECT_EQ(lines[12], QStringLiteral("IDByResign"));
    EXPECT_EQ(lines[13], QStringLiteral("AttemptsByName 2"));
    m.ShowReportAfterResign = kFalse;
    EXPECT_EQ(errorReportRecord(QStringLiteral("1"), countItems(), kWhen)[12], QStringLiteral("AttemptsByName 2"))
        << "no flag line when none is set";
}

// What stands in the file's place and is not this account's own file is
// told with the reason, and neither read nor written: a folder, a link (in a
// users/ every account may write, a classmate's way into another file),
// whatever it leads to, and a second name of another file (a hard link, where
// the system allows one to a file of another account's): here a file only
// this account may read, in a folder of its own, which must never be read
// into a file others may read.
TEST(ErrorReportFile, AnUnwritableFileGivesTheMessageAndTheLineIsStoredAsBuilt)
{
    QTemporaryDir privateDir;
    const QString secret = privateDir.filePath(QStringLiteral("secret"));
    ASSERT_TRUE(writeFileAtomic(secret, "only mine\r\n").written());
    ASSERT_EQ(::chmod(QFile::encodeName(secret).constData(), 0600), 0);
    // clang-format off
    enum class Put { Folder, Link, HardLink };
    const struct { const char* what; Put put; const char* why; } cases[] = {
        {"a folder",    Put::Folder,   "It is a folder, not a file."},
        {"a link",      Put::Link,     "It is a symbolic link, and no file is written through one."},
        {"a hard link", Put::HardLink, "Another name leads to the same file (a hard link)."},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Malformed s;
        const bool put = c.put == Put::Folder ? QDir().mkpath(s.errPath())
                       : c.put == Put::Link
                           ? QFile::link(secret, s.errPath())
                           : ::link(QFile::encodeName(secret).constData(), QFile::encodeName(s.errPath()).constData())
                                 == 0;
        ASSERT_TRUE(put);
        makeReport(QStringLiteral("Great"), kWhen);
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
        EXPECT_EQ(orvtest::msgLog().shown[0].prompt, QStringLiteral("Error with ") + s.errPath()
                                                         + QStringLiteral("75Path/File access error\r\n")
                                                         + QLatin1String(c.why));
        EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Critical);
        EXPECT_EQ(QFileInfo(s.errPath()).isSymLink(), c.put == Put::Link);
        EXPECT_EQ(QFileInfo(s.errPath()).isDir(), c.put == Put::Folder);
        EXPECT_EQ(fileBytes(secret), "only mine\r\n");
        EXPECT_EQ(QFileInfo(secret).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);
        EXPECT_EQ(QDir(s.folder.file(QStringLiteral("users"))).entryList(QDir::Files | QDir::Hidden),
                  c.put == Put::Folder ? QStringList{} : QStringList{QStringLiteral("student1.err")})
            << "no copy of anything is left in users/";
        EXPECT_EQ(modOrvan.UnkResults[2].resultLine, QStringLiteral("12010200199011020001ethanol"));
        EXPECT_EQ(modOrvan.CompletedUnknowns, QStringLiteral("0307"));
    }
}

// On a full disk the earlier records stay byte for byte and the student is
// told. A RAM disk over the users folder where one can be mounted, and a
// writer told to stop after 50 bytes.
TEST(ErrorReportFile, FullDiskKeepsTheEarlierRecords)
{
    for (const bool ramDisk : {true, false}) {
        SCOPED_TRACE(ramDisk ? "RAM disk" : "write limit");
        Malformed s;
        std::optional<orvtest::FullDisk> disk;
        if (ramDisk) {
            disk.emplace(s.folder.file(QStringLiteral("users")));
            if (!disk->mounted())
                continue;
        }
        const QByteArray old = "unknown no 3 propanone\r\nEND\r\n\r\n";
        ASSERT_TRUE(writeFileAtomic(s.errPath(), old).written());
        if (disk)
            disk->fill();
        orvtest::msgLog().shown.clear();
        {
            orvtest::WriteLimit limit(ramDisk ? -1 : 50);
            EXPECT_TRUE(makeReport(QStringLiteral("Great"), kWhen).errorReported);
        }
        EXPECT_EQ(fileBytes(s.errPath()), old);
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
        EXPECT_EQ(orvtest::msgLog().shown[0].prompt, QStringLiteral("Error with ") + s.errPath()
                                                         + QStringLiteral("75Path/File access error\r\nNo space left "
                                                                          "on device."));
    }
}

// A file of another account's at the name (its records this account may
// not read, mode 600, in a users folder everyone may write) is neither read
// nor replaced by a file holding only the new record: the student is told
// and the file stays.
TEST(ErrorReportFile, RecordsThatCannotBeReadAreNeverReplaced)
{
    Malformed s;
    const QByteArray old = "unknown no 3 propanone\r\nEND\r\n\r\n";
    ASSERT_TRUE(writeFileAtomic(s.errPath(), old).written());
    ASSERT_EQ(::chmod(QFile::encodeName(s.folder.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(s.folder.file(QStringLiteral("users"))).constData(), 0777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(s.errPath()).constData(), orvtest::AsOrdinaryUser::unreadableMode()), 0);
    {
        orvtest::AsOrdinaryUser student;
        ASSERT_TRUE(student.ok());
        makeReport(QStringLiteral("Great"), kWhen);
    }
    ::chmod(QFile::encodeName(s.errPath()).constData(), 0644);
    EXPECT_EQ(fileBytes(s.errPath()), old);
    if (::geteuid() == 0) {
        // Readable by all, it is still another account's.
        orvtest::AsOrdinaryUser student;
        makeReport(QStringLiteral("Great"), kWhen);
        EXPECT_EQ(fileBytes(s.errPath()), old);
        EXPECT_EQ(orvtest::msgLog().lastPrompt(), QStringLiteral("Error with ") + s.errPath()
                                                      + QStringLiteral("75Path/File access error\r\nIt belongs to "
                                                                       "the account root, not to this one."));
        orvtest::msgLog().shown.erase(orvtest::msgLog().shown.end() - 1);
    }
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown[0].prompt, QStringLiteral("Error with ") + s.errPath()
                                                     + QStringLiteral("75Path/File access error\r\n")
                                                     + QStringLiteral("It cannot be opened (Permission denied)."));
}
