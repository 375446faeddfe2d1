#pragma once
// Reading printouts in tests: a page laid out into an image (15 twips a
// pixel), ink or magenta near a point of an image, the text of a printed
// PDF, and a viewer's feedback after a printout.
#include "platform/forms/printnotice.h"
#include "platform/twips.h"
#include "spectra/forms/printpage.h"
#include "spectra/forms/printprogress.h"

#include "tests/common/pdftools.h"
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <QSizeF>
#include <functional>
#include <gtest/gtest.h>

namespace printcheck {

inline QImage pageImage(QSizeF pageTwips, const std::function<void(orv::spectra::PrintPage&)>& layout)
{
    QImage image(orv::px(pageTwips.width()), orv::px(pageTwips.height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(1.0 / orv::kTwipsPerPixel, 1.0 / orv::kTwipsPerPixel);
    orv::spectra::PrintPage page(painter);
    layout(page);
    return image;
}

// Any dark pixel within `reach` pixels of a point given in twips.
inline bool inkNear(const QImage& image, double xTw, double yTw, int reach = 1)
{
    const int cx = orv::px(xTw), cy = orv::px(yTw);
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (image.rect().contains(cx + dx, cy + dy) && qGray(image.pixel(cx + dx, cy + dy)) < 200)
                return true;
    return false;
}

// A pixel of exactly this colour within `reach` pixels of a point given in twips.
inline bool colourNear(const QImage& image, double xTw, double yTw, QRgb colour, int reach = 2)
{
    const int cx = int(xTw / orv::kTwipsPerPixel), cy = int(yTw / orv::kTwipsPerPixel);
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (image.rect().contains(cx + dx, cy + dy)
                && (image.pixel(cx + dx, cy + dy) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

// A magenta pixel within two pixels of a point given in twips.
inline bool magentaNear(const QImage& image, double xTw, double yTw)
{
    const int cx = orv::px(xTw), cy = orv::px(yTw);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (image.rect().contains(cx + dx, cy + dy) && (image.pixel(cx + dx, cy + dy) & 0xFFFFFF) == 0xFF00FF)
                return true;
    return false;
}

inline QString pdfText(const QString& pdf) { return orvtest::pdfText(pdf).value_or(QString()); }

// Right after a printout's handler has returned: the bar hidden and
// "Printing completed." shown on the viewer's three-second timer, which,
// when its time is up (run out here at once), hides the notice.
inline void expectTimedNotice(orv::spectra::PrintProgress& progress)
{
    EXPECT_FALSE(progress.bar()->isVisible());
    EXPECT_TRUE(progress.notice()->isVisible());
    EXPECT_EQ(progress.notice()->text(), QStringLiteral("Printing completed."));
    ASSERT_TRUE(progress.noticeTimer()->isActive());
    EXPECT_EQ(progress.noticeTimer()->interval(), orv::kPrintNoticeMs);
    progress.noticeTimer()->start(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !progress.notice()->isVisible(); }, 2000));
    EXPECT_FALSE(progress.bar()->isVisible());
}

} // namespace printcheck
