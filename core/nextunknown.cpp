#include "core/nextunknown.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "core/unknownfile.h"

#include <QFile>
#include <array>

namespace orv {

namespace {

constexpr int kLastBasicUnknown = 20;
// Above this many completed simple unknowns any simple one may follow.
constexpr int kDifferentKindsFirst = 10;

// Simple unknowns of one kind: completing one keeps its partners from being drawn.
// Up to two partners each; 0 fills an unused place.
constexpr std::array<std::array<int, 2>, kLastBasicUnknown + 1> kPartners = {{
    {},                                                             // 0: no unknown
    {}, {}, {4}, {3}, {6}, {5}, {12}, {9}, {8}, {},                 // 1..10
    {}, {7}, {}, {15}, {14}, {17, 18}, {16, 18}, {16, 17}, {20}, {19}, // 11..20
}};

// Values of the two-digit entries of a list of unknowns, from the left.
template <typename Fn>
void forEachEntry(const QString& list, Fn fn)
{
    for (qsizetype i = 0; i + 2 <= list.size(); i += 2)
        if (fn(static_cast<int>(Val(list.mid(i, 2)))))
            return;
}

bool completed(int n) { return IsUnknownInList(n) == kTrue; }

std::function<bool(int)>& availability()
{
    static std::function<bool(int)> rule;
    return rule;
}

bool open(int n) { return !completed(n) && unknownAvailable(n); }

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
template <typename Accept>
bool drawUntilAcceptable(int lo, int hi, Accept accept)
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
    if (m.ProgramChoosesUnknowns == kFalse) {
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

bool StartNewUnknown()
{
    ResetProgress();
    ChooseUnknown();
    if (!ReadUnknownFile())
        return false;
    markStartTime(); // MinutesUsed is 0 after ResetProgress: starts now
    return true;
}

void AnnounceUnknown()
{
    const auto& m = modOrvan;
    if (m.AllUnknownsDone != kTrue) {
        QString caption = QStringLiteral("Orvanto assigns you ");
        if (m.ShowUnknownNumber == kTrue)
            caption += QStringLiteral("unknown ") + QString::number(m.CurrentUnknown) + QStringLiteral(", ");
        caption += m.UnkItemTitle[0];
        setMainCaption(caption);
    }
    for (int panel : {1, 2, 4})
        UpdateStatusBar(panel);
}

} // namespace orv
