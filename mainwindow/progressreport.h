#pragma once
#include "core/userrecord.h" // sessionTimeField, kMaxCompletedUnknowns
// The progress report's texts and the unknown's result line.
//
// Result line (UnkResultLine): 20 digits followed by the first accepted name.
//   1 physical properties revealed (items 1-4)   2 spectra revealed (5-9)
//   3-4 chemical tests (13-31)                    5-6 derivatives and equivalents (35-54)
//   7 help with the unknown used (0/1)            8-9 items whose help was shown
//   10-11 PrecludedTries                          12-13 UnsuitableDerivs
//   14 method: 0 resigned, 1 name, 2 choosing, 3 giving
//   15-16 NameTypingTries  17-18 StructChooseTries  19-20 StructGiveTries
// A count that does not fit its field is held at 9 or 99 in the stored line,
// so the stored line always has 20 digits; the error report records the line
// as the counts would have made it.
#include <QDateTime>
#include <QString>

namespace orv {

// --- Random wordings (seven each, drawn as Int(7 x Rnd) + 1) ---
enum class Wording { Praise, Opening, Verdict };
QString wording(Wording list, int number); // number 1..7
QString randomWording(Wording list);

// The whole text of the report after a wrong answer.
QString wrongAnswerText(const QString& opening, const QString& verdict);
// The first line of the report after a right answer (praise given) or an
// accepted resignation, with its CRLF.
QString verdictLine(const QString& praise);
// "Good" after a right answer, "Bad" after a wrong one, empty after a
// resignation or when sound is off or the solved example is on.
QString reportSoundKind();

struct ItemCounts {
    int physProp = 0;   // items 1-4 revealed
    int spectrum = 0;   // items 5-9
    int chemTest = 0;   // items 13-31
    int derivative = 0; // items 35-54, unsuitable ones included
    int helpItems = 0;  // items 1-54 whose help was shown
};
ItemCounts countItems();

// The digit part of the result line for the current state. `fitFields`
// holds every count within its field.
QString resultDigits(const ItemCounts& c, bool fitFields);

// Completed unknowns are recorded up to the 99th (kMaxCompletedUnknowns);
// the table has no row for more.
int completedCount();
// Appends CurrentUnknown to CompletedUnknowns (not in the solved example,
// and not beyond the 99th). Returns false when nothing was appended.
bool appendCompletedUnknown();

struct ReportOutcome {
    QString text;       // the report shown in txtReport
    int lineCount = 1;  // ReportLineCount
    QString digitPart;  // as the counts made it (TextBuffer)
    QString resultLine; // as stored
    ItemCounts counts;
    bool anotherUnknownLeft = false;
    bool errorReported = false;    // the digit part was not 20 digits long
    bool restoreSaveMenus = false; // solved example: show the save entries again
    bool showResignItem = false;   // solved example: show "&Resign from this unknown"
};

// Everything the report does after a right answer or an accepted resignation
// up to its text: the verdict line (praise used only for a right answer),
// the completed unknown, the report lines, the result line and its storage,
// MinutesUsed, LastUnknownDone and whether another unknown is left. A
// malformed digit part is recorded through ErrorReport at `now`.
ReportOutcome makeReport(const QString& praise, const QDateTime& now = QDateTime::currentDateTime());
// The report lines after the verdict line (GetReport), from `verdict` on.
// The result line is stored in the row of the last completed unknown only
// when `recorded` (this unknown was just appended to CompletedUnknowns).
ReportOutcome GetReport(const QString& verdict, bool recorded, const QDateTime& now = QDateTime::currentDateTime());

// --- Reward pictures (bitmaps and captions 103-127) ---
// Picture 1..25 for the number of completed unknowns (26 starts again at 1).
int rewardPictureNumber(int completed);
// The caption shown when the picture is clicked; picture 25 is preceded by
// the count and an effort phrase.
QString rewardCaption(int pictureNo, int completed);
// Height in twips of the caption box for a text (introduction or caption).
int rewardIntroHeight(const QString& text);
int rewardCaptionHeight(const QString& text);
// Height in twips of the report box: 210 a line, at most 4000.
int reportBoxHeight(int lineCount);

// --- Continue ---
enum class ReportNext {
    SameUnknown,         // wrong answer: the student goes on
    InstructorSelection, // the instructor picks the next unknown
    AllDone,             // no unknown left
    BackFromExample,     // the student's own unknown is back
    NewUnknown,          // the next unknown was started
    NoUnknownReadable,   // no next unknown's file can be read: the work is saved, the student leaves
};
// Does the state side of Continue: clears or restores the unknown, reads its
// file, starts the next one. The window does the rest for the value returned;
// for NoUnknownReadable, quitMessage holds what the quit window must say.
ReportNext continueAfterReport(bool anotherUnknownLeft, QString* quitMessage = nullptr);

} // namespace orv
