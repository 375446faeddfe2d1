#include "mainwindow/mainstatus.h"

#include "platform/basic.h"

#include <QTime>
#include <cmath>

namespace orv {

QString timeTakenText(double startTime, double now)
{
    constexpr long long kDay = 24LL * 60 * 60;
    long long seconds = std::llround((now - startTime) * kDay) % kDay;
    if (seconds < 0)
        seconds += kDay;
    return QStringLiteral("time taken ")
         + FormatTime(QTime(0, 0).addSecs(static_cast<int>(seconds)), QStringLiteral("hh:mm:ss"));
}

QString mainCaptionText(const ModOrvan& m)
{
    QString caption = QStringLiteral("Orvanto assigns you ");
    if (isTrue(m.ShowUnknownNumber))
        caption += QStringLiteral("unknown ") + QString::number(m.CurrentUnknown) + QStringLiteral(", ");
    return caption + m.UnkItemTitle[0];
}

} // namespace orv
