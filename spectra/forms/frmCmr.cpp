#include "spectra/forms/frmCmr.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/twips.h"
#include "spectra/cmrcorrelations.h"
#include "spectra/cmrplot.h"
#include "spectra/forms/cmrprint.h"

#include <QAction>

namespace orv::spectra {

namespace {
const QList<int> kPointerItems{0, 1, 2};
const QStringList kPointerKeys{QStringLiteral("correlate"), QStringLiteral("expand"), QStringLiteral("measure")};
} // namespace

frmCmr::frmCmr()
    : SpectrumViewer({QStringLiteral("Cmr"), {}, {}, QStringLiteral("Cmr spectrum help")},
                     {QStringLiteral("C&orrelations"), QStringLiteral("&Expand spectrum"),
                      QStringLiteral("&Peak position measurement"), QStringLiteral("&Redraw a clean spectrum"),
                      QStringLiteral("-"), QStringLiteral("&Carbon shift calculator")},
                     {{QStringLiteral("correlate"),
                       QStringLiteral("Use this to hold button down for correlation information")},
                      {QStringLiteral("expand"), QStringLiteral("Use this to drag or click to expand spectrum")},
                      {QStringLiteral("measure"), QStringLiteral("Use this to click to measure peak positions")},
                      {QStringLiteral("redraw"), QStringLiteral("Click on this to redraw clean spectrum")}}),
      picCmrCor_(new PopupPicture(centralWidget()))
{
    setObjectName(QStringLiteral("frmCmr"));
    picCmrCor_->setObjectName(QStringLiteral("picCmrCor"));
    setBackColour(picCmrCor_, kWhite);
    setToolShortcut(5, QKeySequence(Qt::CTRL | Qt::Key_B));
    const ModOrvan& m = modOrvan;
    toolsItem(0)->setEnabled(isTrue(m.CorrelationsAllowed));
    toolbar()->setButtonEnabled(QStringLiteral("correlate"), isTrue(m.CorrelationsAllowed));
    toolsItem(5)->setEnabled(isTrue(m.CShiftCalcAllowed));
    placeViewer(QStringLiteral("Carbon nmr spectrum (25 MHz) ") + m.UnkItemTitle[m.CurrentItem]);
    helpMenu()->setEnabled(isTrue(m.ItemHelpAllowed));
    resetForm();
    UpdateStatusBar(1);
}

void frmCmr::resetForm()
{
    ToolMode.clear();
    expandDragging_ = kFalse;
    picCmrCor_->hide();
    MeasureProcess();
}

void frmCmr::formPaint()
{
    Plot p = cmr::note(modOrvan.CmrLabel);
    p.append(cmr::axis());
    noise_.reseed(cmr::noiseSeed(modOrvan.CurrentUnknown));
    p.append(cmr::baselineNoise(noise_));
    picture()->draw(p);
    DrawSpectrumLines();
}

void frmCmr::DrawSpectrumLines()
{
    // Always black: the sticks a shrinking expansion band wipes come back as they were.
    picture()->draw(cmr::sticks(modOrvan.CmrData));
}

void frmCmr::MeasureProcess()
{
    applyToolState(ToolMode == u"Measure", 2, 0, kPointerItems, 2, kPointerKeys, QStringLiteral("measure"));
}

void frmCmr::ExpandProcess()
{
    applyToolState(ToolMode == u"Expand", 99, 101, kPointerItems, 1, kPointerKeys, QStringLiteral("expand"));
}

void frmCmr::CorBarProcess()
{
    applyToolState(ToolMode == u"CorBar", 99, 102, kPointerItems, 0, kPointerKeys, QStringLiteral("correlate"));
}

void frmCmr::CorrelationBars(int x)
{
    const cmr::CorrelationPopup popup = cmr::correlationPopup(x);
    picCmrCor_->placeTwips(popup.left, popup.top, popup.width, popup.height);
    picCmrCor_->show();
    picCmrCor_->raise();
    picCmrCor_->draw(popup.plot, {4.0 * kTwipsPerPixel});
}

void frmCmr::printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress)
{
    const ModOrvan& m = modOrvan;
    const cmr::PrintoutData contents{windowTitle(), m.CmrLabel, m.CmrData, isTrue(m.ShowUnknownNumber),
                                     m.CurrentUnknown};
    cmr::printout(page, pageTwips, contents, noise_, progress);
}

void frmCmr::toolsItemClick(int index)
{
    const auto measure = [this] { MeasureProcess(); };
    const auto expand = [this] { ExpandProcess(); };
    const auto corBar = [this] { CorBarProcess(); };
    switch (index) {
    case 0: chooseTool(QStringLiteral("CorBar"), {measure, expand, corBar}); break;
    case 1: chooseTool(QStringLiteral("Expand"), {measure, corBar, expand}); break;
    case 2: chooseTool(QStringLiteral("Measure"), {expand, corBar, measure}); break;
    case 3: RedrawSpectrum(); break;
    case 5: forms::showModal(forms::names::frmCalcCShift); break;
    default: break;
    }
}

void frmCmr::pictureMouseDown(int, int, float x, float y)
{
    picCmrCor_->clear();
    if (ToolMode == u"Measure") {
        if (auto mark = cmr::measureMark(x, y))
            picture()->draw(*mark);
    } else if (ToolMode == u"Expand") {
        if (!isTrue(expandDragging_) && cmr::expandPressAccepted(x, y)) {
            expandDragging_ = kTrue;
            band_.start(x);
            modOrvan.ExpandLeftX = band_.left;
            modOrvan.ExpandRightX = band_.right;
        }
    } else if (ToolMode == u"CorBar") {
        CorrelationBars(CInt(x));
    }
}

void frmCmr::pictureMouseMove(int, int, float x, float y)
{
    if (ToolMode != u"Expand" || !isTrue(expandDragging_) || !cmr::expandMoveAccepted(x, y))
        return;
    moveBand(band_, x, &cmr::bandBox, [this] { DrawSpectrumLines(); });
}

void frmCmr::pictureMouseUp(int, int, float x, float y)
{
    if (ToolMode == u"CorBar")
        picCmrCor_->hide();
    if (ToolMode != u"Expand" || !isTrue(expandDragging_))
        return;
    if (cmr::expandMoveAccepted(x, y)) {
        expandDragging_ = kFalse;
        forms::showModal(forms::names::frmCmrExp);
    }
    RedrawSpectrum();
}

} // namespace orv::spectra
