#include "core/nextunknown.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "core/userrecord.h"
#include "platform/msgbox.h"

#include <QFile>
#include <QSet>
#include <QStringList>
#include <array>

namespace orv {

namespace {

constexpr int kLastBasicUnknown = 20;
// Above this many completed simple unknowns any simple one may follow.
constexpr int kDifferentKindsFirst = 10;

// Simple unknowns of one kind: completing one keeps its partners from being drawn.
// Up to two partners each; 0 fills an unused place.
// clang-format off
constexpr std::array<std::array<int, 2>, kLastBasicUnknown + 1> kPartners = {{
    {},                                                             // 0: no unknown
    {}, {}, {4}, {3}, {6}, {5}, {12}, {9}, {8}, {},                 // 1..10
    {}, {7}, {}, {15}, {14}, {17, 18}, {16, 18}, {16, 17}, {20}, {19}, // 11..20
}};
// clang-format on

// Values of the two-digit entries of a list of unknowns, from the left.
template <typename Fn> void forEachEntry(const QString& list, Fn fn)
{
    for (qsizetype i = 0; i + 2 <= list.size(); i += 2)
        if (fn(static_cast<int>(Val(list.mid(i, 2)))))
            return;
}

bool completed(int n) { return isTrue(IsUnknownInList(n)); }

std::function<bool(int)>& availability()
{
    // Never destroyed: the system's end road may save from an exit handler,
    // after the statics made since it was registered are gone.
    static auto* rule = new std::function<bool(int)>;
    return *rule;
}

bool open(int n) { return !completed(n) && unknownAvailable(n); }

// Unknowns whose file turned out unreadable while one is being opened: not
// drawn again then.
QSet<int>& unreadable()
{
    static auto* set = new QSet<int>; // never destroyed, as above
    return *set;
}

bool hasProgress(const ModOrvan& m)
{
    for (int k = 0; k <= kLastItem; ++k)
        if (isTrue(m.ItemsRevealed[k]) || isTrue(m.ItemHelpShown[k]))
            return true;
    // The minutes alone are not progress: an unknown nothing was done with
    // may be put back at the end of the list.
    return m.PrecludedTries > 0 || m.NameTypingTries > 0 || m.StructChooseTries > 0 || m.StructGiveTries > 0;
}

// Saves the record as it stands, when this student's progress is saved at all.
bool saveWhatWasDone()
{
    auto& m = modOrvan;
    if (m.UserFilePath.isEmpty() || isTrue(m.InstructorMode) || !isTrue(m.MultipleSessionsAllowed)
        || (isTrue(m.PasswordRequired) && !isTrue(m.PasswordVerified)))
        return false;
    if (!WriteUserFile())
        return false;
    markRecordSaved(m);
    return true;
}

bool partnerCompleted(int n)
{
    for (int p : kPartners[n])
        if (p != 0 && completed(p))
            return true;
    return false;
}

bool acceptableBasic(int n)
{
    return unknownAvailable(n) && (modOrvan.CompletedUnknowns.isEmpty() || (!completed(n) && !partnerCompleted(n)));
}

// Draws from lo..hi until a draw is acceptable. The callers make sure one
// exists; should none (a list the teaching plan never produces), no endless
// draw follows: false is returned and nothing is set.
template <typename Accept> bool drawUntilAcceptable(int lo, int hi, Accept accept)
{
    bool any = false;
    for (int n = lo; n <= hi && !any; ++n)
        any = accept(n);
    if (!any)
        return false;
    for (;;) {
        const int n = GetRandomNum(lo, hi);
        if (accept(n)) {
            modOrvan.CurrentUnknown = n;
            return true;
        }
    }
}

bool pickBasic() { return drawUntilAcceptable(1, kLastBasicUnknown, acceptableBasic); }
bool pickBasicAny() { return drawUntilAcceptable(1, kLastBasicUnknown, open); }
bool pickAdvanced() { return drawUntilAcceptable(kLastBasicUnknown + 1, modOrvan.MaxUnknownNumber, open); }

} // namespace

bool unknownAvailable(int n)
{
    if (unreadable().contains(n))
        return false;
    if (availability())
        return availability()(n);
    return QFile::exists(unknownFilePath(n));
}

void setUnknownAvailability(std::function<bool(int)> rule) { availability() = std::move(rule); }

bool AnyUnknownLeft()
{
    for (int n = 1; n <= modOrvan.MaxUnknownNumber; ++n)
        if (open(n))
            return true;
    return false;
}

Boolean IsUnknownInList(int unknown)
{
    bool found = false;
    forEachEntry(modOrvan.CompletedUnknowns, [&](int entry) { return found = entry == unknown; });
    return vb(found);
}

void TakeNextAllocatedUnknown()
{
    auto& m = modOrvan;
    m.CurrentUnknown = static_cast<int>(Val(m.AllocatedUnknowns.left(2)));
    m.AllocatedUnknowns = m.AllocatedUnknowns.mid(2);
}

// When a picker finds its range used up it hands over to the next wider
// range, so the choice always ends.
void PickBasicUnknown()
{
    if (!pickBasic())
        PickBasicUnknownAny();
}

void PickBasicUnknownAny()
{
    if (!pickBasicAny())
        pickAdvanced();
}

void PickAdvancedUnknown()
{
    if (!pickAdvanced())
        pickBasicAny();
}

void ChooseUnknown()
{
    const auto& m = modOrvan;
    if (!isTrue(m.ProgramChoosesUnknowns)) {
        TakeNextAllocatedUnknown();
        return;
    }
    int basicDone = 0;
    forEachEntry(m.CompletedUnknowns, [&](int entry) {
        if (entry <= kLastBasicUnknown)
            ++basicDone;
        return false;
    });
    if (basicDone >= m.BasicUnknownsBeforeAdvanced)
        PickAdvancedUnknown();
    else if (basicDone > kDifferentKindsFirst)
        PickBasicUnknownAny();
    else
        PickBasicUnknown();
}

bool StartNewUnknown(QString* quitMessage)
{
    ResetProgress();
    ChooseUnknown();
    markStartTime(); // MinutesUsed is 0 after ResetProgress: starts now
    return OpenCurrentUnknown(quitMessage);
}

bool OpenCurrentUnknown(QString* quitMessage)
{
    auto& m = modOrvan;
    const int first = m.CurrentUnknown;
    const QString list = m.AllocatedUnknowns;
    QStringList failed;
    unreadable().clear();
    bool readable = TryReadUnknownFile();
    // Each allocated unknown once; the choice never draws a failed one again.
    for (int left = int(list.size() / 2); !readable && !hasProgress(m); --left) {
        failed << m.FilePathBuffer;
        unreadable().insert(m.CurrentUnknown);
        if (isTrue(m.ProgramChoosesUnknowns)) {
            ChooseUnknown();
            if (unreadable().contains(m.CurrentUnknown))
                break; // nothing else left to draw
        } else {
            if (left == 0)
                break;
            m.AllocatedUnknowns += QStringLiteral("%1").arg(m.CurrentUnknown, 2, 10, QLatin1Char('0'));
            TakeNextAllocatedUnknown();
        }
        m.MinutesUsed = 0; // the clock starts again with the next unknown
        markStartTime();
        readable = TryReadUnknownFile();
    }
    unreadable().clear();
    if (!readable) {
        if (!failed.contains(m.FilePathBuffer))
            failed << m.FilePathBuffer; // the one with progress
        m.CurrentUnknown = first;
        m.AllocatedUnknowns = list;
    }
    const bool saved = !failed.isEmpty() && saveWhatWasDone();
    QString told = QStringLiteral("Error reading file ") + failed.join(QStringLiteral(", ")) + QStringLiteral(" . ");
    if (saved)
        told += QStringLiteral("Your progress has been saved. ");
    told += QStringLiteral("Please tell your instructor.");
    if (readable) {
        if (!failed.isEmpty())
            MsgBox(told + QStringLiteral(" Another unknown now awaits your attention."), MsgButtons::OkOnly,
                   MsgIcon::Exclamation);
        return true;
    }
    if (quitMessage)
        *quitMessage = told;
    return false;
}

void AnnounceUnknown()
{
    const auto& m = modOrvan;
    if (!isTrue(m.AllUnknownsDone)) {
        QString caption = QStringLiteral("Orvanto assigns you ");
        if (isTrue(m.ShowUnknownNumber))
            caption += QStringLiteral("unknown ") + QString::number(m.CurrentUnknown) + QStringLiteral(", ");
        caption += m.UnkItemTitle[0];
        setMainCaption(caption);
    }
    for (int panel : {1, 2, 4})
        UpdateStatusBar(panel);
}

} // namespace orv
