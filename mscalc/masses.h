#pragma once
// Masses of a molecular formula of C, H, N, O, Br, Cl and I: the integer
// (nominal) mass from each element's most common isotope, the high-resolution
// (monoisotopic) mass and the molar mass from the atomic weights.
#include <QString>

namespace orv::mscalc {

// Atom counts of a formula; the calculators keep each within its spin range.
struct AtomCounts {
    int c = 0, h = 0, n = 0, o = 0, br = 0, cl = 0, i = 0;
    bool empty() const { return c == 0 && h == 0 && n == 0 && o == 0 && br == 0 && cl == 0 && i == 0; }
};

// Integer masses of the most common isotopes: C 12, H 1, N 14, O 16, Br 79,
// Cl 35, I 127 (the same in all three mass calculators).
int integerMass(const AtomCounts& f);
// Sum of the monoisotopic masses (u), unrounded.
double highResMass(const AtomCounts& f);
// Sum of the atomic weights, rounded to 3 decimals (halves to even).
double molarMass(const AtomCounts& f);

// "#.000000" as the high-resolution box shows it.
QString formatHighRes(double mass);
// Shortest general form: 46.07, not 46.070.
QString formatGeneral(double value);

// The printouts' formula line: "For the formula " and, for each element with
// a count above 0 in the order C, H, Br, Cl, I, N, O, "C = 6" and three spaces.
QString formulaPrintLine(const AtomCounts& f);

// The mass window's help: its lead line, and the three paragraphs that are
// also printed when the help is on show (CR LF between lines).
QString massHelpLead();
QString massHelpParagraphs();

} // namespace orv::mscalc
