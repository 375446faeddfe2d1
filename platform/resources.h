#pragma once
// The program's compiled-in resources: string table, sounds. Pictures,
// cursors and the icon are reached through platform/forms/pictures.h.
#include <QByteArray>
#include <QString>

namespace orv {

// String resource by number (the string tables under resources/strings).
// Empty when there is no such string.
QString LoadResString(int id);

// Sound resource: the whole WAV image of type ("WAVSND", "WAVGD", "WAVBD",
// "CUSTOM") and number. Empty when missing.
QByteArray LoadResSound(const QString& type, int id);

// Raw bytes of any resource file, e.g. "bitmaps/101.png". Empty when missing.
QByteArray LoadResBytes(const QString& relative);

} // namespace orv
