#pragma once
// The proton expansion window: the band dragged on the proton viewer
// (ExpandLeftX/ExpandRightX), snapped to a round width and drawn across the
// whole plot, with peak-position and coupling-constant measuring, the
// integral with its integration steps, the clean redraw, Copy, the printout
// and the proton calculators. It has no Help menu.
#include "spectra/forms/spectrumviewer.h"
#include "spectra/pmrexpansion.h"
#include "spectra/pmrintegral.h"

namespace orv::spectra {

class frmPmrExp : public SpectrumViewer {
    Q_OBJECT
public:
    frmPmrExp();

    void MeasureProcess();
    void CouplingProcess();
    void StepProcess();
    void IntegrationProcess();

    void toolsItemClick(int index) override;
    void pictureMouseDown(int button, int shift, float x, float y) override;
    void pictureMouseMove(int button, int shift, float x, float y) override;
    void pictureMouseUp(int button, int shift, float x, float y) override;
    void picPmrExp_KeyPress(int keyAscii);

    const pmrexp::Window& window() const { return window_; }
    const QByteArray& WindowSamples() const { return WindowSamples_; }
    bool IntegralShown() const { return isTrue(IntegralShown_); }
    int StepDigit() const { return step_.digit; }
    float StepScale() const { return step_.scale; }

protected:
    void formPaint() override;
    void resetForm() override;
    void printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress) override;
    void printFailed() override;

private:
    void toolButtons(bool step, bool measure, bool coupling);
    void endStep(float x, float y);
    void endCoupling(float x, float y);

    pmrexp::Window window_;
    QByteArray WindowSamples_;
    int VerticalScale_ = 1;
    int PlotBaseY = pmrexp::kPlotBaseY;
    int PlotTopY = pmrexp::kPlotTopY;
    Boolean IntegralShown_ = kFalse;
    Boolean CouplingDragging = kFalse;
    float CouplingStartX = 0, CouplingStartY = 0, CouplingMinX = 0, CouplingMaxX = 0;
    Boolean StepDragging = kFalse;
    float StepStartX = 0, StepStartY = 0, StepMinY = 0, StepMaxY = 0;
    pmr::StepMeter step_;
};

} // namespace orv::spectra
