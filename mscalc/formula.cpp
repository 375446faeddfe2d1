#include "mscalc/formula.h"

#include "platform/basic.h"

#include <cmath>

namespace orv::mscalc {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const char* const kHeadings[] = {"  C", "  H", "  N", "  O", " Br", " Cl", "  I"};
} // namespace

int formulaMassLimit(const FormulaLimits& limits)
{
    return 250 + 78 * limits.lo(Limit::Br) + 34 * limits.lo(Limit::Cl) + 126 * limits.lo(Limit::I);
}

QString maxMassToolTip(int massLimit)
{
    return QStringLiteral("Supply mass here via keyboard (max ") + QString::number(massLimit) + u')';
}

bool massAccepted(const QString& massText, int massLimit)
{
    const double value = Val(massText);
    return value >= 14 && value <= massLimit;
}

QString massRangeMessage(int massLimit)
{
    return QStringLiteral("Mass should be in range 14 - ") + QString::number(massLimit);
}

bool FormulaSearch::Calculate(const QString& massText, const FormulaLimits& newLimits,
                              const std::function<void(double)>& progress)
{
    if (!massAccepted(massText, formulaMassLimit(newLimits)))
        return false;
    const double value = Val(massText);
    limits = newLimits;

    text = QStringLiteral("For mass = ") + massText + kCrLf;
    bool any = false;
    for (int e = 0; e < 7; ++e)
        if (shown(static_cast<Limit>(e))) {
            text += QString::fromLatin1(kHeadings[e]);
            any = true;
        }
    long combinations = 1;
    for (Limit l : {Limit::N, Limit::O, Limit::Br, Limit::Cl, Limit::I})
        if (shown(l))
            combinations *= limits.hi(l) - limits.lo(l) + 1;
    if (any)
        text += QStringLiteral("   ihd");

    TargetMass = CInt(value);
    RestMass = TargetMass;
    FoundCount = 0;
    long done = 0;
    for (NumI = limits.lo(Limit::I); NumI <= limits.hi(Limit::I); ++NumI)
        for (NumBr = limits.lo(Limit::Br); NumBr <= limits.hi(Limit::Br); ++NumBr)
            for (NumCl = limits.lo(Limit::Cl); NumCl <= limits.hi(Limit::Cl); ++NumCl)
                for (NumO = limits.lo(Limit::O); NumO <= limits.hi(Limit::O); ++NumO)
                    for (NumN = limits.lo(Limit::N); NumN <= limits.hi(Limit::N); ++NumN) {
                        RestMass = TargetMass - 14 * NumN - 16 * NumO - 79 * NumBr - 35 * NumCl - 127 * NumI;
                        NumC = static_cast<int>(std::floor(RestMass / 12.0));
                        NumH = RestMass - 12 * NumC;
                        ++done;
                        if (progress)
                            progress(combinations > 0 ? done * 100.0 / combinations : 100.0);
                        const int x = NumBr + NumCl + NumI;
                        do {
                            CheckAndShow();
                            --NumC;
                            NumH += 12;
                        } while (NumH <= 2 * NumC + 2 + NumN - x);
                    }
    text += kCrLf + QString::number(FoundCount) + QStringLiteral(" found");
    return true;
}

void FormulaSearch::CheckAndShow()
{
    const int x = NumBr + NumCl + NumI;
    const float ihd = static_cast<float>(2 * NumC + 2 + NumN - NumH - x) / 2.0f;
    const int counts[] = {NumC, NumH, NumN, NumO, NumBr, NumCl, NumI};
    for (int e = 0; e < 7; ++e)
        if (counts[e] < limits.min[e] || counts[e] > limits.max[e])
            return;
    if (NumH > 2 * NumC + 2 + NumN - x || ihd < limits.lo(Limit::IHD) || ihd > limits.hi(Limit::IHD))
        return;

    QString line = kCrLf;
    for (int e = 0; e < 7; ++e) {
        if (!shown(static_cast<Limit>(e)))
            continue;
        if (counts[e] == 0)
            line += QStringLiteral("   ");
        else if (e < 2)
            line += QString::number(counts[e]).rightJustified(3);
        else
            line += QStringLiteral("  ") + QString::number(counts[e]);
    }
    if (ihd < 10)
        line += u' ';
    line += QStringLiteral("   ") + QString::number(ihd) + u' ';
    if (ihd >= 10)
        line += u' ';
    const int hx = NumH + x;
    const bool notMol = (NumC == 1 && hx <= 3) || (hx % 2 == 0 && NumN % 2 == 1) || (hx % 2 == 1 && NumN % 2 == 0)
                     || TargetMass < 16 || (TargetMass == 16 && NumO == 1) || (TargetMass == 24 && NumC == 2);
    if (notMol)
        line += QStringLiteral("not mol");
    text += line;
    ++FoundCount;
}

QString rangesLine(const FormulaLimits& limits)
{
    // clang-format off
    const struct { const char* symbol; Limit limit; } order[] = {{"C", Limit::C},   {"H", Limit::H},   {"Br", Limit::Br},
                                                                  {"Cl", Limit::Cl}, {"I", Limit::I},  {"N", Limit::N},
                                                                  {"O", Limit::O}};
    // clang-format on
    QString line = QStringLiteral("Ranges ");
    for (const auto& e : order)
        if (limits.hi(e.limit) > 0)
            line += QString::fromLatin1(e.symbol) + u'(' + QString::number(limits.lo(e.limit)) + u'-'
                  + QString::number(limits.hi(e.limit)) + QStringLiteral(") ");
    return line;
}

QString ihdRangeLine(const FormulaLimits& limits)
{
    return QStringLiteral("Index of Hydrogen Deficiency ") + QString::number(limits.lo(Limit::IHD)) + u'-'
         + QString::number(limits.hi(Limit::IHD));
}

QString formulaHelpText()
{
    const QString gap = kCrLf + kCrLf;
    return QStringLiteral("Calculates possible formulae from a specified mass (entered via the keyboard). Limits can "
                          "be imposed on elements present and on the index of hydrogen deficiency (ihd) with the "
                          "mouse and scrollbars.")
         + gap
         + QStringLiteral("Masses entered could be that of the molecular ion (to get molecular formulae) or of "
                          "fragment ions formed or of fragments lost.")
         + gap
         + QStringLiteral("For each formula found, the ihd is reported. If the formula does not correspond to that "
                          "of a compound it is labelled as \"not mol\" eg OH or CHO.")
         + gap
         + QStringLiteral("Warning: just because a formula is not labelled \"not mol\" does not mean that any "
                          "compound with that formula must exist.")
         + gap
         + QStringLiteral("Note: all masses are based on the most common isotope of each element, eg C = 12, "
                          "Cl = 35, Br=79.");
}

} // namespace orv::mscalc
