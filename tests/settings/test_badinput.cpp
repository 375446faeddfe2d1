// Damaged and unsuitable files met on the student program's start: each is
// refused with a message that names it, is left as it was, and never lets
// the student into the main window on wrong data.
#include "core/coreservices.h"
#include "core/forms/frmInitial.h"
#include "core/forms/frmQuit.h"
#include "core/forms/frmTestPassword.h"
#include "core/forms/passwordbox.h"
#include "core/forms/startup.h"
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "core/userrecord.h"
#include "platform/fileinuse.h"
#include "platform/forms/formregistry.h"
#include "platform/textfile.h"
#include "tests/settings/settingsfixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <sys/stat.h>

using namespace orv;

namespace {

// Never waits on a pipe or takes a device's endless bytes.
QByteArray readAll(const QString& path) { return readFileBytes(path).value_or(QByteArray()); }

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class BadInput : public settingstest::SavedSettings {
protected:
    QString users() const { return folder.file(QStringLiteral("users")); }

    // A returning student's record on the given unknown, with a password.
    UserRecord record(int unknown)
    {
        auto& m = modOrvan;
        ResetProgress();
        m.CurrentUnknown = unknown;
        m.SessionNumber = 1;
        m.ItemsRevealed[2] = kTrue;
        return userRecordOf(m);
    }
    QByteArray line(const UserRecord& r) { return userFileLine(r, QStringLiteral("kordavia"), GetRandomNum) + "\r\n"; }

    // Starts the program on `path` as its command line and presses Continue.
    void startOn(const QString& path, settingstest::WindowWatch& watch)
    {
        orvtest::msgLog().shown.clear();
        settingstest::startAndContinue(path, watch, QStringLiteral("kordavia"));
    }
};

} // namespace

TEST_F(BadInput, AUserFileThatCannotBeUsedIsRefusedAndLeftAlone)
{
    saveAndRead(defaultConfigSettings());
    const int unknown = someUnknown();
    const QByteArray good = line(record(unknown));
    UserRecord farAway = record(unknown);
    farAway.progress.CurrentUnknown = 150;
    QByteArray badLength = good;
    badLength[badLength.size() - 2 - kPasswordCodeLength] = char(badLength[badLength.size() - 2 - kPasswordCodeLength]
                                                                 + 40);

    struct Case {
        const char* what;
        QString path;
        std::optional<QByteArray> contents;
        const char* message;
    };
    const Case cases[] = {
        {"missing", users() + "/nobody.ovg", std::nullopt, "it does not exist"},
        {"a folder", users(), std::nullopt, "it is not a regular file"},
        {"a pipe (nothing waits on it)", users() + "/pipe.ovg", std::nullopt, "it is not a regular file"},
        {"a link to an endless device", users() + "/zero.ovg", std::nullopt, "it is not a regular file"},
        {"larger than any user file", users() + "/huge.ovg", std::nullopt, "larger than any file of its kind"},
        {"the settings file", folder.file("orvanto.ini"), std::nullopt, "cannot be used"},
        {"empty", users() + "/empty.ovg", QByteArray(), "cannot be used"},
        {"truncated", users() + "/short.ovg", good.left(30), "cannot be used"},
        {"garbage", users() + "/garbage.ovg", QByteArray(200, '\xe9') + "\r\n", "cannot be used"},
        {"password of a wrong length", users() + "/length.ovg", badLength, "its password code is damaged"},
        {"unknown out of range", users() + "/far.ovg", line(farAway), "not between 0 and 99"},
    };
    ASSERT_EQ(::mkfifo(QFile::encodeName(users() + "/pipe.ovg").constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), users() + "/zero.ovg"));
    {
        QFile huge(users() + "/huge.ovg");
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(kMaxReadBytes + 1)); // sparse: no disk is filled
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        forms::unloadAll();
        releaseSingleCopy();
        resetModOrvan();
        if (c.contents)
            writeAll(c.path, *c.contents);
        const QByteArray before = readAll(c.path);
        const QStringList filesBefore = QDir(users()).entryList(QDir::Files | QDir::Hidden);
        settingstest::WindowWatch watch;
        startOn(c.path, watch);
        ASSERT_FALSE(orvtest::msgLog().shown.empty());
        const QString prompt = orvtest::msgLog().shown.front().prompt;
        EXPECT_TRUE(prompt.contains(c.path)) << prompt.toStdString();
        EXPECT_TRUE(prompt.contains(QString::fromLatin1(c.message))) << prompt.toStdString();
        EXPECT_EQ(forms::find(forms::names::frmOVMain), nullptr) << "no main window on a refused file";
        auto* quit = forms::loaded<frmQuit>();
        ASSERT_NE(quit, nullptr) << "the student leaves through the quit window";
        EXPECT_TRUE(quit->lblQuit->text().contains(QStringLiteral(" could not be read.")))
            << quit->lblQuit->text().toStdString();
        EXPECT_EQ(readAll(c.path), before) << "the file is left as it was";
        EXPECT_EQ(QDir(users()).entryList(QDir::Files | QDir::Hidden), filesBefore) << "nothing written beside it";
    }
}

TEST_F(BadInput, AWrongPasswordOnTheCommandLineIsNamedInTheQuitWindow)
{
    saveAndRead(defaultConfigSettings());
    const QString path = users() + QStringLiteral("/student.ovg");
    writeAll(path, line(record(someUnknown())));
    const QByteArray before = readAll(path);
    resetModOrvan();
    settingstest::WindowWatch watch;
    orvtest::msgLog().shown.clear();
    settingstest::startAndContinue(path, watch, QStringLiteral("wrong password"));
    EXPECT_EQ(modOrvan.PasswordVerified, kFalse);
    EXPECT_EQ(forms::find(forms::names::frmOVMain), nullptr);
    auto* quit = forms::loaded<frmQuit>();
    ASSERT_NE(quit, nullptr);
    EXPECT_TRUE(quit->lblQuit->text().contains(QStringLiteral("Invalid password.")))
        << quit->lblQuit->text().toStdString();
    EXPECT_EQ(readAll(path), before);
}

// A user file another copy of the program holds: the start is refused
// before the password is asked for, the quit window names the file, and the
// file is left to the copy that has it.
TEST_F(BadInput, AUserFileInUseByAnotherCopyIsNamedInTheQuitWindow)
{
    saveAndRead(defaultConfigSettings());
    const QString path = users() + QStringLiteral("/student.ovg");
    writeAll(path, line(record(someUnknown())));
    const QByteArray before = readAll(path);
    // The other copy's mark, as a copy running on this machine leaves it.
    MarkHolder other = FileInUse::thisCopy();
    other.token = "the other copy";
    ASSERT_TRUE(createFileExclusive(FileInUse::markPath(path), markText(other)).written());
    resetModOrvan();
    settingstest::WindowWatch watch;
    orvtest::msgLog().shown.clear();
    settingstest::startAndContinue(path, watch, QStringLiteral("kordavia"));
    EXPECT_EQ(forms::find(forms::names::frmOVMain), nullptr);
    EXPECT_EQ(forms::find(forms::names::frmTestPassword), nullptr) << "no password is asked for";
    auto* quit = forms::loaded<frmQuit>();
    ASSERT_NE(quit, nullptr);
    EXPECT_TRUE(quit->lblQuit->text().contains(QStringLiteral("The file ") + path
                                               + QStringLiteral(" is in use by another copy of Orvanto")))
        << quit->lblQuit->text().toStdString();
    EXPECT_TRUE(modOrvan.UserFilePath.isEmpty());
    EXPECT_EQ(readAll(path), before);
    EXPECT_TRUE(QFile::exists(FileInUse::markPath(path))) << "the other copy's mark stays";
}

// An unknown that cannot be read never ends the program: the student, who
// has work on it, leaves through the quit window, which names the file, and
// the record is kept (saved as it stands).
TEST_F(BadInput, AMissingOrDamagedUnknownIsNamedAndTheWorkKept)
{
    saveAndRead(defaultConfigSettings());
    const int unknown = someUnknown();
    // Every unknown ships, so this folder's copy of another one is taken away.
    const int missing = unknown == 99 ? 98 : 99;
    ASSERT_TRUE(!QFile::exists(unknownFilePath(missing)) || QFile::remove(unknownFilePath(missing)));
    const QString data = unknownFilePath(unknown);
    const QByteArray full = readAll(data);
    const QList<QByteArray> lines = full.split('\n');
    QByteArray badCount = full;
    badCount.replace("\n" + lines.value(201) + "\n", "\n13\r\n"); // more accepted names than a file may hold

    struct Case {
        const char* what;
        int unknown;
        std::optional<QByteArray> data;
    };
    const Case cases[] = {
        {"no data file", missing, std::nullopt},
        {"short", unknown, full.left(full.size() / 3)},
        {"bad name count", unknown, badCount},
        {"empty", unknown, QByteArray()},
    };
    ASSERT_EQ(::mkfifo(QFile::encodeName(users() + "/pipe.ovg").constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), users() + "/zero.ovg"));
    {
        QFile huge(users() + "/huge.ovg");
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(kMaxReadBytes + 1)); // sparse: no disk is filled
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        forms::unloadAll();
        releaseSingleCopy();
        resetModOrvan();
        InitProgram();
        orvtest::programEnds() = 0;
        if (c.data)
            writeAll(unknownFilePath(c.unknown), *c.data);
        const QString path = users() + QStringLiteral("/student.ovg");
        writeAll(path, line(record(c.unknown)));
        const QString expected = QStringLiteral("Error reading file ") + unknownFilePath(c.unknown)
                               + QStringLiteral(" . ");
        resetModOrvan();
        settingstest::WindowWatch watch;
        startOn(path, watch);
        EXPECT_EQ(orvtest::programEnds(), 0);
        EXPECT_EQ(forms::find(forms::names::frmOVMain), nullptr);
        auto* quit = forms::loaded<frmQuit>();
        ASSERT_NE(quit, nullptr) << "the student leaves through the quit window";
        EXPECT_TRUE(quit->lblQuit->text().startsWith(expected)) << quit->lblQuit->text().toStdString();
        const UserRecord kept = orvtest::userFileRecord(path);
        EXPECT_EQ(kept.progress.CurrentUnknown, c.unknown);
        EXPECT_EQ(kept.progress.ItemsRevealed[2], kTrue) << "the work on it is kept";
        writeAll(data, full);
    }
}

TEST_F(BadInput, ARelativePathOnTheCommandLineIsTakenFromWhereTheProgramWasStarted)
{
    saveAndRead(defaultConfigSettings());
    const QString path = users() + QStringLiteral("/two words.ovg");
    writeAll(path, line(record(someUnknown())));
    resetModOrvan();
    const QString before = QDir::currentPath();
    QDir::setCurrent(users());
    const QString commandLine = commandLineOf({QStringLiteral("two"), QStringLiteral("words.ovg")});
    EXPECT_EQ(commandLine, path);
    settingstest::WindowWatch watch;
    startOn(commandLine, watch);
    QDir::setCurrent(before);
    EXPECT_TRUE(orvtest::msgLog().shown.empty()) << orvtest::msgLog().lastPrompt().toStdString();
    EXPECT_NE(forms::find(forms::names::frmOVMain), nullptr) << "the student reaches the main window";
    EXPECT_EQ(commandLineOf({}), QString());
}
