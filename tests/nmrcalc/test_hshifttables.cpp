// The proton increment tables: which substituents have rows, in order, and
// values within the ranges such increments take.
#include "nmrcalc/hshift.h"
#include "nmrcalc/hshifttables.h"
#include "nmrcalc/substituents.h"

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

std::vector<int> allBut(std::initializer_list<int> missing)
{
    std::vector<int> k;
    for (int i = 0; i < kSubstituentCount; ++i)
        if (std::find(missing.begin(), missing.end(), i) == missing.end())
            k.push_back(i);
    return k;
}

} // namespace

TEST(HShiftTables, RowsMatchTheSubstituentsEachPageOffers)
{
    EXPECT_EQ(keys(benzeneHIncrements()), allBut({0, 5, 13, 15, 18}));
    EXPECT_EQ(keys(alkeneHIncrements()), allBut({5, 6, 10, 11, 13, 15}));
    EXPECT_EQ(keys(methineHConstants()), allBut({0, 1, 10}));
    EXPECT_EQ(methyleneHConstants().size(), 23u);
    // Every page disables exactly the substituents its table lacks.
    for (const ShiftStage& s : hShiftStages()) {
        const QString key = QString::fromLatin1(s.key);
        for (int i = 0; i < kSubstituentCount; ++i) {
            bool hasRow = true;
            if (key == "alkene")
                hasRow = std::ranges::count(keys(alkeneHIncrements()), i) == 1;
            else if (key == "methine")
                hasRow = std::ranges::count(keys(methineHConstants()), i) == 1;
            else if (key != "methylene")
                hasRow = std::ranges::count(keys(benzeneHIncrements()), i) == 1;
            EXPECT_EQ(s.disabled.contains(i), !hasRow) << s.key << " " << i;
        }
    }
}

TEST(HShiftTables, ValuesAreInRange)
{
    for (const BenzeneHIncrement& r : benzeneHIncrements())
        for (float v : {r.ortho, r.meta, r.para})
            EXPECT_TRUE(v >= -1.0f && v <= 1.0f) << r.sub;
    for (const AlkeneHIncrement& r : alkeneHIncrements())
        for (float v : {r.geminal, r.cis, r.trans})
            EXPECT_TRUE(v >= -1.5f && v <= 2.5f) << r.sub;
    for (float v : methyleneHConstants())
        EXPECT_TRUE(v > 0.0f && v < 3.5f);
    for (const MethineHConstant& r : methineHConstants())
        EXPECT_TRUE(r.value > 0.0f && r.value < 2.5f) << r.sub;
    // Values singled out because they are easily mistyped.
    EXPECT_FLOAT_EQ(CalculateBenzene(8, "para"), 0.09f);
    EXPECT_FLOAT_EQ(CalculateBenzene(6, "ortho"), 0.33f);
    EXPECT_FLOAT_EQ(CalculateBenzene(6, "para"), -0.10f);
    EXPECT_FLOAT_EQ(CalculateBenzene(10, "para"), 0.0f);
}

TEST(HShiftTables, SubstituentList)
{
    EXPECT_EQ(substituentCaption(0), "H");
    EXPECT_EQ(substituentCaption(22), "CN");
    EXPECT_EQ(substituentToolTip(21), "aliphatic/aromatic amide un-, mono- or di-substituted");
    EXPECT_EQ(substituentCaption(15), "OCOPh");
}
