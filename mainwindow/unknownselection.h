#pragma once
// The instructor's selection of an unknown, apart from its window: where the
// 99 buttons stand and what choosing one does to the program's state.
#include <QPoint>

namespace orv {

// Top left (twips) of unknown n's button, 1..99: ten to a row, left to
// right and top to bottom, columns from 300 in steps of 450, rows from 980
// in steps of 400. Each button is 380 x 300 twips.
QPoint selectionButtonPosition(int n);
inline constexpr int kSelectionButtonWidth = 380;
inline constexpr int kSelectionButtonHeight = 300;

// Instructor mode starts: InstructorMode = True, QuitReason = "SecretAllocate".
void enterInstructorMode();

// The state side of a click on unknown n's button: CurrentUnknown = n, any
// solved example is over (ExampleMode = False), the progress starts afresh, the unknown's file is read and its clock starts
// now. False when the file could not be read (the program has then been
// ended with the reader's message). Consults no allocation list and saves
// nothing.
bool loadInstructorUnknown(int n);

} // namespace orv
