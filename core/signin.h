#pragma once
// Signing a returning student in from a user file, whichever way the file was
// chosen (the command line, the Open dialog of the program-chosen or of the
// allocated road). The windows only show what the outcome says.
#include <QString>

namespace orv {

enum class SignInResult {
    Loaded,            // the record is in and its current unknown's data read
    AllDone,           // the record is in; no unknown is left (QuitReason "AllDone")
    NotAUserFile,      // no name, or not an .ovg file: nothing was read
    Unreadable,        // the file could not be read (or not marked as in use): nothing of it is kept
    InUse,             // another copy of the program has it open: nothing was read
    PasswordRefused,   // a password is required and was not given: nothing is kept
    UnknownUnreadable, // the record is in (and saved) but no unknown can be read
};

struct SignInOutcome {
    SignInResult result = SignInResult::NotAUserFile;
    // For UnknownUnreadable and InUse, and for Unreadable when the file could
    // not be marked (else the reader has said why): what the student is told.
    QString quitMessage;
};

// Reads the user file at `path` into the state, its password checked first
// (the reader asks for it through the password windows), then opens its
// current unknown. The caller clears the previous student's record first
// (releaseUserFile, ResetUserRecord); on every refusal the state holds no
// record afterwards and the file is not held.
// `checkName` refuses a name that is not an .ovg file (the dialogs' roads;
// the command line takes the path as given).
[[nodiscard]] SignInOutcome signInFromUserFile(const QString& path, bool checkName);

} // namespace orv
