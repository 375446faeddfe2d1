#pragma once
// What a student reads about a user file's in-use mark (see FileInUse), made
// here and only here, whichever road tells it: the sign-in, the first save
// of a new file, a save, and letting go of the file.
#include "platform/fileinuse.h"
#include <QString>

namespace orv {

// Another copy holds the file at `path`, its mark being `mark`: `holder`
// says where ("on this machine", "on machine NAME", ...). `minutesLeft`, when
// above 0, is how long the mark must stay unchanged before this machine takes
// the file over.
QString markInUseText(const QString& path, const QString& holder, const QString& mark, int minutesLeft);
// The file is marked by `mark`, which cannot be read: `unreadable` is why
// this account may not read it, or empty for a mark this version cannot
// read. `minutesLeft` as for markInUseText.
QString markUnreadableText(const QString& path, const QString& mark, const QString& unreadable, int minutesLeft);
// Why the file cannot be opened when its mark cannot be made, in words
// that follow the file's name: "its in-use mark MARK cannot be written (why)".
QString markUnwritableReason(const QString& mark, const QString& why);
// That reason as the sign-in refuses the file at `path`, and as the first
// save of a new file at `path` fails.
QString signInMarkUnwritableText(const QString& path, const QString& unwritableReason);
QString saveMarkUnwritableText(const QString& path, const QString& unwritableReason);
// The file is open without a mark: `stuckMarks` names the marks that could
// not be replaced and why.
QString heldUnmarkedText(const QString& path, const QString& stuckMarks);
// The mark could not be removed when the file was let go: `stuck` is the
// mark and why ("MARK (reason)").
QString markReleaseFailedText(const QString& stuck);
// How a refused save ends for the student's work: kept, to be saved under
// another name; or, once the system is ending the program, lost since the
// last save. Words that follow a sentence, without its full stop.
QString workKeptText();
// Why a save is refused once this copy's mark is lost: another copy opened
// the file, the mark was removed or can no longer be read, or its folder is
// gone (see FileInUse::loss).
QString markLostReason(const MarkLoss& loss);
// The save went into `path`, but another copy opened it meanwhile.
QString takenOverDuringSaveText(const QString& path);

} // namespace orv
