#pragma once
// Fixtures of the help, assignments and instructor's selection tests: a
// program folder holding shipped unknowns, and a stand-in main window that
// carries the menu entries these windows hide and show.
#include "tests/common/testsupport.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <ostream>

class QAction;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace helpwintest {

// The main window as far as these windows touch it: its File and Identity
// entries, named as the real one names them.
class frmOVMain : public QMainWindow {
    Q_OBJECT
public:
    frmOVMain();
    QAction* entry(const QString& objectName) const;
};

// Makes this subsystem's windows known by name, with the stand-in as
// "frmOVMain"; the state's main-window hooks are cleared, so that status and
// caption writes stay in the state instead of bringing up a real main window.
void registerWindows();

// A program folder with the state initialised (ProgramPath set) and the
// given shipped unknowns copied from the source tree.
class Folder {
public:
    explicit Folder(std::initializer_list<int> unknowns = {});
    orvtest::ProgramFolder& folder() { return *folder_; }
    void addUnknown(int n);
    void addAssignmentsPicture(int n);
private:
    std::unique_ptr<orvtest::ProgramFolder> folder_;
};

// Every window loaded in the registry, unloaded (between tests).
void unloadEverything();

// The text of a PDF file (pdftotext); a missing tool fails the test.
std::optional<QString> pdfText(const QString& pdfPath);

} // namespace helpwintest
