#pragma once
// The instructor's allocation of unknowns: the user file a student starts
// from, made before the first session, whether the program folder's settings
// will have it followed, and a plain account of what a user file holds. The
// tool ovallocate reads its command line with parseAllocationArguments and
// reports what the others return.
#include <QString>
#include <QStringList>

namespace orv {

// What a command line asks for, in one of the two forms
//   --unknowns 05,12,33 [--password PW] FILE.ovg
//   --show FILE.ovg
// Usage when the arguments fit neither.
struct AllocationRequest {
    enum class Action { Usage, Allocate, Show };
    Action action = Action::Usage;
    QString unknowns; // as given: "05,12,33"
    QString password;
    bool withPassword = false; // --password was given (an empty one is then refused)
    QString path;
};
AllocationRequest parseAllocationArguments(const QStringList& args);
// The two forms, as a usage message says them.
QString allocationUsage();

// "05,12,33" -> "051233": numbers of one or two digits, 1..99, none twice,
// blanks around a number ignored. Empty with `error` set otherwise.
QString allocationList(const QString& text, QString& error);

// Makes the user file at request.path: the first unknown of the list is the
// one to work on, the rest wait in the allocation list in order. Refused
// (with nothing written) when the name does not end in .ovg, the list or the
// password is not usable, the file exists, or an unknown's data file in the
// program folder's unks/ cannot be read; the data files are read through the
// program-wide state, which keeps the last one read. An existing file is
// never replaced, not even by another run making the same file at the same
// moment. Empty on success, else the message. When the file is written but
// its folder could not be synced, `warning` (if given) says so: a power cut
// could still lose it.
QString allocateUserFile(const AllocationRequest& request, QString* warning = nullptr);

// Empty when the student program, run from the program folder `programPath`
// with the settings file that lies there now, follows the allocation lists
// of user files; else a warning (one line) that says why it will not and what
// the instructor can do. It follows them only when orvanto.ini says that the
// instructor allocates the unknowns; without a usable file the student
// program writes the default settings (or, when the file is there but cannot
// be read, works with them), and in those Orvanto chooses.
QString allocationNotFollowedWarning(const QString& programPath);

// What a user file holds, one line each ended by a line feed (the password
// only as "set" or "none"). Empty with `error` set when the file cannot be
// read or is not a usable user file.
QString describeUserFile(const QString& path, QString& error);

} // namespace orv
