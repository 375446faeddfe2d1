#pragma once
// Checks a window as a student sees it: every caption (label, button,
// option, check box, group box title, tab, read-only box) fits its control
// in the font in use, no two visible sibling controls overlap, and no
// control runs out of its group box, boxed frame or window.
//
// What counts is what is drawn: a transparent label is its text, an option
// or check box its mark and caption; a control with a background, a frame or
// a picture is its whole rectangle.
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

namespace layoutcheck {

// An overlap that is meant, between two controls of one window, named by
// object name or by caption (as faults name them), with the reason.
struct AllowedOverlap {
    QString window, first, second, reason;
};

// A control's name in faults: its object name, else its class and caption.
QString controlName(const QWidget* w);

// The faults of one top-level window (each naming window and control).
QStringList windowFaults(QWidget* window, const std::vector<AllowedOverlap>& allowed = {});

// The controls of one window that Tab stops at (shown, enabled, taking the
// focus by Tab) although no part of them is on screen: placed outside the
// window or outside a container that clips them. Each fault names window
// and control.
QStringList tabStopFaults(QWidget* window);

// The part of `w` that is drawn, in its parent's coordinates.
QRect inkRect(const QWidget* w);

} // namespace layoutcheck
