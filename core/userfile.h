#pragma once
// The user's file users/<name>.ovg: one scrambled line with the record and
// the password code; older multi-line files are read and upgraded. The format
// itself lives in core/userrecord.h; these routines move it between the file
// and the program-wide state and ask for passwords through PasswordWindows.
#include "platform/fileinuse.h"

#include <QString>
#include <functional>

namespace orv {

// Writes the user file at UserFilePath (asking for a password first when one
// is required and none is set; when that window is closed without a
// confirmed password nothing is written, and it is reported as a failed
// write is). The minutes are the earlier minutes plus the
// time worked on the monotonic clock. On failure, or when the record holds
// something the file cannot store, reports "Error writing " + path +
// ". Information not saved." with the reason on a line of its own, and
// returns false; the state is kept. A file that another copy of the program
// has taken over since this copy marked it (userFileTakenOver) is not
// written over: that is the reason given. A file taken over while the save
// was being written (found so after the rename) is told as such: the save
// may have overwritten that copy's work and will be overwritten by it, so
// the result is false. When the file was written but its
// folder could not be synced, says so (the save stands; a power cut could
// still lose it) and returns true.
// A save replaces the file read at sign-in (or written by the last save)
// and nothing else: the name must still lead to a regular file with one
// name, of the same owner, holding the bytes read or written then (see
// FileSeen: shares renumber files, so no inode is compared). Where a link,
// or another file, now stands at the name, nothing is written, the reason
// is told in plain words, and userFileReplaced() is true from then on. A
// file that was a link when it was read is written through that link, to
// such a file only. A name that no file of this copy's stands at yet (a new
// user's) is created exclusively: a file that appears there meanwhile is
// another's, and refused the same way.
// While the system is ending the program (no window can ask for a name), the
// work of a refused save goes into a new file beside the user file (NAME
// followed by "-kept-" and the date and time, .ovg), created exclusively,
// and the message, which then goes to the log, names it.
[[nodiscard]] bool WriteUserFile();
// Reads UserFilePath (either format) into the state, upgrading an older one,
// and runs the password step. PasswordVerified is cleared first. A missing,
// unreadable or damaged file is refused with a message naming what is wrong;
// then nothing is changed, neither the state nor the file, and the result is
// false (the caller needs no message of its own). When passwords are
// required, a stored password is tested before anything else of the file
// enters the state: a wrong one leaves the state and the file as they were,
// PasswordVerified False, and the result true (the caller refuses the user).
// An older file that needs a new password for its upgrade is left as it was
// when the window is closed without one, and refused like that where
// progress is saved.
bool ReadUserFile();
// Reads the one-line format from TextBuffer, as ReadUserFile does.
bool ReadUserFileRecord();
// True while passwords are required and the student has not yet chosen one:
// until then no user file is written.
bool passwordStillToChoose();

// One copy of the program works on a user file at a time: the file is marked
// as in use (see FileInUse) from sign-in, or from its creation, until the
// record can no longer change (the quit window) or the program ends; the
// roads that start another student let go of it before they clear the
// record. holdUserFile marks `path` and lets go of the file held before.
// Another copy's mark that this copy cannot judge is told to the student,
// who chooses "Open anyway" (the file is marked as this copy's) or "Go back"
// (the default: nothing changes). Where the marks' places are taken by what
// this account may not remove, the file is taken without a mark, and a
// message says so and names them.
struct UserFileHold {
    enum Result {
        Held,    // the file is this copy's
        Refused, // another copy holds it, or the student went back: `text` says so, naming the file
        Failed,  // the mark cannot be written: `text` is a reason that can follow the file's name
                 // ("its in-use mark ... cannot be written (...)")
    };
    Result result = Held;
    QString text;
};
// The file at `path` as it stands is the one a save replaces (the sign-in
// reads it next).
[[nodiscard]] UserFileHold holdUserFile(const QString& path);
// A new user's file about to be made at `path`: a save makes a new file,
// never one that another put at the name meanwhile.
[[nodiscard]] UserFileHold holdNewUserFile(const QString& path);
// Lets go of the user file: removes its mark and forgets it (the one way to
// let go, on every road). Empty when done or when no file was held; else what
// the student is told: the mark that could not be removed, and why, and when
// the file can be opened again (this program takes its own mark back at its
// next sign-in). Every caller tells it: in a window, or in the log when
// windows are withheld.
[[nodiscard]] QString releaseUserFile();
// Lets go of the user file and of its name, as a save does when the file is
// no longer the student's (taken over, replaced): the next save asks for a
// name. At the system's end, where none can be asked for, that save keeps
// the work in a new file beside the one given up (WriteUserFile with no
// UserFilePath). Returns what releaseUserFile does.
[[nodiscard]] QString giveUpUserFile();
// The file given up since, while no other is held; empty otherwise.
QString userFileGivenUp();
// Makes everything the user-file routines keep now (the mark's holder, the
// file as seen, the password windows), before an exit handler that saves
// and lets go of the file is registered, so that all of it outlives the
// handler.
void prepareUserFileMark();
// True once another copy has taken over the user file this copy marked (or
// its mark was removed, or can no longer be read): found at a save, or at a
// renewal of the mark, which also tells the student (markLostNotice).
bool userFileTakenOver();
// How the mark was lost, once userFileTakenOver() has said so.
MarkLoss userFileLoss();
// True once a save found a link or another file in the place of the user
// file at UserFilePath (see WriteUserFile): it is not the student's to write.
bool userFileReplaced();

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
