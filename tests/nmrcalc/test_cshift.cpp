// Carbon-13 shift estimates: known answers, the value column's blanks, the
// fixed lines, line ends and the help texts.
#include "nmrcalc/cshift.h"
#include "tests/nmrcalc/nmrtestsupport.h"

#include <gtest/gtest.h>

using namespace orv::nmr;

namespace {

enum Sub { H = 0, R = 1, NO2 = 7, Cl = 8, Br = 9, I = 10, OH = 11, OCOR = 14 };

QStringList values(const QString& text)
{
    QStringList v;
    for (const QString& line : text.split("\r\n"))
        if (line.contains(" ppm"))
            v << line.section('\t', 1).section(" ppm", 0, 0).trimmed();
    return v;
}

} // namespace

TEST(CShiftResult, KnownAnswers)
{
    // clang-format off
    struct Case {
        const char* stage;
        int x, y, z;
        QStringList expected;
    } const cases[] = {
        {"methyl", Cl, 0, 0, {"28.7"}},
        {"methyl", I, 0, 0, {"-8.3"}},
        {"ethyl", Br, 0, 0, {"25.7", "16.7"}},
        {"isopropyl", OH, 0, 0, {"57.3", "23.8"}},
        {"methylene", Cl, Cl, 0, {"59.7"}},
        {"ethylene", OH, Cl, 0, {"64.7", "46.7"}},
        {"alkene", Cl, H, 0, {"125.9", "117.2"}},
        {"monosub", NO2, 0, 0, {"148.1", "123.2", "129.4", "134.5"}},
        {"1,4-disub", OH, NO2, 0, {"161.1", "116.7", "124.8", "140.8"}},
        {"1,3-disub", Cl, Cl, 0, {"135.9", "128.9", "135.9", "126.7", "130.5", "126.7"}},
        {"propyl", OH, 0, 0, {"63.8", "26.3", "10.8"}},          // 1-propanol: 64.2, 25.9, 10.1
        {"butyl", Br, 0, 0, {"33.4", "36.2", "22.2", "13.4", "~ 23", "~ 14"}},
        {"2-butyl", OH, 0, 0, {"21.4", "66.2", "33.2", "8.4", "20.2", "~ 23", "~ 14"}},
        {"cyclo", OH, 0, 0, {"67.0", "34.0", "21.0", "26.9"}},   // cyclohexanol: 70.0, 35.5, 24.4, 25.9
        {"methyl", OCOR, 0, 0, {"48.7"}},                        // methyl acetate OCH3: 51.5
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(values(cShiftResult(c.stage, c.x, c.y, c.z)), c.expected) << c.stage << " " << c.x;
}

TEST(CShiftResult, ValueColumnAndLineEnds)
{
    EXPECT_EQ(cShiftResult("methyl", Cl, 0, 0), "substituted methyl calculated shift is:\r\n         \t28.7   ppm");
    EXPECT_EQ(cShiftResult("methyl", I, 0, 0), "substituted methyl calculated shift is:\r\n         \t-8.3     ppm");
    EXPECT_FALSE(cShiftResult("ethyl", Br, 0, 0).endsWith("\r\n"));
    EXPECT_TRUE(cShiftResult("alkene", Cl, H, 0).endsWith("117.2 ppm\r\n"));
    EXPECT_TRUE(cShiftResult("butyl", Br, 0, 0).endsWith("C-5\t ~ 14  ppm  (for n > 0)\r\n"));
    EXPECT_TRUE(cShiftResult("butyl", Br, 0, 0).contains("C-5\t13.4   ppm  (for n = 0)\r\n"));
    EXPECT_TRUE(cShiftResult("cyclo", Cl, 0, 0).endsWith("C-4\t26.9   ppm  (for n = 1)\r\n"));
    EXPECT_TRUE(cShiftResult("isopropyl", OH, 0, 0).startsWith("substituted  isopropyl calculated shifts are:\r\n"));
    EXPECT_TRUE(cShiftResult("ethylene", OH, Cl, 0).startsWith("substituted methylene calculated shifts are:"));
    const QString nine(9, ' ');
    const QString mono = cShiftResult("monosub", NO2, 0, 0);
    EXPECT_TRUE(mono.contains(nine + "C-1 \t" + nine + "148.1 ppm\r\n"));
    EXPECT_FALSE(mono.endsWith("\r\n"));
    const QString tri = cShiftResult("1,2,4-trisub", R, R, R);
    EXPECT_TRUE(tri.contains(nine + "C-3\t" + nine));
    EXPECT_TRUE(tri.contains(nine + "C-4 \t" + nine));
    EXPECT_FALSE(tri.endsWith("\r\n"));
    EXPECT_TRUE(cShiftResult("1,3,5-trisub", R, R, R).endsWith("ppm\r\n"));
    EXPECT_EQ(cShiftResult("ctype", R, R, R), "");
}

TEST(CShiftResult, AddSpaces)
{
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"0", "0.0    "},   {"9.9", "9.9    "},  {"9.96", "10.0    "}, {"10", "10.0  "},
        {"99.9", "99.9  "}, {"100", "100.0"},    {"-8.3", "-8.3    "}, {"-12.5", "-12.5    "},
    };
    // clang-format on
    for (const auto& [in, out] : cases)
        EXPECT_EQ(AddSpaces(in), out) << in;
}

TEST(CShiftHelp, TextsByStage)
{
    EXPECT_TRUE(cShiftHelp("ctype", false).startsWith("Calculates carbon-13 chemical shifts."));
    EXPECT_TRUE(cShiftHelp("subtypearyl", false).contains("benzene.\r\nMonosubstituted"));
    EXPECT_TRUE(cShiftHelp("cyclo", false).startsWith("Select one or more substituents."));
    EXPECT_EQ(cShiftHelp("methyl", true), "Methane gives a carbon nmr signal at -2.3 ppm and this result shows the "
                                          "effect of a substituent. The value should typically be within 3 ppm of the "
                                          "experimental result.");
    EXPECT_EQ(cShiftHelp("1,2,4-trisub", true), cShiftHelp("1,2,3-trisub", true));
    EXPECT_EQ(cShiftPrintedExplanation("alkene").size(), 4);
    EXPECT_EQ(cShiftPrintedExplanation("1,3,5-trisub")[1], " calculation shows the effect of three substituents. ");
    EXPECT_TRUE(cShiftPrintedExplanation("subtypealkyl").isEmpty());
}

TEST(CShiftResult, LookupsWithoutEntriesGiveZero)
{
    EXPECT_EQ(CalculateAlkyl(0, "terminal", "alpha"), 0.0f); // H: not offered on chains
    EXPECT_EQ(CalculateAlkyl(8, "ring", "alpha"), 0.0f);     // unknown kind
    EXPECT_EQ(CalculateAlkyl(8, "terminal", "delta"), 0.0f); // unknown position
    EXPECT_EQ(carbon::CalculateEthene(11, "alpha"), 0.0f);   // OH: not offered on alkenes
    EXPECT_EQ(carbon::CalculateBenzene(15, "ipso"), 0.0f);   // OCOPh: not offered on benzenes
    EXPECT_EQ(carbon::CalculateBenzene(8, "geminal"), 0.0f);
    EXPECT_FLOAT_EQ(CalculateAlkyl(8, "internal", "alpha"), 32.0f);
    EXPECT_FLOAT_EQ(carbon::CalculateEthene(22, "beta"), 15.0f);
    // Values the published tables supply where the window's own list has none.
    EXPECT_FLOAT_EQ(CalculateAlkyl(14, "terminal", "alpha"), 51.0f);
    EXPECT_FLOAT_EQ(carbon::CalculateBenzene(2, "meta"), 0.2f);
}
