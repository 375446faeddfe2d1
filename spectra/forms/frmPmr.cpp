#include "spectra/forms/frmPmr.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/printer.h"
#include "platform/twips.h"
#include "spectra/forms/corbarpopup.h"
#include "spectra/forms/pmrprintout.h"
#include "spectra/forms/twipspainter.h"
#include "spectra/pmrcorrelations.h"
#include "spectra/pmrplot.h"

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>

namespace orv::spectra {

namespace {
const QList<int> kPointerItems{0, 1, 4};
const QStringList kPointerKeys{QStringLiteral("step"), QStringLiteral("expand"), QStringLiteral("correlate"),
                               QStringLiteral("measure")};

} // namespace

frmPmr::frmPmr()
    : SpectrumViewer(
        {QStringLiteral("Pmr"), {}, {}, QStringLiteral("Pmr spectrum quick help")},
        {QStringLiteral("&Correlations"), QStringLiteral("&Expand spectrum"), QStringLiteral("&Integrate spectrum"),
         QStringLiteral("&Measure integration steps"), QStringLiteral("Pea&k position measurement"),
         QStringLiteral("&Redraw a clean spectrum"), QStringLiteral("-"), QStringLiteral("&Proton shift calculator"),
         QStringLiteral("Pr&oton coupling calculator")},
        {{QStringLiteral("correlate"), QStringLiteral("Use this to hold button down for correlation information")},
         {QStringLiteral("expand"), QStringLiteral("Use this to drag or click to expand the spectrum")},
         {QStringLiteral("integrate"), QStringLiteral("Click on this to add or delete integration line")},
         {QStringLiteral("step"), QStringLiteral("Use this to drag and measure integration steps")},
         {QStringLiteral("measure"), QStringLiteral("Use this to click to measure peak positions")},
         {QStringLiteral("redraw"), QStringLiteral("Click on this to redraw a clean spectrum")}})
{
    setObjectName(QStringLiteral("frmPmr"));
    picPmrCor_ = new CorBarPopup(picture());
    picPmrCor_->setObjectName(QStringLiteral("picPmrCor"));
    printProgress().notice()->setFrame(false);
    QFont noticeFont = printProgress().notice()->font();
    noticeFont.setPointSizeF(8);
    printProgress().notice()->setFont(noticeFont);
    connect(picture(), &SpectrumPicture::keyPress, this, &frmPmr::pictureKeyPress);
    formLoad();
}

void frmPmr::formLoad()
{
    const ModOrvan& m = modOrvan;
    placeViewer(QStringLiteral("Proton nmr spectrum (400 MHz) ") + m.UnkItemTitle[m.CurrentItem]);
    toolsItem(0)->setEnabled(isTrue(m.CorrelationsAllowed));
    toolbar()->setButtonEnabled(QStringLiteral("correlate"), isTrue(m.CorrelationsAllowed));
    toolsItem(7)->setEnabled(isTrue(m.HShiftCalcAllowed));
    toolsItem(8)->setEnabled(isTrue(m.CouplingCalcAllowed));
    helpMenu()->setEnabled(isTrue(m.ItemHelpAllowed));
    resetForm();
    UpdateStatusBar(1);
}

void frmPmr::resetForm()
{
    toolsItem(3)->setEnabled(false);
    toolbar()->setButtonEnabled(QStringLiteral("step"), false);
    ToolMode.clear();
    integralShown_ = kFalse;
    stepDragging_ = kFalse;
    expandDragging_ = kFalse;
    step_ = pmr::StepMeter();
    picPmrCor_->hide();
    for (int i : {0, 1, 2, 3, 4})
        toolsItem(i)->setChecked(false);
    for (const QString& k : kPointerKeys)
        toolbar()->setDown(k, false);
    toolbar()->setDown(QStringLiteral("integrate"), false);
    setPointer(0);
    printMenu()->setEnabled(true);
}

void frmPmr::formPaint()
{
    BaselineY = pmr::kBaselineY;
    TopY = pmr::kTopY;
    Plot p = pmr::note(QString::fromLatin1(modOrvan.PmrData[25]));
    p.append(pmr::axis());
    picture()->draw(p);
    DrawSpectrumLines();
}

void frmPmr::DrawSpectrumLines() { picture()->draw(pmr::trace(modOrvan.PmrData)); }

void frmPmr::MeasureProcess()
{
    applyToolState(ToolMode == u"Measure", 2, 0, kPointerItems, 4, kPointerKeys, QStringLiteral("measure"));
}

void frmPmr::ExpandProcess()
{
    applyToolState(ToolMode == u"Expand", 99, 101, kPointerItems, 1, kPointerKeys, QStringLiteral("expand"));
}

void frmPmr::CorBarProcess()
{
    applyToolState(ToolMode == u"CorBar", 99, 102, kPointerItems, 0, kPointerKeys, QStringLiteral("correlate"));
}

void frmPmr::CorrelationBars(int x)
{
    const pmr::CorrelationPopup popup = pmr::correlationPopup(x);
    picPmrCor_->showPlot(popup.left, popup.top, popup.width, popup.height, popup.plot);
}

void frmPmr::IntegrationProcess()
{
    const bool on = !isTrue(integralShown_);
    toolsItem(2)->setChecked(on);
    if (!on)
        toolsItem(3)->setChecked(false);
    toolsItem(3)->setEnabled(on);
    toolbar()->setButtonEnabled(QStringLiteral("step"), on);
    if (!on)
        toolbar()->setDown(QStringLiteral("step"), false);
    toolbar()->setDown(QStringLiteral("integrate"), on);
    integralShown_ = vb(on);
    // Drawn with the not-xor pen: the second drawing takes the first away.
    picture()->draw(pmr::integralCurve(modOrvan.PmrData));
}

void frmPmr::StepProcess()
{
    const bool own = ToolMode == u"Step";
    if (own)
        step_.reset();
    applyToolState(own, 2, 0, {0, 1, 3, 4}, 3, kPointerKeys, QStringLiteral("step"));
    if (own)
        toolsItem(2)->setChecked(false);
}

void frmPmr::pictureKeyPress(int keyAscii) { step_.key(keyAscii); }

void frmPmr::stepMouseDown(float x, float y)
{
    if (isTrue(stepDragging_) || !pmr::stepAreaContains(x, y))
        return;
    stepDragging_ = kTrue;
    StepX = x;
    StepStartY = StepTopY = StepBottomY = y;
}

void frmPmr::stepMouseMove(float x, float y)
{
    if (!isTrue(stepDragging_) || !pmr::stepAreaContains(x, y))
        return;
    Plot rubber;
    rubber.line(StepX, StepStartY, StepX, y, PaletteColour(pmr::kStepBlue));
    picture()->draw(rubber);
    StepTopY = std::min(StepTopY, y);
    StepBottomY = std::max(StepBottomY, y);
}

void frmPmr::stepMouseUp(float x, float y)
{
    if (!isTrue(stepDragging_))
        return;
    stepDragging_ = kFalse;
    const float height = std::abs(StepStartY - y);
    if (height <= 30)
        return;
    const std::uint32_t blue = PaletteColour(pmr::kStepBlue);
    Plot wipe;
    wipe.line(StepX, StepTopY, StepX, StepBottomY, blue, DrawMode::NotXorPen);
    picture()->draw(wipe);
    if (!pmr::stepAreaContains(x, y))
        return;
    const float v = step_.measure(height);
    modOrvan.TextBuffer = pmr::stepText(v);
    Plot step;
    step.line(StepX, StepStartY, StepX, y, blue);
    step.text(StepX + 50, (y + StepStartY) / 2 - 100, modOrvan.TextBuffer, blue);
    picture()->draw(step);
}

void frmPmr::printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress)
{
    const ModOrvan& m = modOrvan;
    const pmr::PrintoutData contents{windowTitle(), &m.PmrData, isTrue(integralShown_), isTrue(m.ShowUnknownNumber),
                                     m.CurrentUnknown};
    pmr::printout(page, pageTwips, contents, progress);
}

void frmPmr::toolsItemClick(int index)
{
    const auto measure = [this] { MeasureProcess(); };
    const auto expand = [this] { ExpandProcess(); };
    const auto corBar = [this] { CorBarProcess(); };
    switch (index) {
    case 0: chooseTool(QStringLiteral("CorBar"), {measure, expand, corBar}); break;
    case 1: chooseTool(QStringLiteral("Expand"), {measure, corBar, expand}); break;
    case 2:
        chooseTool(QStringLiteral("Integrate"), {measure, expand, corBar, [this] { IntegrationProcess(); }}, false);
        break;
    case 3: chooseTool(QStringLiteral("Step"), {measure, expand, corBar, [this] { StepProcess(); }}); break;
    case 4: chooseTool(QStringLiteral("Measure"), {expand, corBar, measure}); break;
    case 5: RedrawSpectrum(); break;
    case 7: forms::showModal(forms::names::frmCalcHShift); break;
    case 8: forms::showModal(forms::names::frmCalcCoupling); break;
    default: break;
    }
}

void frmPmr::pictureMouseDown(int, int, float x, float y)
{
    picPmrCor_->clearPicture();
    if (ToolMode == u"CorBar") {
        CorrelationBars(CInt(x));
    } else if (ToolMode == u"Measure") {
        if (auto mark = pmr::measureMark(x, y))
            picture()->draw(*mark);
    } else if (ToolMode == u"Expand") {
        if (!isTrue(expandDragging_) && pmr::expandPressAccepted(x, y)) {
            expandDragging_ = kTrue;
            band_.start(x);
            modOrvan.ExpandLeftX = band_.left;
            modOrvan.ExpandRightX = band_.right;
        }
    } else if (ToolMode == u"Step") {
        stepMouseDown(x, y);
    }
}

void frmPmr::pictureMouseMove(int, int, float x, float y)
{
    if (ToolMode == u"Step")
        return stepMouseMove(x, y);
    if (ToolMode != u"Expand" || !isTrue(expandDragging_) || !pmr::expandMoveAccepted(x, y))
        return;
    moveBand(band_, x, &pmr::bandBox, [this] { DrawSpectrumLines(); });
}

void frmPmr::pictureMouseUp(int, int, float x, float y)
{
    if (ToolMode == u"CorBar")
        picPmrCor_->hide();
    if (ToolMode == u"Step")
        return stepMouseUp(x, y);
    if (ToolMode != u"Expand" || !isTrue(expandDragging_))
        return;
    if (pmr::expandMoveAccepted(x, y)) {
        forms::showModal(forms::names::frmPmrExp);
        expandDragging_ = kFalse;
    }
    RedrawSpectrum();
}

} // namespace orv::spectra
