#include "setup/forms/setuplook.h"

#include "platform/forms/geometry.h"
#include "platform/forms/pictures.h"
#include "platform/forms/programlook.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace orv {

namespace {
const char* const kStyle = R"(
QWidget#frmTabSetup, QDialog#frmLogin { background: #e6ebf1; }
QLabel, QCheckBox, QRadioButton { color: #1d2b3a; }
QTabWidget::pane { background: #ffffff; border: 1px solid #aab7c6; border-radius: 4px; top: -1px; }
QTabBar::tab { padding: 5px 3px 6px 3px; margin-right: 2px; color: #3b4f64;
               background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f7fa, stop:1 #dde4ec);
               border: 1px solid #aab7c6; border-bottom: none;
               border-top-left-radius: 4px; border-top-right-radius: 4px; }
QTabBar::tab:selected { background: #ffffff; color: #123a5e; border-top: 2px solid #3f72a8; }
QTabBar::tab:!selected { margin-top: 2px; }
QTabBar::tab:hover:!selected { background: #eef3f8; }
QGroupBox { background: #f6f8fb; border: 1px solid #c3cedb; border-radius: 5px; margin-top: 7px; }
QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 8px; padding: 0 4px;
                   color: #1f4e79; font-weight: bold; }
QGroupBox#frmAlloc { background: #ffffff; margin-top: 0; }
QPushButton { color: #1d2b3a; border: 1px solid #93a4b7; border-radius: 4px; padding: 1px;
              background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e1e8f0); }
QPushButton:hover { border-color: #3f72a8; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d7e4f2); }
QPushButton:pressed { background: #c9d8e8; }
QPushButton:default { border: 2px solid #3f72a8; }
QPushButton:focus { border-color: #3f72a8; }
QLineEdit { background: #ffffff; border: 1px solid #93a4b7; border-radius: 3px; padding: 0 3px; color: #1d2b3a; }
QLineEdit:focus { border-color: #3f72a8; }
QLabel#txtAllocate { background: #ffffff; border: 1px solid #c3cedb; border-radius: 4px; padding: 3px; color: #2c3e50; }
QLabel#lblPrinted { background: #7dffff; border: 1px solid #3a9a9a; border-radius: 3px; color: #0d3b3b; }
QFrame#linNames { color: #c3cedb; }
QToolTip { background: #fffbe0; color: #1d2b3a; border: 1px solid #b8a960; }
)";
}

int setupPx(double twips) { return static_cast<int>(std::lround(twips / kSetupTwipsPerPixel)); }

void placeSetupControl(QWidget* c, int leftTw, int topTw, int widthTw, int heightTw)
{
    c->setGeometry(setupPx(leftTw), setupPx(topTw), std::max(1, setupPx(widthTw)), std::max(1, setupPx(heightTw)));
}

void placeSetupWindow(QWidget* w, int widthTw, int heightTw)
{
    const int width = std::max(1, setupPx(widthTw) - kFrameExtraWidthPx);
    const int height = std::max(1, setupPx(heightTw) - kFrameExtraHeightPx);
    w->setFixedSize(width, height);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect s = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    w->move(s.x() + (s.width() - setupPx(widthTw)) / 2, s.y() + (s.height() - setupPx(heightTw)) / 2);
}

void applySetupLook(QWidget* window)
{
    window->setFont(programFont());
    window->setWindowIcon(programIcon());
    window->setStyleSheet(QString::fromLatin1(kStyle));
}

} // namespace orv
