#include "mainwindow/summarytext.h"

#include "core/modorvan.h"
#include "platform/basic.h"

#include <algorithm>

namespace orv {

namespace {
const QString crlf = QStringLiteral("\r\n");
QString s(long n) { return n == 1 ? QString() : QStringLiteral("s"); }
// A stored number, kept within what its digits can hold before it becomes a
// whole number (a damaged field such as "1e100" must not overflow the cast).
long stored(const QString& field, double most) { return static_cast<long>(std::clamp(Val(field), -most, most)); }
int num(const QString& line, int pos, int len) { return static_cast<int>(stored(line.mid(pos - 1, len), 99)); }
QString n(long v) { return QString::number(v); }
int completedCount(const ModOrvan& m) { return static_cast<int>(m.CompletedUnknowns.size() / 2); }

struct MethodText {
    QChar digit;
    const char* text;
};
const MethodText kMethods[] = {
    {u'0', "No identification was made."},
    {u'1', "Identification was by typing name."},
    {u'2', "Identification was by choosing structure."},
    {u'3', "Identification was by giving structure."},
};

// The unsuccessful attempts of each method: its counter less the successful
// attempt when the unknown was identified that way.
struct Attempts {
    int count;
    const char* what;
};
QList<Attempts> unsuccessful(const ResultFields& f)
{
    const Attempts all[] = {
        {f.typingTries - (f.method == u'1' ? 1 : 0), " at supplying name by typing."},
        {f.choosingTries - (f.method == u'2' ? 1 : 0), " at structure choosing."},
        {f.givingTries - (f.method == u'3' ? 1 : 0), " at structure giving."},
    };
    QList<Attempts> out;
    for (const Attempts& a : all)
        if (a.count > 0)
            out.append(a);
    return out;
}

QString methodLine(QChar m)
{
    for (const MethodText& t : kMethods)
        if (t.digit == m)
            return QString::fromLatin1(t.text);
    return {};
}

int unknownNumber(const ModOrvan& m, int k) { return m.CompletedUnknowns.mid(2 * (k - 1), 2).toInt(); }
}

ResultFields resultFields(const QString& line, const QString& sessionTime)
{
    ResultFields f;
    f.physProps = num(line, 1, 1);
    f.spectra = num(line, 2, 1);
    f.tests = num(line, 3, 2);
    f.derivatives = num(line, 5, 2);
    f.unknownHelp = line.mid(6, 1) != QLatin1String("0");
    f.helpItems = num(line, 8, 2);
    f.precluded = num(line, 10, 2);
    f.unsuitable = num(line, 12, 2);
    f.method = line.size() >= 14 ? line.at(13) : QChar(u'0');
    f.typingTries = num(line, 15, 2);
    f.choosingTries = num(line, 17, 2);
    f.givingTries = num(line, 19, 2);
    f.name = line.mid(20);
    f.sessions = static_cast<int>(stored(sessionTime.left(3), 999));
    f.minutes = stored(sessionTime.mid(3), 999999999);
    return f;
}

QString summaryText(const ModOrvan& m)
{
    if (m.CompletedUnknowns.isEmpty())
        return QStringLiteral("No unknowns have yet been completed.");
    const int count = completedCount(m);
    QString t = n(count) + QStringLiteral(" unknown")
              + (m.CompletedUnknowns.size() > 2 ? QStringLiteral("s") : QString()) + QStringLiteral(" attempted.")
              + crlf + crlf;
    const QString i3(3, u' '), i7(7, u' ');
    for (int k = 1; k <= count && k <= 99; ++k) {
        const ResultFields f = resultFields(m.UnkResults[k].resultLine, m.UnkResults[k].sessionTime);
        t += QStringLiteral("Unknown no. ") + n(unknownNumber(m, k)) + QStringLiteral("    ") + f.name;
        if (f.method == u'0')
            t += QStringLiteral("     NOT IDENTIFIED");
        const int items = f.physProps + f.spectra + f.tests + (f.derivatives - f.unsuitable);
        t += crlf + i3 + n(items)
           + (items == 1 ? QStringLiteral(" item of information was revealed.")
                         : QStringLiteral(" items of information were revealed."));
        t += crlf + i7 + n(f.spectra) + (f.spectra == 1 ? QStringLiteral(" spectrum") : QStringLiteral(" spectra"));
        t += crlf + i7 + n(f.physProps)
           + (f.physProps == 1 ? QStringLiteral(" other physical property")
                               : QStringLiteral(" other physical properties"));
        if (isTrue(m.TestsAllowed))
            t += crlf + i7 + n(f.tests) + QStringLiteral(" chemical test") + s(f.tests);
        if (isTrue(m.DerivsAllowed))
            t += crlf + i7 + n(f.derivatives - f.unsuitable) + QStringLiteral(" derivative")
               + s(f.derivatives - f.unsuitable);
        if (isTrue(m.ItemHelpAllowed))
            t += crlf + i3 + n(f.helpItems) + QStringLiteral(" item") + s(f.helpItems)
               + QStringLiteral(" had help revealed.");
        if (isTrue(m.TestsAllowed))
            t += crlf + i3 + n(f.precluded) + QStringLiteral(" precluded item") + s(f.precluded)
               + QStringLiteral(" requested.");
        if (isTrue(m.DerivsAllowed))
            t += crlf + i3 + n(f.unsuitable) + QStringLiteral(" unsuitable derivative") + s(f.unsuitable)
               + QStringLiteral(" requested.");
        if (const QString ml = methodLine(f.method); !ml.isEmpty())
            t += crlf + i3 + ml;
        for (const Attempts& a : unsuccessful(f))
            t += crlf + i3 + n(a.count) + QStringLiteral(" unsuccessful attempt")
               + (a.count > 1 ? QStringLiteral("s") : QString()) + QString::fromLatin1(a.what);
        if (isTrue(m.UnknownHelpAllowed))
            t += crlf + i3 + QStringLiteral("Help with identification was ")
               + (f.unknownHelp ? QString() : QStringLiteral("not ")) + QStringLiteral("given.");
        const int saves = f.sessions - 1;
        t += crlf + i3 + crlf + (f.method == u'2' ? QStringLiteral("Time taken ") : QStringLiteral("Completed in "))
           + n(f.minutes) + QStringLiteral(" minute") + (f.minutes > 1 ? QStringLiteral("s") : QString())
           + QStringLiteral(" with ") + n(saves) + QStringLiteral(" file save") + s(saves) + QStringLiteral(".") + crlf
           + crlf;
    }
    return t;
}

SummaryPrintout summaryPrintout(const ModOrvan& m)
{
    SummaryPrintout p;
    const int count = completedCount(m);
    p.header.append({QStringLiteral("Orvanto unknowns completed"), 1, true});
    p.header.append({QString(), 1, false});
    p.header.append({n(count) + QStringLiteral(" unknown")
                         + (m.CompletedUnknowns.size() > 2 ? QStringLiteral("s") : QString())
                         + QStringLiteral(" attempted"),
                     1, false});
    const bool tests = isTrue(m.TestsAllowed), derivs = isTrue(m.DerivsAllowed);
    if (!tests || !derivs) {
        QStringList hidden;
        if (!tests)
            hidden << QStringLiteral("chemical tests");
        if (!derivs)
            hidden << QStringLiteral("derivatives");
        p.header.append({hidden.join(QStringLiteral(" and ")) + QStringLiteral(" all hidden"), 8, false});
    }
    const bool names = isTrue(m.OfferNameList), structs = isTrue(m.ChooseStructureAllowed);
    if (!names || !structs) {
        QStringList off;
        if (!names)
            off << QStringLiteral("suggested names");
        if (!structs)
            off << QStringLiteral("suggested structures");
        p.header.append({off.join(QStringLiteral(" and ")) + QStringLiteral(" not allowed"), 8, false});
    }
    if (!isTrue(m.ItemHelpAllowed))
        p.header.append({QStringLiteral("help about items not allowed"), 8, false});
    if (!isTrue(m.UnknownHelpAllowed))
        p.header.append({QStringLiteral("help about unknown type not allowed"), 8, false});
    p.header.append({QString(), 1, false});

    for (int k = 1; k <= count && k <= 99; ++k) {
        const ResultFields f = resultFields(m.UnkResults[k].resultLine, m.UnkResults[k].sessionTime);
        SummaryBlock b;
        QString first = QStringLiteral("Unknown no. ") + n(unknownNumber(m, k)) + QStringLiteral("   ") + f.name;
        if (f.method == u'0')
            first += QStringLiteral("     NOT IDENTIFIED");
        b.lines.append({first, 1, true});
        const int items = f.physProps + f.spectra + f.tests + (f.derivatives - f.unsuitable);
        b.lines.append({n(items)
                            + (items == 1 ? QStringLiteral(" item of information was revealed")
                                          : QStringLiteral(" items of information were revealed")),
                        8, false});
        b.lines.append(
            {n(f.spectra) + (f.spectra == 1 ? QStringLiteral(" spectrum") : QStringLiteral(" spectra")), 12, false});
        b.lines.append({n(f.physProps)
                            + (f.physProps == 1 ? QStringLiteral(" other physical property")
                                                : QStringLiteral(" other physical properties")),
                        12, false});
        if (tests)
            b.lines.append(
                {n(f.tests) + (f.tests == 1 ? QStringLiteral(" chemical test") : QStringLiteral(" chemical tests")), 12,
                 false});
        const int d = f.derivatives - f.unsuitable;
        if (derivs)
            b.lines.append(
                {n(d) + (d == 1 ? QStringLiteral(" derivative") : QStringLiteral(" derivatives")), 12, false});
        if (isTrue(m.ItemHelpAllowed))
            b.lines.append({n(f.helpItems)
                                + (f.helpItems == 1 ? QStringLiteral(" item had help revealed")
                                                    : QStringLiteral(" items had help revealed")),
                            8, false});
        if (tests)
            b.lines.append({n(f.precluded)
                                + (f.precluded == 1 ? QStringLiteral(" precluded item requested")
                                                    : QStringLiteral(" precluded items requested")),
                            8, false});
        if (derivs)
            b.lines.append({n(f.unsuitable)
                                + (f.unsuitable == 1 ? QStringLiteral(" unsuitable derivative requested")
                                                     : QStringLiteral(" unsuitable derivatives requested")),
                            8, false});
        if (const QString ml = methodLine(f.method); !ml.isEmpty())
            b.lines.append({ml, 8, false});
        for (const Attempts& a : unsuccessful(f))
            b.lines.append({n(a.count)
                                + (a.count == 1 ? QStringLiteral(" unsuccessful attempt")
                                                : QStringLiteral(" unsuccessful attempts"))
                                + QString::fromLatin1(a.what),
                            8, false});
        if (isTrue(m.UnknownHelpAllowed))
            b.lines.append({QStringLiteral("Help with identification was ")
                                + (f.unknownHelp ? QString() : QStringLiteral("not ")) + QStringLiteral("given."),
                            8, false});
        const int saves = f.sessions - 1;
        b.lines.append({(f.method == u'2' ? QStringLiteral("Time taken ") : QStringLiteral("Completed in "))
                            + n(f.minutes) + QStringLiteral(" minute") + s(f.minutes) + QStringLiteral(" with ")
                            + n(saves) + QStringLiteral(" file save") + s(saves),
                        8, false});
        b.lines.append({QString(), 1, false});
        p.blocks.append(b);
    }
    return p;
}

int summaryLinesPerPage(double pageHeightTwips, double lineTwips)
{
    return std::max(10, static_cast<int>((pageHeightTwips - 400) / lineTwips));
}

QList<QList<PagedLine>> summaryPages(const SummaryPrintout& out, const PrintLine& printed, int linesPerPage)
{
    linesPerPage = std::max(10, linesPerPage);
    QList<QList<PagedLine>> pages(1);
    const auto fits = [&](qsizetype need) {
        return pages.back().isEmpty() || pages.back().size() + need <= linesPerPage;
    };
    for (const PrintLine& l : out.header)
        pages.back().append({l});
    const qsizetype n = out.blocks.size();
    for (qsizetype k = 0; k < n; ++k) {
        const QList<PrintLine>& lines = out.blocks[k].lines;
        if (!fits(lines.size()))
            pages.append(QList<PagedLine>());
        for (const PrintLine& l : lines)
            pages.back().append({l});
        if (!pages.back().isEmpty())
            pages.back().back().progress = int((k + 1) * 100 / std::max<qsizetype>(1, n));
    }
    if (!fits(1))
        pages.append(QList<PagedLine>());
    pages.back().append({printed});
    return pages;
}

} // namespace orv
