#pragma once
// What the main window's Help menu does, apart from showing windows.
//
// The menu (control arrays of frmOVMain) and what each entry's click does:
//
//   mnuHelpGroup1 0 "C&ontents"                       the help file's contents (no topic of its own)
//   mnuHelpGroup1 1 "&Keyboard shortcuts"             topic 707
//   mnuHelpGroup1 2 "&Tools (spectroscopy toolbars)"  topic 733
//   mnuHelpGroup2 0 "&Spectroscopy help"              topic 730
//   mnuHelpGroup2 1 "&Chemical tests help"            topic 100
//   mnuHelpGroup2 2 "&Derivatives help"               topic 200
//   mnuHelpTables 0..17 (tables of compounds)         helpTablesTopic(index): 545, 505, ... 585
//   mnuHelpGroup4 0 "Solved &example unknown"         beginSolvedExample(), then topic 734
//   mnuHelpGroup5 0 "&Items revealed for this unknown" itemsRevealedHelp() in frmHelp
//   mnuHelpGroup5 1 "&Help with this unknown"         unknownHelp() in frmHelp
//
// The last index of groups 1 to 5 (and group 3's index 0, the tables
// submenu) is a separator or submenu: its topic is 0 and a click does
// nothing. mainwindow/forms/helpmenu.h wires all of this to the windows.
//
// Texts use CR LF line breaks, as the help text window receives them.
#include "core/modorvan.h"

#include <QString>

namespace orv {

inline constexpr int kSolvedExampleTopic = 734;

// Help file topic a click on the entry opens; 0 for Contents, a separator, a
// submenu or an index out of range.
int helpGroup1Topic(int index);
int helpGroup2Topic(int index);
int helpTablesTopic(int index); // 0..17

// A composed help text for frmHelp: its caption, its text, and whether its
// Print button is usable.
struct HelpText {
    QString caption;
    QString text;
    bool printEnabled = true;
};

// "&Items revealed for this unknown": the unknown's title and every revealed
// item 1..54 with its result and, where its help was shown, that help.
// "No items available for review." (Print disabled) when none is revealed.
// Changes nothing.
HelpText itemsRevealedHelp(const ModOrvan& m);

// Items 1..54 revealed so far.
int revealedItemCount(const UnknownProgress& p);
// Revealed items needed before the class of the unknown is told: 6 with
// chemical tests allowed, 4 with only spectra, 1 with neither.
int unknownHelpThreshold(const ModOrvan& m);

// "&Help with this unknown": with too little work, advice on what to look at
// (changes nothing); with enough, the compound class of the unknown and how
// to finish: then DataSaved = False, ItemHelpShown(0) = True and status
// panel 2 shows the class.
HelpText unknownHelp(ModOrvan& m);

// "Solved &example unknown", the state side. The first time (ExampleMode
// False): ExampleMode = True, the real unknown's progress is set aside
// (SaveUnknownState) and a QuitReason of "Save" becomes "NoSave", so that
// leaving during the example never stores the example's progress in place of
// the student's. Every time: the progress is cleared, unknown 0 is read and
// the main caption becomes "Orvanto's worked example is " + its title.
// `firstTime` tells the caller to change the File and Identity menus;
// `loaded` is false when unknown 0 could not be read (the program has then
// been ended with the reader's message).
struct ExampleStart {
    bool firstTime = false;
    bool loaded = false;
};
ExampleStart beginSolvedExample(ModOrvan& m);

// For the return from the solved example (progress report): puts back the
// QuitReason "Save" that beginSolvedExample turned into "NoSave", when saving
// is possible (several sessions allowed, not instructor mode).
void restoreQuitReasonAfterExample(ModOrvan& m);

// Ends the solved example, wherever it ends (its progress report, leaving the
// main window): clears the identification flags, puts back the real
// unknown's progress, its DataSaved and the QuitReason, reads its data file
// again and announces it (caption, status panels). Nothing when the example
// is not on. False when the file could not be read (the program has ended).
bool endSolvedExample(ModOrvan& m);

} // namespace orv
