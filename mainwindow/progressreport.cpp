#include "mainwindow/progressreport.h"

#include "core/userrecord.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "core/nextunknown.h"
#include "core/unknownfile.h"
#include "mainwindow/errorreport.h"
#include "mainwindow/helpactions.h"
#include "platform/msgbox.h"
#include "platform/resources.h"

#include <cmath>

namespace orv {

namespace {

const char* const kPraise[7] = {"Congratulations", "Well done",    "Excellent",  "Very commendable",
                                "Great",           "Three cheers", "Good on you"};
const char* const kOpening[7] = {"Unfortunately", "Regrettably", "Too bad,",    "Sadly",
                                 "Alas",          "Oh dear,",    "Sorry to say"};
const char* const kVerdict[7] = {"not correct", "wrong", "not right", "mistaken", "incorrect", "erroneous", "false"};

int countFlags(const auto& flags, int first, int last)
{
    int n = 0;
    for (int k = first; k <= last; ++k)
        if (isTrue(flags[k]))
            ++n;
    return n;
}

// "0" before 1-9, "00" for zero; larger counts keep all their digits.
QString twoDigits(int v) { return v < 10 && v >= 0 ? QStringLiteral("0") + QString::number(v) : QString::number(v); }
QString oneDigit(int v) { return QString::number(v); }

QString plural(int n, const char* one, const char* many)
{
    return QString::number(n) + QString::fromLatin1(n == 1 ? one : many);
}

} // namespace

QString wording(Wording list, int number)
{
    const int i = std::clamp(number, 1, 7) - 1;
    const char* const* table = list == Wording::Praise ? kPraise : list == Wording::Opening ? kOpening : kVerdict;
    return QString::fromLatin1(table[i]);
}

QString randomWording(Wording list) { return wording(list, randomDraw(7)); }

QString wrongAnswerText(const QString& opening, const QString& verdict)
{
    const auto& m = modOrvan;
    QString t = opening + QStringLiteral(" that is ") + verdict + QStringLiteral(". Please keep trying.") + vbCrLf
              + vbCrLf
              + QStringLiteral(
                    "Perhaps you should review the information that you already have and/or obtain some more data.");
    if (isTrue(m.UnknownHelpAllowed)) {
        if (isTrue(m.ItemHelpShown[0]))
            t += QStringLiteral(" Looking again at the menu item \"Help with this unknown\" might also be worthwhile.");
        else
            t += vbCrLf + vbCrLf + QStringLiteral("Try the menu item \"Help with this unknown\" for some ideas.");
    }
    return t;
}

QString verdictLine(const QString& praise)
{
    const auto& m = modOrvan;
    if (isTrue(m.ShowReportAfterResign))
        return QStringLiteral("Sorry that you could not identify the unknown. It was ") + m.AcceptedNames[1]
             + QStringLiteral(".") + vbCrLf;
    return praise + QStringLiteral(", this is correct.") + vbCrLf;
}

QString reportSoundKind()
{
    const auto& m = modOrvan;
    if (!isTrue(m.SoundOn) || isTrue(m.ExampleMode))
        return {};
    if (!isTrue(m.UnkIdentified))
        return QStringLiteral("Bad");
    if (isTrue(m.ShowReportAfterResign))
        return {};
    return QStringLiteral("Good");
}

ItemCounts countItems()
{
    const auto& m = modOrvan;
    ItemCounts c;
    c.physProp = countFlags(m.ItemsRevealed, 1, 4);
    c.spectrum = countFlags(m.ItemsRevealed, 5, 9);
    c.chemTest = countFlags(m.ItemsRevealed, 13, 31);
    c.derivative = countFlags(m.ItemsRevealed, 35, 54);
    c.helpItems = countFlags(m.ItemHelpShown, 1, 54);
    return c;
}

namespace {

int methodDigit()
{
    const auto& m = modOrvan;
    if (isTrue(m.IdentifiedByName))
        return 1;
    if (isTrue(m.IdentifiedByChoosing))
        return 2;
    if (isTrue(m.IdentifiedByGiving))
        return 3;
    return 0;
}

} // namespace

QString resultDigits(const ItemCounts& c, bool fitFields)
{
    const auto& m = modOrvan;
    const auto one = [&](int v) { return oneDigit(fitFields ? std::clamp(v, 0, 9) : v); };
    const auto two = [&](int v) { return twoDigits(fitFields ? std::clamp(v, 0, 99) : v); };
    return one(c.physProp) + one(c.spectrum) + two(c.chemTest) + two(c.derivative)
         + (isTrue(m.ItemHelpShown[0]) ? QStringLiteral("1") : QStringLiteral("0")) + two(c.helpItems)
         + two(m.PrecludedTries) + two(m.UnsuitableDerivs) + oneDigit(methodDigit()) + two(m.NameTypingTries)
         + two(m.StructChooseTries) + two(m.StructGiveTries);
}

int completedCount() { return int(modOrvan.CompletedUnknowns.size() / 2); }

bool appendCompletedUnknown()
{
    auto& m = modOrvan;
    if (isTrue(m.ExampleMode) || completedCount() >= kMaxCompletedUnknowns)
        return false;
    m.CompletedUnknowns += twoDigits(m.CurrentUnknown);
    return true;
}

ReportOutcome GetReport(const QString& verdict, bool recorded, const QDateTime& now)
{
    auto& m = modOrvan;
    ReportOutcome r;
    r.text = verdict;
    r.lineCount = 1;
    const auto line = [&](const QString& text, int add) {
        r.text += vbCrLf + text;
        r.lineCount += add;
    };

    const ItemCounts c = countItems();
    r.counts = c;
    const int obtained = c.physProp + c.spectrum + c.chemTest + c.derivative - m.UnsuitableDerivs;
    r.text += obtained == 1 ? QStringLiteral("You obtained 1 item of information.")
                            : QStringLiteral("You obtained ") + QString::number(obtained)
                                  + QStringLiteral(" items of information.");
    r.lineCount += 1;
    line(QStringLiteral("   ") + plural(c.spectrum, " spectrum", " spectra"), 1);
    line(QStringLiteral("   ") + plural(c.physProp, " other physical property", " other physical properties"), 1);
    if (isTrue(m.TestsAllowed))
        line(QStringLiteral("   ") + plural(c.chemTest, " chemical test", " chemical tests"), 1);
    if (isTrue(m.DerivsAllowed))
        line(QStringLiteral("   ") + plural(c.derivative - m.UnsuitableDerivs, " derivative", " derivatives"), 1);
    if (isTrue(m.ItemHelpShown[0]))
        line(QStringLiteral("Help was obtained with identifying the compound."), 1);
    if (c.helpItems > 0 && isTrue(m.ItemHelpAllowed))
        line(QStringLiteral("You also obtained help for ") + plural(c.helpItems, " item.", " items."), 1);
    if (m.PrecludedTries > 0 && isTrue(m.TestsAllowed))
        line(plural(m.PrecludedTries, " precluded item was attempted.", " precluded items were attempted."), 1);
    if (m.UnsuitableDerivs >= 1)
        line(plural(m.UnsuitableDerivs, " attempt at an unsuitable derivative was made.",
                    " attempts at unsuitable derivatives were made."),
             1);

    if (isTrue(m.IdentifiedByName))
        line(QStringLiteral("Identification was by typing name."), 0);
    else if (isTrue(m.IdentifiedByChoosing))
        line(QStringLiteral("Identification was by choosing a structure."), 0);
    else if (isTrue(m.IdentifiedByGiving))
        line(QStringLiteral("Identification was by supplying a structure."), 0);
    r.lineCount += 1;

    // clang-format off
    const struct { int tries; Boolean by; const char* one; const char* many; } methods[3] = {
        {m.NameTypingTries, m.IdentifiedByName,
         " unsuccessful attempt at identification by typing the name was made.",
         " unsuccessful attempts at identification by typing the name were made."},
        {m.StructChooseTries, m.IdentifiedByChoosing,
         " unsuccessful attempt at identification by choosing a structure was made.",
         " unsuccessful attempts at identification by choosing structures were made."},
        {m.StructGiveTries, m.IdentifiedByGiving,
         " unsuccessful attempt at identification by giving a structure was made.",
         " unsuccessful attempts at identification by giving structures were made."},
    };
    // clang-format on
    for (const auto& method : methods) {
        const int u = method.tries - (isTrue(method.by) ? 1 : 0);
        if (u > 0)
            line(plural(u, method.one, method.many), 2);
    }

    m.MinutesUsed = roundedMinutes(secondsWorked());
    line(QStringLiteral("Completed in ") + QString::number(m.MinutesUsed)
             + (m.MinutesUsed == 1 ? QStringLiteral(" minute") : QStringLiteral(" minutes"))
             + QStringLiteral(" during ") + plural(m.SessionNumber, " session.", " sessions."),
         1);

    r.digitPart = resultDigits(c, false);
    m.TextBuffer = r.digitPart;
    if (r.digitPart.size() != 20) {
        r.errorReported = true;
        ErrorReport(r.digitPart, c, now);
    }
    r.resultLine = resultDigits(c, true) + m.AcceptedNames[1];
    const int k = completedCount();
    if (recorded && k >= 1 && k <= kMaxCompletedUnknowns) {
        m.UnkResults[k].resultLine = r.resultLine;
        m.UnkResults[k].sessionTime = sessionTimeField(m.SessionNumber, m.MinutesUsed);
    }

    m.LastUnknownDone = m.CurrentUnknown;
    r.anotherUnknownLeft = true;
    if (isTrue(m.ProgramChoosesUnknowns)) {
        if (k >= (m.MaxUnknownNumber - 20) + m.BasicUnknownsBeforeAdvanced || !AnyUnknownLeft())
            r.anotherUnknownLeft = false;
    } else if (m.AllocatedUnknowns.isEmpty()) {
        r.anotherUnknownLeft = false;
    }
    if (k >= kMaxCompletedUnknowns)
        r.anotherUnknownLeft = false;
    // After the solved example the student's own unknown is always waiting,
    // whatever the allocation list or the completed count say.
    if (isTrue(m.ExampleMode))
        r.anotherUnknownLeft = true;

    r.lineCount += 2;
    r.text += vbCrLf + vbCrLf;
    if (!r.anotherUnknownLeft) {
        r.text += QStringLiteral("All of the available unknowns have been identified. A splendid effort.");
    } else if (!isTrue(m.ExampleMode)) {
        r.text += QStringLiteral("*****  Another unknown now awaits your attention.  *****");
    } else {
        r.restoreSaveMenus = isTrue(m.MultipleSessionsAllowed) && !isTrue(m.InstructorMode);
        r.showResignItem = isTrue(m.ResignAllowed);
        r.text += QStringLiteral(
            "Now that you have seen how to indentify an unknown, here is one for you to try yourself.");
        r.lineCount += 2;
    }
    return r;
}

ReportOutcome makeReport(const QString& praise, const QDateTime& now)
{
    const QString verdict = verdictLine(praise);
    const bool recorded = appendCompletedUnknown();
    return GetReport(verdict, recorded, now);
}

int rewardPictureNumber(int completed)
{
    int n = completed;
    while (n > 25)
        n -= 25;
    return std::max(n, 1);
}

QString rewardCaption(int pictureNo, int completed)
{
    QString text = LoadResString(pictureNo + 102);
    if (pictureNo == 25) {
        const char* effort = completed <= 25 ? "Very good effort. "
                           : completed <= 50 ? "Excellent effort. "
                                             : "Outstanding effort. ";
        text = QString::number(completed) + QStringLiteral(" unknowns attempted. ") + QString::fromLatin1(effort)
             + text;
    }
    return text;
}

int rewardIntroHeight(const QString& text) { return int((text.size() + 20) * 175 / 21); }
int rewardCaptionHeight(const QString& text) { return int((text.size() + 20) * 195 / 21); }
int reportBoxHeight(int lineCount) { return std::min(lineCount * 210, 4000); }

ReportNext continueAfterReport(bool anotherUnknownLeft, QString* quitMessage)
{
    auto& m = modOrvan;
    if (!isTrue(m.UnkIdentified))
        return ReportNext::SameUnknown;
    if (isTrue(m.InstructorMode))
        return ReportNext::InstructorSelection;
    if (isTrue(m.ExampleMode)) {
        endSolvedExample(m);
        return ReportNext::BackFromExample;
    }
    if (!anotherUnknownLeft) {
        ResetProgress();
        m.AllUnknownsDone = kTrue;
        m.CurrentUnknown = 0;
        return ReportNext::AllDone;
    }
    if (!StartNewUnknown(quitMessage))
        return ReportNext::NoUnknownReadable;
    AnnounceUnknown();
    return ReportNext::NewUnknown;
}

} // namespace orv
