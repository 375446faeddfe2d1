#include "mainwindow/assignments.h"

#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "platform/msgbox.h"
#include "platform/twips.h"

#include <cmath>

namespace orv {

QString assignmentsCaption(int unknown, bool showUnknownNumber)
{
    QString c = QStringLiteral("Main spectral assignments");
    if (showUnknownNumber)
        c += QStringLiteral(" for unknown ") + QString::number(unknown);
    return c;
}

QString assignmentsPrintTitle(int unknown)
{
    return QStringLiteral("Main spectral assignments for unknown ") + QString::number(unknown);
}

QString assignmentsPicturePath(int unknown)
{
    return modOrvan.ProgramPath + QStringLiteral("/gifs/ovunk") + UnknownFileCode(unknown) + QStringLiteral(".gif");
}

QString assignmentsMissingMessage(const QString& path)
{
    return vbCrLf + QStringLiteral("  Error reading ") + path + QStringLiteral(" file. Can not show assignments.");
}

QSize himetricOfPixels(const QSize& pixels)
{
    // 1440 twips and 2540 HIMETRIC units to the inch.
    const double perPixel = kTwipsPerPixel * 2540.0 / 1440.0;
    return {static_cast<int>(std::lround(pixels.width() * perPixel)),
            static_cast<int>(std::lround(pixels.height() * perPixel))};
}

TwipsRect assignmentsPictureBox(const QSize& himetric, int formWidth)
{
    TwipsRect r;
    r.width = static_cast<int>(std::lround(himetric.width() * 0.57));
    r.height = static_cast<int>(std::lround(himetric.height() * 0.59));
    r.top = 100;
    r.left = static_cast<int>(std::lround((formWidth - himetric.width() * 0.57) / 2));
    return r;
}

TwipsRect assignmentsPrintRect(const QSize& himetric)
{
    return {100, 1000, static_cast<int>(std::lround(himetric.width() * 0.8)),
            static_cast<int>(std::lround(himetric.height() * 0.8))};
}

} // namespace orv
