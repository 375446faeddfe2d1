// The shared wait's rule and its file, tested directly: what a sighting
// counts, and which sightings may count at all.
#include "platform/marksightings.h"

#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace orv;

namespace {

constexpr qint64 kMinute = 60 * 1000;
constexpr qint64 kCap = 10 * kMinute;

const Observer kHere{"lab-pc-01", "id-01", "boot-01", 0};

Sighting seen(const char* fingerprint, const char* host, const char* boot, qint64 start, qint64 last)
{
    return {fingerprint, host, host == QByteArray("lab-pc-01") ? "id-01" : "id-other", boot, start, last};
}

} // namespace

TEST(MarkSightings, TheCountingRule)
{
    struct Case {
        const char* what;
        std::vector<Sighting> sightings;
        qint64 now;
        qint64 want;
    };
    const Case cases[] = {
        {"nothing seen", {}, 5 * kMinute, 0},
        {"another boot counts last - start", {seen("f", "lab-pc-07", "b7", 1000, 1000 + 3 * kMinute)}, 1, 3 * kMinute},
        {"this boot's own sighting counts up to now",
         {seen("f", "lab-pc-01", "boot-01", kMinute, 2 * kMinute)},
         5 * kMinute,
         4 * kMinute},
        {"this boot's own, a clock behind its last reading: up to last",
         {seen("f", "lab-pc-01", "boot-01", kMinute, 3 * kMinute)},
         2 * kMinute,
         2 * kMinute},
        {"an earlier boot of this machine counts only last - start",
         {seen("f", "lab-pc-01", "boot-00", kMinute, 2 * kMinute)},
         9 * kMinute,
         kMinute},
        {"the longest counts, never the sum",
         {seen("f", "lab-pc-07", "b7", 0, 3 * kMinute), seen("f", "lab-pc-08", "b8", 0, 4 * kMinute),
          seen("f", "lab-pc-09", "b9", 0, 2 * kMinute)},
         0,
         4 * kMinute},
        {"a changed fingerprint counts nothing",
         {seen("old", "lab-pc-07", "b7", 0, 9 * kMinute), seen("old", "lab-pc-01", "boot-01", 0, 0)},
         9 * kMinute,
         0},
        {"only the present fingerprint's sightings",
         {seen("old", "lab-pc-07", "b7", 0, 9 * kMinute), seen("f", "lab-pc-08", "b8", 0, kMinute)},
         0,
         kMinute},
        {"capped at the stale time", {seen("f", "lab-pc-07", "b7", -(qint64(1) << 49), (qint64(1) << 49))}, 0, kCap},
    };
    for (const Case& c : cases)
        EXPECT_EQ(countUnchanged(c.sightings, "f", kHere, c.now, kCap), c.want) << c.what;
}

// Every sighting written reads back; a field out of range or not written
// as the writer writes it makes the file no sighting.
TEST(MarkSightings, OnlyWhatTheWriterWritesReadsBack)
{
    const QString markName = QStringLiteral(".anna.ovg.lock");
    const Sighting s{"12 345 abcdef", "lab-pc-07", "id", "boot", -5 * kMinute, 7};
    const auto back = parseSighting(sightingText(markName, s), markName);
    ASSERT_TRUE(back.sighting) << back.error.toStdString();
    EXPECT_EQ(back.sighting->fingerprint, s.fingerprint);
    EXPECT_EQ(back.sighting->start, s.start);
    EXPECT_EQ(back.sighting->last, s.last);
    EXPECT_EQ(back.sighting->host, s.host);

    const auto with = [&](const QByteArray& from, const QByteArray& to) {
        return sightingText(markName, s).replace(from, to);
    };
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* field;
    };
    const Case cases[] = {
        {"another file", "Orvanto in-use mark\ntoken t\n", "first line"},
        {"another mark's", with("mark .anna", "mark .bert"), "mark"},
        {"no fingerprint", with("seen 12 345 abcdef", "seen "), "seen"},
        {"a fingerprint no look makes", with("seen 12 345 abcdef", "seen ../../x"), "seen"},
        {"start past any boot", with("start -300000", "start -1125899906842624"), "start"},
        {"start in words", with("start -300000", "start soon"), "start"},
        {"start with a plus", with("start -300000", "start +5"), "start"},
        {"last negative", with("last 7", "last -7"), "last"},
        {"last past any boot", with("last 7", "last 1125899906842624"), "last"},
        {"last beyond a 64-bit number", with("last 7", "last 99999999999999999999999"), "last"},
        {"start after last", with("last 7", "last 0").replace("start -300000", "start 5"), "start"},
    };
    for (const Case& c : cases) {
        const SightingParse p = parseSighting(c.bytes, markName);
        EXPECT_FALSE(p.sighting) << c.what;
        EXPECT_TRUE(p.error.contains(QLatin1String(c.field))) << c.what << ": " << p.error.toStdString();
    }
}

// Beside a mark, only the files of the accounts that count are read, and of
// those only ones their account owns, with one name: another account's file
// under a counted name, or a link to one, is no sighting.
TEST(MarkSightings, OnlyTheCountedAccountsFilesCount)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to leave files of other accounts";
    QTemporaryDir dir;
    const QString mark = dir.filePath(".anna.ovg.lock");
    ASSERT_TRUE(createFileExclusive(mark, "a mark").written());
    const QByteArray f = "1 2 abc";
    const auto watchOf = [&](const Observer& who, uid_t owner) {
        ASSERT_TRUE(storeSighting(mark, who, {f, who.host, who.machine, who.boot, 0, 6 * kMinute}));
        ASSERT_EQ(::chown(QFile::encodeName(sightingPath(mark, who)).constData(), owner, owner), 0);
    };
    struct Case {
        const char* what;
        std::function<void()> make;
        qint64 want;
    };
    const Observer student{"lab-pc-07", "id7", "b7", 1000}, rootElsewhere{"lab-pc-08", "id8", "b8", 0};
    const Case cases[] = {
        {"the owner's own", [&] { watchOf(student, 1000); }, 6 * kMinute},
        {"root's", [&] { watchOf(rootElsewhere, 0); }, 6 * kMinute},
        {"under the owner's name, another account's file", [&] { watchOf(student, 4242); }, 0},
        {"another account's own",
         [&] {
             watchOf({"lab-pc-09", "id9", "b9", 4242}, 4242);
         },
         0},
        {"a second name of the owner's file",
         [&] {
             watchOf(student, 1000);
             ASSERT_EQ(::link(QFile::encodeName(sightingPath(mark, student)).constData(),
                              QFile::encodeName(dir.filePath("elsewhere")).constData()),
                       0);
         },
         0},
        {"a symbolic link to the owner's file",
         [&] {
             watchOf(student, 1000);
             const QString path = sightingPath(mark, student);
             ASSERT_TRUE(QFile::rename(path, dir.filePath("real")));
             ASSERT_TRUE(QFile::link(dir.filePath("real"), path));
         },
         0},
    };
    setBootClockForTests([] { return qint64(1); });
    for (const Case& c : cases) {
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System))
            if (dir.filePath(name) != mark)
                QFile::remove(dir.filePath(name));
        forgetSeenForTests();
        c.make();
        EXPECT_EQ(watchUnchanged(mark, f, {0, 1000}, kCap), c.want) << c.what;
    }
    setBootClockForTests(nullptr);
    forgetSeenForTests();
}
