#pragma once
// Reaching entries of the main window's menus from other windows (the Help
// menu's solved example and the instructor's selection hide and show a few).
// Entries are found by their control name, as the main window names its
// menu actions: "mnuSaveCont", and for control arrays the name followed by
// the index ("mnuNameItem3"; "mnuNameItem_3" is accepted too); failing that,
// by their caption when one is given.
#include <QString>

class QAction;

namespace orv {

// nullptr when the main window is not loaded or has no such entry.
QAction* mainMenuEntry(const QString& name, int index = -1, const QString& caption = QString());
// Shows or hides the entry; nothing when there is no such entry.
void setMainMenuEntryVisible(const QString& name, int index, const QString& caption, bool visible);

} // namespace orv
