#pragma once
// The main window's Help menu, wired to the help file, the help text window
// and the solved example. frmOVMain routes its Help entries here:
//
//   mnuHelpGroup1 (index)  -> mnuHelpGroup1_Click(index)  contents, 707, 733
//   mnuHelpGroup2 (index)  -> mnuHelpGroup2_Click(index)  730, 100, 200
//   mnuHelpTables (index)  -> mnuHelpTables_Click(index)  tables of compounds, 545 ... 585
//   mnuHelpGroup4 0        -> mnuHelpGroup4_Click(0)      solved example, then topic 734
//   mnuHelpGroup5 0, 1     -> mnuHelpGroup5_Click(index)  items revealed / help with this unknown
//
// or, in one line, helpMenuClick(name, index). Separators (and any index
// without an entry) do nothing. Topic numbers and texts: mainwindow/helpactions.h.
#include <QString>

namespace orv {

struct HelpText;

void mnuHelpGroup1_Click(int index);
void mnuHelpGroup2_Click(int index);
void mnuHelpTables_Click(int index);
// The solved example: sets the real unknown aside the first time (and then
// hides "Sa&ve and continue", "Save and ne&xt user", "Save and &quit", shows
// "N&ext user" and "End n&ow", and hides "&Resign from this unknown" when
// resigning is allowed), loads unknown 0, captions the main window and opens
// the help file at the worked example.
void mnuHelpGroup4_Click(int index);
// The File and Identify entries the solved example changes: in the example
// the save entries are hidden, "N&ext user" and "End n&ow" shown and
// "&Resign from this unknown" hidden (when resigning is allowed); outside it
// they are as the window loads them for the settings.
void exampleMenus(bool inExample);
// 0: the items revealed for this unknown; 1: help with this unknown. Each in
// frmHelp, shown modally.
void mnuHelpGroup5_Click(int index);

// Routes a Help menu click by control name ("mnuHelpGroup1" .. "mnuHelpGroup5",
// "mnuHelpTables"); false when the name is none of these.
bool helpMenuClick(const QString& name, int index);

// Shows a composed help text in a fresh frmHelp, modally.
void showHelpText(const HelpText& help);

} // namespace orv
