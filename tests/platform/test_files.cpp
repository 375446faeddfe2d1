#include "platform/helpfile.h"
#include "platform/textfile.h"

#include <QFile>
#include <QTemporaryDir>
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
