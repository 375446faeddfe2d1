#pragma once
// The mass spectrum viewer (item 7): relative intensity bars against m/z
// from 30 to an axis top set by the molecular ion, the M+. label and the
// note, with the ion m/z and loss measuring tools, Copy, quick help, the
// clean redraw and the three mass-spectrometry calculators.
#include "spectra/forms/spectrumviewer.h"
#include "spectra/msplot.h"

namespace orv::spectra {

class frmMs : public SpectrumViewer {
    Q_OBJECT
public:
    frmMs();

    void MeasureProcess();
    void LossProcess();

    const ms::MzAxis& axis() const { return axis_; }
    bool LossDragging() const { return isTrue(lossDragging_); }

    void toolsItemClick(int index) override;
    void pictureMouseDown(int button, int shift, float x, float y) override;
    void pictureMouseMove(int button, int shift, float x, float y) override;
    void pictureMouseUp(int button, int shift, float x, float y) override;

protected:
    void formPaint() override;
    void resetForm() override;
    void printLayout(PrintPage& page, QSizeF pageTwips, const std::function<void(double)>& progress) override;
    void printFailed() override;

private:
    ms::MzAxis axis_;
    Boolean lossDragging_ = kFalse;
    float LossStartX = 0, LossStartY = 0, LossMinX = 0, LossMaxX = 0;
};

} // namespace orv::spectra
