#include "nmrcalc/cshift.h"

#include "nmrcalc/cshifttables.h"
#include "platform/basic.h"

namespace orv::nmr {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kNine(9, u' ');

// A Single as text with at most seven significant digits.
QString singleText(float v) { return QString::number(static_cast<double>(v), 'g', 7); }

struct BenzeneCarbons {
    const char* key;
    const char* title;
    QList<QList<const char*>> positions; // per carbon: X's, Y's, Z's position
};

const QList<BenzeneCarbons>& benzenePatterns()
{
    // clang-format off
    static const QList<BenzeneCarbons> list = {
        {"monosub", "monosubstituted benzene calculated shifts are:", {{"ipso"}, {"ortho"}, {"meta"}, {"para"}}},
        {"1,2-disub", "1,2-disubstituted benzene calculated shifts are:",
         {{"ipso", "ortho"}, {"ortho", "ipso"}, {"meta", "ortho"}, {"para", "meta"}, {"meta", "para"}, {"ortho", "meta"}}},
        {"1,3-disub", "1,3-disubstituted benzene calculated shifts are:",
         {{"ipso", "meta"}, {"ortho", "ortho"}, {"meta", "ipso"}, {"para", "ortho"}, {"meta", "meta"}, {"ortho", "para"}}},
        {"1,4-disub", "1,4-disubstituted benzene calculated shifts are:",
         {{"ipso", "para"}, {"ortho", "meta"}, {"meta", "ortho"}, {"para", "ipso"}}},
        {"1,2,3-trisub", "1,2,3-trisubstituted benzene calculated shifts are:",
         {{"ipso", "ortho", "meta"}, {"ortho", "ipso", "ortho"}, {"meta", "ortho", "ipso"}, {"para", "meta", "ortho"},
          {"meta", "para", "meta"}, {"ortho", "meta", "para"}}},
        {"1,2,4-trisub", "1,2,4-trisubstituted benzene calculated shifts are:",
         {{"ipso", "ortho", "para"}, {"ortho", "ipso", "meta"}, {"meta", "ortho", "ortho"}, {"para", "meta", "ipso"},
          {"meta", "para", "ortho"}, {"ortho", "meta", "meta"}}},
        {"1,3,5-trisub", "1,3,5-trisubstituted benzene calculated shifts are:",
         {{"ipso", "meta", "meta"}, {"ortho", "ortho", "para"}, {"meta", "ipso", "meta"}, {"para", "ortho", "ortho"},
          {"meta", "meta", "ipso"}, {"ortho", "para", "ortho"}}},
    };
    // clang-format on
    return list;
}

// One line of a saturated-chain page: a computed shift (parent plus the
// increment at `position`), a fixed value or a fixed text.
struct ChainLine {
    const char* label;
    double parent; // NaN-free: used only when position is set
    const char* position;
    const char* fixed; // fixed value or text shown as it stands
    bool fixedIsText;
    const char* note;
};
struct ChainPage {
    const char* key;
    const char* title;
    const char* kind;
    QList<ChainLine> lines;
    bool lastCrLf;
};

const QList<ChainPage>& chainPages()
{
    // clang-format off
    static const QList<ChainPage> list = {
        {"methyl", "substituted methyl calculated shift is:", "terminal", {{"", -2.3, "alpha", nullptr, false, ""}}, false},
        {"ethyl", "substituted ethyl calculated shifts are:", "terminal",
         {{"C-1", 5.7, "alpha", nullptr, false, ""}, {"C-2", 5.7, "beta", nullptr, false, ""}}, false},
        {"propyl", "substituted propyl calculated shifts are:", "terminal",
         {{"C-1", 15.8, "alpha", nullptr, false, ""}, {"C-2", 16.3, "beta", nullptr, false, ""},
          {"C-3", 15.8, "gamma", nullptr, false, ""}},
         false},
        {"isopropyl", "substituted  isopropyl calculated shifts are:", "internal",
         {{"C-1", 16.3, "alpha", nullptr, false, ""}, {"C-2", 15.8, "beta", nullptr, false, ""}}, false},
        {"butyl", "substituted butyl (or longer) calculated shifts are:", "terminal",
         {{"C-1", 13.4, "alpha", nullptr, false, ""},
          {"C-2", 25.2, "beta", nullptr, false, ""},
          {"C-3", 25.2, "gamma", nullptr, false, ""},
          {"C-5", 0, nullptr, "13.4", false, "  (for n = 0)"},
          {"C-4", 0, nullptr, " ~ 23 ", true, "  (for n > 0)"},
          {"C-5", 0, nullptr, " ~ 14 ", true, "  (for n > 0)"}},
         true},
        {"2-butyl", "substituted 2-butyl (or longer) calculated shifts are:", "internal",
         {{"C-1", 13.4, "beta", nullptr, false, ""},
          {"C-2", 25.2, "alpha", nullptr, false, ""},
          {"C-3", 25.2, "beta", nullptr, false, ""},
          {"C-6", 13.4, "gamma", nullptr, false, "  (for n, m = 0)"},
          {"C-4", 25.2, "gamma", nullptr, false, "  (for n = 1)"},
          {"C-5", 0, nullptr, " ~ 23 ", true, "  (for n = 1, m > 0)"},
          {"C-6", 0, nullptr, " ~ 14 ", true, "  (for n = 1, m >= 0)"}},
         true},
        {"cyclo", "substituted cyclopentyl or cyclohexyl calculated shifts are:", "internal",
         {{"C-1", 26.0, "alpha", nullptr, false, ""},
          {"C-2", 26.0, "beta", nullptr, false, ""},
          {"C-3", 26.0, "gamma", nullptr, false, ""},
          {"C-4", 0, nullptr, "26.9", false, "  (for n = 1)"}},
         true},
    };
    // clang-format on
    return list;
}

QString line(const QString& label, const QString& value, const QString& note, bool crlf, bool benzene = false)
{
    return kNine + label + QStringLiteral("\t") + (benzene ? kNine : QString()) + value + QStringLiteral(" ppm") + note
         + (crlf ? kCrLf : QString());
}

} // namespace

const QList<ShiftStage>& cShiftStages()
{
    static const QList<ShiftStage> list = {
        {"methyl", "substituents for substituted methyl", "ovccaa.gif", 1, kCAlkylDisabled},
        {"ethyl", "substituents for substituted ethyl", "ovccac.gif", 1, kCAlkylDisabled},
        {"propyl", "substituents for substituted propyl", "ovccae.gif", 1, kCAlkylDisabled},
        {"isopropyl", "substituents for substituted isopropyl", "ovccaf.gif", 1, kCAlkylDisabled},
        {"butyl", "substituents for substituted butyl or longer", "ovccag.gif", 1, kCAlkylDisabled},
        {"2-butyl", "substituents for substituted 2-butyl or longer", "ovccah.gif", 1, kCAlkylDisabled},
        {"cyclo", "substituents for substituted cyclopentyl, cyclohexyl", "ovccai.gif", 1, kCAlkylDisabled},
        {"methylene", "substituents for substituted methylene", "ovhcma.gif", 2, kCAlkylDisabled},
        {"ethylene", "substituents for substituted ethylene", "ovccad.gif", 2, kCAlkylDisabled},
        {"alkene", "substituents for substituted alkenes", "ovccea.gif", 2, kCAlkeneDisabled},
        {"monosub", "substituents for monosubstituted benzenes", "ovhcba.gif", 1, kCBenzeneDisabled},
        {"1,2-disub", "substituents for 1,2-disubstituted benzenes", "ovhcbb.gif", 2, kCBenzeneDisabled},
        {"1,3-disub", "substituents for 1,3-disubstituted benzenes", "ovhcbc.gif", 2, kCBenzeneDisabled},
        {"1,4-disub", "substituents for 1,4-disubstituted benzenes", "ovhcbd.gif", 2, kCBenzeneDisabled},
        {"1,2,3-trisub", "substituents for 1,2,3-trisubstituted benzenes", "ovhcbe.gif", 3, kCBenzeneDisabled},
        {"1,2,4-trisub", "substituents for 1,2,4-trisubstituted benzenes", "ovhcbf.gif", 3, kCBenzeneDisabled},
        {"1,3,5-trisub", "substituents for 1,3,5-trisubstituted benzenes", "ovhcbg.gif", 3, kCBenzeneDisabled},
    };
    return list;
}

const ShiftStage* cShiftStage(const QString& key)
{
    for (const ShiftStage& s : cShiftStages())
        if (key == QLatin1String(s.key))
            return &s;
    return nullptr;
}

const ShiftStage& cShiftAlkylStage(int subtype) { return cShiftStages()[std::clamp(subtype, 0, 8)]; }
const ShiftStage& cShiftBenzeneStage(int subtype) { return cShiftStages()[10 + std::clamp(subtype, 0, 6)]; }

QStringList cShiftAlkylSubtypes()
{
    // clang-format off
    return {QStringLiteral("methyl"),          QStringLiteral("ethyl"),
            QStringLiteral("propyl"),          QStringLiteral("isopropyl"),
            QStringLiteral("butyl or longer"), QStringLiteral("2-butyl or longer"),
            QStringLiteral("cyclopentyl or cyclohexyl"), QStringLiteral("methylene"),
            QStringLiteral("ethylene")};
    // clang-format on
}

float CalculateAlkyl(int sub, const QString& kind, const QString& position)
{
    const bool terminal = kind == QLatin1String("terminal");
    if (!terminal && kind != QLatin1String("internal"))
        return 0.0f;
    for (const AlkylCIncrement& r : alkylCIncrements())
        if (r.sub == sub) {
            if (position == QLatin1String("alpha"))
                return terminal ? r.terminalAlpha : r.internalAlpha;
            if (position == QLatin1String("beta"))
                return terminal ? r.terminalBeta : r.internalBeta;
            if (position == QLatin1String("gamma"))
                return terminal ? r.terminalGamma : r.internalGamma;
        }
    return 0.0f;
}

namespace carbon {

float CalculateEthene(int sub, const QString& position)
{
    for (const AlkeneCIncrement& r : alkeneCIncrements())
        if (r.sub == sub) {
            if (position == QLatin1String("alpha"))
                return r.alpha;
            if (position == QLatin1String("beta"))
                return r.beta;
        }
    return 0.0f;
}

float CalculateBenzene(int sub, const QString& position)
{
    for (const BenzeneCIncrement& r : benzeneCIncrements())
        if (r.sub == sub) {
            if (position == QLatin1String("ipso"))
                return r.ipso;
            if (position == QLatin1String("ortho"))
                return r.ortho;
            if (position == QLatin1String("meta"))
                return r.meta;
            if (position == QLatin1String("para"))
                return r.para;
        }
    return 0.0f;
}

} // namespace carbon

QString AddSpaces(const QString& shift)
{
    const double v = Val(shift);
    if (v >= 10) {
        const QString t = Format(v, QStringLiteral("00.0"));
        return t.size() == 4 ? t + QStringLiteral("  ") : t;
    }
    return Format(v, QStringLiteral("0.0")) + QStringLiteral("    ");
}

QString cShiftResult(const QString& stageKey, int subX, int subY, int subZ)
{
    for (const ChainPage& page : chainPages()) {
        if (stageKey != QLatin1String(page.key))
            continue;
        QString t = QString::fromLatin1(page.title) + kCrLf;
        const QString kind = QString::fromLatin1(page.kind);
        for (int i = 0; i < page.lines.size(); ++i) {
            const ChainLine& l = page.lines[i];
            QString value;
            if (l.position) {
                const float v = static_cast<float>(l.parent)
                              + CalculateAlkyl(subX, kind, QString::fromLatin1(l.position));
                value = AddSpaces(singleText(v));
            } else {
                value = l.fixedIsText ? QString::fromLatin1(l.fixed) : AddSpaces(QString::fromLatin1(l.fixed));
            }
            const bool last = i == page.lines.size() - 1;
            t += line(QString::fromLatin1(l.label), value, QString::fromLatin1(l.note), !last || page.lastCrLf);
        }
        return t;
    }
    const QString terminal = QStringLiteral("terminal");
    auto ax = [&](const char* p) { return CalculateAlkyl(subX, terminal, QString::fromLatin1(p)); };
    auto ay = [&](const char* p) { return CalculateAlkyl(subY, terminal, QString::fromLatin1(p)); };
    if (stageKey == QLatin1String("methylene")) {
        float v = -2.3f + ax("alpha");
        v = v + ay("alpha");
        return QStringLiteral("substituted methylene calculated shifts is:") + kCrLf
             + line(QString(), AddSpaces(singleText(v)), QString(), false);
    }
    if (stageKey == QLatin1String("ethylene")) {
        float c1 = 5.7f + ax("alpha");
        c1 = c1 + ay("beta");
        float c2 = 5.7f + ax("beta");
        c2 = c2 + ay("alpha");
        return QStringLiteral("substituted methylene calculated shifts are:") + kCrLf
             + line(QStringLiteral("C-1"), AddSpaces(singleText(c1)), QString(), true)
             + line(QStringLiteral("C-2"), AddSpaces(singleText(c2)), QString(), false);
    }
    if (stageKey == QLatin1String("alkene")) {
        using carbon::CalculateEthene;
        float c1 = 123.3f + CalculateEthene(subX, QStringLiteral("alpha"));
        c1 = c1 + CalculateEthene(subY, QStringLiteral("beta"));
        float c2 = 123.3f + CalculateEthene(subX, QStringLiteral("beta"));
        c2 = c2 + CalculateEthene(subY, QStringLiteral("alpha"));
        return QStringLiteral("substituted alkene calculated shifts are:") + kCrLf
             + line(QStringLiteral("C-1"), AddSpaces(singleText(c1)), QString(), true)
             + line(QStringLiteral("C-2"), AddSpaces(singleText(c2)), QString(), true);
    }
    for (const BenzeneCarbons& pattern : benzenePatterns()) {
        if (stageKey != QLatin1String(pattern.key))
            continue;
        const int subs[3] = {subX, subY, subZ};
        const bool noBlank = stageKey == QLatin1String("1,2,4-trisub");
        QString t = QString::fromLatin1(pattern.title) + kCrLf;
        for (int c = 0; c < pattern.positions.size(); ++c) {
            float v = 128.5f;
            for (int place = 0; place < pattern.positions[c].size(); ++place)
                v = v + carbon::CalculateBenzene(subs[place], QString::fromLatin1(pattern.positions[c][place]));
            QString label = QStringLiteral("C-%1").arg(c + 1);
            if (!(noBlank && (c == 2 || c == 4 || c == 5)))
                label += u' ';
            const bool last = c == pattern.positions.size() - 1;
            t += line(label, AddSpaces(singleText(v)), QString(), !last || stageKey == QLatin1String("1,3,5-trisub"),
                      true);
        }
        return t;
    }
    return {};
}

namespace {

struct ExplanationRow {
    QStringList keys;
    const char* help;
    QStringList printed;
};

const QList<ExplanationRow>& explanations()
{
    const QString benzene = QStringLiteral("Unsubstituted benzene gives a carbon nmr signal at 128.5 ppm ");
    const QString benzeneAnd = QStringLiteral("Unsubstituted benzene gives a carbon nmr signal at 128.5 ppm and the");
    static const QList<ExplanationRow> rows = {
        {{"methyl"},
         "Methane gives a carbon nmr signal at -2.3 ppm and this result shows the effect of a substituent. The value "
         "should typically be within 3 ppm of the experimental result.",
         {"Methane gives a carbon nmr signal at -2.3 ppm and this result shows",
          "the effect of a substituent. The value should typically be within 3 ppm", "of the experimental result."}},
        {{"ethyl"},
         "Ethane gives a carbon nmr signal at 5.7 ppm and this result shows the effect of a substituent. The values "
         "should be typically within 3 ppm of the experimental result.",
         {"Ethane gives a carbon nmr signal at 5.7 ppm and this result shows the",
          "effect of a substituent. The values should be typically within ", "3 ppm of the experimental result."}},
        {{"propyl", "isopropyl"},
         "Propane gives two cmr signals (methyl 15.8 ppm, methylene 16.3 ppm) and this result shows the effect of a "
         "substituent. The values should typically be within 3 ppm of the experimental results.",
         {"Propane gives two cmr signals (methyl 15.8 ppm, methylene 16.3 ppm) and",
          "this result shows the effect of a substituent. The values should",
          "typically be within 3 ppm of the experimental results."}},
        {{"butyl", "2-butyl"},
         "Butane gives two cmr signals (methyl 13.9 ppm, methylene 25.2 ppm) and these calculations show the effect of "
         "a substituent. The values should be typically within 3 ppm of the experimental results.",
         {"Butane gives two cmr signals (methyl 13.9 ppm, methylene 25.2 ppm) and",
          "these calculations show the effect of a substituent.",
          "The values should be typically within 3 ppm of the experimental results."}},
        {{"cyclo"},
         "Cyclopentane and cyclohexane give one carbon nmr signal each at 25.6 and 26.9 ppm respectively and this "
         "result shows the effect of a substituent. The values should be normally within 3 ppm of the experimental "
         "results.",
         {"Cyclopentane and cyclohexane give one carbon nmr signal each at 25.6 and",
          "26.9 ppm respectively and this result shows the effect of a substituent.",
          "The values should be normally within 3 ppm of the experimental results."}},
        {{"methylene"},
         "Methane gives a carbon nmr signal at -2.3 ppm and this result shows the effect of two substituents. The "
         "value should typically be within 5 ppm of the experimental one.",
         {"Methane gives a carbon nmr signal at -2.3 ppm and this result shows the",
          "effect of two substituents. The value should typically be within 5 ppm", "of the experimental one."}},
        {{"ethylene"},
         "Ethane gives a carbon nmr signal at 5.7 ppm and the calculations show the effect of two substituents. The "
         "value should typically be within 5 ppm of the experimental value.",
         {"Ethane gives a carbon nmr signal at 5.7 ppm and the calculations show the",
          "effect of two substituents. The value should typically be within 5 ppm", "of the experimental value."}},
        {{"alkene"},
         "The two ethene carbons occur at 123 ppm and this result shows the effect of substituents. This result should "
         "typically be within 5 ppm of the experimental value. No allowance has been made for the possibility of "
         "cis/trans isomerism.",
         {"The two ethene carbons occur at 123 ppm and this result shows the effect",
          "of substituents. This result should typically be within 5 ppm of the", "experimental value.",
          "No allowance has been made for the possibility of cis/trans isomerism."}},
        {{"monosub"},
         "Unsubstituted benzene gives a carbon nmr signal at 128.5 ppm and the calculation shows the effect of one "
         "substituent. This result should be quite good, within 2 ppm.",
         {benzene, "and the calculation shows the effect of one substituent. ",
          "This result should be quite good, within 2 ppm."}},
        {{"1,2-disub"},
         "Unsubstituted benzene gives a carbon nmr signal at 128.5 ppm and the calculation shows the effect of two "
         "substituents. This result may be inaccurate due to steric effects.",
         {benzene, "and the calculation shows the effect of two substituents. ",
          "This result may be inaccurate due to steric effects."}},
        {{"1,3-disub", "1,4-disub"},
         "Unsubstituted benzene gives a carbon nmr signal at 128.5 ppm and the calculation shows the effect of two "
         "substituents. This result, although approximate, should be fairly good.",
         {benzene, "and the calculation shows the effect of two substituents. ",
          "This result, although approximate, should be fairly good."}},
        {{"1,2,3-trisub", "1,2,4-trisub"},
         "Unsubstituted benzene gives a carbon nmr signal at 128.5 ppm and the calculation shows the effect of three "
         "substituents. This result is very likely to be inaccurate due in part to steric effects.",
         {benzeneAnd, " calculation shows the effect of three substituents. ",
          "This result is very likely to be inaccurate due in part to steric effects."}},
        {{"1,3,5-trisub"},
         "Unsubstituted benzene gives a carbon nmr signal at 128.5 ppm and the calculation shows the effect of three "
         "substituents. This result is likely to be inaccurate.",
         {benzeneAnd, " calculation shows the effect of three substituents. ",
          "This result is likely to be inaccurate."}},
    };
    return rows;
}

const ExplanationRow* explanationOf(const QString& key)
{
    for (const ExplanationRow& r : explanations())
        if (r.keys.contains(key))
            return &r;
    return nullptr;
}

} // namespace

QStringList cShiftPrintedExplanation(const QString& stageKey)
{
    const ExplanationRow* r = explanationOf(stageKey);
    return r ? r->printed : QStringList{};
}

QString cShiftHelp(const QString& stageKey, bool resultShown)
{
    if (stageKey == QLatin1String("ctype"))
        return QStringLiteral("Calculates carbon-13 chemical shifts. The values generated are approximate but usually "
                              "within 5 ppm. First select the type of compound and then click on Select. Then "
                              "continue with further selections.");
    if (stageKey == QLatin1String("subtypealkyl"))
        return QStringLiteral("Select the desired type of substituted alkane and then you will be able to continue "
                              "with specifying the substituent(s).");
    if (stageKey == QLatin1String("subtypearyl"))
        return QStringLiteral("Select the desired type of substituted benzene.") + kCrLf
             + QStringLiteral("Monosubstituted will give accurate data. Disubstituted usually give good values, "
                              "particularly for 1,3- and 1,4-cases. The calculations are less reliable for "
                              "trisubstitued benzenes.");
    if (!cShiftStage(stageKey))
        return {};
    if (!resultShown)
        return QStringLiteral("Select one or more substituents. If there is not the precise one, choose the closest "
                              "match noting that the calculations will be less accurate. R usually means an alkyl "
                              "(saturated aliphatic) group, sometimes it represents H. A bit more information may be "
                              "seen in the \"tool tip text\" (obtained by leaving the mouse pointer over one of the "
                              "buttons for a few seconds).");
    const ExplanationRow* r = explanationOf(stageKey);
    return r ? QString::fromLatin1(r->help) : QString();
}

} // namespace orv::nmr
