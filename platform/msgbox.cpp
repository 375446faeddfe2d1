#include "platform/msgbox.h"

#include "platform/runtime.h"

#include <QCoreApplication>
#include <cstdio>

namespace orv {

namespace {
MsgPresenter& presenter()
{
    // Never destroyed: the system's end road tells what it could not do
    // from an exit handler, after the statics made since it was registered.
    static auto* p = new MsgPresenter;
    return *p;
}

MsgResult defaultResult(MsgButtons b, int defaultButton)
{
    if (defaultButton == 2) {
        switch (b) {
        case MsgButtons::OkCancel:
        case MsgButtons::RetryCancel: return MsgResult::Cancel;
        case MsgButtons::AbortRetryIgnore: return MsgResult::Retry;
        case MsgButtons::YesNoCancel:
        case MsgButtons::YesNo: return MsgResult::No;
        case MsgButtons::OkOnly: break;
        }
    }
    switch (b) {
    case MsgButtons::OkOnly:
    case MsgButtons::OkCancel: return MsgResult::Ok;
    case MsgButtons::AbortRetryIgnore: return MsgResult::Abort;
    case MsgButtons::YesNoCancel:
    case MsgButtons::YesNo: return MsgResult::Yes;
    case MsgButtons::RetryCancel: return MsgResult::Retry;
    }
    return MsgResult::Ok;
}

MsgResult show(const MsgRecord& r)
{
    const QString& prompt = r.prompt;
    const MsgButtons buttons = r.buttons;
    if (windowsWithheld()) {
        // Nobody is there to read it: the text is kept in the error output
        // (a session's log), and the box counts as closed without a choice.
        std::fprintf(stderr, "%s: %s\n", qPrintable(r.title),
                     qPrintable(QString(prompt).replace(vbCrLf, QStringLiteral(" "))));
        std::fflush(stderr);
        return buttons == MsgButtons::OkOnly ? MsgResult::Ok : MsgResult::Cancel;
    }
    if (presenter())
        return presenter()(r);
    return defaultResult(buttons, r.defaultButton);
}

} // namespace

MsgResult MsgBox(const QString& prompt, MsgButtons buttons, MsgIcon icon, const QString& title, int defaultButton)
{
    return show(
        {prompt, buttons, icon, title.isEmpty() ? QCoreApplication::applicationName() : title, defaultButton, {}, {}});
}

MsgResult MsgBoxChoice(const QString& prompt, MsgIcon icon, const QString& yesText, const QString& noText)
{
    return show({prompt, MsgButtons::YesNo, icon, QCoreApplication::applicationName(), 2, yesText, noText});
}

QString asSentence(QString reason)
{
    reason = reason.trimmed();
    if (reason.isEmpty())
        return reason;
    reason[0] = reason[0].toUpper();
    if (!reason.endsWith(u'.'))
        reason += u'.';
    return reason;
}

void setMsgPresenter(MsgPresenter p) { presenter() = std::move(p); }
MsgPresenter msgPresenter() { return presenter(); }

} // namespace orv
