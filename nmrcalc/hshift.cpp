#include "nmrcalc/hshift.h"

#include "nmrcalc/hshifttables.h"
#include "platform/basic.h"

namespace orv::nmr {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QList<int> kBenzeneDisabled = {0, 5, 13, 15, 18};

QString ppm(float v) { return QStringLiteral("\t") + Format(v, QStringLiteral("0.00")) + QStringLiteral(" ppm"); }

struct BenzeneProton {
    const char* label;
    const char* pos[3]; // position of X, Y and Z relative to the proton
};
struct BenzenePattern {
    const char* key;
    const char* title;
    QList<BenzeneProton> protons;
};

const QList<BenzenePattern>& benzenePatterns()
{
    // clang-format off
    static const QList<BenzenePattern> list = {
        {"monosub", "monosubstituted benzene calculated shifts are:",
         {{"H-2 ", {"ortho"}}, {"H-3 ", {"meta"}}, {"H-4 ", {"para"}}}},
        {"1,2-disub", "1,2-disubstituted benzene calculated shifts are:",
         {{"H-3 ", {"meta", "ortho"}}, {"H-4 ", {"para", "meta"}}, {"H-5 ", {"meta", "para"}},
          {"H-6 ", {"ortho", "meta"}}}},
        {"1,3-disub", "1,3-disubstituted benzene calculated shifts are:",
         {{"H-2 ", {"ortho", "ortho"}}, {"H-4 ", {"para", "ortho"}}, {"H-5 ", {"meta", "meta"}},
          {"H-6 ", {"ortho", "para"}}}},
        {"1,4-disub", "1,4-disubstituted benzene calculated shifts are:",
         {{"H-2 ", {"ortho", "meta"}}, {"H-3 ", {"meta", "ortho"}}}},
        {"1,2,3-trisub", "1,2,3-trisubstituted benzene calculated shifts are:",
         {{"H-4 ", {"para", "meta", "ortho"}}, {"H-5 ", {"meta", "para", "meta"}},
          {"H-6 ", {"ortho", "meta", "para"}}}},
        {"1,2,4-trisub", "1,2,4-trisubstituted benzene calculated shifts are:",
         {{"H-3", {"meta", "ortho", "ortho"}}, {"H-5", {"meta", "para", "ortho"}},
          {"H-6", {"ortho", "meta", "meta"}}}},
        {"1,3,5-trisub", "1,3,5-trisubstituted benzene calculated shifts are:",
         {{"H-2 ", {"ortho", "ortho", "para"}}, {"H-4 ", {"para", "ortho", "ortho"}},
          {"H-6 ", {"ortho", "para", "ortho"}}}},
    };
    // clang-format on
    return list;
}

} // namespace

const QList<ShiftStage>& hShiftStages()
{
    static const QList<ShiftStage> list = {
        {"alkene", "substituents for substituted alkenes", "ovhcea.gif", 3, {5, 6, 10, 11, 13, 15}},
        {"methylene", "substituents for substituted methyl or methylene", "ovhcma.gif", 2, {}},
        {"methine", "substituents for substituted methine", "ovhcmb.gif", 2, {0, 1, 10}},
        {"monosub", "substituents for monosubstituted benzenes", "ovhcba.gif", 1, kBenzeneDisabled},
        {"1,2-disub", "substituents for 1,2-disubstituted benzenes", "ovhcbb.gif", 2, kBenzeneDisabled},
        {"1,3-disub", "substituents for 1,3-disubstituted benzenes", "ovhcbc.gif", 2, kBenzeneDisabled},
        {"1,4-disub", "substituents for 1,4-disubstituted benzenes", "ovhcbd.gif", 2, kBenzeneDisabled},
        {"1,2,3-trisub", "substituents for 1,2,3-trisubstituted benzenes", "ovhcbe.gif", 3, kBenzeneDisabled},
        {"1,2,4-trisub", "substituents for 1,2,4-trisubstituted benzenes", "ovhcbf.gif", 3, kBenzeneDisabled},
        {"1,3,5-trisub", "substituents for 1,3,5-trisubstituted benzenes", "ovhcbg.gif", 3, kBenzeneDisabled},
    };
    return list;
}

const ShiftStage* hShiftStage(const QString& key)
{
    for (const ShiftStage& s : hShiftStages())
        if (key == QLatin1String(s.key))
            return &s;
    return nullptr;
}

const ShiftStage& hShiftBenzeneStage(int subtype) { return hShiftStages()[3 + std::clamp(subtype, 0, 6)]; }

float CalculateBenzene(int sub, const QString& position)
{
    for (const BenzeneHIncrement& r : benzeneHIncrements())
        if (r.sub == sub) {
            if (position == QLatin1String("ortho"))
                return r.ortho;
            if (position == QLatin1String("meta"))
                return r.meta;
            if (position == QLatin1String("para"))
                return r.para;
        }
    return 0.0f;
}

float CalculateEthene(int sub, const QString& position)
{
    for (const AlkeneHIncrement& r : alkeneHIncrements())
        if (r.sub == sub) {
            if (position == QLatin1String("geminal"))
                return r.geminal;
            if (position == QLatin1String("cis"))
                return r.cis;
            if (position == QLatin1String("trans"))
                return r.trans;
        }
    return 0.0f;
}

float CalculateMethylene(int sub)
{
    const auto t = methyleneHConstants();
    return sub >= 0 && sub < static_cast<int>(t.size()) ? t[sub] : 0.0f;
}

float CalculateMethine(int sub)
{
    for (const MethineHConstant& r : methineHConstants())
        if (r.sub == sub)
            return r.value;
    return 0.0f;
}

QString hShiftResult(const QString& stageKey, int subX, int subY, int subZ)
{
    if (stageKey == QLatin1String("alkene")) {
        float v = CalculateEthene(subX, QStringLiteral("cis")) + 5.25f;
        v = v + CalculateEthene(subY, QStringLiteral("trans"));
        v = v + CalculateEthene(subZ, QStringLiteral("geminal"));
        return QStringLiteral("Ethylene H calculated shift is:") + kCrLf + kCrLf + ppm(v);
    }
    if (stageKey == QLatin1String("methine")) {
        float v = CalculateMethine(subX) + 2.5f;
        v = v + CalculateMethine(subY);
        return QStringLiteral("Methine calculated shift is:") + kCrLf + kCrLf + ppm(v);
    }
    if (stageKey == QLatin1String("methylene")) {
        float v = CalculateMethylene(subX) + 0.23f;
        v = v + CalculateMethylene(subY);
        const QString kind = subX != 0 && subY != 0 ? QStringLiteral("Methylene ") : QStringLiteral("Methyl ");
        return kind + QStringLiteral("calculated shift is:") + kCrLf + kCrLf + ppm(v);
    }
    for (const BenzenePattern& pattern : benzenePatterns()) {
        if (stageKey != QLatin1String(pattern.key))
            continue;
        const int subs[3] = {subX, subY, subZ};
        QString t = QString::fromLatin1(pattern.title) + kCrLf + kCrLf;
        const QString nine(9, u' ');
        for (const BenzeneProton& h : pattern.protons) {
            float v = 7.27f;
            for (int place = 0; place < 3 && h.pos[place]; ++place)
                v = v + CalculateBenzene(subs[place], QString::fromLatin1(h.pos[place]));
            t += nine + QString::fromLatin1(h.label) + QStringLiteral("\t") + nine + Format(v, QStringLiteral("0.00"))
               + QStringLiteral(" ppm") + kCrLf;
        }
        return t;
    }
    return {};
}

namespace {

struct Explanation {
    const char* opening;
    const char* middle;
    const char* verdict;
};

const char* const kMethane = "The protons in methane occur at 0.23 ppm and the ";
const char* const kEthene = "The protons in unsubstituted ethene occur at 5.25 ppm and the ";
const char* const kBenzene = "The protons in unsubstituted benzene occur at 7.27 ppm and the ";
const char* const kOneOrMore = "calculation shows the effect of one or more substituents. ";
const char* const kOne = "calculation shows the effect of one substituent. ";
const char* const kTwo = "calculation shows the effect of two substituents. ";
const char* const kThree = "calculation shows the effect of three substituents. ";
const char* const kQuiteGood = "This result, although approximate, should be quite good "
                               "- typically within 0.3 ppm of the experimental value.";
const char* const kVeryGood = "This result should be very good.";
const char* const kSteric = "This result may be inaccurate due to steric effects.";
const char* const kFairlyGood = "This result, although approximate, should be fairly good.";
const char* const kVeryLikely = "This result is very likely to be inaccurate due in part to steric effects.";
const char* const kLikely = "This result is likely to be inaccurate.";

bool explanationOf(const QString& key, Explanation& e)
{
    struct Row {
        const char* key;
        Explanation e;
    };
    // clang-format off
    static const Row rows[] = {
        {"methylene", {kMethane, kOneOrMore, kQuiteGood}},  {"methine", {kMethane, kOneOrMore, kQuiteGood}},
        {"alkene", {kEthene, kOneOrMore, kQuiteGood}},      {"monosub", {kBenzene, kOne, kVeryGood}},
        {"1,2-disub", {kBenzene, kTwo, kSteric}},           {"1,3-disub", {kBenzene, kTwo, kFairlyGood}},
        {"1,4-disub", {kBenzene, kTwo, kFairlyGood}},       {"1,2,3-trisub", {kBenzene, kThree, kVeryLikely}},
        {"1,2,4-trisub", {kBenzene, kThree, kVeryLikely}}, {"1,3,5-trisub", {kBenzene, kThree, kLikely}},
    };
    // clang-format on
    for (const Row& r : rows)
        if (key == QLatin1String(r.key)) {
            e = r.e;
            return true;
        }
    return false;
}

} // namespace

QString hShiftHelp(const QString& stageKey, bool resultShown)
{
    if (stageKey == QLatin1String("htype"))
        return QStringLiteral("Calculates proton chemical shifts. "
                              "The values generated are approximate but usually within 0.3 ppm. "
                              "First select the type of proton and then click on Select. "
                              "Then continue with further selections.");
    if (stageKey == QLatin1String("subtypealkyl"))
        return QStringLiteral("Select the desired type of substituted methane and then you will be able to "
                              "continue with specifying substituents. The calculations "
                              "work best for methyl and methylene while the methine "
                              "choice is restricted - one substituent must be an alkyl group.");
    if (stageKey == QLatin1String("subtypearyl"))
        return QStringLiteral("Select the desired type of substituted benzene.") + kCrLf
             + QStringLiteral("Monosubstituted will give accurate data. Disubstituted "
                              "usually give good values, particularly for 1,3- and 1,4-cases. "
                              "The calculations are less reliable for trisubstitued benzenes.");
    Explanation e;
    if (!explanationOf(stageKey, e))
        return {};
    if (!resultShown)
        return QStringLiteral("Select one or more substituents. If there is not the precise one, "
                              "choose the closest match noting that the calculations "
                              "will be less accurate. R usually means an alkyl "
                              "(saturated aliphatic) group, sometimes it represents H. "
                              "A bit more information may be seen in the \"tool tip text\" "
                              "(obtained by leaving the mouse pointer over one "
                              "of the buttons for a few seconds).");
    return QString::fromLatin1(e.opening) + QString::fromLatin1(e.middle) + QString::fromLatin1(e.verdict);
}

QStringList hShiftPrintedExplanation(const QString& stageKey)
{
    const QString benzene = QStringLiteral("The protons in unsubstituted benzene occur at 7.27 ppm and ");
    const QString two = QStringLiteral("the calculation shows the effect of two substituents. ");
    const QString three = QStringLiteral("the calculation shows the effect of three substituents. ");
    const QStringList quiteGood = {QStringLiteral("This result, although approximate, should be quite good "),
                                   QStringLiteral("- typically within 0.3 ppm of the experimental value.")};
    if (stageKey == QLatin1String("methylene") || stageKey == QLatin1String("methine"))
        return QStringList{QStringLiteral("The protons in methane occur at 0.23 ppm and the calculation "),
                           QStringLiteral("shows the effect of one or more substituents. ")}
             + quiteGood;
    if (stageKey == QLatin1String("alkene"))
        return QStringList{QStringLiteral("The protons in unsubstituted ethene occur at 5.25 ppm and the "),
                           QStringLiteral("calculation shows the effect of one or more substituents. ")}
             + quiteGood;
    if (stageKey == QLatin1String("monosub"))
        return {benzene, QStringLiteral("the calculation shows the effect of one substituent. "),
                QString::fromLatin1(kVeryGood)};
    if (stageKey == QLatin1String("1,2-disub"))
        return {benzene, two, QString::fromLatin1(kSteric)};
    if (stageKey == QLatin1String("1,3-disub") || stageKey == QLatin1String("1,4-disub"))
        return {benzene, two, QString::fromLatin1(kFairlyGood)};
    if (stageKey == QLatin1String("1,2,3-trisub") || stageKey == QLatin1String("1,2,4-trisub"))
        return {benzene, three, QString::fromLatin1(kVeryLikely)};
    if (stageKey == QLatin1String("1,3,5-trisub"))
        return {benzene, three, QString::fromLatin1(kLikely)};
    return {};
}

} // namespace orv::nmr
