#pragma once
// Placement and look shared by the student program's windows.
#include <QString>
#include <cstdint>
#include <initializer_list>

class QWidget;
class QLabel;
class QPushButton;
class QAbstractButton;

namespace orv {

// Sizes a window to its designed twips (plus CaptionExtraTwips on the
// height) and places it Top = main window's Top + topOffset, centred on the
// main window's width. Without a main window: Top = ScreenTopOffset +
// topOffset, centred across the screen.
void placeOnMainWindow(QWidget* w, int topOffsetTw, int widthTw, int designedHeightTw);
// Windows shown before the main window: Top = ScreenTopOffset + 2250,
// centred across the screen.
void placeBeforeMainWindow(QWidget* w, int widthTw, int designedHeightTw);
// The main window's outer frame in twips (left, top, width), or false.
bool mainWindowRectTwips(int& left, int& top, int& width);

// Icon resource 1 and the light grey background of the small windows.
void applyFormLook(QWidget* w, std::uint32_t backColour = 0xC0C0C0);
// Light cyan label / light yellow graphical button (1000 x 490 twips when
// placed with placeControl), passed through PaletteColour.
void applyLabelLook(QLabel* l, std::uint32_t backColour = 0xFFFF7D);
void applyButtonLook(QPushButton* b, std::uint32_t backColour = 0x80FFFF);
// Shrinks a word-wrapped label's font (not below minPoints) until its text
// fits the label's height, since the layouts were designed for narrower
// system fonts.
void fitTextToLabel(QLabel* l, double minPoints = 6.5);
// Shrinks the font of a group of push buttons, options or check boxes (not
// below minPoints, all to the same size) until every caption fits its
// control, for the captions that the designed sizes cannot hold in this font.
void fitCaptionsToButtons(std::initializer_list<QAbstractButton*> group, double minPoints = 6.5);
// A Continue button: "&Continue" with the tool tip "Click here to proceed".
void makeContinueButton(QPushButton* b);

} // namespace orv
