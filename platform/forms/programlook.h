#pragma once
// The look both programs draw their windows in: one font family, and group
// boxes framed as the windows were designed.
//
// The windows are laid out in twips for a small 8-point sans-serif face with
// the common Windows metrics; Liberation Sans has them (Arial, then DejaVu
// Sans, always installed, when it is missing). A group box's line runs
// through the middle of its title, so that the first control placed just
// below the title (240 twips down) clears the frame; option and check box
// captions stand 4 pixels from their marks.
#include <QFont>

namespace orv {

QFont programFont();
// The face for text laid out in columns (the help topics' tables): the
// project's own fixed-pitch faces by name, Liberation Mono, then DejaVu Sans
// Mono, both always installed with the programs; the system's fixed font
// only when neither is there. Asking for "monospace" is not enough: on some
// machines it resolves to a face that does not keep every advance equal.
QString fixedPitchFamily();
// Makes programFont() and the group box framing the application's (call
// once the QApplication exists).
void useProgramLook();

} // namespace orv
