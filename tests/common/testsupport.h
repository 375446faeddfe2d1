#pragma once
// Shared test fixtures: a temporary program folder, recorded message boxes
// with scripted answers, a recorded program end, and a scripted random source.
#include "platform/msgbox.h"

#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>
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

// A fresh program folder (ORVANTO_HOME) with unks/, gifs/ and users/; the
// shared state is reset. Copies the shipped help file when there is one.
class ProgramFolder {
public:
    ProgramFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& rel) const { return dir_.path() + u'/' + rel; }
    // Copies a file from the source tree (relative to the repository) into the folder.
    void copyFromSource(const QString& sourceRel, const QString& targetRel) const;
private:
    QTemporaryDir dir_;
};

// Repository root, for fixtures.
QString sourceDir();
QString sourceFile(const QString& rel);

// Random source answering the given values in turn (then repeating the last).
void scriptRandom(std::vector<double> values);
void clearRandom();

// Runs fn once the event loop is entered (for answering modal windows).
void later(std::function<void()> fn, int ms = 0);

} // namespace orvtest
