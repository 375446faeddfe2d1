#include "mainwindow/reveal.h"

#include "mainwindow/mainmenus.h"
#include "platform/basic.h"

namespace orv {

std::vector<int> twoDigitItems(const QString& list)
{
    std::vector<int> out;
    const int count = CInt(list.size() / 2.0);
    for (int k = 1; k <= count; ++k)
        out.push_back(static_cast<int>(Val(list.mid(2 * k - 2, 2))));
    return out;
}

void ProcessResult(ModOrvan& m)
{
    const int n = m.CurrentItem;
    if (n < 0 || n > kLastItem)
        return;
    m.ItemsRevealed[n] = kTrue;
    if (n > kLastPrecludable)
        return;
    for (int p : twoDigitItems(m.ItemPrecludes[n]))
        if (p >= 1 && p <= kLastPrecludable)
            m.ItemPrecluded[p] = kTrue;
}

RevealOutcome revealPhysProp(ModOrvan& m, int index)
{
    const int n = itemForMenuIndex(QStringLiteral("mnuPhysPropItem"), index);
    if (n == 0)
        return {};
    m.CurrentItem = n;
    ProcessResult(m);
    static const forms::FormName viewers[] = {forms::names::frmCmr, forms::names::frmIr, forms::names::frmMs,
                                              forms::names::frmPmr};
    if (n >= 5 && n <= 8)
        return {viewers[n - 5], {}, false};
    return {{}, m.UnkItemTitle[n], true};
}

RevealOutcome revealChemTest(ModOrvan& m, int index)
{
    const int n = itemForMenuIndex(QStringLiteral("mnuCtestItem"), index);
    if (n == 0)
        return {};
    m.CurrentItem = n;
    if (isTrue(m.ItemsRevealed[n]) || !isTrue(m.ItemPrecluded[n])) {
        ProcessResult(m);
        return {{}, m.UnkItemTitle[n], true};
    }
    ++m.PrecludedTries;
    return {{}, kPrecludedNotice, true};
}

RevealOutcome revealDerivative(ModOrvan& m, int index)
{
    const int n = itemForMenuIndex(QStringLiteral("mnuDerivItem"), index);
    if (n == 0)
        return {};
    m.CurrentItem = n;
    if (!isTrue(m.ItemsRevealed[n]) && m.UnkItemTitle[n].contains(QLatin1String("unsuitable")))
        ++m.UnsuitableDerivs;
    m.ItemsRevealed[n] = kTrue;
    return {{}, m.UnkItemTitle[n], true};
}

} // namespace orv
