#include "platform/helpfile.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <thread>
#include <gtest/gtest.h>

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
    ASSERT_TRUE(writeFileAtomic(path, joinLinesCrLf({toBytes(asText), "second"})));
    auto lines = readFileLines(path);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 2);
    EXPECT_EQ(lines->at(0), line);
    EXPECT_EQ(fromBytes(lines->at(0)), asText);
}

TEST(ByteFiles, AcceptsEveryLineEnding)
{
    const struct { QByteArray bytes; QList<QByteArray> want; } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitLines(c.bytes), c.want) << c.bytes.toStdString();
}

TEST(ByteFiles, FailedWriteLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.txt");
    ASSERT_TRUE(writeFileAtomic(path, "old\r\n"));
    QString err;
    EXPECT_FALSE(writeFileAtomic(dir.filePath("missing/sub/file.txt"), "x", &err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(*readFileBytes(path), QByteArray("old\r\n"));
    EXPECT_FALSE(readFileBytes(dir.filePath("nothing.txt")));
}

namespace {

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

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
            ASSERT_TRUE(writeFileAtomic(path, old));
            disk.fill();
            QString err;
            EXPECT_FALSE(writeFileAtomic(path, fresh, &err));
            EXPECT_FALSE(err.isEmpty());
            EXPECT_EQ(*readFileBytes(path), old);
            EXPECT_FALSE(createFileExclusive(dir.filePath("new.ovg"), fresh, &err));
            EXPECT_EQ(filesIn(dir.path()), (QStringList{"filler", "keep.ovg"})) << "no copy left behind";
        } else {
            std::printf("no RAM disk can be mounted here; the full disk is simulated only\n");
        }
    }
    for (qint64 limit : {qint64(0), qint64(10), qint64(old.size()), qint64(2999)}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("keep.ovg");
        ASSERT_TRUE(writeFileAtomic(path, old));
        orvtest::WriteLimit full(limit);
        QString err;
        EXPECT_FALSE(writeFileAtomic(path, fresh, &err)) << limit;
        EXPECT_EQ(err, "No space left on device");
        EXPECT_EQ(*readFileBytes(path), old) << limit;
        EXPECT_FALSE(createFileExclusive(dir.filePath("new.ovg"), fresh)) << limit;
        EXPECT_EQ(filesIn(dir.path()), QStringList{"keep.ovg"}) << limit;
    }
    QTemporaryDir dir;
    orvtest::WriteLimit roomy(3000);
    EXPECT_TRUE(writeFileAtomic(dir.filePath("fits.ovg"), fresh)) << "a file that fits is written";
}

TEST(ByteFiles, ExclusiveCreationNeverReplacesAFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cleo.ovg");
    bool existed = true;
    ASSERT_TRUE(createFileExclusive(path, "first\r\n", nullptr, &existed));
    EXPECT_FALSE(existed);
    QString err;
    EXPECT_FALSE(createFileExclusive(path, "second\r\n", &err, &existed));
    EXPECT_TRUE(existed);
    EXPECT_EQ(*readFileBytes(path), QByteArray("first\r\n"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{"cleo.ovg"});

    // Many writers racing for one name: exactly one wins, and the file holds
    // the winner's bytes.
    for (int round = 0; round < 20; ++round) {
        const QString raced = dir.filePath(QStringLiteral("race%1.ovg").arg(round));
        std::atomic<int> wins{0}, lost{0};
        std::atomic<int> winner{-1};
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&, t] {
                bool gone = false;
                if (createFileExclusive(raced, QByteArray::number(t), nullptr, &gone)) {
                    ++wins;
                    winner = t;
                } else if (gone) {
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
    make("fred.ovg.a1b2c3.orvtmp", 3600);   // left by a killed program
    make("orvanto.ini.zz09ab.orvtmp", 900);
    make("mary.ovg.q1w2e3.orvtmp", 5);      // another copy writing now
    make("fred.ovg", 3600);
    make("notes.orvtmp.txt", 3600);
    EXPECT_EQ(removeStaleTemporaries(dir.path()), 2);
    EXPECT_EQ(filesIn(dir.path()), (QStringList{"fred.ovg", "mary.ovg.q1w2e3.orvtmp", "notes.orvtmp.txt"}));
}

TEST(ByteFiles, CharactersAboveOneByteAreFlagged)
{
    EXPECT_TRUE(fitsBytes(QString::fromLatin1("caf\xe9")));
    EXPECT_FALSE(fitsBytes(QString::fromUtf8("\xe2\x82\xac")));
}

TEST(HelpFile, FindsNumberedTopics)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("help.hlp");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#TOPIC 7\nSeven\nBody of seven.\n\n#TOPIC 70\nSeventy\nLine one\nLine two\n");
    f.close();
    auto t = readHelpTopic(path, 70);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->title, "Seventy");
    EXPECT_EQ(t->text, "Line one\nLine two");
    EXPECT_EQ(readHelpTopic(path, 7)->text, "Body of seven.");
    EXPECT_FALSE(readHelpTopic(path, 8));
    EXPECT_FALSE(readHelpTopic(dir.filePath("none.hlp"), 7));
}
