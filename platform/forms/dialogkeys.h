#pragma once
// Enter and Escape for the program's small windows, which are plain widgets
// rather than dialogs and so get no default or cancel button from the toolkit.
//
// Enter (Return or the keypad's Enter) presses the push or tool button that
// has the focus (installFocusedButtonEnter, installed with the first button
// set), or else the window's default button; Escape presses the
// window's cancel button. A key the focused control uses itself (Enter in a text box
// that takes it, Escape closing a list's pop-up) never reaches the window.
// Hidden or disabled buttons are not pressed. The buttons stay owned by the
// window; either may be set again or cleared with nullptr.
class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace orv {

void setDefaultButton(QWidget* window, QAbstractButton* button);
void setCancelButton(QWidget* window, QAbstractButton* button);
// A window whose one way on is its Continue: Enter and Escape both press it.
void setContinueButton(QWidget* window, QAbstractButton* button);
// The buttons set for the window (nullptr when none).
QAbstractButton* defaultButton(const QWidget* window);
QAbstractButton* cancelButton(const QWidget* window);

// Makes Enter press the focused push or tool button in every window of the
// program, those without a default button and dialogs included (once per
// program; further calls do nothing).
void installFocusedButtonEnter();

// True for Alt + a character key (not AltGr, which some keyboards send as
// Ctrl + Alt): the access keys of buttons and menus. One that reaches a text
// box matched no access key and must not be typed.
bool isUnmatchedAccessKey(const QKeyEvent* key);
// Keeps such keys out of every text box of the program (once per program;
// further calls do nothing).
void installAccessKeyGuard();

// True when the key types a printable character into a text box: plain or
// shifted, or through AltGr. Enter, Backspace, Escape, Tab, Shift+Tab and
// every Ctrl or Alt combination are not typing. A key filter that refuses
// some typed characters passes every other key on, so that Escape, Tab and
// shortcuts still reach the window.
bool typesCharacter(const QKeyEvent* key);
// Return or the keypad's Enter, with no other modifier.
bool isEnterKey(const QKeyEvent* key);

} // namespace orv
