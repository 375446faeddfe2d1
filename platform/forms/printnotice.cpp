#include "platform/forms/printnotice.h"

#include "platform/forms/geometry.h"
#include "platform/runtime.h"
#include "platform/twips.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QTimer>

namespace orv {

void placePrintNotice(QLineEdit* box, int leftTw, int topTw)
{
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    box->setText(QStringLiteral("Printing completed."));
    QPalette p = box->palette();
    p.setColor(QPalette::Base, vbColour(PaletteColour(0xFFFF7D)));
    box->setPalette(p);
    // The frame, the text margins and the line box's own two pixels a side.
    const QMargins m = box->textMargins();
    const int framePx = box->hasFrame() ? 2 * 2 : 0;
    const int needPx = QFontMetrics(box->font()).horizontalAdvance(box->text()) + m.left() + m.right() + framePx + 4;
    const int width = std::max(kPrintNoticeWidth, int(twips(needPx)) + kTwipsPerPixel);
    placeControl(box, leftTw - (width - kPrintNoticeWidth) / 2, topTw, width, 330);
    box->show();
    box->raise();
}

QTimer* newPrintNoticeTimer(QObject* owner, QWidget* notice)
{
    auto* timer = new QTimer(owner);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, notice, &QWidget::hide);
    return timer;
}

void showPrintNotice(QLineEdit* box, int leftTw, int topTw, QTimer* hideTimer)
{
    placePrintNotice(box, leftTw, topTw);
    hideTimer->start(kPrintNoticeMs);
}

} // namespace orv
