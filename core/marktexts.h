#pragma once
// What a student reads about a user file's in-use mark (see FileInUse) and
// about a save that cannot go into the user file, made here and only here,
// whichever road tells it: the sign-in, the first save of a new file, a
// save, the renewal of the mark, and letting go of the file.
#include "platform/fileinuse.h"
#include <QDateTime>
#include <QString>

namespace orv {

// A copy of Orvanto on this machine, run by `account`, holds the file at
// `path`, its mark being `mark`.
QString markInUseText(const QString& path, const QString& account, const QString& mark);
// The marks kept changing while this copy looked at them.
QString markChangingText(const QString& path, const QString& mark);
// Another mark stands at the file at `path`: who holds the file, where, and
// since when, and what opening it anyway risks. `now` is this machine's time,
// for the clock time of the last renewal. A question for "Open anyway" and
// "Go back".
QString openAnywayQuestion(const QString& path, const MarkClaim& claim, const QDateTime& now);
inline const QString kOpenAnyway = QStringLiteral("Open anyway");
inline const QString kGoBack = QStringLiteral("Go back");
// The student chose to go back: the file was not opened.
QString notOpenedText(const QString& path, const MarkClaim& claim);
// Why the file cannot be opened when its mark cannot be made, in words
// that follow the file's name: "its in-use mark MARK cannot be written (why)".
QString markUnwritableReason(const QString& mark, const QString& why);
// That reason as the sign-in refuses the file at `path`.
QString signInMarkUnwritableText(const QString& path, const QString& unwritableReason);
// A save of the file at `path` failed: the reason, when given, on a line of
// its own (as the first save of a new file does when its mark cannot be written).
QString writeErrorText(const QString& path, const QString& reason);
// The file is open without a mark: `stuckMarks` names the marks' places
// that could not be used and why.
QString heldUnmarkedText(const QString& path, const QString& stuckMarks);
// The mark could not be removed when the file was let go: `stuck` is the
// mark and why ("MARK (reason)").
QString markReleaseFailedText(const QString& stuck);
// What becomes of the work when a save is refused, as words that follow a
// sentence, without its full stop: kept, to be saved under another name; or,
// once the system is ending the program, written to the new file `rescued`
// instead, or (`rescued` empty) lost since the last save.
QString refusedSaveOutcome(const QString& rescued);
// Why a save is refused once this copy's mark is lost: another copy opened
// the file, the mark was removed or can no longer be read, or its folder is
// gone (see FileInUse::loss). A sentence.
QString markLostReason(const MarkLoss& loss);
// What a running copy tells its student when it finds at a renewal that its
// mark of the file at `path` is lost: why, and that the next save asks for
// another name.
QString markLostNotice(const QString& path, const MarkLoss& loss);
// The save went into `path`, but another copy opened it meanwhile.
QString takenOverDuringSaveText(const QString& path, const QString& rescued);
// A save found something other than the student's file at the name (for a
// new file: something that appeared after the name was chosen): what the
// student is told, in plain words, without the outcome.
QString replacedFileReason(bool newFile);

} // namespace orv
