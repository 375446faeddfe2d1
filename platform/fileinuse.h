#pragma once
// Marks a file as in use by this copy of the program, for every other copy
// that opens it: on this machine, under another account, or on another
// machine sharing the folder. The mark is a small text file beside the file
// (.NAME.lock, hidden), made whole in one step and never replaced while its
// copy lives. It names the copy (a token of its own, host name, machine id,
// boot id, process and its start, account) and a renewal counter that the
// copy raises every kInUseRenewSeconds.
//
// Whether the copy that made a mark still runs is decided without clocks:
// - a mark of this machine (host name and machine id both this machine's,
//   or host name and boot where the machine has no id): alive while its
//   process runs in this boot;
// - a mark of another machine, or one this version cannot read: alive until
//   this copy has itself seen it unchanged (counter included) for
//   kInUseStaleMinutes, timed by this machine's monotonic clock;
// - anything that is not a regular file of a sane size (a folder, a pipe, a
//   link, a device) or cannot be read is damaged: no copy's mark.
// A dead or damaged mark is removed and replaced. One that this account may
// not remove (another account's in a sticky folder) gives way to a second
// mark name, .NAME.lock.2, which every copy checks too; only when both are
// stuck is the file taken unmarked, and the caller is told so.
//
// A copy checks that its mark is still its own (its token) at each renewal
// and whenever stillHeld() is asked, so a copy whose mark was taken over
// (it slept, or its machine was cut off) learns it before it writes.
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QTimer;

namespace orv {

inline constexpr int kInUseStaleMinutes = 10;
inline constexpr int kInUseRenewSeconds = 60;
// No mark is larger; a larger file in a mark's place is damaged.
inline constexpr qint64 kMaxMarkBytes = 4096;

// What a mark says of the copy that made it.
struct MarkHolder {
    QByteArray token, host, machine, boot, account;
    qint64 pid = 0;
    qint64 started = 0; // the process's start in clock ticks since boot
    qint64 renewal = 0;
};
QByteArray markText(const MarkHolder& h);
std::optional<MarkHolder> parseMark(const QByteArray& bytes);

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
    // cannot read.
    QString holder;
    // InUse, from another machine: the whole minutes until this copy may
    // take the mark over if it stays unchanged; 0 for a copy on this machine.
    int minutesLeft = 0;
    QString mark; // the mark concerned (InUse, Failed, HeldUnmarked)
    // HeldUnmarked: empty when the folder cannot be written (this copy cannot
    // save there either), else why the marks could not be replaced. Failed:
    // why the mark could not be written.
    QString reason;
};

class FileInUse {
public:
    FileInUse();
    ~FileInUse();
    FileInUse(const FileInUse&) = delete;
    FileInUse& operator=(const FileInUse&) = delete;

    // Marks `path` (links resolved as the writer resolves them), letting go
    // of the file held before.
    HoldOutcome hold(const QString& path);
    // False once this copy's mark has been replaced or removed by another
    // copy; true while it is intact, and when nothing or no mark is held.
    bool stillHeld();
    // Removes this copy's mark (never another's); nothing when none is held.
    void release();

    // The mark of `path`, and its second name for when that one is stuck.
    static QString markPath(const QString& path);
    static QString secondMarkPath(const QString& path);
    // The holder this copy writes into its marks (token empty).
    static MarkHolder thisCopy();

    // For tests: the monotonic clock in milliseconds that times how long a
    // mark was seen unchanged (nullptr: the real one); and forgetting what
    // was seen.
    static void setClockForTests(std::function<qint64()> clock);
    static void forgetSightingsForTests();

private:
    void renew();

    QString mark_; // the mark made, empty when none
    bool held_ = false;
    bool lost_ = false;
    QByteArray token_;
    MarkHolder self_;
    std::unique_ptr<QTimer> renewal_;
};

} // namespace orv
