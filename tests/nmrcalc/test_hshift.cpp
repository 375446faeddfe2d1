// Proton shift estimates: known answers, labels and layout of the result
// text, missing rows and positions, and the help texts.
#include "nmrcalc/hshift.h"
#include "tests/nmrcalc/nmrtestsupport.h"

#include <gtest/gtest.h>

using namespace orv::nmr;

namespace {

enum Sub { H = 0, R = 1, Ph = 3, NO2 = 7, Cl = 8, Br = 9, I = 10, OH = 11, OR = 12, CHO = 16, COOR = 20, CN = 22 };

// The values of a result text, in order.
QStringList values(const QString& text)
{
    QStringList v;
    for (const QString& line : text.split("\r\n"))
        if (line.endsWith(" ppm"))
            v << line.section('\t', -1).trimmed().chopped(4).trimmed();
    return v;
}

} // namespace

TEST(HShiftResult, KnownAnswers)
{
    // clang-format off
    struct Case {
        const char* stage;
        int x, y, z;
        QStringList expected;
    } const cases[] = {
        {"methylene", Cl, H, H, {"3.10"}},
        {"methylene", H, H, H, {"0.91"}},
        {"methylene", Ph, Cl, H, {"4.59"}},      // benzyl chloride CH2: 0.23 + 1.83 + 2.53
        {"methylene", R, OR, H, {"3.17"}},       // diethyl ether CH2: 0.23 + 0.58 + 2.36
        {"methine", OH, Ph, H, {"4.63"}},        // 1-phenylethanol: 2.5 + 1.14 + 0.99
        {"alkene", H, H, H, {"5.25"}},
        {"alkene", COOR, H, H, {"6.40"}},        // acrylate, H cis to the ester: 5.25 + 1.15
        {"alkene", H, Ph, H, {"5.15"}},          // styrene, H trans to phenyl: 5.25 - 0.10
        {"monosub", NO2, H, H, {"8.22", "7.53", "7.65"}},
        {"monosub", I, H, H, {"7.66", "7.06", "7.27"}},
        {"1,4-disub", Cl, Cl, H, {"7.28", "7.28"}},
        {"1,2-disub", R, R, H, {"7.07", "7.04", "7.04", "7.07"}},
        {"1,3-disub", NO2, NO2, H, {"9.17", "8.60", "7.79", "8.60"}},
        {"1,2,3-trisub", Cl, Cl, Cl, {"7.37", "7.32", "7.37"}},
        {"1,2,4-trisub", R, R, R, {"6.93", "6.90", "7.01"}},
        {"1,3,5-trisub", Br, Br, Br, {"7.59", "7.59", "7.59"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const QString text = hShiftResult(c.stage, c.x, c.y, c.z);
        EXPECT_EQ(values(text), c.expected) << c.stage << " " << c.x << " " << c.y << " " << c.z;
    }
}

TEST(HShiftResult, TextLayout)
{
    EXPECT_EQ(hShiftResult("methylene", Cl, H, H), "Methyl calculated shift is:\r\n\r\n\t3.10 ppm");
    EXPECT_EQ(hShiftResult("methylene", Cl, Br, H), "Methylene calculated shift is:\r\n\r\n\t5.09 ppm");
    EXPECT_EQ(hShiftResult("methylene", H, Br, H), "Methyl calculated shift is:\r\n\r\n\t2.90 ppm");
    EXPECT_EQ(hShiftResult("methine", Cl, Cl, H), "Methine calculated shift is:\r\n\r\n\t5.62 ppm");
    EXPECT_EQ(hShiftResult("alkene", H, H, H), "Ethylene H calculated shift is:\r\n\r\n\t5.25 ppm");
    const QString nine(9, ' ');
    EXPECT_EQ(hShiftResult("1,4-disub", Cl, Cl, H), "1,4-disubstituted benzene calculated shifts are:\r\n\r\n" + nine
                                                        + "H-2 \t" + nine + "7.28 ppm\r\n" + nine + "H-3 \t" + nine
                                                        + "7.28 ppm\r\n");
    // Only the 1,2,4 labels have no blank before the tab.
    const QString t = hShiftResult("1,2,4-trisub", R, R, R);
    EXPECT_TRUE(t.contains(nine + "H-3\t"));
    EXPECT_TRUE(t.contains(nine + "H-5\t"));
    EXPECT_TRUE(t.contains(nine + "H-6\t"));
    EXPECT_EQ(hShiftResult("htype", R, R, R), "");
    // Negative shifts keep their sign.
    EXPECT_EQ(values(hShiftResult("alkene", 4, 4, H)), QStringList{"2.75"});
}

TEST(HShiftResult, MissingRowsAndPositionsCountZero)
{
    EXPECT_EQ(CalculateBenzene(0, "ortho"), 0.0f);
    EXPECT_EQ(CalculateBenzene(18, "meta"), 0.0f);
    EXPECT_EQ(CalculateBenzene(7, "geminal"), 0.0f);
    EXPECT_EQ(CalculateEthene(11, "cis"), 0.0f);
    EXPECT_EQ(CalculateEthene(7, "ortho"), 0.0f);
    EXPECT_EQ(CalculateMethine(10), 0.0f);
    EXPECT_EQ(CalculateMethylene(23), 0.0f);
    EXPECT_FLOAT_EQ(CalculateEthene(7, "geminal"), 1.87f);
    EXPECT_FLOAT_EQ(CalculateMethine(22), 0.66f);
}

TEST(HShiftHelp, TextsByStage)
{
    EXPECT_TRUE(hShiftHelp("htype", false).startsWith("Calculates proton chemical shifts. The values generated"));
    EXPECT_TRUE(hShiftHelp("subtypearyl", false).contains("benzene.\r\nMonosubstituted will give"));
    EXPECT_TRUE(hShiftHelp("subtypealkyl", false).endsWith("one substituent must be an alkyl group."));
    const QString advice = hShiftHelp("monosub", false);
    EXPECT_TRUE(advice.contains("A bit more information may be seen in the \"tool tip text\" (obtained by leaving"));
    EXPECT_EQ(advice, hShiftHelp("alkene", false));
    EXPECT_EQ(hShiftHelp("monosub", true), "The protons in unsubstituted benzene occur at 7.27 ppm and the "
                                           "calculation shows the effect of one substituent. "
                                           "This result should be very good.");
    EXPECT_EQ(hShiftHelp("methine", true),
              "The protons in methane occur at 0.23 ppm and the calculation shows the "
              "effect of one or more substituents. This result, although approximate, "
              "should be quite good - typically within 0.3 ppm of the experimental value.");
    EXPECT_EQ(hShiftPrintedExplanation("1,3,5-trisub"),
              (QStringList{"The protons in unsubstituted benzene occur at 7.27 ppm and ",
                           "the calculation shows the effect of three substituents. ",
                           "This result is likely to be inaccurate."}));
    EXPECT_EQ(hShiftPrintedExplanation("alkene").size(), 4);
    EXPECT_TRUE(hShiftPrintedExplanation("htype").isEmpty());
}
