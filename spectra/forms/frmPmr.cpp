#include "spectra/forms/frmPmr.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "spectra/pmrplot.h"

#include <QAction>

namespace orv::spectra {

namespace {
const QList<int> kPointerItems{0, 1, 4};
const QStringList kPointerKeys{QStringLiteral("step"), QStringLiteral("expand"), QStringLiteral("correlate"),
                               QStringLiteral("measure")};
} // namespace

frmPmr::frmPmr()
    : SpectrumViewer({QStringLiteral("Pmr"), {}, {}, QStringLiteral("Pmr spectrum quick help")},
                     {QStringLiteral("&Correlations"), QStringLiteral("&Expand spectrum"),
                      QStringLiteral("&Integrate spectrum"), QStringLiteral("&Measure integration steps"),
                      QStringLiteral("Pea&k position measurement"), QStringLiteral("&Redraw a clean spectrum"),
                      QStringLiteral("-"), QStringLiteral("&Proton shift calculator"),
                      QStringLiteral("Pr&oton coupling calculator")},
                     {{QStringLiteral("correlate"),
                       QStringLiteral("Use this to hold button down for correlation information")},
                      {QStringLiteral("expand"), QStringLiteral("Use this to drag or click to expand the spectrum")},
                      {QStringLiteral("integrate"), QStringLiteral("Click on this to add or delete integration line")},
                      {QStringLiteral("step"), QStringLiteral("Use this to drag and measure integration steps")},
                      {QStringLiteral("measure"), QStringLiteral("Use this to click to measure peak positions")},
                      {QStringLiteral("redraw"), QStringLiteral("Click on this to redraw a clean spectrum")}})
{
    setObjectName(QStringLiteral("frmPmr"));
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

void frmPmr::DrawSpectrumLines()
{
    picture()->draw(pmr::trace(modOrvan.PmrData));
}

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

void frmPmr::CorrelationBars(int)
{
    // The correlation pop-up belongs to the correlation tool, added separately.
}

void frmPmr::IntegrationProcess()
{
    // The integral curve and the step tool it enables belong to the integration tool, added separately.
}

void frmPmr::StepProcess()
{
    // The integration-step measurement belongs to the integration tool, added separately.
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
    case 7: forms::showModal(QStringLiteral("frmCalcHShift")); break;
    case 8: forms::showModal(QStringLiteral("frmCalcCoupling")); break;
    default: break;
    }
}

void frmPmr::pictureMouseDown(int, int, float x, float y)
{
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
    }
}

void frmPmr::pictureMouseMove(int, int, float x, float y)
{
    if (ToolMode != u"Expand" || !isTrue(expandDragging_) || !pmr::expandMoveAccepted(x, y))
        return;
    moveBand(band_, x, &pmr::bandBox, [this] { DrawSpectrumLines(); });
}

void frmPmr::pictureMouseUp(int, int, float x, float y)
{
    if (ToolMode != u"Expand" || !isTrue(expandDragging_))
        return;
    if (pmr::expandMoveAccepted(x, y)) {
        forms::showModal(QStringLiteral("frmPmrExp"));
        expandDragging_ = kFalse;
    }
    RedrawSpectrum();
}

} // namespace orv::spectra
