#include "mainwindow/forms/printnotice.h"

#include "core/coreservices.h"
#include "platform/forms/geometry.h"

#include <QLineEdit>
#include <QTimer>

namespace orv {

void showPrintNotice(QLineEdit* box, int leftTw, int topTw, QTimer* hideTimer)
{
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    box->setText(QStringLiteral("Printing completed."));
    QPalette p = box->palette();
    p.setColor(QPalette::Base, vbColour(PaletteColour(0xFFFF7D)));
    box->setPalette(p);
    placeControl(box, leftTw, topTw, kPrintNoticeWidth, 330);
    box->show();
    hideTimer->start(kPrintNoticeMs);
}

} // namespace orv
