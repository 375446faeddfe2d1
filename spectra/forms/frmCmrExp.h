#pragma once
// The carbon-13 expansion window: the band dragged on the carbon viewer
// (ExpandLeftX/ExpandRightX) shown as a window of 5 ppm or whole tens of
// ppm, its sticks at their exact shifts over a seeded baseline noise, with
// peak-position measuring, the clean redraw, Copy, the printout and the
// carbon shift calculator. It has no Help menu. The range is worked out
// afresh at every paint.
#include "spectra/cmrexpansion.h"
#include "spectra/forms/spectrumviewer.h"

namespace orv::spectra {

class frmCmrExp : public SpectrumViewer {
    Q_OBJECT
public:
    frmCmrExp();

    void MeasureProcess();

    void toolsItemClick(int index) override;
    void pictureMouseDown(int button, int shift, float x, float y) override;

    // LeftPpm and WidthPpm as the last paint computed them.
    const cmrexp::Window& window() const { return window_; }

protected:
    void formPaint() override;
    void resetForm() override;
    void printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress) override;

private:
    cmrexp::Window window_;
    // The runtime's generator: re-seeded for every paint; the printout continues it.
    cmr::NoiseSource noise_{cmr::noiseSeed(0)};
};

} // namespace orv::spectra
