#pragma once
// The proton NMR spectrum viewer (item 8): the 400 MHz trace from 10 to 0 ppm
// with its axis and note, the peak-position measuring tool, the expansion
// drag (handing its band to frmPmrExp through ExpandLeftX/ExpandRightX),
// the correlation and integration tools' modes, Copy, quick help, the clean
// redraw and the proton calculators.
#include "spectra/expandband.h"
#include "spectra/forms/spectrumviewer.h"

namespace orv::spectra {

class frmPmr : public SpectrumViewer {
    Q_OBJECT
public:
    frmPmr();

    void MeasureProcess();
    void ExpandProcess();
    void CorBarProcess();
    // The correlation pop-up for a click at x (twips); built with the correlation tool.
    void CorrelationBars(int x);
    void DrawSpectrumLines();

    void toolsItemClick(int index) override;
    void pictureMouseDown(int button, int shift, float x, float y) override;
    void pictureMouseMove(int button, int shift, float x, float y) override;
    void pictureMouseUp(int button, int shift, float x, float y) override;

    bool IntegralShown() const { return integralShown_ != 0; }
    bool ExpandDragging() const { return expandDragging_ != 0; }

protected:
    void formPaint() override;
    void resetForm() override;

private:
    void IntegrationProcess();
    void StepProcess();
    void formLoad();

    int BaselineY = 4680;
    int TopY = 600;
    Boolean integralShown_ = kFalse;
    Boolean expandDragging_ = kFalse;
    Boolean stepDragging_ = kFalse;
    ExpandBand band_;
};

} // namespace orv::spectra
