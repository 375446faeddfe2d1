#include "core/welcometexts.h"

#include "core/modorvan.h"
#include "platform/basic.h"
#include "platform/resources.h"

namespace orv {

namespace {
const QString crlf = QStringLiteral("\r\n");

QString withoutLast(const QString& s) { return s.isEmpty() ? s : s.left(s.size() - 1); }
QString plural(long n) { return n == 1 ? QString() : QStringLiteral("s"); }
}

QString unknownTitleText(const ModOrvan& m) { return withoutLast(m.UnkItemTitle[0]); }
QString unknownTypeText(const ModOrvan& m) { return withoutLast(m.UnkItemHelp[0]); }

QString newUserText(const ModOrvan& m)
{
    QString t = QStringLiteral("Welcome and special greetings. Since this is the first time that you have used this "
                               "program, here is a very short introduction.");
    t += crlf + crlf + QStringLiteral("Orvanto has already assigned you an unknown organic compound (");
    if (isTrue(m.ShowUnknownNumber))
        t += QStringLiteral("unknown ") + QString::number(m.CurrentUnknown) + QStringLiteral(", ");
    t += unknownTitleText(m) + QStringLiteral("). ");
    t += QStringLiteral("Your challenge is to identify it. Use the program's menu items to get information about "
                        "this unknown. ");
    t += crlf + crlf + QStringLiteral("There is extensive help available. ")
       + QStringLiteral("If you want help now, press the F1 key and read:");
    const QString pad(39, u' ');
    for (const char* topic : {"How to use Orvanto", "Why use Orvanto", "Strategy background", "Strategy summary"})
        t += crlf + pad + QString::fromLatin1(topic);
    t += crlf + crlf
       + QStringLiteral("In addition there is a worked example showing how to identify a typical unknown.");
    t += crlf + QStringLiteral("This is selected from the \"Help\" menu item \"Solved example unknown\".");
    t += crlf
       + QStringLiteral(
             "You will be given a practice unknown and the help system will open to offer you some guidance.");
    return t;
}

QString oldUserText(const ModOrvan& m, int greeting, int encouragement, int ending)
{
    static const char* const greetings[] = {"Welcome back for another session.", "Hello once more.",
                                            "Glad that you are back.",           "Good day once more.",
                                            "Good that you have returned.",      "Pleased to see you again."};
    static const char* const cheers[] = {"Hang in there",   "Stick at it", "Work at it",
                                         "Have another go", "Persevere",   "Persist"};
    static const char* const endings[] = {"triumph. ", "win out. ", "succeed. ", "be victorious. "};
    QString t = QString::fromLatin1(greetings[std::clamp(greeting, 1, 6) - 1]) + crlf + crlf;
    if (!isTrue(m.MultipleSessionsAllowed)) {
        t += QStringLiteral("Orvanto has already assigned you another unknown organic compound (");
        if (isTrue(m.ShowUnknownNumber))
            t += QStringLiteral("unknown number ") + QString::number(m.CurrentUnknown) + QStringLiteral(", ");
        t += unknownTitleText(m) + QStringLiteral("). ")
           + QStringLiteral("Your ongoing challenge is to identify it. Use the program's menu items to again ")
           + QStringLiteral("get information about this unknown.") + crlf + crlf
           + QStringLiteral("Good luck and happy identifying!");
        return t;
    }
    t += QStringLiteral("You still have your previously assigned unknown organic compound to identify. It is ");
    if (isTrue(m.ShowUnknownNumber))
        t += QStringLiteral("unknown ") + QString::number(m.CurrentUnknown) + QStringLiteral(", ");
    t += unknownTitleText(m);
    if (isTrue(m.ItemHelpShown[0]))
        t += QStringLiteral(" and it has already been revealed that it is ") + unknownTypeText(m);
    t += QStringLiteral(".") + crlf + crlf;
    int v = 0;
    for (int k = 1; k <= kLastItem; ++k)
        if (isTrue(m.ItemsRevealed[k]))
            ++v;
    t += QStringLiteral("You have so far viewed ") + QString::number(v) + QStringLiteral(" item") + plural(v)
       + QStringLiteral(" and taken ") + QString::number(m.MinutesUsed) + QStringLiteral(" minute")
       + plural(m.MinutesUsed) + QStringLiteral(".") + QStringLiteral(" This is session ")
       + QString::number(m.SessionNumber) + QStringLiteral(".") + crlf + crlf;
    if (v > 1)
        t += QStringLiteral("(Reminder: you can review these items by using the Help ")
           + QStringLiteral("menu item 'Items revealed for this unknown'.)") + crlf + crlf;
    if (!m.CompletedUnknowns.isEmpty()) {
        const int c = static_cast<int>(m.CompletedUnknowns.size() / 2);
        t += QStringLiteral("To date you have already completed ") + QString::number(c) + QStringLiteral(" unknown")
           + (c > 1 ? QStringLiteral("s") : QString()) + QStringLiteral(". ")
           + (c >= 3 ? QStringLiteral("Excellent work.") : QStringLiteral("Well done - keep up the good work."));
    } else {
        t += QStringLiteral("This is your first unknown. ")
           + QString::fromLatin1(cheers[std::clamp(encouragement, 1, 6) - 1]) + QStringLiteral(" and ")
           + QString::fromLatin1(endings[std::clamp(ending, 1, 4) - 1]);
        const bool items = isTrue(m.ItemHelpAllowed), unknown = isTrue(m.UnknownHelpAllowed);
        if (items || unknown) {
            t += QStringLiteral("(Reminder: you can get ");
            if (items)
                t += QStringLiteral("help about each item");
            if (items && unknown)
                t += QStringLiteral(" and ");
            if (unknown)
                t += QStringLiteral("help about the unknown by using the Help menu item 'Help with this unknown'");
            t += QStringLiteral(").");
        }
    }
    return t;
}

QString tipText(int tip) { return QStringLiteral("Did you know...") + crlf + crlf + LoadResString(2000 + tip); }

int nextTipNumber(int shown)
{
    int n = shown;
    for (int guard = 0; n == shown && guard < 1000; ++guard)
        n = randomDraw(30);
    if (n == shown) // a scripted source that keeps answering the same tip
        n = shown % 30 + 1;
    return n;
}

} // namespace orv
