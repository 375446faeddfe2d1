#pragma once
// The unknown data files unks/ovunk<code>.txt: one read-only text file per
// unknown (0 the solved example, 1..99), single-byte text, CR LF lines (LF or
// CR alone are read too). The layout is fixed line by line; the accepted
// names are stored scrambled with UnknownFileKey.
#include <QByteArray>
#include <QList>
#include <QString>

namespace orv {

struct ModOrvan;

// The two-letter code naming unknown n's data file unks/ovunk<code>.txt and
// its assignments picture gifs/ovunk<code>.gif (n = 0..99: 0 "uz", 1 "oz",
// 99 "yc"; all 100 differ).
QString UnknownFileCode(int n);
// <ProgramPath>/unks/ovunk<code>.txt
QString unknownFilePath(int n);

// The 80-character key of the accepted names: stored code = plain code + key
// code, position by position, never repeated.
extern const QByteArray UnknownFileKey;

// Reads CurrentUnknown's data file into the current unknown's data. The
// previous unknown's data is cleared first. On a missing or damaged file
// (ends early, more than 12 accepted names, 8 candidate names or 4 structure
// codes, a count below 0, a scrambled name longer than 80 characters or one
// that does not decipher) shows "Error reading file <path> . Program ends."
// with the critical icon and ends the program; returns false then (callers
// return at once).
bool ReadUnknownFile();
// The same read without the message and the end: false when the file is
// missing or damaged (FilePathBuffer names it; no data of it is kept).
bool TryReadUnknownFile();
// Either read also sets UnsuitableDerivs from the progress: the revealed
// derivatives (items 35..54) whose result contains "unsuitable". The user
// file does not hold the count, so it is found again whenever a student's
// unknown is read back.
int unsuitableDerivsRevealed(const ModOrvan& m);

// The reading itself, from the file's lines into the current unknown's data
// of `m` (cleared first). False on a damaged file, which leaves nothing of it
// in `m`; nothing is shown.
bool readUnknownData(const QList<QByteArray>& lines, ModOrvan& m);

// A spectrum sample character's value: its byte code minus 14 (code 14 is 0).
inline int sampleHeight(char c) { return static_cast<unsigned char>(c) - 14; }

} // namespace orv
