#pragma once
// The main window's menu bar as plain data: which entries there are, their
// captions (with one '&' before the access key), shortcuts, F1 help topics,
// and which are shown, enabled and checked for the instructor's settings.
// The window builds its menus from this once, when it loads.
#include "core/modorvan.h"

#include <QString>
#include <vector>

namespace orv {

struct MenuEntry {
    QString name;      // control name, e.g. "mnuPhysPropItem"
    int index = -1;    // index in its control array; -1 when not an array
    QString caption;   // "-" for a separator line
    QString shortcut;  // key sequence text ("Ctrl+V", "F1") or empty
    int helpTopic = 0; // F1 topic; 0: the topic of the menu it sits in
    int item = 0;      // the item this entry reveals; 0 for none
    bool visible = true;
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
    std::vector<MenuEntry> entries; // a top menu's or submenu's entries

    bool isSeparator() const { return caption == QLatin1String("-"); }
};

// The whole menu bar, top menus in order, set up for the settings in `m`.
std::vector<MenuEntry> buildMainMenus(const ModOrvan& m);

// Finds an entry by control name and index anywhere in the tree; nullptr
// when there is none.
const MenuEntry* findMenuEntry(const std::vector<MenuEntry>& menus, const QString& name, int index = -1);
MenuEntry* findMenuEntry(std::vector<MenuEntry>& menus, const QString& name, int index = -1);

// The caption of item n's menu entry: its display name with the access-key
// marker after the first k characters (k fixed per item; 0 for most).
QString itemMenuCaption(int n);

// The item an item-menu entry reveals; 0 for a separator or an unknown entry.
// `menuName` is "mnuPhysPropItem", "mnuCtestItem" or "mnuDerivItem".
int itemForMenuIndex(const QString& menuName, int index);

// The quit reason the window sets when it loads: "NoSave" when progress
// cannot be saved (one session only, or instructor mode), else "Save" when
// none is set yet, else the one already set.
QString quitReasonAtLoad(const ModOrvan& m);

} // namespace orv
