#include "mainwindow/resultexplain.h"

#include "mainwindow/reveal.h"
#include "platform/msgbox.h"
#include "platform/resources.h"

namespace orv {

namespace {

QString itemName(int n) { return LoadResString(itemNameResource(n)); }
QString itemDescription(int n) { return LoadResString(itemDescriptionResource(n)); }
bool unsuitable(const ModOrvan& m, int n) { return m.UnkItemTitle[n].contains(QLatin1String("unsuitable")); }

QString precludedExplanation(const ModOrvan& m, int n)
{
    QString list;
    int count = 0;
    for (int p : twoDigitItems(m.ItemPrecludedBy[n])) {
        if (p < 1 || p > kLastItem || !isTrue(m.ItemsRevealed[p]))
            continue;
        ++count;
        list += vbCrLf + itemName(p) + precludeReason(n, p);
    }
    const QString phrase = count <= 1
                             ? QStringLiteral("the following item:")
                             : QStringLiteral("the following ") + QString::number(count) + QStringLiteral(" items:");
    return QStringLiteral("This is a test for ") + itemDescription(n) + u'.' + vbCrLf
         + QStringLiteral("It has been precluded by ") + phrase + list;
}

} // namespace

QString resultCaption(int n) { return itemName(n) + QStringLiteral(" result"); }

QString precludeReason(int n, int p)
{
    if (p >= 10)
        return QStringLiteral(" - negative result.");
    const QString noExchangeable = QStringLiteral(" - no exchangeable proton(s) present.");
    const QString noDouble = QStringLiteral(" - no >C=C< present.");
    switch (n) {
    case 13:
        if (p == 6)
            return QStringLiteral(" - no NH or OH present.");
        return p == 8 ? noExchangeable : QString();
    case 14:
    case 20: return QStringLiteral(" - no nitrogen present.");
    case 15:
    case 27: return noDouble;
    case 16:
        if (p == 5 || p == 6)
            return noDouble;
        return p == 8 ? noExchangeable : QString();
    case 17:
    case 19:
    case 26:
        if (p == 6)
            return QStringLiteral(" - no OH present.");
        return p == 8 ? noExchangeable : QString();
    case 18:
    case 23:
    case 25: return QStringLiteral(" - no >C=O present.");
    case 24: return QStringLiteral(" - no >C=O present or C triple bond N present.");
    case 28:
    case 31:
        if (p == 5 || p == 6)
            return QStringLiteral(" - no -CHO present.");
        return p == 8 ? QStringLiteral(" - no -CHO proton present.") : QString();
    case 29:
    case 30: return p == 1 || p == 7 ? QStringLiteral(" - no halogen present.") : QString();
    default: return {};
    }
}

QString derivativeVerdict(const ModOrvan& m, int n)
{
    if (n == 53 || n == 54)
        return QStringLiteral(" This unknown is ") + (unsuitable(m, n) ? QStringLiteral("not ") : QString())
             + QStringLiteral("of this type.");
    if (unsuitable(m, n))
        return QStringLiteral(" Most likely this unknown is not of this type; alternatively it is of this type but "
                              "this particular unknown is somewhat unusual and does not form this derivative.");
    return QStringLiteral(" This unknown is of this type.");
}

QString resultExplanation(const ModOrvan& m, int n)
{
    if (n < 1 || n > kLastItem)
        return {};
    if (n <= kLastPrecludable && !isTrue(m.ItemsRevealed[n]) && isTrue(m.ItemPrecluded[n]))
        return precludedExplanation(m, n);
    if (n <= 12)
        return itemDescription(n) + u'.' + vbCrLf + m.UnkItemHelp[n];
    if (n <= 34)
        return QStringLiteral("This is a test for ") + itemDescription(n) + u'.' + vbCrLf + m.UnkItemHelp[n];
    return m.UnkItemHelp[n] + derivativeVerdict(m, n);
}

} // namespace orv
