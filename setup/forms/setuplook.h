#pragma once
// The look of the setup program's two windows: font, colours and the frames,
// tabs, buttons and boxes drawn alike, and their placement in twips.
//
// The windows are laid out at 12 twips a pixel, as on a 120-dpi display,
// rather than the 15 of a 96-dpi one: at that size the captions, in today's
// wider fonts, fit the boxes they were designed for instead of being cut off.
class QWidget;

namespace orv {

inline constexpr int kSetupTwipsPerPixel = 12;
int setupPx(double twips);

void applySetupLook(QWidget* window);

// A control at left, top, width, height (twips) in its parent.
void placeSetupControl(QWidget* c, int leftTw, int topTw, int widthTw, int heightTw);
// A window of this outer size (twips, caption and borders included), centred
// on the screen; it keeps that size.
void placeSetupWindow(QWidget* w, int widthTw, int heightTw);

} // namespace orv
