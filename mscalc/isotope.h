#pragma once
// Isotope peak pattern of a formula of C, H, N, O, Br, Cl and I: the
// abundances of M, M+1 ... M+16 in single precision, each as a percentage
// of the tallest. Each element's minor isotopes multiply the pattern by
// (1 + ratio x^gap)^n, so the all-major-isotope peak M keeps weight 1.
#include "mscalc/masses.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <array>
#include <vector>

namespace orv::mscalc {

// One minor isotope: abundance relative to the element's most abundant
// isotope, and its extra mass in whole units.
struct MinorIsotope {
    float ratio;
    int gap;
};

inline constexpr int kPatternSlots = 17; // M .. M+16
inline constexpr int kChartedSlots = 13; // M .. M+12 get a bar
// Atoms of one element the pattern is calculated for (the window offers fewer).
inline constexpr int kMaxIsotopeAtoms = 999;

// A listed peak: its mass and its percentage of the tallest.
struct IsotopePeak {
    int k = 0; // M+k
    int mass = 0;
    float relAbundance = 0;
};

class IsotopeCalc {
public:
    // Multiplies the pattern in place by the distribution of one minor
    // isotope present `count` times; terms of 0.00001 or less, or beyond
    // M+16, are dropped. Slot 0 never changes.
    void ProcessIsotope(float ratio, int count, int gap);
    // Fills the pattern, NominalMass and TallestPeak for the formula. More
    // than kMaxIsotopeAtoms of one element (or a negative count) is refused:
    // false, and nothing changes. Within the limit every value is finite.
    bool calculate(const AtomCounts& f);
    // The peaks listed: from M up to where two slots in a row fall below
    // 0.001 of M (slot 16, when reached, is listed).
    std::vector<IsotopePeak> peaks() const;
    // "Mass      Relative abundance" and one line per listed peak, each
    // ending in CR LF: mass right-aligned in four characters, two tabs, the
    // percentage "0.0" right-aligned in five.
    QString resultText() const;

    std::array<float, kPatternSlots> IsotopePattern{1.0f};
    int NominalMass = 0;
    float TallestPeak = 0;
};

// Whether listed peak k gets a bar in the chart (above 0.08 % and k <= 12).
bool chartsPeak(const IsotopePeak& p);

// The printout's chart, in twips from its top left axis point (x0, y0): the
// relative-abundance axis 5000 high with "100", "RA" and "0", the mass axis
// 3900 long with a tick per mass and the first and last masses written, and
// one bar per charted peak (M+k at x0 + 300 (k + 1)). Text positions are the
// top left of the text.
struct ChartLine {
    QPointF from, to;
};
struct ChartText {
    QPointF at;
    QString text;
};
struct IsotopePrintChart {
    QList<ChartLine> axes; // thin lines
    QList<ChartLine> bars; // thick bars
    QList<ChartText> texts;
};
IsotopePrintChart isotopePrintChart(const IsotopeCalc& calc, double x0, double y0);
inline constexpr int kIsotopeChartHeight = 5600; // room the chart needs on the page

// The window's two help texts: before the first calculation, and after it
// (beside the picture of the abundances used).
QString isotopeGeneralHelp();
QString isotopeResultsHelp();

} // namespace orv::mscalc
