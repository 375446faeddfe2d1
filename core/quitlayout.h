#pragma once
// What the quit window shows for the reason the program is being left: its
// text, label size, caption and buttons (sizes in twips).
#include <QString>

namespace orv {

struct ModOrvan;

struct QuitButton {
    bool visible = false;
    QString caption;
    int left = 0, width = 0;
    QString toolTip;
};

struct QuitLayout {
    QString text;
    int labelWidth = 0, labelHeight = 0, labelTop = 0, labelLeft = 0;
    QString caption;
    QuitButton exit, restart, summary;
    int summaryTop = 1430;
};

inline constexpr int kQuitWindowWidth = 6500;

// The text by AllUnknownsDone, InstructorMode and QuitReason.
QString quitText(const ModOrvan& m);
// Everything the window sets at load. `message` is a message a caller left
// for the student (a missing file, a wrong password); it follows the text so
// that no failure goes unseen.
QuitLayout quitLayout(const ModOrvan& m, const QString& message = QString());

// The window's place: 2000 below the main window's last top and centred on
// it, kept on the screen; or centred at ScreenTopOffset + 2250 when the main
// window was never closed.
struct TwipsPoint {
    int left = 0, top = 0;
};
TwipsPoint quitWindowPosition(const ModOrvan& m, int windowHeight, int screenWidth, int screenHeight);

} // namespace orv
