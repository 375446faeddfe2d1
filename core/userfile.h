#pragma once
// The user's file users/<name>.ovg: one scrambled line with the record and
// the password code; older multi-line files are read and upgraded. The format
// itself lives in core/userrecord.h; these routines move it between the file
// and the program-wide state and ask for passwords through PasswordWindows.
#include <QString>
#include <functional>

namespace orv {

// Writes the user file at UserFilePath (asking for a password first when one
// is required and none is set). The minutes are the earlier minutes plus the
// time worked on the monotonic clock. On failure, or when the record holds
// something the file cannot store, reports "Error writing " + path +
// ". Information not saved." and returns false; the state is kept.
bool WriteUserFile();
// Reads UserFilePath (either format) into the state, upgrading an older one,
// and runs the password step. PasswordVerified is cleared first. A missing,
// unreadable or damaged file is refused with a message naming what is wrong;
// then nothing is changed, neither the state nor the file, and the result is
// false (the caller needs no message of its own). When passwords are
// required, a stored password is tested before anything else of the file
// enters the state: a wrong one leaves the state and the file as they were,
// PasswordVerified False, and the result true (the caller refuses the user).
bool ReadUserFile();
// Reads the one-line format from TextBuffer, as ReadUserFile does.
bool ReadUserFileRecord();

// One copy of the program works on a user file at a time: the file is marked
// as in use (see FileInUse) from sign-in, or from its creation, until the
// record is reset or the program ends. holdUserFile marks `path` and lets go
// of the file held before; when another live copy holds it, returns false
// with `inUse` set to what the student is told, naming the file.
bool holdUserFile(const QString& path, QString* inUse = nullptr);
void releaseUserFile();

// The password windows, as the user-file routines show them. The forms layer
// installs them (registerCoreForms); without them nothing is shown, so no
// password is set and none is verified.
struct PasswordWindows {
    // frmNewPassword, modal, with this caption, Cancel hidden and Continue
    // centred (490 x 1000 twips at Top 1250). Leaves the confirmed password
    // in Password and sets PasswordVerified.
    std::function<void(const QString& caption)> askNewPassword;
    // frmTestPassword, modal, with this caption. Sets PasswordVerified when
    // the student typed Password.
    std::function<void(const QString& caption)> testPassword;
};
void setPasswordWindows(PasswordWindows windows);

// The message shown after an older file was rewritten.
QString upgradeMessage(const QString& path, bool version42);

} // namespace orv
