#pragma once
// A program folder with the shipped unknowns, settings saved by the setup
// program's writer and read by the student program as it starts.
#include "core/configcodec.h"
#include "tests/common/testsupport.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace settingstest {

class SavedSettings : public ::testing::Test {
protected:
    orvtest::ProgramFolder folder;
    QTemporaryDir lockDir;

    void SetUp() override;
    void TearDown() override;

    // Saves `s` with the setup program's writer, then lets the student
    // program read the file as its start window does. No message is expected.
    void saveAndRead(const orv::ConfigSettings& s);
    // The number of a shipped unknown (the first simple one there is).
    int someUnknown() const;
};

// Settings with one change from the defaults.
orv::ConfigSettings withDefaults(const std::function<void(orv::ConfigSettings&)>& change);

// Watches for the named windows while the event loop runs, records each
// one that shows, and answers it with `act` (by default: closes it).
class WindowWatch {
public:
    WindowWatch();
    ~WindowWatch();
    void on(const QString& name, std::function<void(QWidget*)> act = {});
    // As on(), unless the window already has an answer.
    void byDefault(const QString& name, std::function<void(QWidget*)> act = {});
    QStringList seen;
private:
    struct Impl;
    Impl* d;
};

// Starts the student program on `commandLine` and presses Continue; the
// password windows are answered (the test window with `password`, a new
// password with "newpass1") and the welcome windows closed, unless the
// test has given them answers of its own.
void startAndContinue(const QString& commandLine, WindowWatch& watch, const QString& password);

} // namespace settingstest

#include <ostream>
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '{' << l.join(QStringLiteral(", ")).toStdString() << '}';
}
