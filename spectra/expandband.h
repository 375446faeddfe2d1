#pragma once
// The rubber band of the Expand tool of the proton and carbon-13 viewers:
// a band from L to R (twips on the viewer's picture, L <= R always) that a
// mouse move grows towards the pointer or shrinks from its nearer edge.
#include "spectra/plot.h"

namespace orv::spectra {

enum class BandChange {
    None,        // the pointer is on an edge or exactly midway
    GrowRight,   // R := x, tint L..R
    ShrinkRight, // wipe x..R white, redraw the trace, R := x
    GrowLeft,    // L := x, tint L..R
    ShrinkLeft,  // wipe L..x white, redraw the trace, L := x
};

struct ExpandBand {
    float left = 0;
    float right = 0;
    // Starts a band of zero width at x.
    void start(float x) { left = right = x; }
    // The change a move to x makes; the caller applies it with apply().
    BandChange changeFor(float x) const;
    void apply(BandChange change, float x);
};

// The band's box from top to bottom: tinted light cyan with the mask pen
// (white turns cyan, the black trace stays black), or wiped white.
Plot bandBox(double x1, double x2, double top, double bottom, bool tint);

} // namespace orv::spectra
