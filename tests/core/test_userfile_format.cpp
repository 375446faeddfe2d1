// The user file's line: known answers for the scrambled record and the
// password code, round trips, and the refusal of damaged lines.
#include "core/coreservices.h"
#include "core/userrecord.h"
#include "platform/textfile.h"

#include <gtest/gtest.h>

#include <deque>

using namespace orv;

namespace {

// Answers the draws in turn; the range asked for must hold the answer.
struct ScriptedDraws {
    std::deque<int> answers;
    int operator()(int lo, int hi)
    {
        EXPECT_FALSE(answers.empty()) << "more draws than scripted";
        const int v = answers.empty() ? lo : answers.front();
        if (!answers.empty())
            answers.pop_front();
        EXPECT_GE(v, lo);
        EXPECT_LE(v, hi);
        return v;
    }
};

std::vector<int> fillers(int n = 45)
{
    std::vector<int> f;
    for (int k = 0; k < n; ++k)
        f.push_back(33 + (k * 7) % 97);
    return f;
}

DrawFn scripted(std::vector<int> values)
{
    auto d = std::make_shared<ScriptedDraws>();
    d->answers.assign(values.begin(), values.end());
    return [d](int lo, int hi) { return (*d)(lo, hi); };
}

// A record that uses every field: an allocation list, one revealed item,
// help with the unknown, a precluded item, counters and two finished unknowns.
UserRecord fullRecord()
{
    UserRecord r;
    r.allocatedUnknowns = "1233";
    r.progress.CurrentUnknown = 5;
    r.progress.ItemsRevealed[5] = kTrue;
    r.progress.ItemHelpShown[0] = kTrue;
    r.progress.ItemPrecluded[20] = kTrue;
    r.progress.PrecludedTries = 2;
    r.progress.NameTypingTries = 3;
    r.progress.StructChooseTries = 1;
    r.progress.StructGiveTries = 0;
    r.session = 4;
    r.minutes = 37;
    r.completedUnknowns = "0721";
    r.results = {{"11000000000000000000Ethanol", "00315"}, {"12010000000000000000Acetone", "00209"}};
    return r;
}

int lowest(int lo, int) { return lo; }

} // namespace

TEST(UserFileFormat, KnownLineForFixedPaddingAndFillers)
{
    std::vector<int> draws = {3, 'A', 'B', 'C'};
    for (int f : fillers())
        draws.push_back(f);
    const QByteArray line = userFileLine(fullRecord(), "Secret1", scripted(draws));
    const QByteArray expected = QByteArray::fromHex(
        "4142431f6a5967585974416c675e725a6d5c6168714e5665745a54606e50666b536358735b5f695d51706a626855725e6c6d5771"
        "645c4e6f5254656e70695764555970526c675e72596d5c6168714e5665745a54606e50666b536358735b5f695d51706a626855725e"
        "6c6d5771645c4e6f5254656e70695764446a6f526c675e72596d5c6168714e5665745a54616e50666b536358735b5f695d51705964"
        "5758615f5b6d46716460517641546c7071585865556a6f526c675e72596d5c6168714e5665746f98989f8ea5a7426358765c64585e"
        "53706b626855725e6c6d5771645c4e6f5254657fa39e9ba3939f5e526c695e7b486758216b286a2f7a366e3d7e443c4b525960676e"
        "757c222930373e454c535a61686f767d232a31383f464d545b62");
    EXPECT_EQ(line.toHex(), expected.toHex());

    const UserFileContents back = parseUserFileLine(line);
    ASSERT_TRUE(back.ok()) << back.error.toStdString();
    EXPECT_EQ(back.record, fullRecord());
    EXPECT_EQ(back.password, "Secret1");
}

TEST(UserFileFormat, PasswordCodeKnownAnswers)
{
    struct Case {
        const char* password;
        int session;
        const char* hex;
    };
    const Case cases[] = {
        {"abcdef", 1, "6963216528672f69366b3d6d444b525960676e757c222930373e454c535a61686f767d232a31383f464d545b6269"},
        {"abcdef", 16, "5a72217428762f78367a3d7c444b525960676e757c222930373e454c535a61686f767d232a31383f464d545b6269"},
        {"abcdef", 17, "6963216528672f69366b3d6d444b525960676e757c222930373e454c535a61686f767d232a31383f464d545b6269"},
        {"abcdef", 0, "6a62216428662f68366a3d6c444b525960676e757c222930373e454c535a61686f767d232a31383f464d545b6269"},
        {"ABCDEFGHIJKLMNOPQRST", 1,
         "7743214528472f49364b3d4d444f4b5152535955605767596e5b755d7c5f22612963306537673e69454c535a6168"},
        {"ABCDEFGHIJKLMNOPQRST", 16,
         "6852215428562f58365a3d5c445e4b6052625964606667686e6a756c7c6e22702972307437763e78454c535a6168"},
        {"ABCDEFGHIJKLMNOPQRST", 17,
         "7743214528472f49364b3d4d444f4b5152535955605767596e5b755d7c5f22612963306537673e69454c535a6168"},
        {"ABCDEFGHIJKLMNOPQRST", 0,
         "7842214428462f48364a3d4c444e4b5052525954605667586e5a755c7c5e22602962306437663e68454c535a6168"},
    };
    for (const auto& c : cases) {
        const QString code = encodePasswordCode(c.password, c.session, scripted(fillers()));
        EXPECT_EQ(code.size(), kPasswordCodeLength);
        EXPECT_EQ(QString::fromLatin1(QByteArray::fromHex(c.hex)), code) << c.password << " at session " << c.session;
        QString back;
        EXPECT_TRUE(decodePasswordCode(code, c.session, back));
        EXPECT_EQ(back, c.password) << c.password << " at session " << c.session;
    }
}

TEST(UserFileFormat, NoPasswordIsTheSeparatorAndFillers)
{
    const QString code = encodePasswordCode(QString(), 3, scripted(fillers()));
    ASSERT_EQ(code.size(), kPasswordCodeLength);
    EXPECT_EQ(code[0].unicode(), 31);
    QString back = "stale";
    EXPECT_FALSE(decodePasswordCode(code, 2, back));
    EXPECT_TRUE(back.isEmpty());
}

TEST(UserFileFormat, SessionShiftFoldsBySixteen)
{
    // 16 and 32 both give the shift 16, 17 gives 1: the codes of equal
    // shifts are equal.
    auto code = [](int session) { return encodePasswordCode("abcdef", session, lowest); };
    EXPECT_EQ(code(16), code(32));
    EXPECT_EQ(code(17), code(1));
    EXPECT_NE(code(16), code(0));
}

TEST(UserFileFormat, RoundTripWithAndWithoutPassword)
{
    UserRecord done = fullRecord();
    done.allocatedUnknowns.clear();
    done.progress.CurrentUnknown = 0;
    done.session = 0;
    done.minutes = 0;
    for (const UserRecord& r : {fullRecord(), done, UserRecord{}}) {
        for (const QString& password : {QString(), QString("abc def!~"), QString("12345678901234567890")}) {
            const UserFileContents back = parseUserFileLine(userFileLine(r, password, GetRandomNum));
            ASSERT_TRUE(back.ok()) << back.error.toStdString();
            EXPECT_EQ(back.record, r) << "password " << password.toStdString();
            EXPECT_EQ(back.password, password);
        }
    }
}

TEST(UserFileFormat, TwoWritesDifferButReadAlike)
{
    setRandomSource({});
    const QByteArray a = userFileLine(fullRecord(), "abcdefg", GetRandomNum);
    QByteArray b;
    for (int k = 0; k < 5 && (b.isEmpty() || b == a); ++k)
        b = userFileLine(fullRecord(), "abcdefg", GetRandomNum);
    EXPECT_NE(a, b);
    EXPECT_EQ(parseUserFileLine(a).record, parseUserFileLine(b).record);
}

TEST(UserFileFormat, WholeLineIsOneByteLineWithoutBreaks)
{
    // The scrambled part never holds the separator or a line break, whatever
    // the padding length; the padding never holds the separator.
    for (int h = 1; h <= 9; ++h) {
        std::vector<int> draws = {h};
        for (int k = 0; k < h; ++k)
            draws.push_back(k % 2 ? 33 : 72);
        for (int f : fillers())
            draws.push_back(f);
        const QByteArray line = userFileLine(fullRecord(), "abcdef", scripted(draws));
        EXPECT_EQ(line.indexOf('\x1f'), h) << "h " << h;
        EXPECT_EQ(line.indexOf('\r'), -1);
        EXPECT_EQ(line.indexOf('\n'), -1);
        EXPECT_EQ(parseUserFileLine(line).record, fullRecord()) << "h " << h;
    }
}

TEST(UserFileFormat, SessionTimeField)
{
    EXPECT_EQ(sessionTimeField(7, 12), "00712");
    EXPECT_EQ(sessionTimeField(0, 0), "0000");
    EXPECT_EQ(sessionTimeField(999, 100000), "999100000");
}

TEST(UserFileFormat, RecordsTheFileCannotHoldAreNamed)
{
    struct Case {
        const char* name;
        std::function<void(UserRecord&)> spoil;
    };
    const Case cases[] = {
        {"character above 185", [](UserRecord& r) { r.results[0].resultLine += QChar(0xE9); }},
        {"separator inside a result line", [](UserRecord& r) { r.results[1].sessionTime += QChar(31); }},
        {"odd allocation list", [](UserRecord& r) { r.allocatedUnknowns = "123"; }},
        {"letters in the completed list", [](UserRecord& r) { r.completedUnknowns = "07x1"; }},
        {"results missing", [](UserRecord& r) { r.results.pop_back(); }},
        {"session over 999", [](UserRecord& r) { r.session = 1000; }},
        {"current unknown 100", [](UserRecord& r) { r.progress.CurrentUnknown = 100; }},
    };
    EXPECT_TRUE(userRecordProblem(fullRecord()).isEmpty());
    for (const auto& c : cases) {
        UserRecord r = fullRecord();
        c.spoil(r);
        EXPECT_FALSE(userRecordProblem(r).isEmpty()) << c.name;
    }
}

TEST(UserFileFormat, DamagedLinesAreRefused)
{
    const QByteArray good = userFileLine(fullRecord(), "abcdef", lowest);
    auto withRecord = [](const QString& record, const QString& code) {
        // h = 1, padding "!"
        return toBytes(QStringLiteral("!") + QChar(31) + scrambleRecord(record, 1) + code);
    };
    const QString noPassword = encodePasswordCode({}, 0, lowest);
    const QString base = buildUserRecord(fullRecord());
    auto replaceField = [&](int index, const QString& value) {
        QStringList f = base.split(QChar(31));
        f[index] = value;
        return f.join(QChar(31));
    };
    QString badLength = encodePasswordCode("abcdef", 4, lowest);
    badLength[0] = QChar(badLength[0].unicode() + 15); // length 21
    QString shortLength = badLength;
    shortLength[0] = QChar(shortLength[0].unicode() - 16); // length 5

    struct Case {
        const char* name;
        QByteArray line;
        const char* why;
    };
    const Case cases[] = {
        {"empty", QByteArray(), "too short"},
        {"only a password code", good.right(46), "too short"},
        {"no separator after the padding", QByteArray(60, 'A'), "padding"},
        {"fields missing", withRecord(base.left(base.indexOf(QChar(31), 60) + 1), noPassword), "fields"},
        {"a result row missing", withRecord(replaceField(10, "072133"), noPassword), "result lines"},
        {"current unknown 100", withRecord(replaceField(1, "100"), noPassword), "current unknown"},
        {"completed list with a letter", withRecord(replaceField(10, "07a1"), noPassword), "finished unknowns"},
        {"odd completed list", withRecord(replaceField(10, "072"), noPassword), "finished unknowns"},
        {"session field too short", withRecord(replaceField(9, "04"), noPassword), "session"},
        {"finished unknown 00", withRecord(replaceField(10, "0700"), noPassword), "unknown 00"},
        {"result session field 001e100", withRecord(replaceField(14, "001e100"), noPassword), "result line 2"},
        {"result session field too short", withRecord(replaceField(12, "01"), noPassword), "result line 1"},
        {"result line of 19 digits", withRecord(replaceField(11, "1100000000000000000"), noPassword), "20 digits"},
        {"result line with a letter", withRecord(replaceField(13, "1201000000000000000xAcetone"), noPassword),
         "20 digits"},
        {"password length 21", withRecord(base, badLength), "password"},
        {"password length 5", withRecord(base, shortLength), "password"},
        {"character below code 0", QByteArray("!\x1f") + QByteArray(20, '\x21') + good.right(46), "unscrambled"},
    };
    for (const auto& c : cases) {
        const UserFileContents r = parseUserFileLine(c.line);
        EXPECT_FALSE(r.ok()) << c.name;
        EXPECT_TRUE(r.error.contains(QLatin1String(c.why))) << c.name << ": " << r.error.toStdString();
    }
    EXPECT_TRUE(parseUserFileLine(withRecord(base, noPassword)).ok()) << "the fixture itself is sound";
}

// A damaged field is quoted in the refusal, but only a short printable piece of it.
TEST(UserFileFormat, RefusalsQuoteAShortPrintableExcerpt)
{
    const QString noPassword = encodePasswordCode({}, 0, lowest);
    QString damaged = QStringLiteral("001");
    for (int k = 0; k < 3000; ++k)
        damaged += QChar(char16_t(1 + k % 30));
    QStringList f = buildUserRecord(fullRecord()).split(QChar(31));
    f[9] = damaged;
    const QByteArray line = toBytes(QStringLiteral("!") + QChar(31) + scrambleRecord(f.join(QChar(31)), 1)
                                    + noPassword);
    const UserFileContents r = parseUserFileLine(line);
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.error.contains(QStringLiteral("\"001?????????????????...\""))) << r.error.toStdString();
    EXPECT_LT(r.error.size(), 80);
}

// What the reader refuses the writer does not store, so a saved file always reads back.
TEST(UserFileFormat, RowsTheReaderRefusesAreNotWritten)
{
    const struct {
        const char* name;
        std::function<void(UserRecord&)> spoil;
    } cases[] = {
        {"unknown 00 finished", [](UserRecord& r) { r.completedUnknowns = "0700"; }},
        {"short result line", [](UserRecord& r) { r.results[0].resultLine = "kept"; }},
        {"session field with a letter", [](UserRecord& r) { r.results[1].sessionTime = "001e100"; }},
    };
    for (const auto& c : cases) {
        UserRecord r = fullRecord();
        c.spoil(r);
        EXPECT_FALSE(userRecordProblem(r).isEmpty()) << c.name;
    }
}

TEST(UserFileFormat, MinutesRule)
{
    struct Case {
        double seconds;
        long minutes;
    };
    const Case cases[] = {{0, 1},  {10, 1},  {59, 1},  {60, 1},         {89, 1},
                          {90, 2}, {149, 2}, {150, 3}, {3600 + 29, 60}, {86400 + 30, 1441}};
    for (const auto& c : cases)
        EXPECT_EQ(roundedMinutes(c.seconds), c.minutes) << c.seconds << " s";
}
