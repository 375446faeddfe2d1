#include "mscalc/isotope.h"

#include "platform/basic.h"

namespace orv::mscalc {

namespace {

// n over j, built up a factor at a time so that large n never overflow
// on the way (n! alone would beyond 170).
double binomial(int n, int j)
{
    double c = 1;
    for (int r = 1; r <= j; ++r)
        c = c * (n - j + r) / r;
    return c;
}

// Isotope data, in the order the pattern is built. Ratios of the minor to
// the most abundant isotope: 81Br/79Br, 37Cl/35Cl, 17O and 18O/16O,
// 15N/14N, 13C/12C, 2H/1H; iodine is monoisotopic.
struct ElementRow {
    int AtomCounts::*count;
    int nominalMass;
    std::vector<MinorIsotope> minors;
};

const std::vector<ElementRow>& elementRows()
{
    static const std::vector<ElementRow> rows{
        {&AtomCounts::br, 79, {{0.97278f, 2}}},
        {&AtomCounts::cl, 35, {{0.31978f, 2}}},
        {&AtomCounts::o, 16, {{0.000381f, 1}, {0.002005f, 2}}},
        {&AtomCounts::n, 14, {{0.003673f, 1}}},
        {&AtomCounts::c, 12, {{0.01112f, 1}}},
        {&AtomCounts::h, 1, {{0.00015f, 1}}},
        {&AtomCounts::i, 127, {}},
    };
    return rows;
}

} // namespace

void IsotopeCalc::ProcessIsotope(float ratio, int count, int gap)
{
    std::array<float, kPatternSlots> add{};
    for (int i = 0; i <= 15; ++i) {
        if (!(IsotopePattern[i] > 0))
            continue;
        for (int j = 1; j <= count; ++j) {
            float c = static_cast<float>(binomial(count, j));
            for (int r = 0; r < j; ++r)
                c = c * ratio;
            c = c * IsotopePattern[i];
            const int t = i + j * gap;
            if (t <= 16 && c > 0.00001f)
                add[t] += c;
        }
    }
    for (int k = 1; k < kPatternSlots; ++k)
        IsotopePattern[k] += add[k];
}

bool IsotopeCalc::calculate(const AtomCounts& f)
{
    for (const ElementRow& row : elementRows())
        if (f.*(row.count) > kMaxIsotopeAtoms || f.*(row.count) < 0)
            return false;
    IsotopePattern.fill(0.0f);
    IsotopePattern[0] = 1.0f;
    NominalMass = 0;
    for (const ElementRow& row : elementRows()) {
        const int n = f.*(row.count);
        if (n <= 0)
            continue;
        for (const MinorIsotope& m : row.minors)
            ProcessIsotope(m.ratio, n, m.gap);
        NominalMass += n * row.nominalMass;
    }
    TallestPeak = IsotopePattern[0];
    for (float v : IsotopePattern)
        if (v > TallestPeak)
            TallestPeak = v;
    return true;
}

std::vector<IsotopePeak> IsotopeCalc::peaks() const
{
    std::vector<IsotopePeak> out;
    for (int k = 0; k < kPatternSlots; ++k) {
        if (k < 16 && IsotopePattern[k] < 0.001f && IsotopePattern[k + 1] < 0.001f)
            break;
        out.push_back({k, NominalMass + k, IsotopePattern[k] / TallestPeak * 100.0f});
    }
    return out;
}

QString IsotopeCalc::resultText() const
{
    QString text = QStringLiteral("Mass      Relative abundance\r\n");
    for (const IsotopePeak& p : peaks()) {
        text += QString::number(p.mass).rightJustified(4) + QStringLiteral("\t\t");
        const QString value = Format(p.relAbundance, QStringLiteral("0.0"));
        const double shown = value.toDouble();
        text += (shown < 10    ? QStringLiteral("  ")
                 : shown < 100 ? QStringLiteral(" ")
                               : QString())
              + value + QStringLiteral("\r\n");
    }
    return text;
}

bool chartsPeak(const IsotopePeak& p) { return p.relAbundance > 0.08f && p.k < kChartedSlots; }

QString isotopeGeneralHelp()
{
    const QString nl = QStringLiteral("\r\n");
    return QStringLiteral("Calculates relative abundances of isotope peaks for a specified formula. Enter the number "
                          "of atoms of each element required with the mouse and scrollbar and then click on "
                          "\"Calculate\".")
         + nl + nl
         + QStringLiteral("Most commonly (and usefully) this calculation is done for the molecular formula. For the "
                          "molecular ion M in a mass spectrum there are often several possible molecular formulae and "
                          "isotope peaks M+1, M+2 etc can help distinguish between them.")
         + nl + nl + QStringLiteral("For example, as an approximation") + nl
         + QStringLiteral("      number of C atoms x 0.0111 = [M+1]/[M]") + nl
         + QStringLiteral("where [M+1] = abundance of M+1 ion") + nl
         + QStringLiteral("and     [M] = abundance of M ion.") + nl + nl
         + QStringLiteral("This calculation is possible because for every 100 atoms of C mass 12 there are 1.11 of "
                          "mass 13. The best examples of elements having significant isotope peaks are Cl and Br.")
         + nl + nl;
}

QString isotopeResultsHelp()
{
    return QStringLiteral("The results of these calculations depend on the values used for the natural abundances of "
                          "the various isotopes and these can vary slightly between references.The ones used here are "
                          "shown on the left. Note that the most abundant isotope of each element is assigned a "
                          "relative abundance of 100%. ")
         + QStringLiteral("\r\n\r\n")
         + QStringLiteral("Following normal practice, the calculated results for the abundances of the isotope "
                          "combinations are expressed relative to the tallest one rather that to the combination "
                          "involving the most common isotopes. (Try a formula containing two bromines to see what "
                          "this means.) ");
}

IsotopePrintChart isotopePrintChart(const IsotopeCalc& calc, double x0, double y0)
{
    IsotopePrintChart c;
    const auto line = [&](double x1, double y1, double x2, double y2) { c.axes.append({{x1, y1}, {x2, y2}}); };
    const auto text = [&](double x, double y, const QString& t) { c.texts.append({{x, y}, t}); };
    line(x0, y0, x0, y0 + 5000);
    line(x0 - 50, y0, x0, y0);
    text(x0 - 550, y0 - 150, QStringLiteral("100"));
    text(x0 - 700, y0 + 2350, QStringLiteral("RA"));
    line(x0 - 50, y0 + 5000, x0, y0 + 5000);
    text(x0 - 250, y0 + 4850, QStringLiteral("0"));
    line(x0, y0 + 5000, x0 + 3900, y0 + 5000);
    line(x0 + 300, y0 + 5000, x0 + 300, y0 + 5200);
    line(x0 + 3900, y0 + 5000, x0 + 3900, y0 + 5200);
    for (int k = 2; k <= 12; ++k)
        line(x0 + 300 * k, y0 + 5000, x0 + 300 * k, y0 + 5050);
    text(x0 + 150, y0 + 5200, QString::number(calc.NominalMass));
    text(x0 + 3750, y0 + 5200, QString::number(calc.NominalMass + 12));
    for (const IsotopePeak& peak : calc.peaks())
        if (chartsPeak(peak))
            c.bars.append(
                {{x0 + 300 * (peak.k + 1), y0 + (100 - peak.relAbundance) * 50}, {x0 + 300 * (peak.k + 1), y0 + 5000}});
    return c;
}

} // namespace orv::mscalc
