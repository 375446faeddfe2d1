#pragma once
// Helpers of the walks through the real sign-in and main windows: a robot
// that answers modal windows as a student would, and the user file read back.
#include "core/userrecord.h"
#include "platform/fileinuse.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <map>
#include <ostream>

class QWidget;

namespace orvtest {

class ProgramFolder;

// Answers whichever of the scripted windows is showing. Actions run from the
// event loop (never inside the polling tick), so a window that opens another
// modal window keeps being answered in the nested loop.
class Robot : public QObject {
public:
    std::map<QString, std::function<void(QWidget*)>> on;
    QStringList seen;
    Robot();
private:
    void tick();
    QTimer timer_;
    QSet<QWidget*> busy_;
};

template <class T> T* as(QWidget* w) { return qobject_cast<T*>(w); }

// The file as the program would read it (an error when it cannot be read).
orv::UserFileContents readBack(const QString& path);

// The settings of the state written to orvanto.ini, then the user file at
// `path` saved on unknown 3 with `password` chosen, and let go of again: a
// student who saved once and left. A failure fails the calling test.
void saveStudentLeftOnUnknown3(const QString& path, const QString& password);

// The unknowns' data files of the source tree, into the program folder.
void copyShippedUnknowns(const ProgramFolder& folder);

// Makes `h` a mark of another machine, lab-pc-07: its host, and a machine
// id and a boot that are not this machine's either.
void elsewhere(orv::MarkHolder& h);
// The mark of a copy on lab-pc-07, of this account.
orv::MarkHolder markOfLabPc07();

// Runs the event loop until the condition holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int ms = 10000);

} // namespace orvtest

namespace orv {
// A record in failure messages: its fields, separated by "|".
void PrintTo(const UserRecord& r, std::ostream* os);
}
