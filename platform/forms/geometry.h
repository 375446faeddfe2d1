#pragma once
// Placing and sizing windows in twips as the forms were designed: outer size
// including the caption and borders, positions of the outer frame.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QWidget>
#include <cstdint>

namespace orv {

// Caption plus borders of the designed window, in pixels.
inline constexpr int kFrameExtraWidthPx = 6;
inline constexpr int kFrameExtraHeightPx = 25;

// Sets the window's outer size (twips, as designed) and places its frame.
void setFormGeometry(QWidget* w, int leftTw, int topTw, int widthTw, int heightTw);
void setFormSize(QWidget* w, int widthTw, int heightTw);
void moveForm(QWidget* w, int leftTw, int topTw);
// Places a child control in twips within its parent's client area.
void placeControl(QWidget* c, int leftTw, int topTw, int widthTw, int heightTw);

// The screen in twips.
int screenWidthTwips();
int screenHeightTwips();

// The outer frame of a top-level window in twips.
QRect formRectTwips(const QWidget* w);

// A colour value &HBBGGRR (a palette mark is ignored).
QColor vbColour(std::uint32_t bbggrr);
// Background colours for a widget (window and button roles).
void setBackColour(QWidget* w, std::uint32_t bbggrr);

// The look of the small windows: light grey form, light cyan labels and
// light yellow graphical buttons (1000 x 490 twips).
inline constexpr std::uint32_t kFormGrey = 0xC0C0C0;
inline constexpr std::uint32_t kLabelCyan = 0xFFFF7D;
inline constexpr std::uint32_t kButtonYellow = 0x80FFFF;

// A font for drawing in twips: its pixel size is the point size x 20, so it
// prints at its point size through a painter scaled to twips.
QFont twipsFont(const QString& family, double points, bool bold = false);

} // namespace orv
