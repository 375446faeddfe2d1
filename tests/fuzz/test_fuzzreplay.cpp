// The fuzz targets in the ordinary build: every committed input (the seeds and
// each input a fuzzing run found) goes through its target again, so a reader
// that breaks one of the targets' rules fails here on every change.
#include "tests/common/testsupport.h"
#include "tests/fuzz/fuzztargets.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Target = int (*)(const std::uint8_t*, std::size_t);

// Runs every file of tests/fuzz/<folder>/<target>; returns how many there were.
int replay(const QString& folder, const QString& target, Target run)
{
    const QDir dir(orvtest::sourceFile(QStringLiteral("tests/fuzz/%1/%2").arg(folder, target)));
    int count = 0;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = f.readAll();
        QStringList broken;
        orvfuzz::setRuleBrokenHandler([&](const char* what) { broken << QString::fromUtf8(what); });
        run(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
        orvfuzz::setRuleBrokenHandler({});
        EXPECT_TRUE(broken.isEmpty()) << target.toStdString() << " input " << dir.filePath(name).toStdString()
                                      << " breaks: " << broken.join(QStringLiteral("; ")).toStdString();
        ++count;
    }
    return count;
}

struct Case {
    const char* target;
    Target run;
};
const Case kTargets[] = {
    {"settings", orvfuzz::settingsFile},
    {"unknownfile", orvfuzz::unknownFile},
    {"userfile", orvfuzz::userFile},
    {"marks", orvfuzz::markFiles},
};

} // namespace

TEST(FuzzReplay, SeedsAndFoundInputsPassTheirTargets)
{
    for (const Case& c : kTargets) {
        EXPECT_GT(replay(QStringLiteral("corpus"), QString::fromLatin1(c.target), c.run), 0)
            << c.target << ": seeds are committed";
        replay(QStringLiteral("regressions"), QString::fromLatin1(c.target), c.run);
    }
}
