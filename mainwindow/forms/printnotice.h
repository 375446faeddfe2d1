#pragma once
// The short "Printing completed." notice the printing windows show for three
// seconds, on a light cyan box 1450 x 330 twips.
class QLineEdit;
class QTimer;

namespace orv {

inline constexpr int kPrintNoticeWidth = 1450;
inline constexpr int kPrintNoticeMs = 3000;

// Shows the notice at (left, top) twips and starts `hideTimer` (single shot,
// connected by the window to hide the box).
void showPrintNotice(QLineEdit* box, int leftTw, int topTw, QTimer* hideTimer);

} // namespace orv
