#pragma once
// Message boxes with fixed texts. Logic code asks through this service; the
// widget layer installs the real dialog, tests install a responder that
// answers and records.
#include <QString>
#include <functional>
#include <vector>

namespace orv {

enum class MsgButtons { OkOnly, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

struct MsgRecord {
    QString prompt;
    MsgButtons buttons = MsgButtons::OkOnly;
    MsgIcon icon = MsgIcon::None;
    QString title;
    int defaultButton = 1; // 1 = first button, 2 = second (a question's "No")
    // YesNo only: the captions of the two buttons, where not Yes and No.
    QString yesText, noText;
};

using MsgPresenter = std::function<MsgResult(const MsgRecord&)>;

// Shows the message and returns the button pressed. Title empty: the
// application's name. `defaultButton` is the button Enter presses (1 or 2).
// Without a presenter the default button is the answer. While windows are
// withheld (NoWindows) nothing is shown: see there.
MsgResult MsgBox(const QString& prompt, MsgButtons buttons = MsgButtons::OkOnly, MsgIcon icon = MsgIcon::None,
                 const QString& title = QString(), int defaultButton = 1);

// A question with two buttons of its own captions (Yes and No as results);
// the second, the safe choice, is the default. While windows are withheld
// the answer is Cancel: neither was chosen.
MsgResult MsgBoxChoice(const QString& prompt, MsgIcon icon, const QString& yesText, const QString& noText);

void setMsgPresenter(MsgPresenter presenter);
MsgPresenter msgPresenter();

// Carriage return + line feed, as the messages join their lines.
inline const QString vbCrLf = QStringLiteral("\r\n");

// A reason given in words that follow a file's name ("it is ..."), as a
// sentence of its own: capital first letter, final stop. Empty stays empty.
QString asSentence(QString reason);

} // namespace orv
