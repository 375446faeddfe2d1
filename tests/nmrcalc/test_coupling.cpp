// First-order splitting: lines and Pascal intensities, bins and scale, the
// three drawings, multiplet names, coincidence and the explanation texts.
#include "nmrcalc/coupling.h"

#include "tests/nmrcalc/nmrtestsupport.h"

#include <gtest/gtest.h>

using namespace orv::nmr;


namespace {

struct Line {
    float pos, height;
};

std::vector<Line> lines(const CouplingCalc& c)
{
    std::vector<Line> out;
    for (int i = 1; i <= c.lineCount(); ++i)
        out.push_back({c.CurrentLines[i].Position, c.CurrentLines[i].Height});
    return out;
}

// Sums the heights per position (lines at one position stay separate entries).
std::map<float, float> spectrum(const CouplingCalc& c)
{
    std::map<float, float> s;
    for (const Line& l : lines(c))
        s[l.pos] += l.height;
    return s;
}

struct SplitCase {
    const char* name;
    CouplingInputs in;
    CouplingSet set;
    std::map<float, float> expected; // position -> summed height
    int lineCount;
};

} // namespace

TEST(CouplingSplitting, KnownMultiplets)
{
    // clang-format off
    const SplitCase cases[] = {
        {"ethyl CH3 triplet", {3, 2, 0, 7, 0, 0}, CouplingSet::A, {{-7, 25}, {0, 50}, {7, 25}}, 3},
        {"ethyl CH2 quartet", {3, 2, 0, 7, 0, 0}, CouplingSet::M,
         {{-10.5f, 12.5f}, {-3.5f, 37.5f}, {3.5f, 37.5f}, {10.5f, 12.5f}}, 4},
        {"doublet of doublets", {1, 1, 1, 10, 4, 0}, CouplingSet::A, {{-7, 25}, {-3, 25}, {3, 25}, {7, 25}}, 4},
        {"isolated set is a singlet", {2, 0, 0, 0, 0, 0}, CouplingSet::A, {{0, 100}}, 1},
        {"doublet", {1, 1, 0, 7, 0, 0}, CouplingSet::A, {{-3.5f, 50}, {3.5f, 50}}, 2},
        {"equal couplings overlap", {1, 1, 1, 10, 10, 0}, CouplingSet::A, {{-10, 25}, {0, 50}, {10, 25}}, 4},
        {"zero coupling keeps n+1 coincident lines", {2, 3, 0, 0, 0, 0}, CouplingSet::A, {{0, 100}}, 4},
        {"isopropyl CH septet", {6, 1, 0, 7, 0, 0}, CouplingSet::M,
         {{-21, 100.f / 64}, {-14, 600.f / 64}, {-7, 1500.f / 64}, {0, 2000.f / 64}, {7, 1500.f / 64},
          {14, 600.f / 64}, {21, 100.f / 64}},
         7},
        {"set X split by A then M", {1, 2, 1, 0, 6, 2}, CouplingSet::X,
         {{-5, 12.5f}, {-3, 25}, {-1, 12.5f}, {1, 12.5f}, {3, 25}, {5, 12.5f}}, 6},
        {"largest list: 7 x 4 lines", {6, 3, 3, 20, 0, 20}, CouplingSet::M, {}, 28},
    };
    // clang-format on
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.name);
        CouplingCalc calc;
        calc.calculateSet(c.set, c.in);
        EXPECT_EQ(calc.lineCount(), c.lineCount);
        if (!c.expected.empty()) {
            const auto got = spectrum(calc);
            ASSERT_EQ(got.size(), c.expected.size());
            for (const auto& [pos, h] : c.expected)
                EXPECT_NEAR(got.at(pos), h, 1e-4) << "at " << pos;
        }
        float total = 0;
        for (const Line& l : lines(calc))
            total += l.height;
        EXPECT_NEAR(total, 100.0f, 1e-3);
    }
}

TEST(CouplingSplitting, NeighbourCountsOutsideOneToSixChangeNothing)
{
    for (int n : {0, 7, -1}) {
        CouplingCalc calc;
        calc.CurrentLines[1] = {0, 100};
        calc.DoSplitting(n, 7);
        EXPECT_EQ(calc.lineCount(), 1);
        EXPECT_EQ(calc.CurrentLines[1].Height, 100);
    }
}

TEST(CouplingSplitting, RecalculationStartsFromOneLine)
{
    CouplingCalc calc;
    calc.calculateSet(CouplingSet::M, {6, 3, 3, 20, 0, 20});
    calc.calculateSet(CouplingSet::A, {2, 0, 0, 0, 0, 0});
    EXPECT_EQ(calc.lineCount(), 1);
    EXPECT_EQ(calc.CurrentSet, "Set A");
}

TEST(CouplingBins, NormalisedToTheTallestBin)
{
    CouplingCalc calc;
    calc.calculateSet(CouplingSet::A, {1, 1, 0, 7, 0, 0});
    calc.binLines();
    EXPECT_FLOAT_EQ(calc.LineBins(-7), 100);
    EXPECT_FLOAT_EQ(calc.LineBins(7), 100);
    EXPECT_FLOAT_EQ(calc.LineBins(0), 0);

    calc.calculateSet(CouplingSet::A, {1, 1, 1, 10, 10, 0});
    calc.binLines();
    EXPECT_FLOAT_EQ(calc.LineBins(-20), 50);
    EXPECT_FLOAT_EQ(calc.LineBins(0), 100);
    EXPECT_FLOAT_EQ(calc.LineBins(20), 50);
    EXPECT_TRUE(calc.SuperImpose());
}

TEST(CouplingBins, DisplayScaleKeepsTheOuterLinesInsideTheAxis)
{
    // Scale 1 holds lines up to 27.5 Hz either side, scale 2 up to 57 Hz,
    // each with its whole Lorentz peak; the positions count unrounded.
    // clang-format off
    struct Case {
        CouplingInputs in;
        CouplingSet set;
        int scale;
    } const cases[] = {
        {{2, 0, 0, 0, 0, 0}, CouplingSet::A, 1},
        {{1, 1, 0, 5, 0, 0}, CouplingSet::A, 1},    // +-2.5
        {{2, 1, 0, 20, 0, 0}, CouplingSet::M, 1},   // +-20
        {{1, 3, 1, 15, 10, 0}, CouplingSet::A, 1},  // +-27.5
        {{1, 3, 1, 15, 11, 0}, CouplingSet::A, 2},  // +-28
        {{1, 3, 0, 20, 0, 0}, CouplingSet::A, 2},   // +-30: the picture's edge
        {{4, 1, 0, 15, 0, 0}, CouplingSet::M, 2},   // +-30
        {{1, 3, 1, 17, 10, 0}, CouplingSet::A, 2},  // +-30.5 (once drawn past the axis)
        {{5, 1, 0, 13, 0, 0}, CouplingSet::M, 2},   // +-32.5
        {{1, 3, 3, 20, 18, 0}, CouplingSet::A, 2},  // +-57
        {{5, 1, 3, 20, 0, 5}, CouplingSet::M, 3},   // +-57.5
        {{6, 1, 0, 20, 0, 0}, CouplingSet::M, 3},   // +-60
        {{6, 1, 3, 20, 0, 20}, CouplingSet::M, 3},  // +-90
    };
    // clang-format on
    for (const Case& c : cases) {
        CouplingCalc calc;
        calc.calculateSet(c.set, c.in);
        calc.binLines();
        EXPECT_EQ(calc.DisplayScale, c.scale) << c.in.nA << " " << c.in.JAM;
    }
}

namespace {

std::vector<DrawOp> linesOf(const DrawOps& ops)
{
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Line)
            out.push_back(op);
    return out;
}
std::vector<QString> textsOf(const DrawOps& ops)
{
    std::vector<QString> out;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Text)
            out.push_back(op.text);
    return out;
}

} // namespace

TEST(CouplingDrawing, EveryMultipletStaysInsideThePicture)
{
    // Every input combination (coupling constants sampled), every set: each
    // straight line stands on the axis (x 50 to 5090), and the Lorentz curve
    // comes back to the baseline before either end of the trace, so that no
    // outer peak is cut. Lines 88.5 Hz or more from the centre (the largest
    // inputs only) are the exception: the last scale is as wide as it goes.
    const int js[] = {0, 1, 7, 13, 17, 20};
    int checked = 0;
    for (int nA = 0; nA <= 6; ++nA)
        for (int nM = 0; nM <= 3; ++nM)
            for (int nX = 0; nX <= 3; ++nX)
                for (int jam : js)
                    for (int jax : js)
                        for (int jmx : js)
                            for (CouplingSet set : {CouplingSet::A, CouplingSet::M, CouplingSet::X}) {
                                const CouplingInputs in{nA, nM, nX, jam, jax, jmx};
                                CouplingCalc calc;
                                calc.calculateSet(set, in);
                                const auto lines = linesOf(calc.overseeCoupling(DisplayKind::StraightLines, in));
                                // After the axis, centre mark, ticks, scale bar and baseline.
                                const size_t first = size_t(6 * calc.DisplayScale + 7);
                                for (size_t i = first; i < lines.size(); ++i)
                                    ASSERT_TRUE(lines[i].x1 >= 50 && lines[i].x1 <= 5090)
                                        << nA << nM << nX << " J " << jam << ' ' << jax << ' ' << jmx << " x "
                                        << lines[i].x1;
                                int widest = 0;
                                for (int k = kBinLow; k <= kBinHigh; ++k)
                                    if (calc.LineBins(k) > 0)
                                        widest = std::max(widest, std::abs(k));
                                if (widest >= 177)
                                    continue;
                                calc.calculateSet(set, in);
                                calc.overseeCoupling(DisplayKind::LorentzCurve, in);
                                const auto& t = calc.LorentzTrace;
                                ASSERT_TRUE(t[1] == 3200 && t[2] == 3200 && t[729] == 3200 && t[730] == 3200)
                                    << nA << nM << nX << " J " << jam << ' ' << jax << ' ' << jmx;
                                ++checked;
                            }
    EXPECT_GT(checked, 10000);
}

TEST(CouplingDrawing, SingletAsStraightLine)
{
    CouplingCalc calc;
    const CouplingInputs in{2, 0, 0, 0, 0, 0};
    calc.calculateSet(CouplingSet::A, in);
    const DrawOps ops = calc.overseeCoupling(DisplayKind::StraightLines, in);
    EXPECT_EQ(textsOf(ops), (std::vector<QString>{"Set A", "10 Hz"}));
    const auto ls = linesOf(ops);
    // Axis, centre mark, 7 ticks, 3 scale-bar lines, baseline, the line.
    ASSERT_EQ(ls.size(), 1u + 1 + 7 + 3 + 1 + 1);
    const DrawOp& peak = ls.back();
    EXPECT_EQ(peak.x1, 2570);
    EXPECT_EQ(peak.y1, 220);
    EXPECT_EQ(peak.y2, 3200);
    EXPECT_EQ(ls[1].penWidth, 3);
}

TEST(CouplingDrawing, WeakLinesAreRaisedToTwo)
{
    CouplingCalc calc;
    const CouplingInputs in{6, 1, 3, 1, 0, 1};
    calc.calculateSet(CouplingSet::M, in);
    calc.overseeCoupling(DisplayKind::StraightLines, in);
    // Nine equal neighbours: the outer lines are 1/126 of the middle one.
    EXPECT_FLOAT_EQ(calc.LineBins(-9), 2.0f);
    EXPECT_FLOAT_EQ(calc.LineBins(9), 2.0f);
    EXPECT_FLOAT_EQ(calc.LineBins(1), 98.4375f); // normalised by the peak rounded to 25
}

TEST(CouplingDrawing, LorentzSingleLineIsScaledToTheTop)
{
    CouplingCalc calc;
    const CouplingInputs in{2, 0, 0, 0, 0, 0};
    calc.calculateSet(CouplingSet::A, in);
    const DrawOps ops = calc.overseeCoupling(DisplayKind::LorentzCurve, in);
    EXPECT_EQ(*std::min_element(calc.LorentzTrace.begin() + 1, calc.LorentzTrace.end()), 220);
    EXPECT_EQ(calc.LorentzTrace[367], 220);
    const auto ls = linesOf(ops);
    EXPECT_EQ(ls.back().x2, 5120);
    EXPECT_EQ(ls.back().y2, 3200);
}

TEST(CouplingDrawing, LorentzBelowTheLimitIsNotScaled)
{
    CouplingCalc calc;
    const CouplingInputs in{1, 1, 0, 7, 0, 0}; // two separate lines of 100 each
    calc.calculateSet(CouplingSet::A, in);
    calc.overseeCoupling(DisplayKind::LorentzCurve, in);
    // Each line alone would reach 200; the doublet is scaled down too.
    EXPECT_EQ(*std::min_element(calc.LorentzTrace.begin() + 1, calc.LorentzTrace.end()), 220);

    const CouplingInputs wide{1, 2, 0, 7, 0, 0}; // 1:2:1, the outer lines at 50
    calc.calculateSet(CouplingSet::A, wide);
    calc.overseeCoupling(DisplayKind::LorentzCurve, wide);
    EXPECT_EQ(calc.LorentzTrace[367], 220);
    EXPECT_GT(calc.LorentzTrace[367 - 42], 1000); // outer line about half as tall
}

TEST(CouplingDrawing, StickTreeOrderAndGeometry)
{
    CouplingCalc calc;
    CouplingInputs in{1, 1, 2, 4, 10, 0}; // J_AX larger: split by X first
    calc.calculateSet(CouplingSet::A, in);
    DrawOps ops = calc.overseeCoupling(DisplayKind::StickDiagram, in);
    EXPECT_EQ(calc.FirstCount, 2);
    EXPECT_EQ(calc.FirstJ, 10);
    EXPECT_EQ(calc.SecondCount, 1);
    EXPECT_EQ(calc.SecondJ, 4);
    EXPECT_EQ(textsOf(ops).front(), "Set A    +---> note that relative peak heights are NOT shown <---+");
    EXPECT_EQ(textsOf(ops)[2], "J = 10 Hz");
    EXPECT_EQ(textsOf(ops)[3], "J = 4 Hz");
    std::vector<double> firstStems, secondStems;
    for (const DrawOp& op : linesOf(ops)) {
        if (op.y1 == 1480 && op.y2 == 1900)
            firstStems.push_back(op.x1);
        if (op.y1 == 2740 && op.y2 == 3160)
            secondStems.push_back(op.x1);
    }
    EXPECT_EQ(firstStems, (std::vector<double>{2570 - 840, 2570, 2570 + 840}));
    EXPECT_EQ(secondStems.size(), 6u);
    EXPECT_EQ(secondStems.front(), 2570 - 840 - 168);

    // Tie: the partner first in A, M, X comes first.
    in = {1, 1, 1, 5, 5, 0};
    calc.calculateSet(CouplingSet::A, in);
    calc.overseeCoupling(DisplayKind::StickDiagram, in);
    EXPECT_EQ(calc.FirstCount, 1);
    EXPECT_EQ(calc.FirstJ, 5);

    // A singlet shows only the root stem, no label.
    in = {2, 0, 0, 0, 0, 0};
    calc.calculateSet(CouplingSet::A, in);
    ops = calc.overseeCoupling(DisplayKind::StickDiagram, in);
    EXPECT_EQ(textsOf(ops).size(), 2u);
}

TEST(CouplingDrawing, SecondTreeLabelStaysInsideThePicture)
{
    CouplingCalc calc;
    const CouplingInputs in{6, 1, 1, 18, 0, 2}; // scale 2, rightmost first stem at 4838
    calc.calculateSet(CouplingSet::M, in);      // first split by A (6, 20 Hz)
    const DrawOps ops = calc.overseeCoupling(DisplayKind::StickDiagram, in);
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Text && op.text == "J = 2 Hz") {
            EXPECT_EQ(op.x1, 4480);
        }
}

TEST(CouplingNames, MultipletNames)
{
    const char* names[] = {"singlet", "doublet", "triplet", "quartet", "quintet",
                           "sextet",  "septet",  "octet",   "nonet",   "dectet"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(CouplingCalc::MultipletName(i), names[i]);
    EXPECT_EQ(CouplingCalc::MultipletName(10), "");
    EXPECT_EQ(CouplingCalc::MultipletName(-1), "");
}

TEST(CouplingNames, SuperImpose)
{
    CouplingCalc calc;
    calc.calculateSet(CouplingSet::A, {2, 0, 0, 0, 0, 0});
    EXPECT_FALSE(calc.SuperImpose());
    calc.calculateSet(CouplingSet::A, {1, 1, 2, 8, 4, 0});
    EXPECT_TRUE(calc.SuperImpose());
    calc.calculateSet(CouplingSet::A, {1, 1, 2, 10, 4, 0});
    EXPECT_FALSE(calc.SuperImpose());
}

namespace {

struct ExplainCase {
    const char* name;
    CouplingSet set;
    CouplingInputs in;
    bool stick;
    const char* text;
};

QString explain(CouplingSet set, const CouplingInputs& in, bool stick)
{
    CouplingCalc calc;
    calc.calculateSet(set, in);
    CouplingExplainInputs e;
    e.in = in;
    e.enabledAM = in.nA > 0 && in.nM > 0;
    e.enabledAX = in.nA > 0 && in.nX > 0;
    e.enabledMX = in.nM > 0 && in.nX > 0;
    e.stickShown = stick;
    e.superImpose = calc.SuperImpose();
    return couplingExplanation(set, e);
}

} // namespace

TEST(CouplingExplanation, Texts)
{
    // clang-format off
    const ExplainCase cases[] = {
        {"no neighbours", CouplingSet::A, {2, 0, 0, 0, 0, 0}, false, "Set A is a singlet since there are no neighbours."},
        {"one neighbour, J 0", CouplingSet::A, {2, 1, 0, 0, 0, 0}, false,
         "Set A is a singlet since although there is a neighbour the coupling constant is zero."},
        {"two neighbours of one set", CouplingSet::A, {2, 2, 0, 0, 0, 0}, false,
         "Set A is a singlet since although there are neighbours there is no coupling (the coupling constant is zero)."},
        {"neighbours in both sets", CouplingSet::A, {2, 1, 1, 0, 0, 0}, false,
         "Set A is a singlet since although there are neighbours there is no coupling (both coupling constants are zero)."},
        {"set M, one neighbour", CouplingSet::M, {1, 1, 0, 0, 0, 0}, false,
         "Set M is a singlet since although there is a neighbour the coupling constant is zero."},
        {"set X always says both", CouplingSet::X, {1, 1, 1, 0, 0, 0}, false,
         "Set X is a singlet since although there are neighbours there is no coupling (both coupling constants are zero)."},
        {"equal couplings", CouplingSet::A, {2, 1, 1, 7, 7, 0}, false,
         "Set A is a triplet since set A has 2 neighbours all having the same coupling constant.\r\n\r\n"
         "It can also be regarded as a doublet of doublets that are partially coincident."},
        {"nine neighbours", CouplingSet::M, {6, 1, 3, 5, 0, 5}, false,
         "Set M is a dectet since set M has 9 neighbours all having the same coupling constant.\r\n\r\n"
         "It can also be regarded as a septet of quartets that are partially coincident."},
        {"one coupling", CouplingSet::A, {3, 2, 0, 7, 0, 0}, false,
         "Set A is a triplet since it has 2 neighbours (set M)."},
        {"one coupling, single neighbour", CouplingSet::X, {1, 2, 1, 0, 6, 0}, false,
         "Set X is a doublet since it has 1 neighbour (set A)."},
        {"one coupling of two, second partner", CouplingSet::A, {1, 2, 3, 0, 7, 0}, false,
         "Set A is a quartet since it has 3 neighbours (set X)."},
        {"doublet of triplets", CouplingSet::A, {1, 1, 2, 10, 4, 0}, false,
         "Set A is a doublet of triplets.\r\nThe doublet is due to the 1 neighbour of set M.\r\n"
         "The triplet is due to the 2 neighbours of set X."},
        {"coincident, stick diagram", CouplingSet::A, {1, 1, 2, 8, 4, 0}, true,
         "Set A is a doublet of triplets that are partially coincident.\r\n"
         "The doublet is due to the 1 neighbour of set M.\r\nThe triplet is due to the 2 neighbours of set X.\r\n"
         "Note that the stick diagram does not show relative peak heights."},
        {"coincident, lines", CouplingSet::A, {1, 1, 2, 8, 4, 0}, false,
         "Set A is a doublet of triplets that are partially coincident.\r\nUse the stick diagram to see why.\r\n"
         "The doublet is due to the 1 neighbour of set M.\r\nThe triplet is due to the 2 neighbours of set X."},
        {"equal counts", CouplingSet::A, {1, 1, 1, 9, 3, 0}, false,
         "Set A is a doublet of doublets.\r\nThe first doublet is due to the 1 neighbour of set M.\r\n"
         "The second doublet is due to the 1 neighbour of set X."},
        {"set X, larger coupling to A", CouplingSet::X, {1, 2, 1, 0, 9, 3}, false,
         "Set X is a doublet of triplets.\r\nThe doublet is due to the 1 neighbour of set A.\r\n"
         "The triplet is due to the 2 neighbours of set M."},
        {"set X, plural follows each count", CouplingSet::X, {2, 1, 2, 0, 9, 3}, false,
         "Set X is a triplet of doublets.\r\nThe triplet is due to the 2 neighbours of set A.\r\n"
         "The doublet is due to the 1 neighbour of set M."},
        {"larger coupling named first", CouplingSet::A, {1, 3, 1, 2, 9, 0}, false,
         "Set A is a doublet of quartets.\r\nThe doublet is due to the 1 neighbour of set X.\r\n"
         "The quartet is due to the 3 neighbours of set M."},
    };
    // clang-format on
    for (const ExplainCase& c : cases)
        EXPECT_EQ(explain(c.set, c.in, c.stick), QString::fromLatin1(c.text)) << c.name;
}

TEST(CouplingExplanation, GeneralHelp)
{
    const QStringList lines = couplingGeneralHelp().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], "Calculates proton multiplicities due to spin coupling under first order conditions.");
    EXPECT_TRUE(lines[1].isEmpty());
    EXPECT_EQ(lines[5], "* The chemical shift difference (in Hertz) between sets of protons is about 10");
    EXPECT_EQ(lines[6], "   or more times larger than the coupling constant.");
    EXPECT_TRUE(lines[7].endsWith(u' '));
    EXPECT_FALSE(couplingGeneralHelp().endsWith(QStringLiteral("\r\n")));
}
