// The carbon-13 increment tables: rows for the substituents each compound
// class offers, in order, with values in the usual ranges.
#include "nmrcalc/cshift.h"
#include "nmrcalc/cshifttables.h"

#include <gtest/gtest.h>

using namespace orv::nmr;

namespace {

template <class Row> std::vector<int> keys(std::span<const Row> rows)
{
    std::vector<int> k;
    for (const Row& r : rows)
        k.push_back(r.sub);
    return k;
}

std::vector<int> offered(const QList<int>& disabled)
{
    std::vector<int> k;
    for (int i = 0; i < kSubstituentCount; ++i)
        if (!disabled.contains(i))
            k.push_back(i);
    return k;
}

} // namespace

TEST(CShiftTables, RowsMatchTheSubstituentsEachClassOffers)
{
    EXPECT_EQ(keys(alkylCIncrements()), offered(kCAlkylDisabled));
    EXPECT_EQ(keys(alkeneCIncrements()), offered(kCAlkeneDisabled));
    EXPECT_EQ(keys(benzeneCIncrements()), offered(kCBenzeneDisabled));
    EXPECT_EQ(cShiftStages().size(), 17);
    for (const ShiftStage& s : cShiftStages())
        EXPECT_TRUE(s.places >= 1 && s.places <= 3) << s.key;
}

TEST(CShiftTables, ValuesAreInRange)
{
    for (const AlkylCIncrement& r : alkylCIncrements()) {
        for (float v : {r.terminalAlpha, r.internalAlpha})
            EXPECT_TRUE(v >= -10 && v <= 65) << r.sub;
        for (float v : {r.terminalBeta, r.internalBeta})
            EXPECT_TRUE(v >= 0 && v <= 12) << r.sub;
        for (float v : {r.terminalGamma, r.internalGamma})
            EXPECT_TRUE(v >= -6 && v <= 0) << r.sub;
    }
    for (const AlkeneCIncrement& r : alkeneCIncrements())
        EXPECT_TRUE(r.alpha >= -40 && r.alpha <= 30 && r.beta >= -40 && r.beta <= 16) << r.sub;
    for (const BenzeneCIncrement& r : benzeneCIncrements()) {
        EXPECT_TRUE(r.ipso >= -35 && r.ipso <= 35) << r.sub;
        EXPECT_TRUE(r.ortho >= -16 && r.ortho <= 10) << r.sub;
        EXPECT_TRUE(r.meta >= -1 && r.meta <= 3) << r.sub;
        EXPECT_TRUE(r.para >= -12 && r.para <= 7) << r.sub;
    }
}
