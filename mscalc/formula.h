#pragma once
// Molecular formulae of C, H, N, O, Br, Cl and I whose integer mass equals a
// typed mass, within limits on each atom count and on the index of hydrogen
// deficiency (ihd). Formulae that cannot be a neutral molecule are marked
// "not mol".
#include <QString>
#include <array>
#include <functional>

namespace orv::mscalc {

// Rows of the limits, in the order of the result columns.
enum class Limit { C, H, N, O, Br, Cl, I, IHD };
inline constexpr int kLimitCount = 8;

struct FormulaLimits {
    std::array<int, kLimitCount> min{1, 4, 0, 0, 0, 0, 0, 0};
    std::array<int, kLimitCount> max{15, 32, 0, 3, 0, 0, 0, 16};
    int& lo(Limit l) { return min[static_cast<int>(l)]; }
    int& hi(Limit l) { return max[static_cast<int>(l)]; }
    int lo(Limit l) const { return min[static_cast<int>(l)]; }
    int hi(Limit l) const { return max[static_cast<int>(l)]; }
};

// Upper end of the spin range of each limit (the lower end is 0).
inline constexpr std::array<int, kLimitCount> kLimitTop{15, 32, 3, 4, 2, 2, 2, 16};

// 250, raised by each required halogen atom's integer mass less one.
int formulaMassLimit(const FormulaLimits& limits);
// "Supply mass here via keyboard (max 250)".
QString maxMassToolTip(int massLimit);
// Whether the mass box's number (Val of its text) lies in 14..massLimit.
bool massAccepted(const QString& massText, int massLimit);
// "Mass should be in range 14 - 250".
QString massRangeMessage(int massLimit);

// One calculation. The state is public because the window exposes the
// candidate test as its CheckAndShow.
class FormulaSearch {
public:
    // Checks the mass (Val of the text) against 14..limit; false leaves the
    // search untouched. Otherwise writes the whole result text; `progress`
    // receives 0..100 after each combination of N, O and halogens.
    bool Calculate(const QString& massText, const FormulaLimits& limits,
                   const std::function<void(double)>& progress = {});
    // Tests the current candidate; when it passes appends its line and counts it.
    void CheckAndShow();

    FormulaLimits limits;
    int TargetMass = 0;
    int RestMass = 0;
    int NumC = 0, NumH = 0, NumN = 0, NumO = 0, NumBr = 0, NumCl = 0, NumI = 0;
    int FoundCount = 0;
    QString text; // lines joined by CR LF, no final line end

private:
    bool shown(Limit l) const { return limits.hi(l) > 0; }
};

// The printout's lines: "Ranges C(1-15) H(4-32) O(0-3) " (elements whose
// maximum is above 0, in the order C, H, Br, Cl, I, N, O) and
// "Index of Hydrogen Deficiency 0-16".
QString rangesLine(const FormulaLimits& limits);
QString ihdRangeLine(const FormulaLimits& limits);

// The five help paragraphs, separated by an empty line.
QString formulaHelpText();

} // namespace orv::mscalc
