#include "platform/basic.h"

#include <limits>

#include <gtest/gtest.h>

using namespace orv;

TEST(BasicRounding, CIntRoundsHalfToEven)
{
    // clang-format off
    const struct { double v; int want; } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {3.5, 4}, {2.675, 3}, {-0.4, 0}, {1.49, 1},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(CInt(c.v), c.want) << "CInt(" << c.v << ")";
}

TEST(BasicRounding, IntIsFloor)
{
    EXPECT_EQ(Int(2.9), 2);
    EXPECT_EQ(Int(-2.1), -3);
    EXPECT_EQ(Int(-0.0), 0);
}

TEST(BasicFormat, NumericPatterns)
{
    // clang-format off
    const struct { double v; const char* pattern; const char* want; } cases[] = {
        {0.5, "0", "1"},            // Format rounds half away from zero, unlike CInt
        {1.5, "0", "2"},
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {2.675, "0.00", "2.68"},    // on the 15-digit decimal form
        {0.5, "#.0", ".5"},
        {12.345, "#.0", "12.3"},
        {7.25, "#.00", "7.25"},
        {3, "0.00", "3.00"},
        {0.004, "0.00", "0.00"},
        {-0.004, "0.00", "0.00"},
        {9.996, "0.00", "10.00"},
        {1234567, "#,##0", "1,234,567"},
        {42, "#", "42"},
        {3.14159, "0.0###", "3.1416"},
        {2, "0.0#", "2.0"},
        {5, "ppm #.0", "ppm 5.0"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.v, QString::fromLatin1(c.pattern)), QString::fromLatin1(c.want))
            << "Format(" << c.v << ", \"" << c.pattern << "\")";
}

TEST(BasicFormat, ValuesAtTheEdgesOfADouble)
{
    using L = std::numeric_limits<double>;
    // 1.79769313486232E+308 in whole digits: 15 significant, then zeros.
    const QString largest = QStringLiteral("179769313486232") + QString(294, u'0');
    // clang-format off
    const struct { double v; const char* pattern; QString want; } cases[] = {
        {L::infinity(), "0.00", QString()},
        {-L::infinity(), "#,##0", QString()},
        {L::quiet_NaN(), "0.0", QString()},
        {-L::quiet_NaN(), "ppm #.0", QString()},
        {L::max(), "0", largest},
        {-L::max(), "0.0", QStringLiteral("-") + largest + QStringLiteral(".0")},
        {L::min(), "0.00", QStringLiteral("0.00")},
        {L::denorm_min(), "#.0", QStringLiteral(".0")},
        {-L::denorm_min(), "0", QStringLiteral("0")},
        {L::lowest(), "#", QStringLiteral("-") + largest},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.v, QString::fromLatin1(c.pattern)), c.want)
            << "Format(" << c.v << ", \"" << c.pattern << "\")";
}

TEST(BasicFormat, TimeAndDatePatterns)
{
    EXPECT_EQ(FormatTime(QTime(15, 5), "hh:mm am/pm"), "03:05 pm");
    EXPECT_EQ(FormatTime(QTime(0, 30), "hh:mm am/pm"), "12:30 am");
    EXPECT_EQ(FormatTime(QTime(12, 0), "hh:mm AM/PM"), "12:00 PM");
    EXPECT_EQ(FormatDate(QDate(2026, 12, 3), "mmm dd, yyyy"), "Dec 03, 2026");
    EXPECT_EQ(FormatDate(QDate(2026, 12, 3), "d mmm, yyyy"), "3 Dec, 2026");
}

TEST(BasicVal, ReadsTheLeadingNumber)
{
    // clang-format off
    const struct { const char* text; double want; } cases[] = {
        {"12abc", 12}, {"  3.5 ppm", 3.5}, {"1 2 3", 123}, {"-7.25", -7.25}, {"abc", 0},
        {"", 0}, {"&H1F", 31}, {"&O17", 15}, {"1e3x", 1000}, {"2.5.1", 2.5}, {".5", 0.5},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(c.text)), c.want) << "Val(\"" << c.text << "\")";
}

// Numbers too long for their type give a defined value: hex and octal stop
// at 2^53, decimal ones at the largest double, and the rounding conversions
// at the ends of their range.
TEST(BasicVal, OverlongNumbersSaturate)
{
    const double largestExact = 9007199254740992.0;
    const double maxDouble = std::numeric_limits<double>::max();
    // clang-format off
    const struct { QString text; double want; } cases[] = {
        {"&O" + QString(22, u'7'), largestExact},
        {"&H" + QString(40, u'F'), largestExact},
        {"&H1FFFFFFFFFFFFF", largestExact - 1},
        {"1" + QString(400, u'0'), maxDouble},
        {"-1e400", -maxDouble},
        {"0." + QString(400, u'0') + "1", 0},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(c.text), c.want) << "Val(\"" << c.text.left(30).toStdString() << "...\")";
}

TEST(BasicRounding, ConversionsSaturateAtTheEndsOfTheirRange)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(CInt(1e20), std::numeric_limits<int>::max());
    EXPECT_EQ(CInt(-1e20), std::numeric_limits<int>::min());
    EXPECT_EQ(CInt(nan), 0);
    EXPECT_EQ(CLng(1e300), std::numeric_limits<long long>::max());
    EXPECT_EQ(CLng(-1e300), std::numeric_limits<long long>::min());
    EXPECT_EQ(CLng(9.223372036854775807e18), std::numeric_limits<long long>::max()) << "2^63 itself";
}

TEST(BasicRandom, InjectedSourceDrivesDraws)
{
    setRandomSource([] { return 0.999999; });
    EXPECT_EQ(randomDraw(10), 10);
    setRandomSource([] { return 0.0; });
    EXPECT_EQ(randomDraw(10), 1);
    setRandomSource({});
    for (int i = 0; i < 1000; ++i) {
        const double r = Rnd();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
}
