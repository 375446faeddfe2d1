#pragma once
// The proton NMR spectrum viewer (item 8): the 400 MHz trace from 10 to 0 ppm
// with its axis and note, the peak-position measuring tool, the expansion
// drag (handing its band to frmPmrExp through ExpandLeftX/ExpandRightX),
// the correlation pop-up, the integral curve with its integration steps, the
// printout, Copy, quick help, the clean redraw and the proton calculators.
#include "spectra/expandband.h"
#include "spectra/forms/spectrumviewer.h"
#include "spectra/pmrintegral.h"


namespace orv::spectra {

class CorBarPopup;

class frmPmr : public SpectrumViewer {
    Q_OBJECT
public:
    frmPmr();

    void MeasureProcess();
    void ExpandProcess();
    void CorBarProcess();
    // The correlation pop-up for a click at x (twips): the groups whose proton
    // shift range contains the clicked shift, each with a bar over its range.
    void CorrelationBars(int x);
    void DrawSpectrumLines();

    void toolsItemClick(int index) override;
    void pictureMouseDown(int button, int shift, float x, float y) override;
    void pictureMouseMove(int button, int shift, float x, float y) override;
    void pictureMouseUp(int button, int shift, float x, float y) override;
    // A key typed on the picture: a digit calibrates the next integration step.
    void pictureKeyPress(int keyAscii);

    CorBarPopup* correlationPopup() const { return picPmrCor_; }
    int StepDigit() const { return step_.digit; }
    float StepScale() const { return step_.scale; }

    bool IntegralShown() const { return integralShown_ != 0; }
    bool ExpandDragging() const { return expandDragging_ != 0; }

protected:
    void formPaint() override;
    void resetForm() override;

private:
    void IntegrationProcess();
    void StepProcess();
    void formLoad();
    void printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress) override;
    void stepMouseDown(float x, float y);
    void stepMouseMove(float x, float y);
    void stepMouseUp(float x, float y);

    int BaselineY = 4680;
    int TopY = 600;
    Boolean integralShown_ = kFalse;
    Boolean expandDragging_ = kFalse;
    Boolean stepDragging_ = kFalse;
    ExpandBand band_;
    pmr::StepMeter step_;
    float StepX = 0, StepStartY = 0, StepTopY = 0, StepBottomY = 0;
    CorBarPopup* picPmrCor_ = nullptr;
};

} // namespace orv::spectra
