#pragma once
// Small services every window of the student program uses.
#include "platform/runtime.h" // Pause, EndProgram, PaletteColour

#include <QString>
#include <cstdint>

namespace orv {

// Writes panel 1 (items revealed), 2 (help with the unknown) or 4 (session)
// of the main window's status bar; any other panel: nothing happens.
void UpdateStatusBar(int panel);
// Sets a panel's text directly (panel 3, the time, belongs to the main window).
void setStatusPanel(int panel, const QString& text);
// Sets the main window's caption (kept in the state until the window shows it).
void setMainCaption(const QString& caption);
// The text panel 1, 2 or 4 shows for the current state.
QString statusPanelText(int panel);

// Plays "Sound" (clip 1 when SoundOn, else 2), "Good" or "Bad" (a random clip
// of ten) or "Work", then pauses 0.1 or 0.3 s. Other kinds: nothing.
// Returns the resource played (type and id), for callers that care.
struct PlayedSound {
    QString type;
    int id = 0;
};
PlayedSound PlayResourceSound(const QString& kind);

// Extra height of a window caption on this display, in twips.
int CaptionExtraTwips();

// A whole number drawn uniformly from lo..hi, both included.
int GetRandomNum(int lo, int hi);

} // namespace orv
