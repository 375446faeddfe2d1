#pragma once
#include "platform/formnames.h"
// Shared test fixtures: a temporary program folder, recorded message boxes
// with scripted answers, a recorded program end, and a scripted random source.
#include "core/modorvan.h"
#include "core/userrecord.h"
#include "platform/msgbox.h"

#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace orvtest {

// Records every message box; answers from a queue (then the default answer).
struct MsgBoxLog {
    std::vector<orv::MsgRecord> shown;
    std::deque<orv::MsgResult> answers;
    orv::MsgResult defaultAnswer = orv::MsgResult::Ok;
    void install();
    QString lastPrompt() const { return shown.empty() ? QString() : shown.back().prompt; }
};
MsgBoxLog& msgLog();

// Number of EndProgram calls since the last reset.
int& programEnds();

// Lets go of the user file held, whatever becomes of its mark: for tests
// that do not look at the mark.
void letGoOfUserFile();

// A fresh program folder (ORVANTO_HOME) with unks/, gifs/ and users/; the
// shared state is reset. Copies the shipped help file when there is one.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder(); // lets go of a user file held in it
    QString path() const { return dir_.path(); }
    QString file(const QString& rel) const { return dir_.path() + u'/' + rel; }
    // Copies a file from the source tree (relative to the repository) into the folder.
    void copyFromSource(const QString& sourceRel, const QString& targetRel) const;
    // Copies unknown n's data file from the built program folder (ctest
    // names it) into unks/, replacing one there; false when it cannot.
    bool shipUnknown(int n) const;
    // unks/ovunk<code>.txt of unknown n in this folder.
    QString unknownFile(int n) const;
private:
    QTemporaryDir dir_;
};

// Fixture base for a student with a user file users/<name>.ovg in a fresh
// program folder, working on unknowns shipped from the built program folder
// (ctest names it; SetUp checks that it did and ships the given unknowns).
class StudentFileTest : public ::testing::Test {
protected:
    StudentFileTest(const QString& name, std::vector<int> unknowns);
    void SetUp() override;
    ProgramFolder folder;
    orv::ModOrvan& m;
    QString path;
private:
    std::vector<int> unknowns_;
};

// The record of a user file as the student program reads it; an empty
// record (with a test failure) when the file cannot be read.
orv::UserRecord userFileRecord(const QString& path);

// A small RAM disk mounted over an existing folder for the life of the
// object, to fill up: writes there then meet a full disk. Mounting needs root
// outside a restricted chroot; where it fails, mounted() is false and the test
// takes its other variant (or skips).
class FullDisk {
public:
    explicit FullDisk(const QString& folder);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    bool mounted() const { return mounted_; }
    // Fills the free space with a filler file, so that the next write fails.
    void fill() const;
private:
    QString folder_;
    bool mounted_ = false;
};

// For its life the process's file access is that of an ordinary account:
// where the tests run as root (who may read anything), the effective user
// and group become nobody's; otherwise nothing changes. Files a test makes
// unreadable (mode 600, owned by root) are then really unreadable.
class AsOrdinaryUser {
public:
    AsOrdinaryUser();
    ~AsOrdinaryUser();
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;
    // False when root could not become nobody: the test cannot go on.
    bool ok() const { return ok_; }
    // The mode that makes a file of the test's own unreadable to that
    // account: 600 once root has become nobody, no permissions at all for an
    // ordinary account (whose own file it is).
    static unsigned unreadableMode();
private:
    bool dropped_ = false;
    bool ok_ = true;
};

// For its life, every file write fails after `bytes` bytes, as on a full disk.
struct WriteLimit {
    explicit WriteLimit(qint64 bytes);
    ~WriteLimit();
};

// Repository root, for fixtures.
QString sourceDir();
QString sourceFile(const QString& rel);

// Random source answering the given values in turn (then repeating the last).
void scriptRandom(std::vector<double> values);
void clearRandom();

// The registry's name for a window named as text (tables of test cases).
orv::forms::FormName form(const QString& name);

// Runs fn once the event loop is entered (for answering modal windows).
void later(std::function<void()> fn, int ms = 0);

// A PCM WAV image of `samples` 16-bit mono samples of silence at `rate` Hz.
QByteArray wavImage(int rate, int samples);

// The environment a test program runs in, whoever starts it (ctest passes
// the same): offscreen, the sources and the program folder the build names
// (where the environment names none), and no printout into a PDF file but
// where a test names one. Set before the QApplication is made.
void setTestEnvironment(const char* builtSourceDir, const char* builtProgramDir);
// Once the QApplication is made: message boxes recorded (see msgLog), the
// program's end counted (see programEnds), all windows unloaded through the
// window registry. So nothing waits for a click or ends the process.
void recordDialogsAndEnd();

} // namespace orvtest
