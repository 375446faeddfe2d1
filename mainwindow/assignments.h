#pragma once
// The spectral assignments of the unknown finished last: one picture per
// unknown, gifs/ovunk<code>.gif in the program folder, shown, copied and
// printed by frmAssignments. Sizes in twips; picture sizes in HIMETRIC
// (hundredths of a millimetre) as picture objects report them.
#include <QSize>
#include <QString>

namespace orv {

// "Main spectral assignments", with " for unknown <n>" when unknown numbers
// are shown.
QString assignmentsCaption(int unknown, bool showUnknownNumber);
// The printed title, which always carries the number.
QString assignmentsPrintTitle(int unknown);
// <ProgramPath>/gifs/ovunk<code>.gif
QString assignmentsPicturePath(int unknown);
// The message shown in place of a picture that cannot be loaded (it begins
// with a line break).
QString assignmentsMissingMessage(const QString& path);

// A picture's size in HIMETRIC from its pixels (the screen's 15 twips a pixel).
QSize himetricOfPixels(const QSize& pixels);

// The picture box for a picture of w x h HIMETRIC in a window `formWidth`
// twips wide: Top 100, Width w x 0.57, Height h x 0.59, centred.
struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};
TwipsRect assignmentsPictureBox(const QSize& himetric, int formWidth);
// Where the picture prints: left 100, top 1000, 0.8 w x 0.8 h (HIMETRIC used
// as twips).
TwipsRect assignmentsPrintRect(const QSize& himetric);

} // namespace orv
