#pragma once
#include <QString>

namespace orv {
// The program folder: ORVANTO_HOME when set, else the executable's folder.
// No trailing separator.
QString programFolder();
// path joined under the program folder, e.g. programFile("unks/ovunkuz.txt").
QString programFile(const QString& relative);
// The users/ folder of a program folder given as the programs keep it (with
// or without a closing separator).
QString usersFolder(const QString& programPath);
// Removes stale copies the file writers left in the program folder and its
// users/ folder when a program was killed while writing (both programs do
// this as they start).
void removeStaleProgramTemporaries();
}
