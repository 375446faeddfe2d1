#pragma once
// The common Open and Save dialogs. Logic asks through this service; the
// widget layer installs the real dialogs and tests a scripted answer. An
// empty result means the dialog was cancelled (so is every dialog while
// windows are withheld, see NoWindows).
#include <QString>
#include <functional>

namespace orv {

struct FileDialogRequest {
    bool save = false; // Save dialog, else Open
    QString title;
    QString initialDir;
    QString filter; // "Description|*.ext|..." pairs, as the programs give them
    QString defaultName;
    QString defaultSuffix; // added to a name typed without an extension
    bool mustExist = true; // Open: the file must exist
    bool promptOverwrite = false;
};

using FileDialogPresenter = std::function<QString(const FileDialogRequest&)>;
QString showFileDialog(const FileDialogRequest& request);
void setFileDialogPresenter(FileDialogPresenter presenter);

} // namespace orv
