#include "platform/forms/widgetservices.h"

#include "platform/filedialog.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/msgbox.h"
#include "platform/runtime.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace orv {

namespace {

MsgResult showBox(const MsgRecord& r)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(r.title);
    QString text = r.prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Plain text always: a message may name files and accounts that others chose.
    box.setTextFormat(Qt::PlainText);
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
    if (r.buttons == MsgButtons::YesNo && !r.yesText.isEmpty()) {
        box.button(SB::Yes)->setText(r.yesText);
        box.button(SB::No)->setText(r.noText);
    }
    if (r.defaultButton == 2) {
        SB second = SB::NoButton;
        switch (r.buttons) {
        case MsgButtons::OkCancel:
        case MsgButtons::RetryCancel: second = SB::Cancel; break;
        case MsgButtons::AbortRetryIgnore: second = SB::Retry; break;
        case MsgButtons::YesNoCancel:
        case MsgButtons::YesNo: second = SB::No; break;
        case MsgButtons::OkOnly: break;
        }
        if (second != SB::NoButton)
            box.setDefaultButton(second);
    }
    const NestedWait wait;
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

// "Text files (*.txt)|*.txt|All files|*.*" -> "Text files (*.txt);;All files (*.*)"
QString qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString desc = parts[i], pattern = QString(parts[i + 1]).replace(u';', u' ');
        out << (desc.contains(u'(') ? desc : desc + QStringLiteral(" (") + pattern + u')');
    }
    return out.join(QStringLiteral(";;"));
}

QString showDialog(const FileDialogRequest& r)
{
    QFileDialog d(QApplication::activeWindow(), r.title, r.initialDir, qtFilter(r.filter));
    d.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(r.save ? QFileDialog::AnyFile : (r.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    if (!r.promptOverwrite)
        d.setOption(QFileDialog::DontConfirmOverwrite);
    if (!r.defaultSuffix.isEmpty())
        d.setDefaultSuffix(r.defaultSuffix);
    if (!r.defaultName.isEmpty())
        d.selectFile(r.defaultName);
    const NestedWait wait;
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return {};
    return d.selectedFiles().first();
}

} // namespace

void installWidgetServices()
{
    setMsgPresenter(showBox);
    setFileDialogPresenter(showDialog);
    setUnloadAllWindowsHook([] { forms::unloadAll(); });
    installAccessKeyGuard();
    installFocusedButtonEnter();
}

} // namespace orv
