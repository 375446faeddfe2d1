#include "spectra/forms/frmPmrExp.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "spectra/forms/pmrprintout.h"

#include <QAction>
#include <QLineEdit>
#include <QProgressBar>

namespace orv::spectra {

namespace {
const QStringList kPointerKeys{QStringLiteral("step"), QStringLiteral("measure"), QStringLiteral("coupling")};
} // namespace

frmPmrExp::frmPmrExp()
    : SpectrumViewer({QStringLiteral("PmrExp"), {}, {}, {}},
                     {QStringLiteral("&Integrate spectrum"), QStringLiteral("&Measure integration steps"),
                      QStringLiteral("Pea&k position measurement "), QStringLiteral("&Coupling constant measurement"),
                      QStringLiteral("&Redraw a clean spectrum"), QStringLiteral("-"),
                      QStringLiteral("&Proton shift calculator"), QStringLiteral("Pr&oton coupling calculator")},
                     {{QStringLiteral("integrate"), QStringLiteral("Click on this to add or delete integration line")},
                      {QStringLiteral("step"), QStringLiteral("Use this to drag and measure integration steps")},
                      {QStringLiteral("measure"), QStringLiteral("Use this to click to measure peak positions")},
                      {QStringLiteral("coupling"), QStringLiteral("Use this to drag and measure coupling constants")},
                      {QStringLiteral("redraw"), QStringLiteral("Click on this to redraw a clean spectrum")}},
                     nullptr, {8440, 6000, 8240, 5300, 100})
{
    setObjectName(QStringLiteral("frmPmrExp"));
    // The expansion window's Copy menu is mnuPmrExp, and it has no Help menu.
    copyMenu()->setObjectName(QStringLiteral("mnuPmrExp"));
    helpMenu()->setVisible(false);
    setToolShortcut(6, QKeySequence(Qt::CTRL | Qt::Key_R));
    setToolShortcut(7, QKeySequence(Qt::CTRL | Qt::Key_J));
    placeViewer(QStringLiteral("Expanded pmr spectrum"));
    const ModOrvan& m = modOrvan;
    toolsItem(6)->setEnabled(isTrue(m.HShiftCalcAllowed));
    toolsItem(7)->setEnabled(isTrue(m.CouplingCalcAllowed));

    connect(picture(), &SpectrumPicture::keyPress, this, &frmPmrExp::picPmrExp_KeyPress);

    resetForm();
    window_ = pmrexp::snapRange(m.ExpandLeftX, m.ExpandRightX);
}

void frmPmrExp::resetForm()
{
    ToolMode.clear();
    IntegralShown_ = kFalse;
    CouplingDragging = kFalse;
    StepDragging = kFalse;
    step_.digit = 0;
    step_.scale = 0;
    for (int i : {0, 1, 2, 3})
        toolsItem(i)->setChecked(false);
    toolsItem(1)->setEnabled(false);
    toolbar()->setButtonEnabled(QStringLiteral("step"), false);
    toolButtons(false, false, false);
    toolbar()->setDown(QStringLiteral("integrate"), false);
    setPointer(0);
    printMenu()->setEnabled(true);
}

void frmPmrExp::formPaint()
{
    PlotBaseY = pmrexp::kPlotBaseY;
    PlotTopY = pmrexp::kPlotTopY;
    WindowSamples_ = pmrexp::windowSamples(modOrvan.PmrData, window_);
    VerticalScale_ = pmrexp::verticalScale(WindowSamples_);
    picture()->draw(pmrexp::picture(window_, WindowSamples_, VerticalScale_));
}

void frmPmrExp::toolButtons(bool step, bool measure, bool coupling)
{
    toolbar()->setDown(QStringLiteral("step"), step);
    toolbar()->setDown(QStringLiteral("measure"), measure);
    toolbar()->setDown(QStringLiteral("coupling"), coupling);
}

void frmPmrExp::MeasureProcess()
{
    applyToolState(ToolMode == u"Measure", 2, 0, {2}, 2, kPointerKeys, QStringLiteral("measure"));
}

void frmPmrExp::CouplingProcess()
{
    applyToolState(ToolMode == u"Coupling", 2, 0, {3}, 3, kPointerKeys, QStringLiteral("coupling"));
}

void frmPmrExp::StepProcess()
{
    const bool own = ToolMode == u"Step";
    if (own) {
        step_.reset();
        toolsItem(0)->setChecked(false);
    }
    applyToolState(own, 2, 0, {1}, 1, kPointerKeys, QStringLiteral("step"));
}

void frmPmrExp::IntegrationProcess()
{
    PlotBaseY = pmrexp::kPlotBaseY;
    PlotTopY = pmrexp::kPlotTopY;
    const bool on = !isTrue(IntegralShown_);
    toolsItem(0)->setChecked(on);
    if (!on)
        toolsItem(1)->setChecked(false);
    toolsItem(1)->setEnabled(on);
    toolbar()->setButtonEnabled(QStringLiteral("step"), on);
    if (!on)
        toolButtons(false, false, false);
    toolbar()->setDown(QStringLiteral("integrate"), on);
    IntegralShown_ = vb(on);
    picture()->draw(pmrexp::integral(WindowSamples_));
}

void frmPmrExp::toolsItemClick(int index)
{
    const auto measure = [this] { MeasureProcess(); };
    const auto coupling = [this] { CouplingProcess(); };
    switch (index) {
    case 0:
        chooseTool(QStringLiteral("Integrate"), {measure, coupling, [this] { IntegrationProcess(); }}, false);
        break;
    case 1: chooseTool(QStringLiteral("Step"), {measure, coupling, [this] { StepProcess(); }}); break;
    case 2: chooseTool(QStringLiteral("Measure"), {coupling, measure}); break;
    case 3: chooseTool(QStringLiteral("Coupling"), {measure, coupling}); break;
    case 4: RedrawSpectrum(); break;
    case 6: forms::showModal(forms::names::frmCalcHShift); break;
    case 7: forms::showModal(forms::names::frmCalcCoupling); break;
    default: break;
    }
}

void frmPmrExp::picPmrExp_KeyPress(int keyAscii) { step_.key(keyAscii); }

void frmPmrExp::pictureMouseDown(int, int, float x, float y)
{
    if (ToolMode == u"Measure") {
        if (auto mark = pmrexp::measureMark(window_, x, y))
            picture()->draw(*mark);
    } else if (ToolMode == u"Coupling") {
        if (isTrue(CouplingDragging) || !pmrexp::couplingAccepted(x, y))
            return;
        CouplingDragging = kTrue;
        CouplingStartX = CouplingMinX = CouplingMaxX = x;
        CouplingStartY = y;
    } else if (ToolMode == u"Step") {
        if (isTrue(StepDragging) || !pmrexp::stepAccepted(x, y))
            return;
        StepDragging = kTrue;
        StepStartX = x;
        StepStartY = StepMinY = StepMaxY = y;
    }
}

void frmPmrExp::pictureMouseMove(int, int, float x, float y)
{
    Plot band;
    if (ToolMode == u"Coupling" && isTrue(CouplingDragging) && pmrexp::couplingAccepted(x, y)) {
        band.line(CouplingStartX, CouplingStartY, x, CouplingStartY, pmrexp::kBlue);
        CouplingMinX = std::min(CouplingMinX, x);
        CouplingMaxX = std::max(CouplingMaxX, x);
    } else if (ToolMode == u"Step" && isTrue(StepDragging) && pmrexp::stepAccepted(x, y)) {
        band.line(StepStartX, StepStartY, StepStartX, y, pmrexp::kBlue);
        StepMinY = std::min(StepMinY, y);
        StepMaxY = std::max(StepMaxY, y);
    }
    if (!band.isEmpty())
        picture()->draw(band);
}

void frmPmrExp::pictureMouseUp(int, int, float x, float y)
{
    if (ToolMode == u"Coupling" && isTrue(CouplingDragging))
        endCoupling(x, y);
    else if (ToolMode == u"Step" && isTrue(StepDragging))
        endStep(x, y);
}

void frmPmrExp::endCoupling(float x, float y)
{
    CouplingDragging = kFalse;
    if (std::abs(CouplingStartX - x) <= 30)
        return;
    Plot p;
    p.line(CouplingMinX, CouplingStartY, CouplingMaxX, CouplingStartY, pmrexp::kBlue, DrawMode::NotXorPen);
    if (pmrexp::couplingAccepted(x, y)) {
        p.line(CouplingStartX, CouplingStartY, x, CouplingStartY, pmrexp::kBlue);
        // Far enough above the line that the text does not stand on it.
        p.text((CouplingStartX + x) / 2 - 200, CouplingStartY - 260, pmrexp::couplingText(window_, CouplingStartX - x),
               pmrexp::kBlue);
    }
    picture()->draw(p);
}

void frmPmrExp::endStep(float x, float y)
{
    StepDragging = kFalse;
    const float height = std::abs(StepStartY - y);
    if (height <= 30)
        return;
    Plot p;
    p.line(StepStartX, StepMinY, StepStartX, StepMaxY, pmrexp::kBlue, DrawMode::NotXorPen);
    if (pmrexp::stepAccepted(x, y)) {
        const QString value = pmr::stepText(step_.measure(height));
        p.line(StepStartX, StepStartY, StepStartX, y, pmrexp::kBlue);
        modOrvan.TextBuffer = value;
        p.text(StepStartX + 50, (StepStartY + y) / 2 - 100, value, pmrexp::kBlue);
    }
    picture()->draw(p);
}

void frmPmrExp::printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress)
{
    const pmrexp::PrintoutData contents{window_, WindowSamples_, VerticalScale_, isTrue(modOrvan.ShowUnknownNumber),
                                        modOrvan.CurrentUnknown};
    pmrexp::printout(page, pageTwips, contents, progress);
}

// The failure message's answer (its only button, OK) is kept as text.
void frmPmrExp::printFailed() { modOrvan.TextBuffer = QStringLiteral("1"); }

} // namespace orv::spectra
