#include "spectra/expandband.h"

#include "core/coreservices.h"

namespace orv::spectra {

BandChange ExpandBand::changeFor(float x) const
{
    const float l = left, r = right;
    if (x > l && x > r)
        return BandChange::GrowRight;
    if (l < x && x < r && r - x < x - l)
        return BandChange::ShrinkRight;
    if (x < l && x < r)
        return BandChange::GrowLeft;
    if (l < x && x < r && r - x > x - l)
        return BandChange::ShrinkLeft;
    return BandChange::None;
}

void ExpandBand::apply(BandChange change, float x)
{
    switch (change) {
    case BandChange::GrowRight:
    case BandChange::ShrinkRight: right = x; break;
    case BandChange::GrowLeft:
    case BandChange::ShrinkLeft: left = x; break;
    case BandChange::None: break;
    }
}

Plot bandBox(double x1, double x2, double top, double bottom, bool tint)
{
    Plot p;
    if (tint)
        p.box(x1, top, x2, bottom, PaletteColour(kLightCyan), DrawMode::MaskPen);
    else
        p.box(x1, top, x2, bottom, kWhite, DrawMode::CopyPen);
    return p;
}

} // namespace orv::spectra
