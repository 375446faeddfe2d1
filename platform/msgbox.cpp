#include "platform/msgbox.h"

#include <QCoreApplication>

namespace orv {

namespace {
MsgPresenter& presenter()
{
    static MsgPresenter p;
    return p;
}

MsgResult firstButton(MsgButtons b)
{
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
}

MsgResult MsgBox(const QString& prompt, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    MsgRecord r{prompt, buttons, icon,
                title.isEmpty() ? QCoreApplication::applicationName() : title};
    if (presenter())
        return presenter()(r);
    return firstButton(buttons);
}

void setMsgPresenter(MsgPresenter p) { presenter() = std::move(p); }
MsgPresenter msgPresenter() { return presenter(); }

} // namespace orv
