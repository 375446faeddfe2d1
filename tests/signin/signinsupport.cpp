#include "tests/signin/signinsupport.h"

#include "core/configfile.h"
#include "core/modorvan.h"
#include "core/userfile.h"
#include "platform/forms/formregistry.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <QWidget>

namespace orvtest {

Robot::Robot()
{
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    timer_.start();
}

void Robot::tick()
{
    for (auto& [name, act] : on) {
        QWidget* w = orv::forms::find(orvtest::form(name));
        if (!w || !w->isVisible() || busy_.contains(w))
            continue;
        busy_.insert(w);
        QPointer<QWidget> guard(w);
        seen << name;
        QTimer::singleShot(0, this, [this, guard, w, act = act] {
            if (guard)
                act(guard);
            busy_.remove(w);
        });
    }
}

void saveStudentLeftOnUnknown3(const QString& path, const QString& password)
{
    auto& m = orv::modOrvan;
    ASSERT_TRUE(orv::WriteConfigFile());
    m.UserFilePath = path;
    m.CurrentUnknown = 3;
    m.Password = password;
    m.PasswordVerified = orv::kTrue;
    ASSERT_TRUE(orv::WriteUserFile());
    ASSERT_EQ(orv::releaseUserFile(), QString());
}

orv::UserFileContents readBack(const QString& path)
{
    auto lines = orv::readFileLines(path);
    orv::UserFileContents c;
    if (lines)
        c = orv::parseUserFile(*lines);
    else
        c.error = QStringLiteral("cannot be read");
    return c;
}

void copyShippedUnknowns(const ProgramFolder& folder)
{
    const QDir unks(sourceFile(QStringLiteral("data/unks")));
    for (const QString& f : unks.entryList({QStringLiteral("ovunk*.txt")}, QDir::Files))
        QFile::copy(unks.filePath(f), folder.file(QStringLiteral("unks/") + f));
}

void elsewhere(orv::MarkHolder& h)
{
    h.host = "lab-pc-07";
    h.machine = QByteArray(h.machine.size(), 'e');
    h.boot = QByteArray(h.boot.size(), 'b');
}

orv::MarkHolder markOfLabPc07()
{
    orv::MarkHolder other = orv::FileInUse::thisCopy();
    other.token = "lab-pc-07's copy";
    elsewhere(other);
    return other;
}

bool waitFor(const std::function<bool()>& condition, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < ms)
        QTest::qWait(5);
    return condition();
}

} // namespace orvtest

namespace orv {
void PrintTo(const UserRecord& r, std::ostream* os)
{
    *os << buildUserRecord(r).replace(QChar(kFieldSeparator), u'|').toStdString();
}
} // namespace orv
