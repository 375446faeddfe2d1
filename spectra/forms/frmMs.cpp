#include "spectra/forms/frmMs.h"

#include "core/coreservices.h"
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "spectra/forms/msprint.h"

#include <QAction>
#include <cmath>

namespace orv::spectra {

namespace {
const QList<int> kPointerItems{0, 1};
const QStringList kPointerKeys{QStringLiteral("measure"), QStringLiteral("loss")};
} // namespace

frmMs::frmMs()
    : SpectrumViewer({QStringLiteral("Ms"), {}, {}, QStringLiteral("Ms spectrum quick help")},
                     {QStringLiteral("Ion &m/z measurement"), QStringLiteral("&Loss measurement"),
                      QStringLiteral("&Redraw a clean spectrum"), QStringLiteral("-"),
                      QStringLiteral("&Formula calculator"), QStringLiteral("M&ass calculator "),
                      QStringLiteral("&Isotope calculator")},
                     {{QStringLiteral("measure"), QStringLiteral("Use this to click to measure peak positions")},
                      {QStringLiteral("loss"), QStringLiteral("Use this to drag to measure mass of losses")},
                      {QStringLiteral("redraw"), QStringLiteral("Click on this to redraw a clean spectrum")}})
{
    setObjectName(QStringLiteral("frmMs"));
    setToolShortcut(4, QKeySequence(Qt::CTRL | Qt::Key_F));
    setToolShortcut(5, QKeySequence(Qt::CTRL | Qt::Key_A));
    setToolShortcut(6, QKeySequence(Qt::CTRL | Qt::Key_T));
    const ModOrvan& m = modOrvan;
    toolsItem(4)->setEnabled(isTrue(m.FormulaCalcAllowed));
    toolsItem(5)->setEnabled(isTrue(m.MassCalcAllowed));
    toolsItem(6)->setEnabled(isTrue(m.IsotopeCalcAllowed));
    placeViewer(QStringLiteral("Mass spectrum ") + m.UnkItemTitle[m.CurrentItem]);
    helpMenu()->setEnabled(isTrue(m.ItemHelpAllowed));
    resetForm();
    UpdateStatusBar(1);
}

void frmMs::resetForm()
{
    ToolMode.clear();
    lossDragging_ = kFalse;
    MeasureProcess();
    modOrvan.TextBuffer = ms::axisIonText(modOrvan.MsMolecularIon);
    axis_ = ms::mzAxisFor(modOrvan.MsMolecularIon);
}

void frmMs::formPaint()
{
    picture()->draw(ms::frame(axis_, modOrvan.MsMolecularIon, {}));
    picture()->draw(ms::bars(modOrvan.MsData, axis_));
    Plot note;
    note.text(300, 50, modOrvan.MsLabel);
    picture()->draw(note);
}

void frmMs::printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress)
{
    const ModOrvan& m = modOrvan;
    const ms::PrintoutData contents{windowTitle(),   m.MsMolecularIon, m.MsLabel, m.MsData, isTrue(m.ShowUnknownNumber),
                                    m.CurrentUnknown};
    ms::printout(page, pageTwips, contents, progress);
}

// The failure message's answer (its only button, OK) is kept as text.
void frmMs::printFailed() { modOrvan.TextBuffer = QStringLiteral("1"); }

void frmMs::MeasureProcess()
{
    applyToolState(ToolMode == u"Measure", 2, 0, kPointerItems, 0, kPointerKeys, QStringLiteral("measure"));
}

void frmMs::LossProcess()
{
    applyToolState(ToolMode == u"Loss", 2, 0, kPointerItems, 1, kPointerKeys, QStringLiteral("loss"));
}

void frmMs::toolsItemClick(int index)
{
    const auto measure = [this] { MeasureProcess(); };
    const auto loss = [this] { LossProcess(); };
    switch (index) {
    case 0: chooseTool(QStringLiteral("Measure"), {loss, measure}); break;
    case 1: chooseTool(QStringLiteral("Loss"), {measure, loss}); break;
    case 2: RedrawSpectrum(); break;
    case 4: forms::showModal(forms::names::frmCalcFormula); break;
    case 5: forms::showModal(forms::names::frmCalcMass); break;
    case 6: forms::showModal(forms::names::frmCalcIsotope); break;
    default: break;
    }
}

void frmMs::pictureMouseDown(int, int, float x, float y)
{
    if (ToolMode == u"Measure") {
        if (auto mark = ms::measureMark(x, y, axis_))
            picture()->draw(*mark);
    } else if (ToolMode == u"Loss" && !isTrue(lossDragging_) && ms::lossZone(x, y)) {
        lossDragging_ = kTrue;
        LossStartX = LossMinX = LossMaxX = x;
        LossStartY = y;
    }
}

void frmMs::pictureMouseMove(int, int, float x, float y)
{
    if (ToolMode != u"Loss" || !isTrue(lossDragging_) || !ms::lossZone(x, y))
        return;
    Plot band;
    band.line(LossStartX, LossStartY, x, LossStartY, ms::lossColour());
    picture()->draw(band);
    LossMinX = std::min(LossMinX, x);
    LossMaxX = std::max(LossMaxX, x);
}

void frmMs::pictureMouseUp(int, int, float x, float y)
{
    if (ToolMode != u"Loss" || !isTrue(lossDragging_))
        return;
    lossDragging_ = kFalse;
    if (std::fabs(LossStartX - x) <= 30)
        return;
    Plot p;
    // The band's colour turns back to white under the not-xor pen.
    p.line(LossMinX + 4, LossStartY, LossMaxX, LossStartY, ms::lossColour(), DrawMode::NotXorPen);
    if (ms::lossZone(x, y)) {
        p.line(LossStartX, LossStartY, x, LossStartY, ms::lossColour());
        const int loss = ms::lossBetween(LossStartX, x, axis_);
        p.text((LossStartX + x) / 2 - 100, LossStartY - 200, Format(loss, QStringLiteral("#")), ms::lossColour());
    }
    picture()->draw(p);
}

} // namespace orv::spectra
