#pragma once
// The student program's shared state: every value that outlives a single
// window, under the names the whole program uses. One thread reads and writes
// it; windows reach it through the global `modOrvan`.
#include "core/configsettings.h"
#include "platform/basic.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>

namespace orv {

// Items of an unknown: 0 the unknown as a whole, 1-4 physical properties,
// 5-9 spectra, 13-31 chemical tests, 35-52 derivatives, 53-54 equivalents.
inline constexpr int kLastItem = 54;
inline constexpr int kLastPrecludable = 34;
inline int itemNameResource(int n) { return 1001 + 2 * (n - 1); }
inline int itemDescriptionResource(int n) { return 1002 + 2 * (n - 1); }

struct UnkResultRow {
    QString resultLine;  // column 1: the result line of the finished unknown
    QString sessionTime; // column 2: session number (3 digits) and minutes
    bool operator==(const UnkResultRow&) const = default;
};

// A hook the window layer installs; two states compare equal whatever their
// hooks are.
template <class Signature> struct Sink : std::function<Signature> {
    using std::function<Signature>::function;
    using std::function<Signature>::operator=;
    friend bool operator==(const Sink&, const Sink&) { return true; }
};

// The progress on the current unknown that the solved example sets aside and
// puts back whole. The user file keeps all of it but UnsuitableDerivs (a
// count for the session only) and element 0 of ItemsRevealed and ItemPrecluded.
struct UnknownProgress {
    int CurrentUnknown = 0;                  // 0..99
    std::array<Boolean, 55> ItemsRevealed{}; // 1..54 used
    std::array<Boolean, 55> ItemHelpShown{}; // 0: help with the unknown as a whole
    std::array<Boolean, 35> ItemPrecluded{}; // 1..34 used
    int PrecludedTries = 0;
    int UnsuitableDerivs = 0;
    int NameTypingTries = 0;   // 0..98
    int StructChooseTries = 0; // 0..98
    int StructGiveTries = 0;   // 0..98

    bool operator==(const UnknownProgress&) const = default;
};

// The settings (orvanto.ini) and the current unknown's progress are bases, so
// that `modOrvan.PasswordRequired` and `modOrvan.ItemsRevealed` read as every
// other variable does and each group can be copied whole.
struct ModOrvan : ConfigSettings, UnknownProgress {
    // Every setting False until a settings file is read.
    ModOrvan();
    // The two groups, for copying whole.
    ConfigSettings& settings() { return *this; }
    const ConfigSettings& settings() const { return *this; }
    UnknownProgress& progress() { return *this; }
    const UnknownProgress& progress() const { return *this; }

    // --- Derived from the settings, not stored ---
    Boolean AnySpectrumAllowed = kFalse;
    Boolean AnyCalcAllowed = kFalse;

    // --- Current unknown's data (filled only by ReadUnknownFile) ---
    std::array<QString, 55> UnkItemTitle{};
    std::array<QString, 55> UnkItemHelp{};
    std::array<QString, 35> ItemPrecludes{};   // 1..34 used
    std::array<QString, 35> ItemPrecludedBy{}; // 10..34 used
    QByteArray CmrData;                        // spectrum data: raw bytes
    QString CmrLabel;
    QByteArray IrData;
    QString IrLabel;
    QByteArray MsData;
    QString MsMolecularIon;
    QString MsLabel;
    std::array<QByteArray, 26> PmrData{};    // 1..25 used: 5..24 trace, 25 note
    int NameCount = 0;                       // 0..12
    std::array<QString, 13> AcceptedNames{}; // 1..NameCount
    int NameChoiceCount = 0;                 // 0..8
    std::array<QString, 9> NameChoices{};    // 1..NameChoiceCount
    QString StructChoiceLine;
    int StructCodeCount = 0;              // 0..4
    std::array<QString, 5> StructCodes{}; // 1..StructCodeCount

    // --- User record and progress ---
    QString UserFilePath;
    QString AllocatedUnknowns;
    // CurrentUnknown, the item flags and the tries: the UnknownProgress base
    int SessionNumber = 0; // 0..999
    long MinutesUsed = 0;
    double StartTime = 0; // fraction of a day
    // Monotonic mark of the same start (see markStartTime): the clock reading
    // in ms, the earlier minutes it stands behind, and the StartTime value it
    // belongs to (a StartTime set without the mark makes the mark stale).
    qint64 StartMarkMs = 0; // 0 = no mark
    long StartMarkMinutes = 0;
    double StartMarkTime = -1;
    double TimerNow = 0; // fraction of a day
    QString CompletedUnknowns;
    std::array<UnkResultRow, 100> UnkResults{}; // 1..99 used
    int LastUnknownDone = 0;
    QString Password;
    QString PasswordCode;
    Boolean PasswordVerified = kFalse;

    // --- Session and identification state ---
    int CurrentItem = 0; // 0..54
    // False once anything may be unsaved: the main window's load, a help or
    // a report clear it. Whether the record still is as saved is asked of
    // recordSaved (core/userrecord.h), which compares it with SavedRecord
    // too, so that a change nobody announced is never taken for saved.
    Boolean DataSaved = kFalse;
    // What the file was last given, as recordAsStored made it; empty before
    // the first write of this student's session.
    QString SavedRecord;
    Boolean AllUnknownsDone = kFalse;
    QString CommandLineUsed;
    Boolean UnkIdentified = kFalse;
    Boolean IdentifiedByName = kFalse, IdentifiedByChoosing = kFalse, IdentifiedByGiving = kFalse;
    Boolean ShowReportAfterResign = kFalse;
    Boolean ExampleMode = kFalse;
    Boolean InstructorMode = kFalse;
    Boolean SoundOn = kFalse;
    QString QuitReason;
    int MainWindowTop = 0, MainWindowLeft = 0, MainWindowWidth = 0; // twips; 0 = never shown

    // --- The unknown's progress set aside while the solved example is shown ---
    UnknownProgress SavedProgress;

    // --- Environment and scratch ---
    QString ProgramPath;     // no trailing separator
    int ScreenTopOffset = 0; // twips
    int MaxUnknownNumber = 0;
    QString TextBuffer;
    QString FilePathBuffer;
    int LoopIndex = 0;

    // --- Viewer hand-over (twips of the viewer's plot) ---
    float ExpandLeftX = 0;
    float ExpandRightX = 0;

    // --- Main window's status bar (panels 1..4) ---
    // Kept here so that the texts survive until the main window exists; the
    // main window installs statusBarSink to show them as they change.
    std::array<QString, 5> StatusPanelText{};
    Sink<void(int panel, const QString& text)> statusBarSink;
    // Asked to bring up the main window when a routine needs it to exist.
    Sink<void()> ensureMainWindow;
    // The main window's caption, kept and shown the same way.
    QString MainCaption;
    Sink<void(const QString& caption)> mainCaptionSink;

    // Equal when every value is (the sinks are wiring, not state).
    bool operator==(const ModOrvan&) const = default;
};

extern ModOrvan modOrvan;

// Clears the whole state back to what it is before the program starts
// (tests use it; a new student needs only ResetUserRecord).
void resetModOrvan();

// Sets up the environment group and clears the session strings; the user
// record starts afresh (ResetUserRecord), since a start window begins a
// student's sign-in.
void InitProgram();
// Everything of one student's record back to what a first-time student has:
// the path of the user file, the allocation and completed lists with their
// result rows, the current unknown and its progress (ResetProgress, with
// element 0 of the flag arrays), the clock, password and code, the
// verification, the session's leaving reason and state, the solved example's
// saved set and the status and caption texts the main window would show.
// Settings, the program folder, the current unknown's data and the command
// line stay. No window is touched. Every road that starts a student runs it:
// the start window, the first-time road, and a refused sign-in, so that
// nothing of one student can reach another's file. The user file's in-use
// mark is not part of the state: those roads let go of it (releaseUserFile)
// before they run this.
void ResetUserRecord();
// Clears the per-unknown progress.
void ResetProgress();
// True when nothing has been completed and no item 1..54 is revealed.
Boolean IsNewUser();
// Sets the current unknown's progress aside while the solved example is shown,
// and blanks status panels 1 and 2.
void SaveUnknownState();
// Puts the saved progress back (nothing else).
void RestoreUnknownState();

// The start of work on the unknown as a time of day: now less the minutes of
// earlier sessions (it may fall before midnight, below 0).
double startTimeFor(double now, long minutesUsed);
// Starts the clock of the current unknown: StartTime := now moved back by
// MinutesUsed (the earlier sessions' minutes), with a monotonic mark beside
// it so that the minutes stay right across midnight and beyond a day.
void markStartTime();
// Seconds worked on the current unknown, earlier sessions included: from the
// monotonic mark when it belongs to StartTime, else from StartTime to
// TimerNow as times of day (a negative difference is taken across midnight).
double secondsWorked();

} // namespace orv
