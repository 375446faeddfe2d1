#include "mscalc/masses.h"

#include "platform/basic.h"

#include <cmath>

namespace orv::mscalc {

int integerMass(const AtomCounts& f)
{
    return 12 * f.c + f.h + 79 * f.br + 35 * f.cl + 127 * f.i + 14 * f.n + 16 * f.o;
}

double highResMass(const AtomCounts& f)
{
    // Carbon is written 12.00000001 in the tables this calculator was checked
    // against; at six decimals it cannot be told from 12.
    return 1.007825 * f.h + 12.00000001 * f.c + 78.918348 * f.br + 34.968855 * f.cl + 126.904352 * f.i + 14.003074 * f.n
         + 15.994915 * f.o;
}

double molarMass(const AtomCounts& f)
{
    const double sum = 1.00797 * f.h + 12.01115 * f.c + 79.904 * f.br + 35.453 * f.cl + 126.9044 * f.i + 14.0067 * f.n
                     + 15.9994 * f.o;
    // Round on the 15-digit decimal form so that 78.1147 and 108.9655 land
    // where a reader expects, halves going to the even neighbour.
    const double scaled = std::stod(QString::number(sum * 1000.0, 'f', 6).toStdString());
    return static_cast<double>(CLng(scaled)) / 1000.0;
}

QString formatHighRes(double mass) { return Format(mass, QStringLiteral("#.000000")); }

QString formatGeneral(double value) { return QString::number(value, 'g', 15); }

QString formulaPrintLine(const AtomCounts& f)
{
    const struct {
        const char* label;
        int count;
    } order[] = {{"C = ", f.c}, {"H = ", f.h}, {"Br = ", f.br}, {"Cl = ", f.cl},
                 {"I = ", f.i}, {"N = ", f.n}, {"O = ", f.o}};
    QString line = QStringLiteral("For the formula ");
    for (const auto& e : order)
        if (e.count > 0)
            line += QString::fromLatin1(e.label) + QString::number(e.count) + QStringLiteral("   ");
    return line;
}

QString massHelpLead()
{
    return QStringLiteral("Select the required number of atoms of each element (to generate a molecular formula) "
                          "and then click on Calculate to determine the various masses.");
}

QString massHelpParagraphs()
{
    return QStringLiteral(
               "Integer mass is the sum of the masses of the specified atoms using the integer mass of the most "
               "common isotope of each of the elements (eg C=12, H=1, O=16). Use this value for normal low "
               "resolution mass spectrometry (such as the Orvanto spectra).")
         + QStringLiteral("\r\n\r\n")
         + QStringLiteral(
               "High resolution mass is the sum of the masses of the specified atoms using a more precise mass of "
               "the most common isotope of each of the elements (eg C=12.000000, H=1.007825, O=15.994915). This "
               "value is used for high resolution mass spectrometry.")
         + QStringLiteral("\r\n\r\n")
         + QStringLiteral(
               "Molar mass is the sum of the atomic weights of the specified atoms where the atomic weight of an "
               "element is based on an average of the masses of its isotopes weighted according to their "
               "abundance (eg C=12.01115, H=1.00797, O=15.9994). This value is used for normal chemical "
               "calculations.");
}

} // namespace orv::mscalc
