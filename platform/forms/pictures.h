#pragma once
// Pictures compiled into the program: bitmaps by number, the two cursors and
// the program icon; and pictures loaded from files of the program folder.
#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace orv {

// Bitmap resource (resources/bitmaps/<id>.png). Null when missing.
QPixmap LoadResPicture(int id);
// Cursor resource 101 (magnifier) or 102 (question mark); the arrow when missing.
QCursor LoadResCursor(int id);
// Icon resource 1.
QIcon programIcon();
// A picture file (GIF, BMP, PNG). Null when it cannot be read.
QPixmap LoadPicture(const QString& path);

} // namespace orv
