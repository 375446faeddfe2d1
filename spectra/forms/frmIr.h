#pragma once
// The infrared spectrum viewer (item 6): the transmittance trace from 4000
// to 750 cm-1 with its note, the peak-position measuring tool, the
// correlation tool's mode, the Nujol reference overlay (offered when the
// item's text mentions "ujol"), Copy, quick help and the clean redraw.
#include "spectra/forms/spectrumviewer.h"

namespace orv::spectra {

class frmIr : public SpectrumViewer {
    Q_OBJECT
public:
    frmIr();

    void MeasureProcess();
    void CorBarProcess();
    // The correlation pop-up for a click at x (twips); built with the correlation tool.
    void CorrelationBars(int x);
    void NujolSpectrum();

    bool NujolAvailable() const { return isTrue(nujolAvailable_); }
    bool NujolShown() const { return isTrue(nujolShown_); }

    void toolsItemClick(int index) override;
    void pictureMouseDown(int button, int shift, float x, float y) override;

protected:
    void formPaint() override;
    void resetForm() override;

private:
    Boolean nujolAvailable_ = kFalse;
    Boolean nujolShown_ = kFalse;
};

} // namespace orv::spectra
