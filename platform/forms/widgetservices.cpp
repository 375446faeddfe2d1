#include "platform/forms/widgetservices.h"

#include "platform/forms/formregistry.h"
#include "platform/msgbox.h"
#include "platform/runtime.h"

#include <QApplication>
#include <QMessageBox>

namespace orv {

namespace {

MsgResult showBox(const MsgRecord& r)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(r.title);
    QString text = r.prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(text);
    switch (r.icon) {
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::None: break;
    }
    using SB = QMessageBox::StandardButton;
    QMessageBox::StandardButtons b;
    switch (r.buttons) {
    case MsgButtons::OkOnly: b = SB::Ok; break;
    case MsgButtons::OkCancel: b = SB::Ok | SB::Cancel; break;
    case MsgButtons::AbortRetryIgnore: b = SB::Abort | SB::Retry | SB::Ignore; break;
    case MsgButtons::YesNoCancel: b = SB::Yes | SB::No | SB::Cancel; break;
    case MsgButtons::YesNo: b = SB::Yes | SB::No; break;
    case MsgButtons::RetryCancel: b = SB::Retry | SB::Cancel; break;
    }
    box.setStandardButtons(b);
    switch (box.exec()) {
    case SB::Ok: return MsgResult::Ok;
    case SB::Abort: return MsgResult::Abort;
    case SB::Retry: return MsgResult::Retry;
    case SB::Ignore: return MsgResult::Ignore;
    case SB::Yes: return MsgResult::Yes;
    case SB::No: return MsgResult::No;
    default: return MsgResult::Cancel;
    }
}

} // namespace

void installWidgetServices()
{
    setMsgPresenter(showBox);
    setUnloadAllWindowsHook([] { forms::unloadAll(); });
}

} // namespace orv
