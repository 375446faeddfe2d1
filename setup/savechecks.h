#pragma once
// The checks a save runs before writing orvanto.ini: settings that would leave
// the student too little to work with are questioned or refused.
#include "core/configcodec.h"
#include "platform/msgbox.h"

#include <QString>
#include <optional>

namespace orv {

struct SaveMessage {
    QString prompt;
    MsgButtons buttons = MsgButtons::OkOnly;
    MsgIcon icon = MsgIcon::None;
    bool question() const { return buttons == MsgButtons::YesNo; }
};

inline constexpr int kMaxSimpleUnknowns = 20;

// The number of simple unknowns that the number box's text gives: its numeric
// value rounded to a whole number (no number reads 0). Empty when it lies
// outside 0..20: such a number does not fit the data line's two digits.
std::optional<int> simpleUnknownsFromText(const QString& text);
// The refusal for a number outside 0..20.
SaveMessage simpleUnknownsRefusal();

// With no spectrum allowed: the question for tests and derivatives both off,
// tests only, or derivatives only (Yes goes on, No stops the save).
std::optional<SaveMessage> spectraQuestion(const ConfigSettings& s);

// The refusal when no way of identifying the unknown is left (resigning does
// not count).
std::optional<SaveMessage> identificationRefusal(const ConfigSettings& s);

} // namespace orv
