#include "spectra/forms/printprogress.h"

#include "core/coreservices.h"
#include "core/forms/printnotice.h"
#include "platform/forms/geometry.h"
#include "platform/forms/printer.h"
#include "platform/runtime.h"
#include "spectra/plot.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>

namespace orv::spectra {

PrintProgress::PrintProgress(QWidget* parent, const QString& code, int barLeft)
    : bar_(new QProgressBar(parent))
    , notice_(new QLineEdit(parent))
    , barLeft_(barLeft)
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
    placeControl(bar_, barLeft_, 2200, viewerWidthTwips - 330, 330);
    bar_->setValue(1);
    bar_->show();
    bar_->raise();
    // Painted at once; events are not run here, so nothing can close the
    // viewer or start a second printout in the middle of this one.
    bar_->repaint();
}

void PrintProgress::setValue(double value)
{
    bar_->setValue(int(value));
    bar_->repaint();
}

void showPrintedNotice(QLineEdit* notice, int viewerWidthTwips)
{
    placePrintNotice(notice, (viewerWidthTwips - kPrintNoticeWidth) / 2, 2200);
    const QPointer<QLineEdit> guard = notice;
    Pause(3);
    if (guard)
        guard->hide();
}

void PrintProgress::finish(int viewerWidthTwips)
{
    bar_->hide();
    showPrintedNotice(notice_, viewerWidthTwips);
}

void PrintProgress::abandon()
{
    bar_->hide();
    notice_->hide();
}

bool runPrintout(PrintProgress& progress, QWidget* viewer,
                 const std::function<void(PrintPage&, QSizeF)>& layout)
{
    const int width = formRectTwips(viewer).width();
    progress.start(width);
    TwipsPrinter printer;
    printer.setLandscape(true);
    if (!printer.begin(viewer->windowTitle())) {
        progress.abandon();
        return false;
    }
    {
        PrintPage page(*printer.painter());
        layout(page, printer.pageSizeTwips());
    }
    if (!printer.end()) {
        progress.abandon();
        return false;
    }
    progress.finish(width);
    return true;
}

} // namespace orv::spectra
