#include "spectra/forms/frmCmrExp.h"

#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "spectra/forms/cmrexpprint.h"

#include <QAction>

namespace orv::spectra {

namespace {
constexpr int kWidth = 8440;
} // namespace

frmCmrExp::frmCmrExp()
    : SpectrumViewer({QStringLiteral("CmrExp"), {}, {}, {}},
                     {QStringLiteral("&Peak position measurement"), QStringLiteral("&Redraw a clean spectrum"),
                      QStringLiteral("-"), QStringLiteral("&Carbon shift calculator")},
                     {{QStringLiteral("measure"), QStringLiteral("Use this to click to measure peak positions")},
                      {QStringLiteral("redraw"), QStringLiteral("Click on this to redraw clean spectrum")}},
                     nullptr, {kWidth, 6000, 8240, 5300, 110})
{
    setObjectName(QStringLiteral("frmCmrExp"));
    helpMenu()->setVisible(false);
    setBackColour(centralWidget(), kFormGrey);
    placeViewer(QStringLiteral("Expanded cmr spectrum"));
    toolsItem(3)->setEnabled(isTrue(modOrvan.CShiftCalcAllowed));
    resetForm();
}

void frmCmrExp::resetForm()
{
    ToolMode.clear();
    MeasureProcess();
}

void frmCmrExp::formPaint()
{
    const ModOrvan& m = modOrvan;
    window_ = cmrexp::windowFor(m.ExpandLeftX, m.ExpandRightX);
    picture()->draw(cmrexp::picture(window_, m.CmrData, noise_, m.CurrentUnknown));
}

void frmCmrExp::MeasureProcess()
{
    applyToolState(ToolMode == u"Measure", 2, 0, {0}, 0, {QStringLiteral("measure")}, QStringLiteral("measure"));
}

void frmCmrExp::toolsItemClick(int index)
{
    switch (index) {
    case 0: chooseTool(QStringLiteral("Measure"), {[this] { MeasureProcess(); }}); break;
    case 1: RedrawSpectrum(); break;
    case 3: forms::showModal(forms::names::frmCalcCShift); break;
    default: break;
    }
}

void frmCmrExp::pictureMouseDown(int, int, float x, float y)
{
    if (ToolMode != u"Measure")
        return;
    if (auto mark = cmrexp::measureMark(window_, x, y))
        picture()->draw(*mark);
}

void frmCmrExp::printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress)
{
    const ModOrvan& m = modOrvan;
    const cmrexp::PrintoutData contents{windowTitle(), window_, m.CmrData, isTrue(m.ShowUnknownNumber),
                                        m.CurrentUnknown};
    cmrexp::printout(page, pageTwips, contents, noise_, progress);
}

} // namespace orv::spectra
