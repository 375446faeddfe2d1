#include "core/passwordentry.h"

namespace orv {

PasswordStep NewPasswordEntry::onContinue(const QString& typed, ModOrvan& m)
{
    PasswordStep step;
    step.clearBox = true;
    if (stage_ == 1) {
        step.labelWidthTw = 3300;
        if (typed.size() < 6) {
            step.label = QStringLiteral("Password is too short. Use a word containing from 6 to 20 characters.");
        } else if (typed.size() > 20) {
            step.label = QStringLiteral("Password is too long. Use a word containing from 6 to 20 characters.");
        } else {
            pending_ = typed;
            step.label = QStringLiteral("Re-enter password.");
            confirmCount_ = 1;
            stage_ = 2;
        }
        return step;
    }
    if (typed == pending_) {
        m.Password = pending_;
        m.PasswordVerified = kTrue;
        step.clearBox = false;
        step.closes = true;
    } else if (confirmCount_ <= 3) {
        step.labelWidthTw = 3300;
        step.label = QStringLiteral("Incorrect password.");
        ++confirmCount_;
    } else {
        step.labelWidthTw = 4200;
        step.label = QStringLiteral("Start again. ") + kNewPasswordPrompt;
        stage_ = 1;
        pending_.clear();
    }
    return step;
}

PasswordStep TestPasswordEntry::onContinue(const QString& typed, ModOrvan& m)
{
    PasswordStep step;
    ++clicks_;
    if (clicks_ <= 3) {
        if (typed == m.Password) {
            m.PasswordVerified = kTrue;
            step.closes = true;
        } else {
            step.label = QStringLiteral("Incorrect. Try again to supply your password.");
            step.clearBox = true;
        }
    } else if (clicks_ == 4) {
        step.label = QStringLiteral("Too many guesses!");
        step.hideBox = true;
    } else {
        step.closes = true;
    }
    return step;
}

PasswordKey passwordKeyAction(int code)
{
    if (code == 13)
        return PasswordKey::Continue;
    if (code == 0 || code == 8 || (code >= 32 && code <= 126))
        return PasswordKey::Take;
    return PasswordKey::Refuse;
}

} // namespace orv
