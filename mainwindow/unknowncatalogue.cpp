#include "mainwindow/unknowncatalogue.h"

#include <array>

namespace orv {

namespace {

// Members end at the first 0; the largest class, the arenes, has 17.
struct UnknownClass {
    const char* name;
    std::array<int, 18> members;
};

constexpr std::array<UnknownClass, 17> kUnknownClasses{{
    {"none", {}},
    {"acyl halide", {2, 59, 73}},
    {"alcohol", {3, 4, 27, 37, 55, 95}},
    {"aldehyde", {5, 6, 61, 69, 77, 78}},
    {"alkene", {50, 62, 68, 79, 87, 93}},
    {"amide", {7, 12, 60, 64, 74, 76}},
    {"amine", {8, 9, 22, 28, 34, 35, 36, 41, 42, 46, 48, 52, 53}},
    {"arene", {10, 23, 38, 39, 43, 44, 47, 51, 54, 56, 71, 80, 81, 82, 84, 94, 99}},
    {"carboxylic acid", {1, 65, 67, 75, 89, 98}},
    {"cyanide", {11, 24, 29, 40, 83, 85}},
    {"ester", {19, 20, 25, 32, 57, 76}},
    {"ether", {13, 26, 33, 72, 86, 90, 92}},
    {"haloalkane", {14, 15, 58, 63, 66, 96}},
    {"haloarene", {39, 54, 71, 84, 99}},
    {"ketone", {16, 17, 18, 21, 31, 70}},
    {"nitroarene", {23, 38, 47, 82}},
    {"phenol", {30, 45, 49, 88, 91, 97}},
}};
constexpr std::array<const char*, 100> kUnknownNames{{
    "",
    "benzoic acid",
    "benzoyl chloride",
    "ethanol",
    "benzyl alcohol",
    "propanal",
    "benzaldehyde",
    "propanamide",
    "diethylamine",
    "aniline",
    "toluene",
    "propanenitrile",
    "acetamide",
    "methoxybenzene",
    "1-bromobutane",
    "benzyl chloride",
    "2-butanone",
    "cyclopentanone",
    "acetophenone",
    "methyl propanoate",
    "propyl acetate",
    "2-methyl-1-phenyl-1-propanone",
    "2-ethylaniline",
    "1-chloro-4-nitrobenzene",
    "2-methylpropanenitrile",
    "ethyl chloroacetate",
    "1,4-dioxane",
    "1-hexanol",
    "2-methoxy-5-methylaniline",
    "propenenitrile",
    "2-methylphenol",
    "benzophenone",
    "phenyl acetate",
    "tetrahydrofuran",
    "4-methyl-2-nitroaniline",
    "2-chloroaniline",
    "2-methyl-4-nitroaniline",
    "cyclohexanol",
    "3-nitrotoluene",
    "3-bromotoluene",
    "benzonitrile",
    "N,N-diethylaniline",
    "N-ethylaniline",
    "anthracene",
    "1,3-xylene",
    "3-methylphenol",
    "quinoline",
    "2-nitrotoluene",
    " pyridine",
    "4-methylphenol",
    "cyclohexene",
    "naphthalene",
    "3-chloroaniline",
    "4-methylaniline",
    "2,4-dichlorotoluene",
    "2-phenoxyethanol",
    "2,4-dinitrotoluene",
    "coumarin",
    "1-bromohexane",
    "propanoyl chloride",
    "acetanilide",
    "4-methoxybenzaldehyde",
    "1-methylcyclohexene",
    "1-chlorobutane",
    "4-ethoxyacetanilide",
    "piperonylic acid",
    "1-iodopropane",
    "2-methylpropanoic acid",
    "1-hexene",
    "4-methylbenzaldehyde",
    "5-methyl-2-hexanone",
    "1,2-dichlorobenzene",
    "diphenyl ether",
    "phenylacetyl chloride",
    "N,N-dimethylacetamide",
    "butanoic acid",
    "ethyl oxamate",
    "4-chlorobenzaldehyde",
    "3-phenyl-2-propenal",
    "1-dodecene",
    "1-methylnaphthalene",
    "2-methylnaphthalene",
    "1,3-dimethyl-2-nitrobenzene",
    "2-chlorobenzonitrile",
    "2-chlorotoluene",
    "2,5-dimethylbenzonitrile",
    "dibutyl ether",
    "1-pentene",
    "3-chlorophenol",
    "3-benzoylpropanoic acid",
    "tert-butyl methyl ether",
    "4-tert-butylphenol",
    "1-chloro-3,5-dimethoxybenzene",
    "1-octene",
    "1-chloro-2-nitrobenzene",
    "2-butanol",
    "bromocyclohexane",
    "4-bromophenol",
    "4-tert-butylbenzoic acid",
    "4-bromotoluene",
}};

} // namespace

QString catalogueName(int unknown)
{
    if (unknown < 1 || unknown > kCatalogueUnknowns)
        return {};
    return QString::fromLatin1(kUnknownNames[unknown]);
}

QString catalogueClassName(int k)
{
    if (k < 0 || k >= kCatalogueClasses)
        return {};
    return QString::fromLatin1(kUnknownClasses[k].name);
}

QList<int> catalogueClassMembers(int k)
{
    if (k < 1 || k >= kCatalogueClasses)
        return {};
    QList<int> out;
    for (int n : kUnknownClasses[k].members)
        if (n != 0)
            out.append(n);
    return out;
}

} // namespace orv
