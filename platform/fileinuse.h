#pragma once
// Marks a file as in use by this copy of the program, for every other copy
// that opens it: on this machine, under another account, or on another
// machine sharing the folder. The mark is a lock file beside the file
// (.NAME.lock, hidden) that names the process and the machine holding it.
//
// A mark left by a copy that ended without removing it (a crash, a power
// cut) is taken over: at once when its process is gone from this machine,
// and after kInUseStaleMinutes when it comes from another machine, where it
// cannot be asked. A live copy renews its mark every minute, so it never
// looks that old.
#include <QString>
#include <memory>

class QLockFile;
class QTimer;

namespace orv {

inline constexpr int kInUseStaleMinutes = 10;

class FileInUse {
public:
    FileInUse();
    ~FileInUse();
    FileInUse(const FileInUse&) = delete;
    FileInUse& operator=(const FileInUse&) = delete;

    // Marks `path` as held by this copy, letting go of the file held before.
    // False when another live copy holds it; `holder` then says which
    // ("on this machine" or "on machine NAME") and `otherMachine` whether
    // it runs elsewhere (its mark then goes stale only with time). Where no mark can be made
    // at all (a folder this account may not write) the file is taken
    // unmarked: that copy cannot save there either.
    bool hold(const QString& path, QString* holder = nullptr, bool* otherMachine = nullptr);
    // Removes the mark (nothing when none is held).
    void release();
    // The file held now, or empty.
    QString heldPath() const { return path_; }

    // The lock file that marks `path`.
    static QString markPath(const QString& path);

private:
    void renew();

    QString path_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QTimer> renewal_;
};

} // namespace orv
