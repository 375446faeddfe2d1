#include "platform/msgbox.h"

#include <QCoreApplication>

namespace orv {

namespace {
MsgPresenter& presenter()
{
    static MsgPresenter p;
    return p;
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
}

MsgResult MsgBox(const QString& prompt, MsgButtons buttons, MsgIcon icon, const QString& title, int defaultButton)
{
    MsgRecord r{prompt, buttons, icon, title.isEmpty() ? QCoreApplication::applicationName() : title, defaultButton};
    if (presenter())
        return presenter()(r);
    return defaultResult(buttons, defaultButton);
}

void setMsgPresenter(MsgPresenter p) { presenter() = std::move(p); }
MsgPresenter msgPresenter() { return presenter(); }

} // namespace orv
