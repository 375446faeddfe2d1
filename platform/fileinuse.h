#pragma once
// Marks a file as in use by this copy of the program, for every other copy
// that opens it: on this machine, under another account, or on another
// machine sharing the folder. The mark is a small text file beside the file
// (.NAME.ovg.lock beside NAME.ovg, hidden), made whole in one step, readable
// by every account whatever the umask (mode 644: its text is no secret), and
// never replaced while its copy lives. It names the copy (a token of its own,
// host name, machine id, boot id, process and its start, account) and a
// renewal counter that the copy raises every kInUseRenewSeconds, which also
// keeps the mark's modification time fresh.
//
// As an office suite's lock does, a mark tells who holds the file; only a
// copy on this very machine can be known to run:
// - a mark of this machine (host name and machine id both this machine's,
//   or host name and boot where the machine has no id) is live while its
//   process is a copy of this program, started when the mark says, run by
//   the account that owns the mark: the file is refused (InUse). Any other
//   such mark is dead and is replaced at once. A mark of this very process
//   that a failed release left behind is this copy's to take back. Where
//   the process runs under another account, whose program this account may
//   not see, the mark is told as below;
// - any other mark (another machine's, one this version cannot read, one
//   this account may not read) is told to the student (Claimed: who holds
//   the file, where, and when the mark was last renewed by the folder's own
//   clock), who decides: hold() again with the claim's key opens the file
//   anyway, replacing that mark;
// - whatever is not a regular file at a mark's name (a folder, a link, a
//   pipe, a device) is no copy's mark and is never removed, opened or
//   followed: it stays where it is, and the mark goes under the other name.
//
// A mark that may go (a dead one, or one the student chose to replace) is
// renamed aside in one step, checked to be the very mark judged (its owner
// and its text; where it cannot be read, its owner, size and modification
// time), and only then removed; one that changed meanwhile is put back. One
// this account may not remove (another account's in a sticky folder) gives
// way to a second mark name, .NAME.ovg.2.lock, which every copy checks too;
// only when both are stuck is the file taken unmarked, and the caller is told
// so. A copy that has made its mark gives way to a live or an untold mark
// that appeared under the other name meanwhile.
//
// A copy checks that its mark is still its own (its token), and that no
// other copy's mark has been made under the other name since (by the file's
// owner, this account or root), at each renewal and whenever stillHeld() is
// asked: a mark it cannot read is not taken for its own. So a copy whose mark was taken over (a student chose to open the
// file anyway elsewhere) learns it before it writes, loss() tells how it was
// lost, and the handler given to onLost() hears of it at the renewal.
//
// Nothing relies on inode or device numbers, which shares renumber at will,
// nor on file modes, which some file systems do not keep.
#include "platform/smallfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QTimer;

namespace orv {

inline constexpr int kInUseRenewSeconds = 60;
// No mark is larger; a larger file in a mark's place is no mark of this version.
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
    // No holder: empty for no mark of this version at all; else the field of
    // a mark of this version that no copy writes.
    QString damage;
};
// The mark read back.
MarkParse parseMark(const QByteArray& bytes);

// The highest renewal count; the next renewal starts again at 0 (its new
// modification time still tells it from the first).
inline constexpr qint64 kMaxRenewal = 999'999'999'999;

// Who holds a file by a mark that this copy cannot judge by its process.
struct MarkClaim {
    QString mark;    // the mark's path
    QString machine; // the host the mark names; empty where it cannot be read
    bool thisMachine = false;
    QString account; // the account that owns the mark (its name, or its number)
    // Seconds since the mark was last renewed, by the folder's own clock (a
    // file just made there); nothing where its times are unknown.
    std::optional<qint64> renewedSecondsAgo;
    // Empty for a mark of this version that could be read; else why it
    // cannot be read or understood.
    QString unreadable;
    // What the student was told of: given back to hold(), it lets the file
    // be opened over this mark, as long as the mark stays as it was.
    QByteArray key;
};

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
    // TakenOver: where the copy that took the file over runs and its
    // account ("on machine NAME, account NAME"), where its mark can tell.
    QString by;
};

struct HoldOutcome {
    enum Result {
        Held,         // the file is marked as this copy's
        HeldUnmarked, // taken without a mark (see reason)
        InUse,        // a copy of this program on this machine holds it (holder, mark)
        Claimed,      // another mark stands there, to be told to the student (claim)
        Failed,       // no mark could be made (reason); the file must not be opened
    };
    Result result = Held;
    // InUse: the account of the copy that holds the file; empty when the
    // marks kept changing while this copy looked (another copy is opening
    // the file at this moment).
    QString holder;
    MarkClaim claim;
    QString mark; // the mark concerned (InUse, Failed, HeldUnmarked)
    // HeldUnmarked: empty when the folder cannot be written (this copy cannot
    // save there either), else the marks that could not be replaced and why.
    // Failed: why the mark could not be written.
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
    // again while the program runs, as after release()). `openAnyway`: the
    // keys of claims the student chose to open the file over; such a mark is
    // replaced as long as it is still as it was told.
    [[nodiscard]] HoldOutcome hold(const QString& path, const std::vector<QByteArray>& openAnyway = {});
    // False once this copy's mark has been replaced or removed by another
    // copy, or can no longer be read; true while it is intact, and when
    // nothing or no mark is held.
    bool stillHeld();
    // Once stillHeld() has said false, or a renewal found the mark lost: how.
    MarkLoss loss() const { return loss_; }
    // Called once, from the renewal's timer, when it finds the mark lost.
    void onLost(std::function<void(const MarkLoss&)> handler) { onLost_ = std::move(handler); }
    // Lets go of the file: removes this copy's mark (never another's) and
    // clears what this copy holds. Empty when done or when nothing was held;
    // else the mark that stays and why ("MARK (reason)"). This copy takes such
    // a mark back at its next hold, and tries to remove it again while the
    // program runs (see lookAfterMarks).
    [[nodiscard]] QString release();
    // What a running program does every half kInUseRenewSeconds, here at
    // once: tries again to remove the marks this process could not remove.
    static void lookAfterMarks();

    // The mark of `path`, and its second name for when that one is stuck.
    static QString markPath(const QString& path);
    static QString secondMarkPath(const QString& path);
    // The holder this copy writes into its marks (token empty).
    static MarkHolder thisCopy();
    // For tests: the marks held from now on are renewed every `ms`
    // milliseconds (0: every kInUseRenewSeconds).
    static void setRenewalIntervalForTests(int ms);

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
    Step clearMarks(Attempt& a, HoldOutcome& out);
    Step makeMark(Attempt& a, HoldOutcome& out);
    Step confirmMark(Attempt& a, HoldOutcome& out);
    void renew();
    void lose(MarkLoss loss);
    MarkLoss takenBeside() const;

    State state_ = State::None;
    QString mark_; // Marked, Lost: the mark made
    QByteArray token_;
    MarkLoss loss_;
    MarkHolder self_;
    // Marked: the other mark name, and what stood there when this copy
    // marked the file (empty: nothing); the owner of the file marked.
    QString other_;
    QByteArray otherKey_;
    qint64 fileOwner_ = -1;
    std::unique_ptr<QTimer> renewal_;
    std::function<void(const MarkLoss&)> onLost_;
};

} // namespace orv
