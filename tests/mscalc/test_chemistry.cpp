// The arithmetic of the three mass-spectrometry calculators against known answers.
#include "mscalc/formula.h"
#include "mscalc/isotope.h"
#include "mscalc/masses.h"
#include "tests/core/qtprinters.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace orv::mscalc;

namespace {

AtomCounts counts(int c, int h, int n = 0, int o = 0, int br = 0, int cl = 0, int i = 0)
{
    AtomCounts f;
    f.c = c, f.h = h, f.n = n, f.o = o, f.br = br, f.cl = cl, f.i = i;
    return f;
}

// The formula lines of a result (between the heading and the count line).
QStringList formulaLines(const FormulaSearch& s)
{
    QStringList lines = s.text.split(QStringLiteral("\r\n"));
    return lines.mid(2, lines.size() - 3);
}

} // namespace

// ---------------------------------------------------------------- masses

TEST(Masses, KnownFormulae)
{
    // clang-format off
    const struct { const char* name; AtomCounts f; int integer; const char* highRes; const char* molar; } cases[] = {
        {"C6H6", counts(6, 6), 78, "78.046950", "78.115"},
        {"CH4", counts(1, 4), 16, "16.031300", "16.043"},
        {"C2H5Br", counts(2, 5, 0, 0, 1), 108, "107.957473", "108.966"},
        {"C2H6O", counts(2, 6, 0, 1), 46, "46.041865", "46.07"},
        {"CH3I", counts(1, 3, 0, 0, 0, 0, 1), 142, "141.927827", "141.939"},
        {"CH2Cl2", counts(1, 2, 0, 0, 0, 2), 84, "83.953360", "84.933"},
        {"C5H5N", counts(5, 5, 1), 79, "79.042199", "79.102"},
        {"C15H32N4O4Br3Cl3I3", counts(15, 32, 4, 4, 3, 3, 3), 1055, "1054.617021", "1059.231"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(integerMass(c.f), c.integer);
        EXPECT_EQ(formatHighRes(highResMass(c.f)), QString::fromLatin1(c.highRes));
        EXPECT_EQ(formatGeneral(molarMass(c.f)), QString::fromLatin1(c.molar));
    }
}

TEST(Masses, FormulaLineListsCountedElementsInPrintOrder)
{
    EXPECT_EQ(formulaPrintLine(counts(6, 6)), "For the formula C = 6   H = 6   ");
    EXPECT_EQ(formulaPrintLine(counts(2, 4, 1, 1, 1, 1, 1)),
              "For the formula C = 2   H = 4   Br = 1   Cl = 1   I = 1   N = 1   O = 1   ");
    EXPECT_EQ(formulaPrintLine(counts(0, 0, 0, 2)), "For the formula O = 2   ");
}

// ---------------------------------------------------------------- formulae

TEST(Formulae, DefaultLimitsFindTheExpectedFormulae)
{
    // clang-format off
    const struct { const char* mass; QStringList lines; } cases[] = {
        {"16", {"  1  4       0 "}},
        {"78", {"  6  6       4 ", "  2  6  3    0 "}},
        {"29", {"  2  5       0.5 not mol"}},
        // butane and acetone / propanal
        {"58", {"  4 10       0 ", "  3  6  1    1 "}},
        // pentane, butanone, acrylic acid
        {"72", {"  5 12       0 ", "  4  8  1    1 ", "  3  4  2    2 "}},
        // C7H10 and phenol
        {"94", {"  7 10       3 ", "  6  6  1    4 "}},
        {"14", {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mass);
        FormulaSearch s;
        ASSERT_TRUE(s.Calculate(QString::fromLatin1(c.mass), FormulaLimits{}));
        const QStringList lines = s.text.split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines[0], QStringLiteral("For mass = ") + c.mass);
        EXPECT_EQ(lines[1], "  C  H  O   ihd");
        EXPECT_EQ(formulaLines(s), c.lines);
        EXPECT_EQ(lines.last(), QString::number(c.lines.size()) + " found");
        EXPECT_EQ(s.FoundCount, c.lines.size());
    }
}

TEST(Formulae, HalogensNitrogenAndColumns)
{
    FormulaLimits l;
    l.hi(Limit::N) = 3;
    l.hi(Limit::Cl) = 2;
    l.hi(Limit::Br) = 1;
    l.hi(Limit::O) = 0;
    l.lo(Limit::H) = 0;
    FormulaSearch s;
    // CH2Cl2 (84) and C5H5N (79) lie among the answers for their masses.
    ASSERT_TRUE(s.Calculate("84", l));
    EXPECT_EQ(s.text.split("\r\n")[1], "  C  H  N Br Cl   ihd");
    EXPECT_TRUE(formulaLines(s).contains("  1  2        2    0 ")) << s.text.toStdString();
    ASSERT_TRUE(s.Calculate("79", l));
    EXPECT_TRUE(formulaLines(s).contains("  5  5  1          4 ")) << s.text.toStdString();
    // Bromine: C2H5Br at 108 among the lines, with two N-containing odd-mass ions marked.
    ASSERT_TRUE(s.Calculate("108", l));
    EXPECT_TRUE(formulaLines(s).contains("  2  5     1       0 ")) << s.text.toStdString();
    for (const QString& line : formulaLines(s))
        EXPECT_EQ(line.endsWith("not mol"), line.contains(".5")) << line.toStdString();
}

TEST(Formulae, NotMolRulesAndWideIhd)
{
    FormulaSearch s;
    s.limits.min = {0, 0, 0, 0, 0, 0, 0, 0};
    s.limits.max = {15, 32, 3, 4, 2, 2, 2, 16};
    // clang-format off
    const struct { const char* name; int target, c, h, n, o, br; bool notMol; const char* ihd; } cases[] = {
        {"CH3 radical (C1, H+X <= 3)", 15, 1, 3, 0, 0, 0, true, "0.5"},
        {"CH2 (C1, H+X <= 3)", 24, 1, 2, 0, 0, 0, true, "1"},
        {"OH below 16... HO at 17", 17, 0, 1, 0, 1, 0, true, "0.5"},
        {"CHO", 29, 1, 1, 0, 1, 0, true, "1.5"},
        {"O alone at 16", 16, 0, 0, 0, 1, 0, true, "1"},
        {"C2 at 24", 24, 2, 0, 0, 0, 0, true, "3"},
        {"NH4 odd nitrogen, even H", 18, 0, 4, 1, 0, 0, true, "-0.5"},
        {"NH3", 17, 0, 3, 1, 0, 0, false, "0"},
        {"CH3Br", 94, 1, 3, 0, 0, 1, false, "0"},
        {"C14H10 (ihd 10)", 178, 14, 10, 0, 0, 0, false, "10"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        s.text.clear();
        s.FoundCount = 0;
        s.TargetMass = c.target;
        s.NumC = c.c, s.NumH = c.h, s.NumN = c.n, s.NumO = c.o, s.NumBr = c.br, s.NumCl = 0, s.NumI = 0;
        s.CheckAndShow();
        if (QString::fromLatin1(c.ihd).startsWith('-')) {
            EXPECT_EQ(s.FoundCount, 0); // H above the saturation limit
            continue;
        }
        ASSERT_EQ(s.FoundCount, 1);
        EXPECT_EQ(s.text.endsWith("not mol"), c.notMol) << s.text.toStdString();
        EXPECT_TRUE(s.text.contains(QStringLiteral("   ") + c.ihd + " ")) << s.text.toStdString();
    }
    // An ihd of 10 or more starts one place further left and ends in two spaces.
    s.text.clear();
    s.TargetMass = 178;
    s.NumC = 14, s.NumH = 10, s.NumN = 0, s.NumO = 0, s.NumBr = 0;
    s.CheckAndShow();
    EXPECT_TRUE(s.text.endsWith(" 14 10                  10  ")) << s.text.toStdString();
    s.text.clear();
    s.NumC = 13, s.NumH = 22; // 178 as C13H22, ihd 3
    s.CheckAndShow();
    EXPECT_TRUE(s.text.endsWith(" 13 22                   3 ")) << s.text.toStdString();
}

TEST(Formulae, MassLimitAndRangeChecks)
{
    FormulaLimits l;
    EXPECT_EQ(formulaMassLimit(l), 250);
    l.lo(Limit::Br) = 1;
    EXPECT_EQ(formulaMassLimit(l), 328);
    EXPECT_EQ(maxMassToolTip(328), "Supply mass here via keyboard (max 328)");
    l.lo(Limit::Br) = 0;
    l.lo(Limit::I) = 2;
    EXPECT_EQ(formulaMassLimit(l), 502);
    l.lo(Limit::Br) = 2, l.lo(Limit::Cl) = 2;
    EXPECT_EQ(formulaMassLimit(l), 726);
    EXPECT_EQ(massRangeMessage(250), "Mass should be in range 14 - 250");

    FormulaSearch s;
    s.text = "earlier";
    for (const char* bad : {"13", "0", "", "abc", "251", "99999999999999999999"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(s.Calculate(QString::fromLatin1(bad), FormulaLimits{}));
        EXPECT_EQ(s.text, "earlier");
    }
    // A leading zero stands as typed in the header and is solved by value.
    ASSERT_TRUE(s.Calculate("016", FormulaLimits{}));
    EXPECT_TRUE(s.text.startsWith("For mass = 016\r\n"));
    EXPECT_EQ(s.TargetMass, 16);
    EXPECT_EQ(s.FoundCount, 1);
}

TEST(Formulae, ShownColumnsAndImpossibleLimits)
{
    FormulaLimits onlyO;
    onlyO.max = {0, 0, 0, 4, 0, 0, 0, 16};
    onlyO.min = {0, 0, 0, 0, 0, 0, 0, 0};
    FormulaSearch s;
    ASSERT_TRUE(s.Calculate("32", onlyO));
    EXPECT_EQ(s.text.split("\r\n")[1], "  O   ihd");
    EXPECT_EQ(formulaLines(s), QStringList{"  2    1 "});

    // A minimum above its maximum finds nothing; heavy fixed atoms give a
    // negative rest that is tested once and fails.
    FormulaLimits l;
    l.lo(Limit::I) = 2;
    l.hi(Limit::I) = 2;
    std::vector<double> steps;
    ASSERT_TRUE(s.Calculate("260", l, [&](double p) { steps.push_back(p); }));
    EXPECT_EQ(s.FoundCount, 0);
    ASSERT_EQ(steps.size(), 4u); // O 0..3
    EXPECT_DOUBLE_EQ(steps.back(), 100.0);
}

TEST(Formulae, PrintoutLines)
{
    FormulaLimits l;
    EXPECT_EQ(rangesLine(l), "Ranges C(1-15) H(4-32) O(0-3) ");
    EXPECT_EQ(ihdRangeLine(l), "Index of Hydrogen Deficiency 0-16");
    l.hi(Limit::N) = 2, l.hi(Limit::Br) = 1, l.lo(Limit::Cl) = 1, l.hi(Limit::Cl) = 2;
    EXPECT_EQ(rangesLine(l), "Ranges C(1-15) H(4-32) Br(0-1) Cl(1-2) N(0-2) O(0-3) ");
    EXPECT_TRUE(formulaHelpText().contains("labelled as \"not mol\" eg OH or CHO."));
    EXPECT_TRUE(formulaHelpText().endsWith("Br=79."));
}

// ---------------------------------------------------------------- isotopes

TEST(Isotopes, KnownPatterns)
{
    // clang-format off
    const struct { const char* name; AtomCounts f; QStringList lines; } cases[] = {
        {"C1", counts(1, 0), {"  12\t\t100.0", "  13\t\t  1.1"}},
        {"H1", counts(0, 1), {"   1\t\t100.0"}},
        {"I1", counts(0, 0, 0, 0, 0, 0, 1), {" 127\t\t100.0"}},
        {"C6H6", counts(6, 6), {"  78\t\t100.0", "  79\t\t  6.8", "  80\t\t  0.2"}},
        {"Br2", counts(0, 0, 0, 0, 2), {" 158\t\t 51.4", " 159\t\t  0.0", " 160\t\t100.0", " 161\t\t  0.0", " 162\t\t 48.6"}},
        {"Cl3", counts(0, 0, 0, 0, 0, 3),
         {" 105\t\t100.0", " 106\t\t  0.0", " 107\t\t 95.9", " 108\t\t  0.0", " 109\t\t 30.7", " 110\t\t  0.0",
          " 111\t\t  3.3"}},
        // dichloromethane: M : M+2 : M+4 close to 100 : 64 : 10
        {"CH2Cl2", counts(1, 2, 0, 0, 0, 2),
         {"  84\t\t100.0", "  85\t\t  1.1", "  86\t\t 64.0", "  87\t\t  0.7", "  88\t\t 10.2", "  89\t\t  0.1"}},
        // bromoform: 1 : 3r : 3r^2 : r^3 with M+2 the tallest
        {"CHBr3", counts(1, 1, 0, 0, 3),
         {" 250\t\t 34.3", " 251\t\t  0.4", " 252\t\t100.0", " 253\t\t  1.1", " 254\t\t 97.3", " 255\t\t  1.1",
          " 256\t\t 31.5", " 257\t\t  0.4"}},
        // naphthalene
        {"C10H8", counts(10, 8), {" 128\t\t100.0", " 129\t\t 11.2", " 130\t\t  0.6"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IsotopeCalc calc;
        calc.calculate(c.f);
        const QString text = calc.resultText();
        ASSERT_TRUE(text.endsWith("\r\n"));
        QStringList lines = text.split("\r\n");
        lines.removeLast();
        EXPECT_EQ(lines.takeFirst(), "Mass      Relative abundance");
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(calc.IsotopePattern[0], 1.0f);
    }
}

TEST(Isotopes, ListingAndChartLimits)
{
    // Three bromines and three chlorines with carbon and oxygen list beyond M+12, but only M..M+12 get bars.
    IsotopeCalc calc;
    calc.calculate(counts(15, 0, 0, 4, 3, 3));
    EXPECT_EQ(calc.NominalMass, 15 * 12 + 4 * 16 + 3 * 79 + 3 * 35);
    const auto peaks = calc.peaks();
    ASSERT_GT(peaks.size(), 13u);
    for (const IsotopePeak& p : peaks)
        if (p.k > 12) {
            EXPECT_FALSE(chartsPeak(p));
        }
    EXPECT_TRUE(chartsPeak(peaks[12]));
    // A peak of 0.08 % or less is listed but not charted.
    IsotopeCalc c6;
    c6.calculate(counts(6, 6));
    ASSERT_EQ(c6.peaks().size(), 3u);
    EXPECT_TRUE(chartsPeak(c6.peaks()[2])); // 0.17 %
    IsotopeCalc ch;
    ch.calculate(counts(1, 4, 0, 0, 0, 0, 0));
    for (const IsotopePeak& p : ch.peaks())
        EXPECT_EQ(chartsPeak(p), p.relAbundance > 0.08f);
    // Largest formula stays in range.
    IsotopeCalc big;
    big.calculate(counts(15, 32, 4, 4, 3, 3, 2));
    EXPECT_EQ(big.NominalMass, 928);
    EXPECT_FLOAT_EQ(big.peaks().front().relAbundance * big.TallestPeak / 100.0f, 1.0f);
}

TEST(Isotopes, LargeCountsStayFiniteAndBeyondTheLimitAreRefused)
{
    // 171 atoms made n! overflow: the coefficients came out as NaN.
    // clang-format off
    const struct { AtomCounts f; bool accepted; } cases[] = {
        {counts(171, 0), true},
        {counts(kMaxIsotopeAtoms, kMaxIsotopeAtoms, kMaxIsotopeAtoms, kMaxIsotopeAtoms, kMaxIsotopeAtoms,
                kMaxIsotopeAtoms, kMaxIsotopeAtoms), true},
        {counts(kMaxIsotopeAtoms + 1, 0), false},
        {counts(1, 0, 0, 0, 0, 100000), false},
        {counts(-1, 4), false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.f.c);
        IsotopeCalc calc;
        calc.NominalMass = 7;
        EXPECT_EQ(calc.calculate(c.f), c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(calc.NominalMass, 7) << "a refused formula changes nothing";
            continue;
        }
        for (float v : calc.IsotopePattern)
            EXPECT_TRUE(std::isfinite(v));
        for (const IsotopePeak& p : calc.peaks())
            EXPECT_TRUE(std::isfinite(p.relAbundance));
        EXPECT_FALSE(calc.resultText().contains(QStringLiteral("nan"), Qt::CaseInsensitive));
    }
}

TEST(Isotopes, ThePrintedChartHasABarPerChartedPeakOnItsMassAxis)
{
    IsotopeCalc calc;
    ASSERT_TRUE(calc.calculate(counts(2, 4, 0, 0, 0, 2))); // C2H4Cl2: M, M+2, M+4 stand out
    const IsotopePrintChart chart = isotopePrintChart(calc, 1000, 300);
    int charted = 0;
    for (const IsotopePeak& p : calc.peaks())
        if (chartsPeak(p)) {
            const ChartLine& bar = chart.bars.at(charted++);
            EXPECT_DOUBLE_EQ(bar.from.x(), 1000 + 300 * (p.k + 1));
            EXPECT_DOUBLE_EQ(bar.to.y(), 300 + 5000);
            EXPECT_NEAR(bar.from.y(), 300 + (100 - p.relAbundance) * 50, 1e-3);
        }
    EXPECT_EQ(chart.bars.size(), charted);
    EXPECT_GE(charted, 3);
    QStringList texts;
    for (const ChartText& t : chart.texts)
        texts << t.text;
    EXPECT_EQ(texts, (QStringList{"100", "RA", "0", "98", "110"}));
}

TEST(Isotopes, ProcessIsotopeIsABinomial)
{
    IsotopeCalc calc;
    calc.IsotopePattern.fill(0);
    calc.IsotopePattern[0] = 1;
    calc.ProcessIsotope(0.5f, 4, 1);
    const float expected[] = {1, 2, 1.5f, 0.5f, 0.0625f};
    for (int k = 0; k < 5; ++k)
        EXPECT_FLOAT_EQ(calc.IsotopePattern[k], expected[k]) << k;
    // Terms beyond M+16 are dropped, never wrapped.
    calc.IsotopePattern.fill(0);
    calc.IsotopePattern[0] = 1;
    calc.ProcessIsotope(1.0f, 10, 2);
    EXPECT_FLOAT_EQ(calc.IsotopePattern[16], 45.0f); // C(10,8)
    float sum = 0;
    for (float v : calc.IsotopePattern)
        sum += v;
    EXPECT_FLOAT_EQ(sum, 1024.0f - 10 - 1); // j = 9 and 10 fall off
}
