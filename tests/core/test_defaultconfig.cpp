// The build's default-settings writer, run as the build and the README run
// it: it writes orvanto.ini where none is, leaves one that is there alone,
// and says which it did.
#include "core/configcodec.h"
#include "platform/textfile.h"
#include "tests/core/programrun.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;

namespace {

coretest::ProgramRun defaultConfig(const QStringList& args)
{
    return coretest::runProgram(QStringLiteral(ORV_DEFAULTCONFIG_PROGRAM), args);
}

} // namespace

TEST(DefaultConfig, WritesWhereNoneIsLeavesAFileAloneAndSaysWhich)
{
    const QByteArray instructors = QByteArrayLiteral("an instructor's settings\r\n");
    enum class Ini { None, File, Folder };
    // clang-format off
    struct Case { const char* what; Ini there; int status; QString out; QString err; };
    const Case cases[] = {
        {"a folder without the file", Ini::None, 0, "wrote the default settings into %1\n", ""},
        {"a folder with the file", Ini::File, 0, "%1 is there already; left as it is.\n", ""},
        {"a folder in the file's place", Ini::Folder, 1, "", "%1 is there but is not a file; nothing written.\n"},
    };
    // clang-format on
    for (const Case& c : cases) {
        QTemporaryDir folder;
        const QString ini = folder.filePath(QStringLiteral("orvanto.ini"));
        if (c.there == Ini::File) {
            ASSERT_TRUE(writeFileAtomic(ini, instructors).written()) << c.what;
        }
        if (c.there == Ini::Folder) {
            ASSERT_TRUE(QDir().mkdir(ini)) << c.what;
        }
        const coretest::ProgramRun r = defaultConfig({folder.path()});
        const auto said = [&ini](const QString& text) {
            return text.isEmpty() ? text
                                  : QStringLiteral("orv_defaultconfig: ") + text.arg(QDir::toNativeSeparators(ini));
        };
        EXPECT_EQ(r.status, c.status) << c.what;
        EXPECT_EQ(r.out, said(c.out)) << c.what;
        EXPECT_EQ(r.err, said(c.err)) << c.what;
        const QByteArray after = readFileBytes(ini).value_or(QByteArray());
        if (c.there == Ini::File) {
            EXPECT_EQ(after, instructors) << c.what;
        }
        if (c.there == Ini::None) {
            // The data line of the default settings, under the three header lines.
            const QList<QByteArray> lines = after.split('\n');
            ASSERT_GE(lines.size(), 4) << c.what;
            EXPECT_EQ(decodeConfigDataLine(lines[3].trimmed()).settings, defaultConfigSettings()) << c.what;
        }
    }
}

TEST(DefaultConfig, AFolderThatCannotBeWrittenOrNoFolderFails)
{
    QTemporaryDir root;
    const QString missing = root.filePath(QStringLiteral("no such folder"));
    const coretest::ProgramRun r = defaultConfig({missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("orv_defaultconfig: cannot write ")
                                 + QDir::toNativeSeparators(missing + QStringLiteral("/orvanto.ini")) + u':'))
        << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));

    for (const QStringList& args : {QStringList{}, QStringList{root.path(), root.path()}}) {
        const coretest::ProgramRun usage = defaultConfig(args);
        EXPECT_EQ(usage.status, 2) << args.size() << " arguments";
        EXPECT_EQ(usage.err, QStringLiteral("usage: orv_defaultconfig PROGRAM_FOLDER\n"));
    }
}
