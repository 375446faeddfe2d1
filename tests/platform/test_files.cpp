#include "platform/fileinuse.h"
#include "platform/helpfile.h"
#include "platform/smallfile.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orv;

TEST(ByteFiles, EveryByteValueRoundTrips)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("all.txt");
    QByteArray line;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            line.append(static_cast<char>(b));
    const QString asText = fromBytes(line);
    ASSERT_EQ(asText.size(), line.size());
    EXPECT_EQ(asText.at(asText.size() - 1).unicode(), 255);
    ASSERT_TRUE(writeFileAtomic(path, joinLinesCrLf({toBytes(asText), "second"})).written());
    auto lines = readFileLines(path);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 2);
    EXPECT_EQ(lines->at(0), line);
    EXPECT_EQ(fromBytes(lines->at(0)), asText);
}

TEST(ByteFiles, AcceptsEveryLineEnding)
{
    // clang-format off
    const struct { QByteArray bytes; QList<QByteArray> want; } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"", {}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(splitLines(c.bytes), c.want) << c.bytes.toStdString();
}

TEST(ByteFiles, FailedWriteLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.txt");
    ASSERT_TRUE(writeFileAtomic(path, "old\r\n").written());
    const WriteResult w = writeFileAtomic(dir.filePath("missing/sub/file.txt"), "x");
    EXPECT_EQ(w.outcome, WriteResult::Failed);
    EXPECT_FALSE(w.reason.isEmpty());
    EXPECT_EQ(*readFileBytes(path), QByteArray("old\r\n"));
    EXPECT_FALSE(readFileBytes(dir.filePath("nothing.txt")));
}

namespace {

QStringList filesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

struct LinksUnsupported {
    explicit LinksUnsupported(bool on) { setLinksUnsupportedForTests(on); }
    ~LinksUnsupported() { setLinksUnsupportedForTests(false); }
};

} // namespace

// A full disk must fail the write and leave the old file whole, however the
// disk runs full: a real small RAM disk where one can be mounted, and the
// writer told to stop after a number of bytes (before, at and after the
// size of the old file).
TEST(ByteFiles, FullDiskFailsAndKeepsTheOldFile)
{
    const QByteArray old = "old contents\r\nline two\r\n";
    const QByteArray fresh(3000, 'n');
    {
        QTemporaryDir dir;
        orvtest::FullDisk disk(dir.path());
        if (disk.mounted()) {
            const QString path = dir.filePath("keep.ovg");
            ASSERT_TRUE(writeFileAtomic(path, old).written());
            disk.fill();
            const WriteResult w = writeFileAtomic(path, fresh);
            EXPECT_EQ(w.outcome, WriteResult::Failed);
            EXPECT_FALSE(w.reason.isEmpty());
            EXPECT_EQ(*readFileBytes(path), old);
            EXPECT_EQ(createFileExclusive(dir.filePath("new.ovg"), fresh).outcome, WriteResult::Failed);
            EXPECT_EQ(filesIn(dir.path()), (QStringList{"filler", "keep.ovg"})) << "no copy left behind";
        } else {
            std::printf("no RAM disk can be mounted here; the full disk is simulated only\n");
        }
    }
    for (qint64 limit : {qint64(0), qint64(10), qint64(old.size()), qint64(2999)}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("keep.ovg");
        ASSERT_TRUE(writeFileAtomic(path, old).written());
        orvtest::WriteLimit full(limit);
        const WriteResult w = writeFileAtomic(path, fresh);
        EXPECT_EQ(w.outcome, WriteResult::Failed) << limit;
        EXPECT_EQ(w.reason, "No space left on device");
        EXPECT_EQ(*readFileBytes(path), old) << limit;
        EXPECT_FALSE(createFileExclusive(dir.filePath("new.ovg"), fresh).written()) << limit;
        EXPECT_EQ(filesIn(dir.path()), QStringList{"keep.ovg"}) << limit;
    }
    QTemporaryDir dir;
    orvtest::WriteLimit roomy(3000);
    EXPECT_TRUE(writeFileAtomic(dir.filePath("fits.ovg"), fresh).written()) << "a file that fits is written";
}

// Where the file system has no hard links (a FAT stick, some shares) the
// file is created exclusively under its own name instead: the same promises.
TEST(ByteFiles, ExclusiveCreationNeverReplacesAFile)
{
    for (const bool links : {true, false}) {
        SCOPED_TRACE(links ? "hard links" : "no hard links");
        LinksUnsupported without(!links);
        QTemporaryDir dir;
        const QString path = dir.filePath("cleo.ovg");
        ASSERT_EQ(createFileExclusive(path, "first\r\n").outcome, WriteResult::Written);
        EXPECT_EQ(createFileExclusive(path, "second\r\n").outcome, WriteResult::Exists);
        EXPECT_EQ(*readFileBytes(path), QByteArray("first\r\n"));
        EXPECT_EQ(filesIn(dir.path()), QStringList{"cleo.ovg"});

        // Many writers racing for one name: exactly one wins, and the file
        // holds the winner's bytes.
        for (int round = 0; round < 20; ++round) {
            const QString raced = dir.filePath(QStringLiteral("race%1.ovg").arg(round));
            std::atomic<int> wins{0}, lost{0};
            std::atomic<int> winner{-1};
            std::vector<std::thread> threads;
            for (int t = 0; t < 4; ++t)
                threads.emplace_back([&, t] {
                    const WriteResult w = createFileExclusive(raced, QByteArray::number(t));
                    if (w.written()) {
                        ++wins;
                        winner = t;
                    } else if (w.outcome == WriteResult::Exists) {
                        ++lost;
                    }
                });
            for (auto& th : threads)
                th.join();
            EXPECT_EQ(wins, 1) << round;
            EXPECT_EQ(lost, 3) << round;
            EXPECT_EQ(*readFileBytes(raced), QByteArray::number(winner.load())) << round;
        }
        EXPECT_EQ(filesIn(dir.path()).filter(QString::fromLatin1(kTemporarySuffix)), QStringList{});

        // A failed write leaves no file under the name.
        orvtest::WriteLimit full(3);
        const WriteResult w = createFileExclusive(dir.filePath("short.ovg"), "twelve bytes");
        EXPECT_EQ(w.outcome, WriteResult::Failed);
        EXPECT_EQ(w.reason, "No space left on device");
        EXPECT_FALSE(QFileInfo::exists(dir.filePath("short.ovg")));
    }
}

// Long names, links and modes as they are met in a lab's shared folder.
TEST(ByteFiles, TheWriterReplacesTheFileTheNameStandsFor)
{
    QTemporaryDir dir;
    const auto modeOf = [](const QString& path) {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0u;
    };

    // A name near the file system's limit (248 bytes, 81 three-byte
    // characters) saves: the copy's name is shortened, never the file's.
    const QString longName = QString(81, QChar(0x5b66)) + QStringLiteral("X.ovg");
    ASSERT_EQ(QFile::encodeName(longName).size(), 81 * 3 + 5);
    ASSERT_TRUE(writeFileAtomic(dir.filePath(longName), "first\r\n").written());
    const WriteResult w = writeFileAtomic(dir.filePath(longName), "second\r\n");
    EXPECT_TRUE(w.written()) << w.reason.toStdString();
    EXPECT_EQ(*readFileBytes(dir.filePath(longName)), QByteArray("second\r\n"));
    const QString longest = QString(250, u'n') + QStringLiteral(".ovg");
    ASSERT_TRUE(writeFileAtomic(dir.filePath(longest), "x").written()) << "a name of 254 bytes";
    EXPECT_EQ(filesIn(dir.path()), (QStringList{longest, longName}));

    // The old file's mode is the copy's from its creation, whatever the umask.
    const mode_t mask = ::umask(077);
    for (const mode_t mode : {0600u, 0644u, 0664u}) {
        const QString path = dir.filePath(QStringLiteral("mode%1.ovg").arg(mode, 0, 8));
        ASSERT_TRUE(writeFileAtomic(path, "old").written());
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
        ASSERT_TRUE(writeFileAtomic(path, "new").written());
        EXPECT_EQ(modeOf(path), mode);
    }
    ::umask(mask);

    // What is not a regular file is refused and left as it is, whether
    // links may be followed or not.
    const QString real = dir.filePath("real.ovg");
    ASSERT_TRUE(writeFileAtomic(real, "old").written());
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), dir.filePath("null.ovg")));
    ASSERT_TRUE(QFile::link(dir.filePath("gone.ovg"), dir.filePath("dangling.ovg")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ovg"));
    const ReplaceOnly throughLink{FileSeen{::geteuid(), "old"}, true};
    // clang-format off
    const struct { const char* name; const char* why; const char* whyThroughLink; } refused[] = {
        {"null.ovg",     "it is a symbolic link, and no file is written through one",
                         "it has been replaced by a device since it was read"},
        {"dangling.ovg", "it is a symbolic link, and no file is written through one",
                         "it is a link to a file that does not exist"},
        {"folder.ovg",   "it is not a regular file",      "it has been replaced by a folder since it was read"},
    };
    // clang-format on
    for (const auto& c : refused) {
        const WriteResult plain = writeFileAtomic(dir.filePath(c.name), "x");
        EXPECT_EQ(plain.outcome, WriteResult::Failed) << c.name;
        EXPECT_EQ(plain.reason, c.why) << c.name;
        EXPECT_EQ(writeFileAtomic(dir.filePath(c.name), "x", throughLink).reason, c.whyThroughLink) << c.name;
    }
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/null")).exists() && !QFileInfo(QStringLiteral("/dev/null")).isFile());
    EXPECT_TRUE(QFileInfo(dir.filePath("null.ovg")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("gone.ovg")));
    EXPECT_EQ(filesIn(dir.path()).filter(QString::fromLatin1(kTemporarySuffix)), QStringList{});
}

// The settings beside the programs may be a link the instructor laid (to a
// file kept elsewhere): written through, the link kept, where the caller
// says any file may be reached through it.
TEST(ByteFiles, AnyLinkIsFollowedOnlyWhereTheCallerAllowsIt)
{
    QTemporaryDir dir;
    const QString kept = dir.filePath("kept.ini"), name = dir.filePath("orvanto.ini");
    ASSERT_TRUE(writeFileAtomic(kept, "old").written());
    ASSERT_TRUE(QFile::link(kept, name));
    EXPECT_EQ(writeFileAtomic(name, "refused").outcome, WriteResult::Failed);
    const WriteResult w = writeFileAtomic(name, "new", ReplaceOnly{std::nullopt, true});
    EXPECT_EQ(w.outcome, WriteResult::Written) << w.reason.toStdString();
    EXPECT_TRUE(QFileInfo(name).isSymLink());
    EXPECT_EQ(readFileBytes(kept), QByteArray("new"));
}

namespace {

// A folder as a lab's users/ may be: the file read, another file of the
// same student beside it, and the name the program writes.
struct LinkLab {
    QTemporaryDir dir;
    QString name = dir.filePath("anna.ovg"), own = dir.filePath("anna-notes.txt");
    FileSeen read;
    LinkLab()
    {
        EXPECT_TRUE(writeFileAtomic(name, "record").written());
        EXPECT_TRUE(writeFileAtomic(own, "notes").written());
        read = seenOf(name);
    }
    static FileSeen seenOf(const QString& path)
    {
        const auto r = readFileBytes(path);
        return {r.owner, r.value_or(QByteArray())};
    }
    // The name made a link to `target`, as a classmate would.
    void swapForLink(const QString& target) const
    {
        QFile::remove(name);
        EXPECT_TRUE(QFile::link(target, name));
    }
    // `bytes` renamed over the name, as "mv" or an editor's save does: a new
    // file (a new inode), of this account.
    void renameOver(const QByteArray& bytes) const
    {
        QFile f(name + ".new");
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        EXPECT_EQ(::rename(QFile::encodeName(name + ".new").constData(), QFile::encodeName(name).constData()), 0);
    }
};

} // namespace

// Which file a save may replace: the one read (or last written), judged by
// what every share keeps (a regular file with one name, of its owner,
// holding the bytes read), never by its inode or device numbers, which a
// share renumbers. So a renumbered file, a share mounted again and the
// student's own restore are the student's file; a link, another file, a
// classmate's file and a second name of another file are not. Each is
// checked again just before the rename, so a swap while the copy is written
// is refused too; a name that leads to nothing any more is made anew, but
// never over a file put there meanwhile.
TEST(ByteFiles, TheFileReadIsJudgedByItsOwnerKindNameAndBytes)
{
    enum class Swap { None, Renumbered, OwnRestore, Link, OtherBytes, HardLink, Classmate, Removed, RemovedThenMade };
    // clang-format off
    const struct Case {
        const char* what;
        bool known;      // the caller gives the file it read
        Swap swap;
        bool duringWrite; // the swap comes after the copy is written
        WriteResult::Outcome want;
        const char* why;
    } cases[] = {
        {"the file read, unchanged",             true,  Swap::None,       false, WriteResult::Written, ""},
        {"renumbered by the share (a remount, FUSE, FAT): the same bytes and owner",
                                                 true,  Swap::Renumbered, false, WriteResult::Written, ""},
        {"the student's own restore: mv away, then cp back",
                                                 true,  Swap::OwnRestore, false, WriteResult::Written, ""},
        {"renumbered while the copy is written", true,  Swap::Renumbered, true,  WriteResult::Written, ""},
        {"any file, a link put there",           false, Swap::Link,       false, WriteResult::Failed,
         "it is a symbolic link, and no file is written through one"},
        {"any file, a link put there meanwhile", false, Swap::Link,       true,  WriteResult::Failed,
         "it is a symbolic link, and no file is written through one"},
        {"the file read, a link put there",      true,  Swap::Link,       false, WriteResult::Changed,
         "it has been replaced by a symbolic link since it was read"},
        {"the file read, a link meanwhile",      true,  Swap::Link,       true,  WriteResult::Changed,
         "it has been replaced by a symbolic link since it was read"},
        {"the file read, another file there",    true,  Swap::OtherBytes, false, WriteResult::Changed,
         "it has been replaced by another file since it was read"},
        {"the file read, another file meanwhile",true,  Swap::OtherBytes, true,  WriteResult::Changed,
         "it has been replaced by another file since it was read"},
        {"the file read, a second name of another file with its bytes",
                                                 true,  Swap::HardLink,   false, WriteResult::Changed,
         "another name now leads to the same file (a hard link)"},
        {"the file read, a classmate's file with its bytes",
                                                 true,  Swap::Classmate,  false, WriteResult::Changed,
         "it has been replaced by a file of the account 4242 since it was read"},
        {"the file read, a classmate's file meanwhile",
                                                 true,  Swap::Classmate,  true,  WriteResult::Changed,
         "it has been replaced by a file of the account 4242 since it was read"},
        {"the file read, removed: made anew",    true,  Swap::Removed,    false, WriteResult::Written, ""},
        {"the file read, removed, another file made there meanwhile",
                                                 true,  Swap::RemovedThenMade, true, WriteResult::Changed,
         "it has been replaced by another file since it was read"},
    };
    // clang-format on
    const bool root = ::geteuid() == 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.swap == Swap::Classmate && !root)
            continue; // only root may give a file to another account
        LinkLab lab;
        const QString elsewhere = lab.dir.filePath("elsewhere.ovg");
        const auto swap = [&] {
            switch (c.swap) {
            case Swap::None: break;
            case Swap::Renumbered: lab.renameOver("record"); break;
            case Swap::OwnRestore:
                EXPECT_TRUE(QFile::rename(lab.name, lab.name + ".bak"));
                EXPECT_TRUE(QFile::copy(lab.name + ".bak", lab.name));
                break;
            case Swap::Link: lab.swapForLink(lab.own); break;
            case Swap::OtherBytes: lab.renameOver("notes"); break;
            case Swap::HardLink:
                EXPECT_TRUE(writeFileAtomic(elsewhere, "record").written());
                QFile::remove(lab.name);
                EXPECT_EQ(::link(QFile::encodeName(elsewhere).constData(), QFile::encodeName(lab.name).constData()), 0);
                break;
            case Swap::Classmate:
                lab.renameOver("record");
                EXPECT_EQ(::chown(QFile::encodeName(lab.name).constData(), 4242, 4242), 0);
                break;
            case Swap::Removed: QFile::remove(lab.name); break;
            case Swap::RemovedThenMade: break; // see below
            }
        };
        if (c.swap == Swap::RemovedThenMade) {
            QFile::remove(lab.name);
            setBeforeRenameForTests([&] { lab.renameOver("a classmate's"); });
        } else if (c.duringWrite) {
            setBeforeRenameForTests(swap);
        } else {
            swap();
        }
        const QByteArray before = readFileBytes(lab.name).value_or("(none)");
        const WriteResult w = writeFileAtomic(lab.name, "saved",
                                              c.known ? ReplaceOnly{lab.read, false} : ReplaceOnly{});
        setBeforeRenameForTests(nullptr);
        EXPECT_EQ(w.outcome, c.want);
        EXPECT_EQ(w.reason, c.why);
        EXPECT_EQ(readFileBytes(lab.own).value(), "notes") << "the other file is never written";
        if (w.written()) {
            EXPECT_EQ(readFileBytes(lab.name).value(), "saved");
            EXPECT_EQ(w.owner, ::geteuid()) << "the owner of the file written is told";
        } else if (!c.duringWrite && c.swap != Swap::Link) {
            EXPECT_EQ(readFileBytes(lab.name).value_or("(none)"), before) << "what stands there is left as it is";
        }
        if (QFileInfo::exists(elsewhere)) {
            EXPECT_EQ(readFileBytes(elsewhere).value(), "record");
        }
        EXPECT_EQ(filesIn(lab.dir.path()).filter(QString::fromLatin1(kTemporarySuffix)), QStringList{});
    }
}

// A file that cannot be read again just now is not taken for another file: the
// save fails with the system's reason, and the file is left as it was.
TEST(ByteFiles, AFileThatCannotBeReadAgainIsAFailedSaveNotAnotherFile)
{
    const auto check = []() -> std::string {
        QTemporaryDir dir;
        const QString name = dir.filePath("anna.ovg");
        if (!writeFileAtomic(name, "record").written())
            return "no file to start with";
        const FileSeen read = LinkLab::seenOf(name);
        QFile::setPermissions(name, QFileDevice::WriteOwner);
        const WriteResult w = writeFileAtomic(name, "saved", ReplaceOnly{read, false});
        QFile::setPermissions(name, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (w.outcome != WriteResult::Failed)
            return "outcome " + std::to_string(int(w.outcome)) + ": " + w.reason.toStdString();
        if (w.reason != "it cannot be read again (" + errnoText(EACCES) + ")")
            return "reason: " + w.reason.toStdString();
        if (readFileBytes(name).value_or("") != "record")
            return "the file was changed";
        return {};
    };
    if (::geteuid() != 0) {
        EXPECT_EQ(check(), "");
        return;
    }
    // Root reads every file: the account that cannot is another one.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0)
            ::_exit(2);
        const std::string fault = check();
        if (!fault.empty())
            std::fprintf(stderr, "%s\n", fault.c_str());
        ::_exit(fault.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

// A file read through a link is written through it, to that file only, while
// it is a file of the same owner with one name holding what was read: the
// link stays, and a link turned to another file, or to a second name of the
// same file elsewhere (a classmate's folder), is refused.
TEST(ByteFiles, AFileReadThroughALinkIsWrittenThroughIt)
{
    LinkLab lab;
    const QString target = lab.dir.filePath("elsewhere.ovg");
    ASSERT_TRUE(QFile::rename(lab.name, target));
    lab.swapForLink(target);
    ReplaceOnly only{LinkLab::seenOf(lab.name), true};
    for (const char* save : {"first save", "second save"}) {
        const WriteResult w = writeFileAtomic(lab.name, save, only);
        ASSERT_EQ(w.outcome, WriteResult::Written) << save << ": " << w.reason.toStdString();
        EXPECT_TRUE(QFileInfo(lab.name).isSymLink()) << save;
        EXPECT_EQ(readFileBytes(target).value(), save);
        only.file = FileSeen{w.owner, save}; // the next save replaces the file this one wrote
    }
    lab.swapForLink(lab.own);
    WriteResult w = writeFileAtomic(lab.name, "third save", only);
    EXPECT_EQ(w.outcome, WriteResult::Changed);
    EXPECT_EQ(w.reason, "it has been replaced by another file since it was read");
    EXPECT_EQ(readFileBytes(lab.own).value(), "notes");
    EXPECT_EQ(readFileBytes(target).value(), "second save");

    // Pointed at a second name of the very file, kept in another folder.
    QTemporaryDir classmates;
    const QString second = classmates.filePath("copy.ovg");
    ASSERT_EQ(::link(QFile::encodeName(target).constData(), QFile::encodeName(second).constData()), 0);
    lab.swapForLink(second);
    w = writeFileAtomic(lab.name, "third save", only);
    EXPECT_EQ(w.outcome, WriteResult::Changed);
    EXPECT_EQ(w.reason, "another name now leads to the same file (a hard link)");
    EXPECT_EQ(readFileBytes(target).value(), "second save");
}

// The readers take only regular files of a sensible size, and nothing holds
// them up: each read runs against a time limit.
TEST(ByteFiles, TheReadersRefuseWhatIsNotARealFile)
{
    QTemporaryDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.ovg")).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.filePath("zero.ovg")));
    {
        QFile huge(dir.filePath("huge.ovg"));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(kMaxReadBytes + 1)); // sparse
        QFile largest(dir.filePath("largest.ovg"));
        ASSERT_TRUE(largest.open(QIODevice::WriteOnly));
        ASSERT_TRUE(largest.resize(kMaxReadBytes));
    }
    // clang-format off
    const struct { const char* name; const char* why; } cases[] = {
        {"pipe.ovg", "it is not a regular file"},
        {"zero.ovg", "it is not a regular file"},
        {".", "it is not a regular file"},
        {"huge.ovg", "it is larger than any file of its kind (more than 8388608 bytes)"},
        {"nothing.ovg", "it does not exist"},
    };
    // clang-format on
    for (const auto& c : cases) {
        // On a detached thread, so that a reader that hangs fails the test
        // instead of holding it.
        auto done = std::make_shared<std::promise<std::pair<bool, QString>>>();
        auto read = done->get_future();
        std::thread([done, path = dir.filePath(c.name)] {
            const auto lines = readFileLines(path);
            done->set_value({lines.has_value(), lines.error});
        }).detach();
        ASSERT_EQ(read.wait_for(std::chrono::seconds(10)), std::future_status::ready) << c.name << " hangs";
        const auto [got, err] = read.get();
        EXPECT_FALSE(got) << c.name;
        EXPECT_EQ(err, QString::fromLatin1(c.why)) << c.name;
    }
    EXPECT_EQ(readFileBytes(dir.filePath("largest.ovg"))->size(), kMaxReadBytes) << "the limit itself is allowed";
}

TEST(ByteFiles, StaleCopiesAreRecognisedAndRemoved)
{
    QTemporaryDir dir;
    const auto make = [&](const QString& name, int ageSeconds) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.flush(); // so that closing does not touch the time again
        f.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
    };
    make("fred.ovg.a1b2c3.orvtmp", 3600); // left by a killed program
    make("orvanto.ini.zz09ab.orvtmp", 900);
    make("mary.ovg.q1w2e3.orvtmp", 5); // another copy writing now
    make("fred.ovg", 3600);
    make("notes.orvtmp.txt", 3600);
    EXPECT_EQ(removeStaleTemporaries(dir.path()), 2);
    EXPECT_EQ(filesIn(dir.path()), (QStringList{"fred.ovg", "mary.ovg.q1w2e3.orvtmp", "notes.orvtmp.txt"}));
}

TEST(HelpFile, FindsNumberedTopics)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("help.hlp");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#TOPIC 7\nSeven\nBody of seven.\n\n#TOPIC 70\nSeventy\nLine one\nLine two\n");
    f.close();
    const auto help = readHelp(path);
    ASSERT_TRUE(help);
    const HelpTopic* t = help->find(70);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->title, "Seventy");
    EXPECT_EQ(t->text, "Line one\nLine two");
    ASSERT_TRUE(help->find(7));
    EXPECT_EQ(help->find(7)->text, "Body of seven.");
    EXPECT_FALSE(help->find(8));
    EXPECT_FALSE(readHelp(dir.filePath("none.hlp")));
}

TEST(HelpFile, ContentsAreTheTopicsInTheFilesOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("help.hlp");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // CR LF line ends, a topic without a title, a number given twice, and
    // lines that only look like a topic's start.
    f.write("#TOPIC 9\r\nNine\r\nText of nine.\r\n#TOPIC 2\r\n#TOPIC 300\r\nThree hundred\r\n#TOPICS 4\r\n"
            "# TOPIC 5\r\n#TOPIC 9\r\nNine again\r\n #TOPIC x\r\n");
    f.close();
    const auto help = readHelp(path);
    ASSERT_TRUE(help);
    const QList<HelpTopic>& topics = help->topics;
    ASSERT_EQ(topics.size(), 3);
    EXPECT_EQ(topics.at(0).number, 9);
    EXPECT_EQ(topics.at(0).title, "Nine");
    EXPECT_EQ(topics.at(0).text, "Text of nine.");
    EXPECT_EQ(topics.at(1).number, 2);
    EXPECT_EQ(topics.at(1).title, "") << "the next topic's start is no title";
    EXPECT_EQ(topics.at(2).number, 300);
    EXPECT_EQ(topics.at(2).text, "#TOPICS 4\n# TOPIC 5");
    ASSERT_TRUE(help->find(9));
    EXPECT_EQ(help->find(9)->title, "Nine") << "a number given twice is its first topic";
}

TEST(HelpFile, AnUnreadableFileSaysWhy)
{
    QTemporaryDir dir;
    struct Case {
        const char* name;
        std::optional<QByteArray> bytes; // nothing: no file by that name
        const char* why;
    };
    const Case cases[]{
        {"missing.hlp", std::nullopt, "it does not exist"},
        {"empty.hlp", QByteArray(), "it holds no help topics"},
        {"text.hlp", QByteArray("How to use Orvanto\nNo topic lines at all.\n"), "it holds no help topics"},
        {"binary.hlp", QByteArray("?_\x03\0\xff\xfe#TOPIC\0\x01\n#TOPIC \xff\n", 24), "it holds no help topics"},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.name);
        if (c.bytes) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(*c.bytes);
        }
        QString why;
        EXPECT_FALSE(readHelp(path, &why)) << c.name;
        EXPECT_EQ(why, c.why) << c.name;
    }
    QString why;
    EXPECT_FALSE(readHelp(dir.path(), &why)) << "a folder in the file's place";
    EXPECT_EQ(why, "it is not a regular file");
}

TEST(HelpFile, ReferencesAreTheQuotedTitlesAfterSee)
{
    struct Case {
        const char* line;
        QStringList titles;
    };
    // clang-format off
    const Case cases[]{
        {R"(See also "Why use Orvanto", "Strategy background" and "Strategy summary", and the solved example.)",
         {"Why use Orvanto", "Strategy background", "Strategy summary"}},
        {R"(The solid sulfonamides are useful (see "Benzenesulfonamide"). Tell "Alcohols" apart.)",
         {"Benzenesulfonamide"}},
        {R"x(tools for measuring (see "Tools (spectroscopy toolbars)"). The "Calculators" menu.)x",
         {"Tools (spectroscopy toolbars)"}},
        {R"(SEE "Oxime"; then "Picrate" is no reference.)", {"Oxime"}},
        {R"(The menus "Physical properties" and "Derivatives" reveal items.)", {}},
        {R"(Choose "See results" and "Oxime". Foresee "Picrate", seen "Amide".)", {}},
        {R"(see "" and "Unclosed)", {}},
        {R"(Line one says see, and then "Amide" follows)", {"Amide"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const QString line = QString::fromUtf8(c.line);
        QStringList found;
        for (const HelpReference& r : helpReferences(line))
            found << line.mid(r.start, r.length);
        EXPECT_EQ(found, c.titles) << c.line;
    }
}

// The in-use mark beside a user file: hidden, and made for names at the file
// system's limit too, each long name with a mark of its own.
TEST(FileInUse, AMarkFitsBesideAnyNameAndStaysItsOwn)
{
    QTemporaryDir dir;
    EXPECT_EQ(FileInUse::markPath(dir.filePath("anna.ovg")), dir.filePath(".anna.ovg.lock"));
    const QString a = dir.filePath(QString(250, u'n') + QStringLiteral("a.ovg"));
    const QString b = dir.filePath(QString(250, u'n') + QStringLiteral("b.ovg"));
    EXPECT_NE(FileInUse::markPath(a), FileInUse::markPath(b));
    FileInUse holdA, holdB;
    EXPECT_EQ(holdA.hold(a).result, HoldOutcome::Held);
    EXPECT_TRUE(QFileInfo::exists(FileInUse::markPath(a)));
    EXPECT_EQ(holdB.hold(b).result, HoldOutcome::Held) << "another file, another mark";
    EXPECT_TRUE(holdA.release().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(FileInUse::markPath(a)));
}

// A save keeps the replaced file's owner and permissions whatever the umask
// and whoever saves (root saving a student's file leaves it the student's).
// Where the owner cannot be kept and would be shut out (a sticky folder of
// the saving account, whose other files only their owners may replace),
// the save is refused, saying why, and the file stays as it was.
TEST(ByteFiles, AReplacedFileKeepsItsOwnerAndPermissions)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to give files to another account";
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString path = dir.filePath("anna.ovg");
    ASSERT_TRUE(writeFileAtomic(path, "old").written());
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    const mode_t umaskBefore = ::umask(077);
    ASSERT_TRUE(writeFileAtomic(path, "new").written());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    const QString users = dir.filePath("users"), bert = users + QStringLiteral("/bert.ovg");
    ASSERT_TRUE(QDir().mkpath(users));
    ASSERT_EQ(::chown(QFile::encodeName(users).constData(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(users).constData(), 01777), 0);
    ASSERT_TRUE(writeFileAtomic(bert, "bert's").written()); // root's file
    {
        orvtest::AsOrdinaryUser folderOwner;
        ASSERT_TRUE(folderOwner.ok());
        const WriteResult w = writeFileAtomic(bert, "taken");
        EXPECT_EQ(w.outcome, WriteResult::Failed);
        EXPECT_EQ(w.reason, "the file belongs to the account root, which could not save it any more once this account "
                            "had replaced it");
    }
    ::umask(umaskBefore);
    EXPECT_EQ(readFileBytes(bert).value(), "bert's");
    EXPECT_EQ(QDir(users).entryList(QDir::Files | QDir::Hidden), QStringList{"bert.ovg"}) << "no copy left behind";
}

// A write is done once the file has its new name: a folder that cannot be
// synced afterwards is told apart from a failure, for both writers.
TEST(ByteFiles, AFolderSyncFailingAfterTheRenameIsNotAFailedWrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("anna.ovg");
    ASSERT_TRUE(writeFileAtomic(path, "old").written());
    const WriteResult synced = writeFileAtomic(path, "new");
    EXPECT_EQ(synced.outcome, WriteResult::Written);
    EXPECT_TRUE(synced.reason.isEmpty());
    setFolderSyncFailureForTests(QStringLiteral("Input/output error"));
    const WriteResult notSynced = writeFileAtomic(path, "newer");
    EXPECT_EQ(notSynced.outcome, WriteResult::WrittenNotSynced);
    EXPECT_EQ(notSynced.reason, "Input/output error");
    EXPECT_EQ(readFileBytes(path).value(), "newer");
    for (const bool links : {true, false}) {
        SCOPED_TRACE(links ? "with hard links" : "without hard links");
        setLinksUnsupportedForTests(!links);
        const QString fresh = dir.filePath(links ? "linked.ovg" : "inplace.ovg");
        const WriteResult made = createFileExclusive(fresh, "made");
        EXPECT_EQ(made.outcome, WriteResult::WrittenNotSynced);
        EXPECT_EQ(made.reason, "Input/output error");
        EXPECT_EQ(readFileBytes(fresh).value(), "made") << "the file made stays";
    }
    setLinksUnsupportedForTests(false);
    setFolderSyncFailureForTests({});
}

namespace {

// A mark as another copy leaves it: this machine's, with its own token, or
// another machine's when `host` is given.
QByteArray markOf(const QByteArray& token, const QByteArray& host = {})
{
    MarkHolder h = FileInUse::thisCopy();
    h.token = token;
    if (!host.isEmpty()) {
        h.host = host;
        h.machine = QByteArray(h.machine.size(), 'e');
    }
    return markText(h);
}

} // namespace

// The mark's text is read back as written, and nothing else passes for one.
TEST(FileInUse, AMarkReadsBackAndOnlyAMarkIsOne)
{
    MarkHolder h = FileInUse::thisCopy();
    h.token = "abc123";
    h.renewal = 41;
    const auto back = parseMark(markText(h)).holder;
    ASSERT_TRUE(back);
    EXPECT_EQ(back->token, "abc123");
    EXPECT_EQ(back->host, h.host);
    EXPECT_EQ(back->machine, h.machine);
    EXPECT_EQ(back->boot, h.boot);
    EXPECT_EQ(back->pid, h.pid);
    EXPECT_EQ(back->started, h.started);
    EXPECT_EQ(back->renewal, 41);
    h.renewal = 42;
    EXPECT_EQ(markText(h).size(),
              markText(MarkHolder{h.token, h.host, h.machine, h.boot, h.account, h.pid, h.started, 999999}).size())
        << "a renewal keeps the mark's size";
    for (const QByteArray& bad : {QByteArray(), QByteArray("1234\norvantos\nlab-pc\n"),
                                  QByteArray("Orvanto in-use mark\nhost x\nrenewal 000000000001\n"),
                                  QByteArray("Orvanto in-use mark\ntoken t\n")})
        EXPECT_FALSE(parseMark(bad).holder) << bad.toStdString();
}

// Under a private umask the mark is still readable by every account, so
// that each can tell who holds the file; a look at another machine's mark
// leaves nothing beside it.
TEST(FileInUse, MarksAreReadableByEveryAccountWhateverTheUmask)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("anna.ovg"), mark = FileInUse::markPath(path);
    ASSERT_TRUE(writeFileAtomic(path, "record").written());
    const mode_t umaskBefore = ::umask(077);
    const auto modeOf = [](const QString& file) {
        struct stat st {};
        return ::lstat(QFile::encodeName(file).constData(), &st) == 0 ? st.st_mode & 07777 : 0u;
    };
    FileInUse copy, other;
    ASSERT_EQ(copy.hold(path).result, HoldOutcome::Held);
    EXPECT_EQ(modeOf(mark), 0644u);
    EXPECT_TRUE(copy.release().isEmpty());
    ASSERT_TRUE(createFileExclusive(mark, markOf("their token", "lab-pc-07")).written());
    EXPECT_EQ(other.hold(path).result, HoldOutcome::Claimed);
    ::umask(umaskBefore);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({".anna.ovg.lock", "anna.ovg"}));
}

// What this account cannot read is never taken for its own mark: a copy
// whose mark's name now holds such a file has lost the file (and leaves
// that file alone), and one that meets such a file under either name tells
// the student whose it is.
TEST(FileInUse, AMarkThatCannotBeReadIsAnotherCopys)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to leave marks that the account nobody cannot read";
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const QString path = dir.filePath("anna.ovg"), mark = FileInUse::markPath(path);
    ASSERT_TRUE(writeFileAtomic(path, "record").written());
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);
    const auto unreadableMark = [](const QString& where) {
        ASSERT_TRUE(createFileExclusive(where, markOf("their token", "lab-pc-07")).written());
        ASSERT_EQ(::chmod(QFile::encodeName(where).constData(), 0600), 0);
    };
    FileInUse copy;
    {
        orvtest::AsOrdinaryUser student;
        ASSERT_TRUE(student.ok());
        ASSERT_EQ(copy.hold(path).result, HoldOutcome::Held);
    }
    ASSERT_TRUE(QFile::remove(mark));
    unreadableMark(mark);
    {
        orvtest::AsOrdinaryUser student;
        EXPECT_FALSE(copy.stillHeld());
        EXPECT_TRUE(copy.release().isEmpty());
    }
    EXPECT_TRUE(QFileInfo::exists(mark)) << "not this copy's to remove";
    ASSERT_TRUE(QFile::remove(mark));

    unreadableMark(FileInUse::secondMarkPath(path));
    {
        orvtest::AsOrdinaryUser student;
        const HoldOutcome out = copy.hold(path);
        EXPECT_EQ(out.result, HoldOutcome::Claimed);
        EXPECT_EQ(out.mark, FileInUse::secondMarkPath(path));
        EXPECT_EQ(out.claim.unreadable, "Permission denied");
        EXPECT_EQ(out.claim.account, "root");
        EXPECT_TRUE(out.claim.renewedSecondsAgo && *out.claim.renewedSecondsAgo < 60);
    }
    EXPECT_FALSE(QFileInfo::exists(mark)) << "no mark beside one that may be alive";
}

// One file reached by two names has one mark; a copy holding it refuses
// every other, and lets go of its own mark only.
TEST(FileInUse, OneMarkPerFileAndOnlyItsOwnIsRemoved)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("anna.ovg");
    ASSERT_TRUE(writeFileAtomic(target, "record").written());
    ASSERT_TRUE(QDir().mkpath(dir.filePath("elsewhere")));
    const QString link = dir.filePath("elsewhere/anna-link.ovg");
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_EQ(FileInUse::markPath(link), FileInUse::markPath(target)) << "the writer replaces the link's target";

    FileInUse first, second;
    ASSERT_EQ(first.hold(link).result, HoldOutcome::Held);
    const HoldOutcome out = second.hold(target);
    EXPECT_EQ(out.result, HoldOutcome::InUse);
    EXPECT_EQ(out.holder, accountName(::geteuid()));
    EXPECT_TRUE(first.stillHeld());

    // Another copy takes the mark over (its student chose to open the file
    // anyway): this copy learns it, and its end leaves that mark alone.
    const QString mark = FileInUse::markPath(target);
    const QByteArray theirs = markOf("their token", "lab-pc-07");
    ASSERT_TRUE(QFile::remove(mark));
    ASSERT_TRUE(createFileExclusive(mark, theirs).written());
    EXPECT_FALSE(first.stillHeld());
    EXPECT_TRUE(first.release().isEmpty()) << "another copy's mark is not this copy's to remove";
    EXPECT_EQ(readFileBytes(mark).value(), theirs);
    ASSERT_TRUE(QFile::remove(mark));
    ASSERT_EQ(first.hold(target).result, HoldOutcome::Held);
    ASSERT_TRUE(QFile::remove(mark)); // gone, as an instructor's hand would take it
    EXPECT_FALSE(first.stillHeld()) << "a mark removed by someone else is not this copy's any more";
}

// A mark that cannot be written for lack of space refuses the file with the
// reason; a folder this account may not write is taken unmarked (no copy of
// this account can save there either).
TEST(FileInUse, NoSpaceForTheMarkIsAFailureAReadOnlyFolderIsNot)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("anna.ovg");
    ASSERT_TRUE(writeFileAtomic(path, "record").written());
    FileInUse copy;
    {
        orvtest::WriteLimit full(0);
        const HoldOutcome out = copy.hold(path);
        EXPECT_EQ(out.result, HoldOutcome::Failed);
        EXPECT_EQ(out.reason, "No space left on device");
        EXPECT_EQ(out.mark, FileInUse::markPath(path));
    }
    EXPECT_FALSE(QFileInfo::exists(FileInUse::markPath(path)));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() == 1) << "nothing left behind";

    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    {
        orvtest::AsOrdinaryUser student;
        ASSERT_TRUE(student.ok());
        const HoldOutcome out = copy.hold(path);
        EXPECT_EQ(out.result, HoldOutcome::HeldUnmarked);
        EXPECT_TRUE(out.reason.isEmpty());
        EXPECT_TRUE(copy.stillHeld());
        EXPECT_TRUE(copy.release().isEmpty());
    }
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
}

TEST(HelpFile, ATopicIsRefusedOnlyBeyondWhatCanBeShown)
{
    struct Case {
        const char* name;
        QString text;
        const char* why; // empty: shown
    };
    const QString line = QString(kMaxHelpLine, u'x');
    const QString shortLines = (QString(99, u'y') + u'\n').repeated(kMaxHelpText / 100);
    const Case cases[]{
        {"a line as long as can be", line, ""},
        {"that line among others", QStringLiteral("a\n") + line + QStringLiteral("\nb"), ""},
        {"a line one longer, last", QStringLiteral("a\n") + line + u'x',
         "topic 7 holds a line of 10001 characters; at most 10000 can be shown"},
        {"a line one longer, first", line + QStringLiteral("x\nb"),
         "topic 7 holds a line of 10001 characters; at most 10000 can be shown"},
        {"as much text as can be", shortLines, ""},
        {"one more character", shortLines + u'z', "topic 7 holds 200001 characters; at most 200000 can be shown"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(helpTopicTooLarge(HelpTopic{7, QStringLiteral("T"), c.text}), QString::fromUtf8(c.why)) << c.name;
}

TEST(HelpFile, AHeadingIsTheTitleCutToWhatAWindowShows)
{
    const QString longest(kMaxHelpTitle, u'a');
    const QString ellipsis(QChar(0x2026));
    // A character of two code units (U+1D11E) where the cut falls.
    const QString clef = QString(kMaxHelpTitle - 1, u'b') + QString::fromUtf8("\xF0\x9D\x84\x9E") + u'c';
    struct Case {
        const char* name;
        HelpTopic topic;
        QString heading;
    };
    const Case cases[]{
        {"no title", {12, QString(), QString()}, QStringLiteral("Help topic 12")},
        {"a title", {12, QStringLiteral("<b>Esters</b>"), QString()}, QStringLiteral("<b>Esters</b>")},
        {"as long as can be", {12, longest, QString()}, longest},
        {"one longer", {12, longest + u'z', QString()}, longest + ellipsis},
        {"a pair on the cut", {12, clef, QString()}, clef.left(kMaxHelpTitle - 1) + ellipsis},
    };
    for (const Case& c : cases)
        EXPECT_EQ(helpTopicHeading(c.topic), c.heading) << c.name;
}

namespace {

// The help file `bytes` as read back, failing the test when it cannot be.
HelpFile readHelpBytes(const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("help.hlp"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    f.close();
    QString why;
    auto help = readHelp(path, &why);
    EXPECT_TRUE(help) << why.toStdString();
    return help ? *help : HelpFile{};
}

QString notAHeader(const QString& quoted)
{
    return QStringLiteral(
               "\"%1\", which is no topic header: a header is #TOPIC, a blank and a number of up to 9 digits")
        .arg(quoted);
}

} // namespace

// A line begun as a header ("#TOPIC ") that is none ends the topic before it,
// as it always did; now that topic says so, naming the line.
TEST(HelpFile, ABadHeaderCutsTheTopicBeforeItShortAndSaysWhere)
{
    struct Case {
        const char* name;
        QByteArray file;
        QList<int> numbers;
        QString text7;  // what topic 7 keeps
        QString damage; // why topic 7 is not shown; empty: it is
    };
    const QString longHeader = QStringLiteral("#TOPIC ") + QString(1000, u'y');
    // clang-format off
    const Case cases[]{
        {"a word for the number", "#TOPIC 7\nSeven\nText.\n#TOPIC x\nLost title\nLost text.\n#TOPIC 8\nEight\n", {7, 8},
         "Text.", QStringLiteral("topic 7 ends at line 4, ") + notAHeader("#TOPIC x")},
        {"ten digits", "#TOPIC 7\nSeven\nText.\n\n#TOPIC 1234567890\nLost\n", {7},
         "Text.", QStringLiteral("topic 7 ends at line 5, ") + notAHeader("#TOPIC 1234567890")},
        {"a letter after the number", "#TOPIC 7\r\nSeven\r\nText.\r\n#TOPIC 8a\r\n#TOPIC 9\r\nNine\r\n", {7, 9},
         "Text.", QStringLiteral("topic 7 ends at line 4, ") + notAHeader("#TOPIC 8a")},
        {"in the title's place", "#TOPIC 7\n#TOPIC -1\nLost\n", {7},
         "", QStringLiteral("topic 7 ends at line 2, ") + notAHeader("#TOPIC -1")},
        {"a long one, quoted in part", "#TOPIC 7\nSeven\nText.\n" + longHeader.toUtf8() + "\n", {7},
         "Text.", QStringLiteral("topic 7 ends at line 4, ") + notAHeader(longHeader.left(40) + QChar(0x2026))},
        {"a blank after the number: a header", "#TOPIC 7\nSeven\nText.\n#TOPIC 8 \nEight\n", {7, 8}, "Text.", ""},
        {"indented: running text", "#TOPIC 7\nSeven\nText.\n #TOPIC x\n", {7}, "Text.\n #TOPIC x", ""},
        {"no blank: running text", "#TOPIC 7\nSeven\nText.\n#TOPICS 8\n", {7}, "Text.\n#TOPICS 8", ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        const HelpFile help = readHelpBytes(c.file);
        QList<int> numbers;
        for (const HelpTopic& t : help.topics) {
            numbers << t.number;
            if (t.number != 7) {
                EXPECT_EQ(helpTopicDamage(t), QString()) << c.name << ": topic " << t.number;
            }
        }
        EXPECT_EQ(numbers, c.numbers) << c.name;
        const HelpTopic* seven = help.find(7);
        ASSERT_TRUE(seven) << c.name;
        EXPECT_EQ(seven->text, c.text7) << c.name;
        EXPECT_EQ(helpTopicDamage(*seven), c.damage) << c.name;
        EXPECT_EQ(help.badHeaders.size(), c.damage.isEmpty() ? 0 : 1) << c.name;
    }
    // A topic too large says that first: it would not be shown whole anyway.
    const HelpFile large = readHelpBytes("#TOPIC 7\nSeven\n" + QByteArray(kMaxHelpLine + 1, 'x') + "\n#TOPIC x\n");
    ASSERT_EQ(large.topics.size(), 1);
    EXPECT_TRUE(helpTopicDamage(large.topics[0]).contains(QStringLiteral("holds a line of")));
}

// A topic the file lacks may be the one whose header was mistyped: the first
// bad header is named for it, wherever it stands; without one, nothing is.
TEST(HelpFile, ATopicTheFileLacksNamesTheFirstBadHeader)
{
    const HelpFile first = readHelpBytes("#TOPIC one\nOne\nLost.\n#TOPIC 2\nTwo\n#TOPIC 2x\n");
    ASSERT_EQ(first.topics.size(), 1);
    EXPECT_EQ(first.topics[0].number, 2);
    EXPECT_EQ(first.badHeaders.size(), 2);
    EXPECT_EQ(helpMissingTopicDamage(first), QStringLiteral("line 1 reads ") + notAHeader("#TOPIC one"));
    EXPECT_EQ(helpMissingTopicDamage(readHelpBytes("#TOPIC 2\nTwo\n")), QString());
}
