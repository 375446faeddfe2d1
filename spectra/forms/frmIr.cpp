#include "spectra/forms/frmIr.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "platform/twips.h"
#include "spectra/forms/irprint.h"
#include "spectra/ircorrelations.h"
#include "spectra/irplot.h"

#include <QAction>

namespace orv::spectra {

namespace {
const QList<int> kPointerItems{0, 1};
const QStringList kPointerKeys{QStringLiteral("correlate"), QStringLiteral("measure")};
} // namespace

frmIr::frmIr()
    : SpectrumViewer(
        {QStringLiteral("Ir"), QStringLiteral("IR"), QStringLiteral("Ir"), QStringLiteral("Ir spectrum quick help")},
        {QStringLiteral("&Correlations"), QStringLiteral("&Peak position measurement"),
         QStringLiteral("&Nujol spectrum"), QStringLiteral("&Redraw a clean spectrum")},
        {{QStringLiteral("correlate"), QStringLiteral("Use this to hold button down for correlation information")},
         {QStringLiteral("measure"), QStringLiteral("Use this to click to measure peak positions")},
         {QStringLiteral("nujol"), QStringLiteral("Click on this to add or remove a Nujol spectrum")},
         {QStringLiteral("redraw"), QStringLiteral("Click on this to redraw clean spectrum")}}),
      picIrCor_(new PopupPicture(picture()))
{
    setObjectName(QStringLiteral("frmIr"));
    picIrCor_->setObjectName(QStringLiteral("picIrCor"));
    const ModOrvan& m = modOrvan;
    placeViewer(QStringLiteral("Infrared spectrum ") + m.UnkItemTitle[m.CurrentItem]);
    resetForm();
    nujolAvailable_ = vb(m.UnkItemTitle[m.CurrentItem].contains(QStringLiteral("ujol"), Qt::CaseSensitive));
    toolsItem(2)->setEnabled(isTrue(nujolAvailable_));
    toolbar()->setButtonEnabled(QStringLiteral("nujol"), isTrue(nujolAvailable_));
    toolsItem(0)->setEnabled(isTrue(m.CorrelationsAllowed));
    toolbar()->setButtonEnabled(QStringLiteral("correlate"), isTrue(m.CorrelationsAllowed));
    helpMenu()->setEnabled(isTrue(m.ItemHelpAllowed));
    UpdateStatusBar(1);
}

void frmIr::resetForm()
{
    ToolMode.clear();
    picIrCor_->hide();
    nujolShown_ = kFalse;
    toolsItem(2)->setChecked(false);
    toolbar()->setDown(QStringLiteral("nujol"), false);
    MeasureProcess();
}

void frmIr::formPaint()
{
    picture()->draw(ir::frame(modOrvan.IrLabel));
    picture()->draw(ir::trace(modOrvan.IrData));
}

void frmIr::MeasureProcess()
{
    applyToolState(ToolMode == u"Measure", 2, 0, kPointerItems, 1, kPointerKeys, QStringLiteral("measure"));
}

void frmIr::CorBarProcess()
{
    applyToolState(ToolMode == u"CorBar", 99, 102, kPointerItems, 0, kPointerKeys, QStringLiteral("correlate"));
}

void frmIr::CorrelationBars(int x)
{
    const ir::CorrelationPopup popup = ir::correlationPopup(x);
    picIrCor_->show();
    picIrCor_->raise();
    if (!popup.placed) {
        picIrCor_->placeTwips(0, popup.top, 0, 0);
        return;
    }
    picIrCor_->placeTwips(popup.left, popup.top, popup.width, popup.height);
    picIrCor_->draw(popup.plot, {4.0 * kTwipsPerPixel});
}

void frmIr::printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress)
{
    const ModOrvan& m = modOrvan;
    const ir::PrintoutData contents{windowTitle(),    m.IrLabel,          m.IrData, isTrue(m.ShowUnknownNumber),
                                    m.CurrentUnknown, isTrue(nujolShown_)};
    ir::printout(page, pageTwips, contents, progress);
}

void frmIr::NujolSpectrum()
{
    nujolShown_ = vb(!isTrue(nujolShown_));
    toolsItem(2)->setChecked(isTrue(nujolShown_));
    toolbar()->setDown(QStringLiteral("nujol"), isTrue(nujolShown_));
    picture()->draw(ir::nujolOverlay());
}

void frmIr::toolsItemClick(int index)
{
    const auto measure = [this] { MeasureProcess(); };
    const auto corBar = [this] { CorBarProcess(); };
    switch (index) {
    case 0: chooseTool(QStringLiteral("CorBar"), {measure, corBar}); break;
    case 1: chooseTool(QStringLiteral("Measure"), {corBar, measure}); break;
    case 2: NujolSpectrum(); break;
    case 3: RedrawSpectrum(); break;
    default: break;
    }
}

void frmIr::pictureMouseUp(int, int, float, float) { picIrCor_->hide(); }

void frmIr::pictureMouseDown(int, int, float x, float y)
{
    picIrCor_->clear();
    if (ToolMode == u"Measure") {
        if (auto mark = ir::measureMark(x, y))
            picture()->draw(*mark);
    } else if (ToolMode == u"CorBar") {
        CorrelationBars(CInt(x));
    }
}

} // namespace orv::spectra
