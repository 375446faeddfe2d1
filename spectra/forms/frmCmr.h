#pragma once
// The carbon-13 NMR spectrum viewer (item 5): one labelled stick per carbon
// over a seeded baseline noise, 220 to 0 ppm, with the peak-position
// measuring tool, the expansion drag (handing its band to frmCmrExp through
// ExpandLeftX/ExpandRightX), the correlation tool's mode, Copy, quick help,
// the clean redraw and the carbon shift calculator.
#include "spectra/cmrplot.h"
#include "spectra/expandband.h"
#include "spectra/forms/popuppicture.h"
#include "spectra/forms/spectrumviewer.h"

namespace orv::spectra {

class frmCmr : public SpectrumViewer {
    Q_OBJECT
public:
    frmCmr();

    void MeasureProcess();
    void ExpandProcess();
    void CorBarProcess();
    // The correlation pop-up for a press at x (twips on the picture).
    void CorrelationBars(int x);
    void DrawSpectrumLines();

    bool ExpandDragging() const { return isTrue(expandDragging_); }

    void toolsItemClick(int index) override;
    void pictureMouseDown(int button, int shift, float x, float y) override;
    void pictureMouseMove(int button, int shift, float x, float y) override;
    void pictureMouseUp(int button, int shift, float x, float y) override;

    PopupPicture* correlationPopup() const { return picCmrCor_; }

protected:
    void formPaint() override;
    void resetForm() override;
    void printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress) override;

private:
    Boolean expandDragging_ = kFalse;
    ExpandBand band_;
    // The runtime's generator: re-seeded for every drawing on the screen; the
    // printout continues it.
    cmr::NoiseSource noise_{cmr::noiseSeed(0)};
    PopupPicture* picCmrCor_;
};

} // namespace orv::spectra
