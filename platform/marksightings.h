#pragma once
// The shared wait on a mark that this copy cannot judge by its process (see
// fileinuse.h): how long the mark has been seen unchanged, counted from the
// sightings that the observers keep beside it.
//
// A sighting is a small file, .MARK.UID-S.seen beside the mark MARK
// (readable by all, mode 644), written by the account UID from one of 16
// slots S chosen by its host name and machine id. It holds what the observer
// saw of the mark (its fingerprint), its boot, and two readings of that
// boot's clock (CLOCK_BOOTTIME, milliseconds): `last`, when it last saw the
// mark, and `start`, from when on the mark is known to have been unchanged.
// Observers of one account whose slots meet share a file: each stores the
// longest count it found, so a count carried over is never lost, only its
// own boot's head start may be (which only makes a copy wait longer).
//
// Whose sightings count: only files owned by the user file's owner or by
// root, with one name. Any account that may write the folder can leave a
// file there; one of another account is never counted, not even by a copy of
// that account, so no classmate can have a live copy taken over. A copy
// whose account does not count stores nothing and keeps what it saw in
// memory, where it counts for this process alone. Only the 32 names of the
// two counted accounts are read: the cost of a look does not grow with the
// folder.
//
// The rule (countUnchanged):
// - a sighting with the mark's present fingerprint counts for `last - start`;
//   one of this machine's running boot counts for `now - start`, now read on
//   the same clock (the mark is the same now as at `start`, and a
//   fingerprint never comes back once changed);
// - the mark has been unchanged for at least the longest count (never the
//   sum: two machines' watches may overlap); the count is capped at the
//   stale time, past which nothing more is known or needed;
// - a changed fingerprint counts nothing.
// Numbers out of range (a reading before -2^50 or from 2^50 on, `start`
// after `last`, a fingerprint that no look makes) make the sighting ignored;
// nothing is written that the reader would ignore.
#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <vector>

struct stat;

namespace orv {

// Who looks: the machine, its running boot, and the account.
struct Observer {
    QByteArray host, machine, boot;
    qint64 uid = 0;
};
// This process as an observer.
Observer thisObserver();

// One observer's watch of a mark.
struct Sighting {
    QByteArray fingerprint, host, machine, boot;
    qint64 start = 0, last = 0; // the observer's boot clock, milliseconds
};

// Its file's text, for the mark named `markName` (the mark's file name).
QByteArray sightingText(const QString& markName, const Sighting& s);
struct SightingParse {
    std::optional<Sighting> sighting;
    QString error; // why it is no sighting of this mark: names the field
};
SightingParse parseSighting(const QByteArray& bytes, const QString& markName);

// What tells one state of a mark from another on every machine that sees
// it: its text and modification time, or, where the text cannot be read, its
// size, times and inode. Every renewal changes it, and it never comes back.
QByteArray markFingerprint(const struct stat& st, const std::optional<QByteArray>& bytes);

// The rule above: how long the mark with `fingerprint` is known to have been
// unchanged, by `sightings`, seen by `self` at `now` (its boot clock); 0..`cap`.
qint64 countUnchanged(const std::vector<Sighting>& sightings, const QByteArray& fingerprint, const Observer& self,
                      qint64 now, qint64 cap);

// The accounts whose sightings of a mark count: the owner of the file the
// mark is for and root. `file` as the writer replaces it; when it is missing
// only root counts.
std::vector<qint64> countedAccounts(const QString& file);

// How long `mark`, now with `fingerprint`, is known to have been unchanged
// (at most `cap` ms), from the counted sightings beside it and what this
// process saw; stores this observer's own sighting of it (on disk where its
// account counts, else in memory).
qint64 watchUnchanged(const QString& mark, const QByteArray& fingerprint, const std::vector<qint64>& counted,
                      qint64 cap);
// Where a mark is known to be dead without waiting (its process on this
// machine has ended) but may not be removed: stores a sighting that counts
// the whole `cap`, so that other machines need not wait for it either.
void sightDead(const QString& mark, const QByteArray& fingerprint, const std::vector<qint64>& counted, qint64 cap);
// Removes the sightings of `mark` by `accounts` and by this account, where
// this account may, and what this process saw of it: the mark is gone, or
// this copy's. Others' files stay, and count nothing once the mark changed.
void forgetSightings(const QString& mark, std::vector<qint64> accounts);

// The file of the sighting of `mark` that `who` stores.
QString sightingPath(const QString& mark, const Observer& who);
// Stores `s` as `who`'s sighting of `mark`: replaced by a new file made
// whole under a fresh name, never written through whatever stands in its
// place. False when it could not be stored.
bool storeSighting(const QString& mark, const Observer& who, const Sighting& s);

// This boot's clock in milliseconds, suspended time included: one reading
// minus another is time that really passed, whatever the wall clock did.
qint64 bootClockMs();
// For tests: the boot clock (nullptr: the real one); and forgetting what this
// process saw, as a fresh start would.
void setBootClockForTests(std::function<qint64()> clock);
void forgetSeenForTests();

} // namespace orv
