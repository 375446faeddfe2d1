#pragma once
// The isotope window's picture box: either the bar chart of M to M+12 or the
// abundance picture of the results help. Drawn in twips (15 a pixel); the
// chart is kept as data and painted afresh, so it survives being covered.
#include "mscalc/isotope.h"

#include <QPixmap>
#include <QWidget>
#include <vector>

namespace orv::mscalc {

class IsotopeChart : public QWidget {
    Q_OBJECT
public:
    explicit IsotopeChart(QWidget* parent = nullptr);
    // Removes any picture and shows the empty frame.
    void clearToFrame();
    // The mass labels under M and M+12.
    void setMassLabels(int nominalMass);
    // A bar for peak M+k at `relAbundance` percent of the tallest.
    void addBar(int k, float relAbundance);
    // The help picture in place of the chart (a null pixmap: an empty box).
    void setPicture(const QPixmap& picture);

    bool showsPicture() const { return pictureMode_; }
    int barCount() const { return static_cast<int>(bars_.size()); }
    // Where a bar for M+k stands, in the box's twips.
    static int barX(int k) { return 400 + 100 * k; }
    static int barTop(float relAbundance) { return static_cast<int>((100 - relAbundance) * 43 + 120); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool pictureMode_ = false;
    QPixmap picture_;
    int nominalMass_ = -1;
    std::vector<std::pair<int, float>> bars_;
};

} // namespace orv::mscalc
