#include "tests/common/testsupport.h"

#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "platform/basic.h"
#include "platform/forms/formregistry.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace orvtest {

MsgBoxLog& msgLog()
{
    static MsgBoxLog log;
    return log;
}

void MsgBoxLog::install()
{
    orv::setMsgPresenter([this](const orv::MsgRecord& r) {
        shown.push_back(r);
        if (!answers.empty()) {
            auto a = answers.front();
            answers.pop_front();
            return a;
        }
        return defaultAnswer;
    });
}

int& programEnds()
{
    static int n = 0;
    return n;
}

QString sourceDir()
{
    const QByteArray d = qgetenv("ORV_SOURCE_DIR");
    return d.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(d);
}

FullDisk::FullDisk(const QString& folder) : folder_(folder)
{
#ifdef Q_OS_LINUX
    mounted_ = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k,mode=0777") == 0;
#endif
}

FullDisk::~FullDisk()
{
#ifdef Q_OS_LINUX
    if (mounted_)
        ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
#endif
}

void FullDisk::fill() const
{
    QFile f(folder_ + QStringLiteral("/filler"));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray block(512, 'f');
    while (f.write(block) == block.size()) {}
    // The last partial block may have taken all but a few bytes.
    while (f.write("f", 1) == 1) {}
}

AsOrdinaryUser::AsOrdinaryUser()
{
    if (::geteuid() != 0)
        return;
    const uid_t nobody = 65534;
    dropped_ = ::setegid(nobody) == 0 && ::seteuid(nobody) == 0;
    ok_ = dropped_;
    if (!dropped_)
        ::setegid(0);
}

unsigned AsOrdinaryUser::unreadableMode() { return ::geteuid() == 0 ? 0600 : 0000; }

AsOrdinaryUser::~AsOrdinaryUser()
{
    if (dropped_) {
        [[maybe_unused]] const int u = ::seteuid(0);
        [[maybe_unused]] const int g = ::setegid(0);
    }
}

WriteLimit::WriteLimit(qint64 bytes) { orv::setWriteLimitForTests(bytes); }
WriteLimit::~WriteLimit() { orv::setWriteLimitForTests(-1); }

QString sourceFile(const QString& rel) { return sourceDir() + u'/' + rel; }

ProgramFolder::ProgramFolder()
{
    QDir d(dir_.path());
    d.mkpath(QStringLiteral("unks"));
    d.mkpath(QStringLiteral("gifs"));
    d.mkpath(QStringLiteral("users"));
    qputenv("ORVANTO_HOME", dir_.path().toLocal8Bit());
    const QString help = qEnvironmentVariable("ORV_PROGRAM_DIR") + QStringLiteral("/orvantor.hlp");
    if (QFile::exists(help))
        QFile::copy(help, file(QStringLiteral("orvantor.hlp")));
    letGoOfUserFile(); // the state module leaves the user file's mark to its callers
    orv::resetModOrvan();
    msgLog().shown.clear();
    msgLog().answers.clear();
    msgLog().defaultAnswer = orv::MsgResult::Ok;
    programEnds() = 0;
}

ProgramFolder::~ProgramFolder() { letGoOfUserFile(); }

void letGoOfUserFile()
{
    // A mark that stays is in an earlier test's folder, which goes with it;
    // the tests that make one stay check the text themselves.
    [[maybe_unused]] const QString stuck = orv::releaseUserFile();
}

void ProgramFolder::copyFromSource(const QString& sourceRel, const QString& targetRel) const
{
    QFile::remove(file(targetRel));
    QFile::copy(sourceFile(sourceRel), file(targetRel));
}

StudentFileTest::StudentFileTest(const QString& name, std::vector<int> unknowns)
    : m(orv::modOrvan), path(folder.file(QStringLiteral("users/") + name + QStringLiteral(".ovg"))),
      unknowns_(std::move(unknowns))
{
}

void StudentFileTest::SetUp()
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("ORV_PROGRAM_DIR")) << "run through ctest, which names the program folder";
    for (int n : unknowns_)
        ASSERT_TRUE(folder.shipUnknown(n)) << n;
}

orv::UserRecord userFileRecord(const QString& path)
{
    const auto lines = orv::readFileLines(path);
    EXPECT_TRUE(lines && !lines->isEmpty()) << path.toStdString() << " cannot be read";
    const orv::UserFileContents c = orv::parseUserFileLine(lines ? lines->value(0) : QByteArray());
    EXPECT_TRUE(c.ok()) << c.error.toStdString();
    return c.record;
}

QString ProgramFolder::unknownFile(int n) const
{
    return file(QStringLiteral("unks/ovunk") + orv::UnknownFileCode(n) + QStringLiteral(".txt"));
}

bool ProgramFolder::shipUnknown(int n) const
{
    const QString target = unknownFile(n);
    QFile::remove(target);
    return QFile::copy(
        qEnvironmentVariable("ORV_PROGRAM_DIR") + QStringLiteral("/unks/") + QFileInfo(target).fileName(), target);
}

void scriptRandom(std::vector<double> values)
{
    auto v = std::make_shared<std::vector<double>>(std::move(values));
    auto i = std::make_shared<size_t>(0);
    orv::setRandomSource([v, i] {
        if (v->empty())
            return 0.0;
        const double r = (*v)[std::min(*i, v->size() - 1)];
        ++*i;
        return r;
    });
}

void clearRandom() { orv::setRandomSource({}); }

orv::forms::FormName form(const QString& name)
{
    // Kept for the program's life: a FormName holds its text's address.
    static std::deque<QByteArray> texts;
    for (const QByteArray& t : texts)
        if (t == name.toLatin1())
            return orv::forms::FormName(t.constData());
    texts.push_back(name.toLatin1());
    return orv::forms::FormName(texts.back().constData());
}

void later(std::function<void()> fn, int ms) { QTimer::singleShot(ms, std::move(fn)); }

QByteArray wavImage(int rate, int samples)
{
    QByteArray data(samples * 2, '\0');
    auto le32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    auto le16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    QByteArray w = "RIFF" + le32(36 + data.size()) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(rate)
                 + le32(rate * 2) + le16(2) + le16(16) + "data" + le32(data.size());
    return w + data;
}

void setTestEnvironment(const char* builtSourceDir, const char* builtProgramDir)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ORV_SOURCE_DIR"))
        qputenv("ORV_SOURCE_DIR", builtSourceDir);
    if (qEnvironmentVariableIsEmpty("ORV_PROGRAM_DIR"))
        qputenv("ORV_PROGRAM_DIR", builtProgramDir);
    qputenv("ORVANTO_PRINT_PDF", QByteArray()); // tests name their own PDF files
}

void recordDialogsAndEnd()
{
    msgLog().install();
    orv::setEndProgramHandler([] { ++programEnds(); });
    orv::setUnloadAllWindowsHook([] { orv::forms::unloadAll(); });
}

} // namespace orvtest
