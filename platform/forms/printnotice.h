#pragma once
// The short "Printing completed." notice the printing windows show for three
// seconds, on a light cyan box designed 1450 x 330 twips. Where the text
// needs more room in the font in use, the box widens about its centre.
class QLineEdit;
class QTimer;

namespace orv {

inline constexpr int kPrintNoticeWidth = 1450;
inline constexpr int kPrintNoticeMs = 3000;

// Sets the notice's text and look, places it at (left, top) twips as
// designed and shows it above its neighbours.
void placePrintNotice(QLineEdit* box, int leftTw, int topTw);
// placePrintNotice, then starts `hideTimer` (single shot, connected by the
// window to hide the box).
void showPrintNotice(QLineEdit* box, int leftTw, int topTw, QTimer* hideTimer);

} // namespace orv
