#pragma once
// What the password windows do with each press of Continue and each key, kept
// apart from the widgets. The windows only show the outcome.
#include "core/modorvan.h"

#include <QString>

namespace orv {

// The label and box after one press of Continue.
struct PasswordStep {
    QString label;         // new label text (empty: unchanged)
    int labelWidthTw = 0;  // new label width in twips (0: unchanged)
    bool clearBox = false; // the text box is emptied
    bool hideBox = false;  // the text box is hidden
    bool closes = false;   // the window unloads
};

// frmNewPassword: a first entry of 6..20 characters, then the same again.
// The password is committed to Password only once it is confirmed, so a
// cancelled or failed entry leaves the one before in place.
class NewPasswordEntry {
public:
    PasswordStep onContinue(const QString& typed, ModOrvan& m);
    int stage() const { return stage_; }
private:
    int stage_ = 1;        // 1 first entry, 2 confirmation
    int confirmCount_ = 1; // 1..4
    QString pending_;      // the accepted first entry
};

// frmTestPassword: three tries, then "Too many guesses!", then closed.
class TestPasswordEntry {
public:
    PasswordStep onContinue(const QString& typed, ModOrvan& m);
private:
    int clicks_ = 0;
};

inline const QString kNewPasswordPrompt = QStringLiteral(
    "Supply a password to protect your information. Use a word containing from 6 to 20 characters.");
inline const QString kTestPasswordPrompt = QStringLiteral("Supply your password.");

// The key filter of both text boxes, by character code: Enter presses
// Continue; the control characters 1..31 other than Backspace and every code
// above 126 are refused (with a beep when sound is on); everything else is
// taken.
enum class PasswordKey { Take, Refuse, Continue };
PasswordKey passwordKeyAction(int code);

} // namespace orv
