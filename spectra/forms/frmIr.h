#pragma once
// The infrared spectrum viewer (item 6): the transmittance trace from 4000
// to 750 cm-1 with its note, the peak-position measuring tool, the
// correlation tool's mode, the Nujol reference overlay (offered when the
// item's text mentions "ujol"), Copy, quick help and the clean redraw.
#include "spectra/forms/popuppicture.h"
#include "spectra/forms/spectrumviewer.h"

namespace orv::spectra {

class frmIr : public SpectrumViewer {
    Q_OBJECT
public:
    frmIr();

    void MeasureProcess();
    void CorBarProcess();
    // The correlation pop-up for a press at x (twips on the plot).
    void CorrelationBars(int x);
    void NujolSpectrum();

    bool NujolAvailable() const { return isTrue(nujolAvailable_); }
    bool NujolShown() const { return isTrue(nujolShown_); }

    void toolsItemClick(int index) override;
    void pictureMouseDown(int button, int shift, float x, float y) override;
    void pictureMouseUp(int button, int shift, float x, float y) override;

    PopupPicture* correlationPopup() const { return picIrCor_; }

protected:
    void formPaint() override;
    void resetForm() override;
    void printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress) override;

private:
    Boolean nujolAvailable_ = kFalse;
    Boolean nujolShown_ = kFalse;
    PopupPicture* picIrCor_;
};

} // namespace orv::spectra
