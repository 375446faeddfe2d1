#include "spectra/forms/printprogress.h"

#include "platform/forms/geometry.h"
#include "platform/forms/printnotice.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>

namespace orv::spectra {

PrintProgress::PrintProgress(QWidget* parent, const QString& code, int barLeft)
    : bar_(new QProgressBar(parent)), notice_(new QLineEdit(parent)),
      noticeTimer_(newPrintNoticeTimer(parent, notice_)), barLeft_(barLeft)
{
    bar_->setObjectName(QStringLiteral("pb") + code);
    bar_->setRange(0, 100);
    bar_->setTextVisible(false);
    bar_->hide();
    notice_->setObjectName(QStringLiteral("txt") + code);
    notice_->setReadOnly(true);
    notice_->setAlignment(Qt::AlignCenter);
    notice_->hide();
}

void PrintProgress::start(int viewerWidthTwips)
{
    noticeTimer_->stop();
    notice_->hide();
    placeControl(bar_, barLeft_, 2200, viewerWidthTwips - 330, 330);
    // The bar paints only through paintBar while it is shown for a printout.
    bar_->setUpdatesEnabled(false);
    bar_->setValue(1);
    bar_->show();
    bar_->raise();
    // Painted at once; events are not run while the page is laid out, so
    // nothing can close the viewer or start a second printout meanwhile.
    paintBar();
}

void PrintProgress::paintBar()
{
    bar_->setUpdatesEnabled(true);
    bar_->repaint();
    bar_->setUpdatesEnabled(false);
    paintedWidth_ = bar_->width() * (bar_->value() - bar_->minimum()) / (bar_->maximum() - bar_->minimum());
    sincePaint_.start();
}

void PrintProgress::hideBar()
{
    // Painting is allowed again first: a widget hidden while its updates are
    // off leaves its last picture on the screen over its parent.
    bar_->setUpdatesEnabled(true);
    bar_->hide();
}

void PrintProgress::setValue(double value)
{
    const int whole = int(value);
    if (whole == bar_->value())
        return;
    bar_->setValue(whole);
    const int filled = bar_->width() * (whole - bar_->minimum()) / (bar_->maximum() - bar_->minimum());
    if (filled != paintedWidth_ && sincePaint_.elapsed() >= kFrameMs)
        paintBar();
}

void PrintProgress::finish(int viewerWidthTwips)
{
    hideBar();
    showPrintNotice(notice_, (viewerWidthTwips - kPrintNoticeWidth) / 2, 2200, noticeTimer_);
}

void PrintProgress::abandon()
{
    noticeTimer_->stop();
    hideBar();
    notice_->hide();
}

} // namespace orv::spectra
