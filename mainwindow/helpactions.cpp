#include "mainwindow/helpactions.h"

#include "core/coreservices.h"
#include "core/nextunknown.h"
#include "core/unknownfile.h"
#include "platform/msgbox.h"
#include "platform/resources.h"

#include <array>

namespace orv {

namespace {

const QString kCrLf2 = vbCrLf + vbCrLf;

// Whether the real unknown's progress was saved when the example began.
Boolean& savedDataSaved()
{
    static Boolean saved = kFalse;
    return saved;
}

bool revealed(const ModOrvan& m, int n) { return isTrue(m.ItemsRevealed[n]); }
bool unsuitable(const ModOrvan& m, int n) { return m.UnkItemTitle[n].contains(QLatin1String("unsuitable")); }

// The help of a revealed item whose help the student has seen.
QString itemHelpLines(const ModOrvan& m, int n)
{
    const QString& help = m.UnkItemHelp[n];
    if (n <= 12)
        return vbCrLf + help;
    if (n <= 34)
        return vbCrLf + QStringLiteral("This is a test for ") + LoadResString(itemDescriptionResource(n))
             + QStringLiteral(".") + vbCrLf + help;
    if (n <= 52)
        return vbCrLf + help
             + (unsuitable(m, n)
                    ? QStringLiteral(" Most likely this unknown is not of this type; alternatively it is of this type "
                                     "but this particular unknown is somewhat unusual and does not form this "
                                     "derivative.")
                    : QStringLiteral(" This unknown is of this type."));
    return vbCrLf + help + QStringLiteral(" This unknown is ") + (unsuitable(m, n) ? QStringLiteral("not ") : QString())
         + QStringLiteral("of this type.");
}

struct SpectrumHint {
    int item;
    const char* hint;
};
constexpr std::array<SpectrumHint, 4> kSpectrumHints{{
    {5, "Gives the number of types of carbons present and their nature."},
    {6, "Reveals the functional groups present (and absent)."},
    {7, "Use the molecular ion to calculate possible molecular formulae."},
    {8, "Gives the ratio of the number of hydrogens present and their type."},
}};

bool spectrumAllowed(const ModOrvan& m, int item)
{
    switch (item) {
    case 5: return isTrue(m.CmrAllowed);
    case 6: return isTrue(m.IrAllowed);
    case 7: return isTrue(m.MsAllowed);
    case 8: return isTrue(m.PmrAllowed);
    default: return false;
    }
}

QString notEnoughText(const ModOrvan& m, int r)
{
    QString t;
    if (r == 0)
        t = QStringLiteral("You have not yet looked at any items.");
    else if (r == 1)
        t = QStringLiteral("You have only looked at 1 item.");
    else
        t = QStringLiteral("You have only looked at %1 items.").arg(r);
    t += vbCrLf
       + QStringLiteral("Try a bit more before getting help about the compound class to which the unknown belongs.")
       + kCrLf2;
    if (isTrue(m.AnySpectrumAllowed)) {
        // Only the spectra the instructor lets the student open are advised;
        // a spectrum seen already (the ultraviolet one too) means "not all".
        bool anySeen = false;
        for (int n = 5; n <= 9; ++n)
            anySeen = anySeen || revealed(m, n);
        QString advice;
        for (const SpectrumHint& h : kSpectrumHints)
            if (spectrumAllowed(m, h.item) && !revealed(m, h.item))
                advice += vbCrLf + QStringLiteral("   ") + LoadResString(itemNameResource(h.item)) + vbCrLf
                        + QStringLiteral("      ") + QString::fromLatin1(h.hint);
        if (!advice.isEmpty()) {
            t += anySeen ? QStringLiteral("Since not all spectra") : QStringLiteral("Since no spectra");
            t += QStringLiteral(" have been examined, you could make use of the following:") + advice + vbCrLf;
        }
    }
    const bool noSolubility = !revealed(m, 4);
    const bool noAnalysis = !revealed(m, 1);
    if (isTrue(m.TestsAllowed) && (noSolubility || noAnalysis)) {
        t += vbCrLf + QStringLiteral("Determining the ");
        if (noSolubility)
            t += QStringLiteral("solubility");
        if (noSolubility && noAnalysis)
            t += QStringLiteral(" and ");
        if (noAnalysis)
            t += QStringLiteral("elemental analysis");
        t += QStringLiteral(" should help with discovering the functional group(s).");
    }
    return t;
}

QString classHelpText(const ModOrvan& m)
{
    QString t = QStringLiteral("This unknown is ") + m.UnkItemHelp[0];
    if (isTrue(m.OfferNameList))
        t += kCrLf2 + QStringLiteral("Possible names may be viewed via the menu item \"Identify - By typing name\".");
    if (isTrue(m.ChooseStructureAllowed))
        t += kCrLf2
           + QStringLiteral(
                 "Possible structures may be viewed via the menu item \"Identify - By structure choosing\".");
    if (isTrue(m.AnySpectrumAllowed) || isTrue(m.DerivsAllowed)) {
        t += kCrLf2 + QStringLiteral("To unambiguously identify the unknown:") + vbCrLf;
        if (isTrue(m.AnySpectrumAllowed))
            t += QStringLiteral("        Examine the spectra in detail")
               + (isTrue(m.DerivsAllowed) ? QStringLiteral(" (and/or perhaps prepare derivatives)") : QString())
               + QStringLiteral(".");
        else
            t += QStringLiteral("Prepare one or more derivatives.");
    }
    return t;
}

} // namespace

int helpGroup1Topic(int index)
{
    switch (index) {
    case 1: return 707;
    case 2: return 733;
    default: return 0;
    }
}

int helpGroup2Topic(int index)
{
    switch (index) {
    case 0: return 730;
    case 1: return 100;
    case 2: return 200;
    default: return 0;
    }
}

int helpTablesTopic(int index)
{
    // Acids, acyl halides, alcohols, aldehydes, alkenes, amides, amines (prim,
    // sec), amines (tert), anhydrides, arenes, cyanides, esters, ethers,
    // haloalkanes, haloarenes, ketones, nitro compounds, phenols.
    static constexpr std::array<int, 18> kTopics{545, 505, 510, 515, 520, 525, 530, 535, 540,
                                                 543, 550, 555, 560, 565, 570, 575, 580, 585};
    return index >= 0 && index < static_cast<int>(kTopics.size()) ? kTopics[index] : 0;
}

HelpText itemsRevealedHelp(const ModOrvan& m)
{
    HelpText h;
    h.caption = QStringLiteral("Orvanto items revealed about current unknown");
    QString t;
    if (isTrue(m.ShowUnknownNumber))
        t += QStringLiteral("Unknown ") + QString::number(m.CurrentUnknown) + kCrLf2;
    t += QStringLiteral("The compound is ") + m.UnkItemTitle[0] + kCrLf2;
    int counted = 0;
    for (int n = 1; n <= kLastItem; ++n) {
        if (!revealed(m, n))
            continue;
        ++counted;
        t += LoadResString(itemNameResource(n));
        t += vbCrLf
           + (n >= 5 && n <= 8 ? QStringLiteral("Display of spectrum is not possible here.") : m.UnkItemTitle[n]);
        if (isTrue(m.ItemHelpShown[n]))
            t += itemHelpLines(m, n);
        t += kCrLf2;
    }
    if (counted == 0) {
        t = QStringLiteral("No items available for review.");
        h.printEnabled = false;
    }
    h.text = t;
    return h;
}

int revealedItemCount(const UnknownProgress& p)
{
    int r = 0;
    for (int n = 1; n <= kLastItem; ++n)
        r += isTrue(p.ItemsRevealed[n]) ? 1 : 0;
    return r;
}

int unknownHelpThreshold(const ModOrvan& m)
{
    if (isTrue(m.TestsAllowed))
        return 6;
    return isTrue(m.AnySpectrumAllowed) ? 4 : 1;
}

HelpText unknownHelp(ModOrvan& m)
{
    HelpText h;
    h.caption = QStringLiteral("Orvanto help for current unknown");
    const int r = revealedItemCount(m);
    if (r < unknownHelpThreshold(m)) {
        h.text = notEnoughText(m, r);
        return h;
    }
    m.DataSaved = kFalse;
    h.text = classHelpText(m);
    m.ItemHelpShown[0] = kTrue;
    UpdateStatusBar(2);
    return h;
}

ExampleStart beginSolvedExample(ModOrvan& m)
{
    ExampleStart s;
    if (!isTrue(m.ExampleMode)) {
        s.firstTime = true;
        m.ExampleMode = kTrue;
        SaveUnknownState();
        savedDataSaved() = m.DataSaved;
        if (m.QuitReason == QLatin1String("Save"))
            m.QuitReason = QStringLiteral("NoSave");
    }
    // The example runs inside the student's session: clearing the progress
    // must not lose the session count or the minutes of the real unknown,
    // which the saved state does not hold.
    const int session = m.SessionNumber;
    const long minutes = m.MinutesUsed;
    ResetProgress();
    m.SessionNumber = session;
    m.MinutesUsed = minutes;
    m.CurrentUnknown = 0;
    if (!ReadUnknownFile())
        return s;
    s.loaded = true;
    setMainCaption(QStringLiteral("Orvanto's worked example is ") + m.UnkItemTitle[0]);
    return s;
}

void restoreQuitReasonAfterExample(ModOrvan& m)
{
    if (m.QuitReason == QLatin1String("NoSave") && isTrue(m.MultipleSessionsAllowed) && !isTrue(m.InstructorMode))
        m.QuitReason = QStringLiteral("Save");
}

bool endSolvedExample(ModOrvan& m)
{
    if (!isTrue(m.ExampleMode))
        return true;
    m.UnkIdentified = m.IdentifiedByName = m.IdentifiedByChoosing = m.IdentifiedByGiving = kFalse;
    m.ShowReportAfterResign = kFalse;
    m.ExampleMode = kFalse;
    restoreQuitReasonAfterExample(m);
    RestoreUnknownState();
    // Nothing of the example is ever stored: the real unknown is as saved
    // (or not) before the example began.
    m.DataSaved = savedDataSaved();
    // The example blanked the item and class-help panels; they speak of the
    // student's own unknown again (the class help once its file is read).
    UpdateStatusBar(1);
    if (!ReadUnknownFile())
        return false;
    AnnounceUnknown();
    return true;
}

} // namespace orv
