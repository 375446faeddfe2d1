#include "core/quitlayout.h"

#include "core/modorvan.h"

#include <algorithm>

namespace orv {

QString quitText(const ModOrvan& m)
{
    if (!isTrue(m.AllUnknownsDone))
        return isTrue(m.InstructorMode) ? QStringLiteral("Goodbye from instructor unknown selection mode.  ")
                                        : QStringLiteral("Goodbye from Orvanto. Come back soon.");
    if (m.QuitReason == QLatin1String("AllDone"))
        return QStringLiteral("All allocated (or all available) unknowns have already been solved when you "
                              "previously used this program.");
    return QStringLiteral("Congratulations on completing all ")
         + (isTrue(m.ProgramChoosesUnknowns) ? QStringLiteral("the available") : QStringLiteral("your allocated "))
         + QStringLiteral(" unknowns. You now should have the skills to tackle spectroscopy and ")
         + QStringLiteral("qualitative organic analysis in the laboratory. Goodbye and happy analysing.");
}

QuitLayout quitLayout(const ModOrvan& m, const QString& message)
{
    QuitLayout q;
    q.text = quitText(m);
    if (!message.isEmpty())
        q.text = message + QStringLiteral("  ") + q.text;
    const int len = static_cast<int>(q.text.size());
    double height;
    if (len <= 180) {
        q.labelWidth = 4650;
        height = len * 4.6 + 120;
    } else {
        q.labelWidth = 5300;
        height = len * 3.3 + 120;
    }
    q.labelHeight = std::min(1300, static_cast<int>(height));
    q.labelTop = (1300 - q.labelHeight) / 2 + 20;
    q.labelLeft = (kQuitWindowWidth - q.labelWidth) / 2 - 40;

    const QString next = QStringLiteral("Click here to get Orvanto ready for the next person");
    const QString quit = QStringLiteral("Click here to quit Orvanto");
    const QString& r = m.QuitReason;
    if (r == QLatin1String("AnotherUser") || r == QLatin1String("NoSaveNext")) {
        q.caption = QStringLiteral("Getting ready for another user");
        q.restart = {true, QStringLiteral("&Continue"), (kQuitWindowWidth - 1000) / 2, 1000, next};
    } else if (r == QLatin1String("QuitNow") || r == QLatin1String("NoSaveExit")) {
        q.caption = QStringLiteral("Quitting Orvanto");
        q.exit = {true, QStringLiteral("&End now"), (kQuitWindowWidth - 1000) / 2, 1000, quit};
    } else {
        q.caption = QStringLiteral("Ready to quit Orvanto?");
        q.exit = {true, QStringLiteral("&Exit"), kQuitWindowWidth / 2 + 250, 1700, quit};
        q.restart = {true, QStringLiteral("&Restart for new user"), kQuitWindowWidth / 2 - 1950, 1700, next};
    }
    if (isTrue(m.AllUnknownsDone))
        q.summary = {true, QStringLiteral("&Summary of completed unknowns"), (kQuitWindowWidth - 2800) / 2, 2800,
                     QStringLiteral("Click here to view your completed unknowns")};
    return q;
}

TwipsPoint quitWindowPosition(const ModOrvan& m, int windowHeight, int screenWidth, int screenHeight)
{
    TwipsPoint p;
    if (m.MainWindowTop == 0) {
        p.top = m.ScreenTopOffset + 2250;
        p.left = (screenWidth - kQuitWindowWidth) / 2;
        return p;
    }
    p.top = m.MainWindowTop + 2000;
    if (p.top < 1)
        p.top = 1;
    if (p.top > screenHeight - windowHeight)
        p.top = screenHeight - windowHeight - 10;
    p.left = m.MainWindowLeft + (m.MainWindowWidth - kQuitWindowWidth) / 2;
    if (p.left < 1)
        p.left = 1;
    if (p.left > screenWidth - kQuitWindowWidth)
        p.left = screenWidth - kQuitWindowWidth - 10;
    return p;
}

} // namespace orv
