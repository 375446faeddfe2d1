#pragma once
// Twips (1/1440 inch) and the colours of the forms. The screen has 15 twips
// a pixel; the printer uses its own resolution (see forms/printer.h).
#include <cmath>
#include <cstdint>

namespace orv {

inline constexpr int kTwipsPerPixel = 15;
inline int px(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
inline double twips(double pixels) { return pixels * kTwipsPerPixel; }

// Caption height in pixels of this display; the windows were designed for 19.
int captionHeightPixels();

// Extra twips a window adds to its designed height for this display's caption.
int captionExtraTwipsFor(int captionPixels);

// A colour given as &HBBGGRR (bits above 24 such as the palette mark ignored)
// split into red, green and blue.
struct Rgb {
    int r, g, b;
};
inline constexpr Rgb rgbOf(std::uint32_t bbggrr)
{
    return {int(bbggrr & 0xFF), int((bbggrr >> 8) & 0xFF), int((bbggrr >> 16) & 0xFF)};
}

} // namespace orv
