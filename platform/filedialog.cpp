#include "platform/filedialog.h"

namespace orv {

namespace {
FileDialogPresenter& presenter()
{
    static FileDialogPresenter p;
    return p;
}
}

QString showFileDialog(const FileDialogRequest& r) { return presenter() ? presenter()(r) : QString(); }
void setFileDialogPresenter(FileDialogPresenter p) { presenter() = std::move(p); }

} // namespace orv
