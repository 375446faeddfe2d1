#pragma once
// The short "Printing completed." notice the printing windows show for three
// seconds, on a light cyan box designed 1450 x 330 twips. Where the text
// needs more room in the font in use, the box widens about its centre.
class QLineEdit;
class QObject;
class QTimer;
class QWidget;

namespace orv {

inline constexpr int kPrintNoticeWidth = 1450;
inline constexpr int kPrintNoticeMs = 3000;

// Sets the notice's text and look, places it at (left, top) twips as
// designed and shows it above its neighbours.
void placePrintNotice(QLineEdit* box, int leftTw, int topTw);
// The timer that hides `notice` when it runs out: single shot, owned by
// `owner` (the window, so that a window closed while its notice shows takes
// the timer with it). Idle until started: showPrintNotice starts it for
// kPrintNoticeMs, a window with a notice of its own starts it likewise.
QTimer* newPrintNoticeTimer(QObject* owner, QWidget* notice);
// placePrintNotice, then starts `hideTimer` (one from newPrintNoticeTimer).
void showPrintNotice(QLineEdit* box, int leftTw, int topTw, QTimer* hideTimer);

} // namespace orv
