#include "platform/filedialog.h"

#include "platform/runtime.h"

namespace orv {

namespace {
FileDialogPresenter& presenter()
{
    static auto* p = new FileDialogPresenter; // never destroyed, as the message boxes' presenter
    return *p;
}
}

QString showFileDialog(const FileDialogRequest& r)
{
    if (windowsWithheld())
        return {}; // as cancelled
    return presenter() ? presenter()(r) : QString();
}
void setFileDialogPresenter(FileDialogPresenter p) { presenter() = std::move(p); }

} // namespace orv
