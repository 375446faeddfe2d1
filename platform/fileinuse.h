#pragma once
// Marks a file as in use by this copy of the program, for every other copy
// that opens it: on this machine, under another account, or on another
// machine sharing the folder. The mark is a small text file beside the file
// (.NAME.ovg.lock beside NAME.ovg, hidden), made whole in one step, readable
// by every account whatever the umask (mode 644: its text is no secret), and
// never replaced while its copy lives. It names the copy (a token of its own,
// host name, machine id, boot id, process and its start, account) and a
// renewal counter that the copy raises every kInUseRenewSeconds.
//
// A mark that names numbers no running copy writes (a process number of 0
// or less or beyond the system's range, a start of 0, a renewal counter out
// of range) is damaged.
//
// Whether the copy that made a mark still runs is decided without clocks
// shared between machines:
// - a mark of this machine (host name and machine id both this machine's,
//   or host name and boot where the machine has no id): alive while its
//   process runs in this boot. A mark of this very process that a failed
//   release left behind is this copy's to take back;
// - a mark of another machine, one this version cannot read, and one this
//   account may not read (an older copy's under a private umask): alive
//   until it has been seen unchanged for kInUseStaleMinutes. Unchanged means
//   the same text and modification time, or, where the text cannot be read,
//   the same size, times and inode; a renewal changes it;
// - anything that is not a regular file of a sane size (a folder, a pipe, a
//   link, a device) is damaged: no copy's mark.
//
// The wait on a watched mark is shared by every start of the program on
// every machine through sightings beside the mark (see marksightings.h for
// their format and the counting rule). Only sightings written by the file's
// owner or by root count, so that no other account can have a live copy
// taken over. A program that was refused by a watched mark looks after it
// (looks at it again) every half renewal period while it runs on, for the
// stale time, so that its count grows for the other machines too. A copy
// that marks the file forgets the sightings of the name it marks and of a
// name that is free; those of a stuck mark (see below) stay and are
// refreshed while it holds the file, so that later sessions anywhere go in
// at once under the second name. A dead mark of this machine that cannot be
// removed is written down as seen for the whole stale time.
//
// A dead or damaged mark is removed and replaced. One that this account may
// not remove (another account's in a sticky folder) gives way to a second
// mark name, .NAME.ovg.2.lock, which every copy checks too; only when both
// are stuck is the file taken unmarked, and the caller is told so. A copy
// that has made its mark gives way to a live mark under the other name,
// including one it cannot read.
//
// A copy checks that its mark is still its own (its token) at each renewal
// and whenever stillHeld() is asked: a mark it cannot read is not taken for
// its own. So a copy whose mark was taken over (it slept, or its machine was
// cut off) learns it before it writes, and loss() tells how it was lost.
#include "platform/smallfile.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QTimer;

namespace orv {

inline constexpr int kInUseStaleMinutes = 10;
inline constexpr int kInUseRenewSeconds = 60;
// No mark is larger; a larger file in a mark's place is damaged.
inline constexpr qint64 kMaxMarkBytes = kMaxSmallFileBytes;

// What a mark says of the copy that made it.
struct MarkHolder {
    QByteArray token, host, machine, boot, account;
    qint64 pid = 0;
    qint64 started = 0; // the process's start in clock ticks since boot
    qint64 renewal = 0;
};
QByteArray markText(const MarkHolder& h);
struct MarkParse {
    std::optional<MarkHolder> holder;
    // No holder: empty for no mark of this version (one this version cannot
    // read, another copy's to wait for); else the field of a mark of this
    // version that no copy writes (such a mark is damaged).
    QString damage;
};
// The mark read back.
MarkParse parseMark(const QByteArray& bytes);

// The highest renewal count; the next renewal starts again at 0 (its new
// modification time still tells it from the first).
inline constexpr qint64 kMaxRenewal = 999'999'999'999;

// How a copy lost the file it had marked.
struct MarkLoss {
    enum Kind {
        None,       // still held (or nothing held)
        TakenOver,  // another copy's mark stands in its place
        Removed,    // the mark is gone, its folder still there
        Unreadable, // the mark can no longer be read or renewed (why)
        FolderGone, // the mark's folder is gone (a share unmounted, say)
    };
    Kind kind = None;
    QString mark; // the mark lost
    QString why;  // Unreadable: the reason; FolderGone: the folder
};

struct HoldOutcome {
    enum Result {
        Held,         // the file is marked as this copy's
        HeldUnmarked, // taken without a mark (see reason)
        InUse,        // another copy holds it, or may: see holder and minutesLeft
        Failed,       // no mark could be made (reason); the file must not be opened
    };
    Result result = Held;
    // InUse: "on this machine", "on machine NAME", "opening it at this
    // moment" (the marks kept changing), or empty for a mark this version
    // cannot read or this account may not read (see unreadable).
    QString holder;
    // InUse, a watched mark: the whole minutes until the mark may be taken
    // over on this machine if it stays unchanged; 0 for a copy on this machine.
    int minutesLeft = 0;
    QString mark; // the mark concerned (InUse, Failed, HeldUnmarked)
    // HeldUnmarked: empty when the folder cannot be written (this copy cannot
    // save there either), else why the marks could not be replaced. Failed:
    // why the mark could not be written. InUse: why the mark could not be
    // read, when this account may not read it.
    QString reason;
};

class FileInUse {
public:
    FileInUse();
    ~FileInUse();
    FileInUse(const FileInUse&) = delete;
    FileInUse& operator=(const FileInUse&) = delete;

    // Marks `path` (links resolved as the writer resolves them), letting go
    // of the file held before (a mark of it that cannot be removed is tried
    // again while the program runs, as after release()).
    [[nodiscard]] HoldOutcome hold(const QString& path);
    // False once this copy's mark has been replaced or removed by another
    // copy, or can no longer be read; true while it is intact, and when
    // nothing or no mark is held.
    bool stillHeld();
    // Once stillHeld() has said false, or a renewal found the mark lost: how.
    MarkLoss loss() const { return loss_; }
    // Lets go of the file: removes this copy's mark (never another's) and
    // clears what this copy holds. Empty when done or when nothing was held;
    // else the mark that stays and why ("MARK (reason)"). This copy takes such
    // a mark back at its next hold, and tries to remove it again while the
    // program runs (see lookAfterMarks).
    [[nodiscard]] QString release();
    // What a running program does every half kInUseRenewSeconds, here at
    // once: tries again to remove the marks this process could not remove,
    // and looks again at the watched marks that refused it (see above).
    static void lookAfterMarks();

    // The mark of `path`, and its second name for when that one is stuck.
    static QString markPath(const QString& path);
    static QString secondMarkPath(const QString& path);
    // The holder this copy writes into its marks (token empty).
    static MarkHolder thisCopy();

    struct Judgement; // what stands in a mark's place, judged for this copy

private:
    enum class State {
        None,     // no file held
        Marked,   // mark_ is this copy's mark, token_ its token
        Unmarked, // the file is held without a mark (none could be made)
        Lost,     // mark_ was this copy's; another copy took it over or removed it
    };
    enum class Step;
    struct Attempt;
    Step refuseLiveMarks(Attempt& a, HoldOutcome& out);
    Step clearDeadMarks(Attempt& a, HoldOutcome& out);
    Step makeMark(Attempt& a, HoldOutcome& out);
    Step confirmMark(Attempt& a, HoldOutcome& out);
    void renew();
    void lose(MarkLoss loss);
    void sightStuck(const QString& mark, const Judgement& j);

    State state_ = State::None;
    QString mark_; // Marked, Lost: the mark made
    QByteArray token_;
    MarkLoss loss_;
    QString stuck_;               // Marked: the other name, when a stuck mark stands there
    std::vector<qint64> counted_; // the accounts whose sightings count for the file
    MarkHolder self_;
    std::unique_ptr<QTimer> renewal_;
};

} // namespace orv
