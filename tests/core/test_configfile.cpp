#include "core/configcodec.h"
#include "core/configfile.h"
#include "core/modorvan.h"
#include "platform/textfile.h"
#include "tests/common/testsupport.h"
#include "tests/core/qtprinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include <sys/stat.h>

using namespace orv;

namespace {

// Where each setting stands in the data line, written out independently of
// the codec's own table.
struct FlagAt {
    int position;
    const char* name;
    Boolean ModOrvan::*member;
    Boolean defaultValue;
};
const FlagAt kFlags[] = {
    {5, "MultipleSessionsAllowed", &ModOrvan::MultipleSessionsAllowed, kTrue},
    {8, "PasswordRequired", &ModOrvan::PasswordRequired, kTrue},
    {11, "ShowTipsAtStart", &ModOrvan::ShowTipsAtStart, kTrue},
    {14, "ShowRewardPicture", &ModOrvan::ShowRewardPicture, kTrue},
    {17, "SoundAllowed", &ModOrvan::SoundAllowed, kTrue},
    {20, "ProgramChoosesUnknowns", &ModOrvan::ProgramChoosesUnknowns, kTrue},
    {26, "BpMpAllowed", &ModOrvan::BpMpAllowed, kTrue},
    {29, "TestsAllowed", &ModOrvan::TestsAllowed, kFalse},
    {32, "DerivsAllowed", &ModOrvan::DerivsAllowed, kFalse},
    {35, "CmrAllowed", &ModOrvan::CmrAllowed, kTrue},
    {38, "IrAllowed", &ModOrvan::IrAllowed, kTrue},
    {41, "MsAllowed", &ModOrvan::MsAllowed, kTrue},
    {44, "PmrAllowed", &ModOrvan::PmrAllowed, kTrue},
    {47, "UvAllowed", &ModOrvan::UvAllowed, kTrue},
    {50, "ItemHelpAllowed", &ModOrvan::ItemHelpAllowed, kTrue},
    {53, "UnknownHelpAllowed", &ModOrvan::UnknownHelpAllowed, kTrue},
    {56, "ShowUnknownNumber", &ModOrvan::ShowUnknownNumber, kTrue},
    {59, "AssignmentsAllowed", &ModOrvan::AssignmentsAllowed, kTrue},
    {62, "CorrelationsAllowed", &ModOrvan::CorrelationsAllowed, kTrue},
    {65, "HShiftCalcAllowed", &ModOrvan::HShiftCalcAllowed, kTrue},
    {68, "CouplingCalcAllowed", &ModOrvan::CouplingCalcAllowed, kTrue},
    {71, "CShiftCalcAllowed", &ModOrvan::CShiftCalcAllowed, kTrue},
    {74, "FormulaCalcAllowed", &ModOrvan::FormulaCalcAllowed, kTrue},
    {77, "MassCalcAllowed", &ModOrvan::MassCalcAllowed, kTrue},
    {80, "IsotopeCalcAllowed", &ModOrvan::IsotopeCalcAllowed, kTrue},
    {83, "TypeNameOnly", &ModOrvan::TypeNameOnly, kFalse},
    {86, "OfferNameList", &ModOrvan::OfferNameList, kTrue},
    {89, "ChooseStructureAllowed", &ModOrvan::ChooseStructureAllowed, kTrue},
    {92, "GiveStructureAllowed", &ModOrvan::GiveStructureAllowed, kTrue},
    {95, "ResignAllowed", &ModOrvan::ResignAllowed, kTrue},
};

const QString kCreated = QStringLiteral("Orvanto.ini needed to be created.\r\nUse ovsetup to inspect/change.");
const QString kChanged = QStringLiteral("Orvanto.ini needed to be changed.\r\nUse ovsetup to inspect/change.");

// A data line of one digit everywhere, with the number field k, v1, v2 at 22-24.
QByteArray dataLine(char fill, const QByteArray& number = "123")
{
    QByteArray line(101, fill);
    line.replace(21, 3, number);
    return line;
}

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override { InitProgram(); }

    QString iniPath() const { return folder.file(QStringLiteral("orvanto.ini")); }
    void writeIni(const QList<QByteArray>& lines)
    {
        ASSERT_TRUE(writeFileAtomic(iniPath(), joinLinesCrLf(lines)).written());
    }
    void writeData(const QByteArray& line) { writeIni({"one", "two", "three", line}); }
    QList<QByteArray> iniLines() const { return readFileLines(iniPath()).value_or(QList<QByteArray>{}); }
    QByteArray iniBytes() const { return readFileBytes(iniPath()).value_or(QByteArray{}); }
    std::vector<QString> prompts() const
    {
        std::vector<QString> p;
        for (const auto& r : orvtest::msgLog().shown)
            p.push_back(r.prompt);
        return p;
    }

    orvtest::ProgramFolder folder;
    ModOrvan& m = modOrvan;
};

} // namespace

TEST_F(ConfigFileTest, EachFlagIsReadFromItsOwnPosition)
{
    // Digits 5 everywhere (False) with one flag at 4 (True), and the reverse.
    for (const FlagAt& target : kFlags) {
        for (const bool on : {true, false}) {
            QByteArray line = dataLine(on ? '5' : '4');
            line[target.position - 1] = on ? '4' : '5';
            writeData(line);
            resetModOrvan();
            InitProgram();
            ReadConfigFile();
            for (const FlagAt& f : kFlags) {
                const bool expected = (f.position == target.position) == on;
                EXPECT_EQ(m.*(f.member), vb(expected))
                    << f.name << " with " << target.name << " at " << line[target.position - 1];
            }
            EXPECT_EQ(m.BasicUnknownsBeforeAdvanced, 2);
            EXPECT_TRUE(orvtest::msgLog().shown.empty()) << target.name;
        }
    }
}

TEST_F(ConfigFileTest, SoundAndTheDerivedSwitchesFollowTheFlags)
{
    struct Case {
        const char* name;
        std::vector<int> falsePositions;
        Boolean sound, anySpectrum, anyCalc;
    };
    const Case cases[] = {
        {"all True", {}, kTrue, kTrue, kTrue},
        {"sound off", {17}, kFalse, kTrue, kTrue},
        {"only UV left", {35, 38, 41, 44}, kTrue, kTrue, kTrue},
        {"no spectrum", {35, 38, 41, 44, 47}, kTrue, kFalse, kTrue},
        {"only the isotope calculator", {65, 68, 71, 74, 77}, kTrue, kTrue, kTrue},
        {"no calculator", {65, 68, 71, 74, 77, 80}, kTrue, kTrue, kFalse},
    };
    for (const Case& c : cases) {
        QByteArray line = dataLine('0');
        for (int p : c.falsePositions)
            line[p - 1] = '9';
        writeData(line);
        m.SoundOn = vb(!isTrue(c.sound));
        ReadConfigFile();
        EXPECT_EQ(m.SoundOn, c.sound) << c.name;
        EXPECT_EQ(m.AnySpectrumAllowed, c.anySpectrum) << c.name;
        EXPECT_EQ(m.AnyCalcAllowed, c.anyCalc) << c.name;
    }
}

TEST_F(ConfigFileTest, NumberFieldAndItsRepair)
{
    struct Case {
        const char* name;
        QByteArray line;
        int expected;
        bool repaired;
    };
    const Case cases[] = {
        {"key 1, N 0", dataLine('0', "121"), 0, false},
        {"key 9, N 20", dataLine('0', "949"), 20, false},
        {"key 7 and 30", dataLine('0', "730"), 3, false},
        {"N 21", dataLine('0', "150"), 3, true},
        {"N -1", dataLine('0', "120"), 3, true},
        {"101 zeros", dataLine('0', "000"), 3, true},
        // A non-digit counts 0 where it stands: key 1 and "3x" give 30 - 1 - 20.
        {"letter in the second digit", dataLine('0', "13x"), 9, false},
        {"letter as the key", dataLine('0', "x24"), 4, false},
        {"line ends after the key digit", dataLine('0', "121").left(22), 3, true},
        {"line ends inside the number", dataLine('0', "122").left(23), 3, true},
        {"line ends right after the number", dataLine('0', "125").left(24), 4, false},
        {"empty data line", QByteArray(), 3, true},
    };
    for (const Case& c : cases) {
        orvtest::msgLog().shown.clear();
        writeData(c.line);
        const QByteArray before = iniBytes();
        ReadConfigFile();
        EXPECT_EQ(m.BasicUnknownsBeforeAdvanced, c.expected) << c.name;
        if (c.repaired) {
            EXPECT_EQ(prompts(), std::vector<QString>{kChanged}) << c.name;
            ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
            EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Information) << c.name;
            const QList<QByteArray> lines = iniLines();
            ASSERT_EQ(lines.size(), 4) << c.name;
            const DecodedConfig rewritten = decodeConfigDataLine(lines[3]);
            EXPECT_EQ(rewritten.number, 3) << c.name;
            EXPECT_EQ(rewritten.settings, configSettingsOf(m)) << c.name << ": the other settings as read";
        } else {
            EXPECT_TRUE(orvtest::msgLog().shown.empty()) << c.name;
            EXPECT_EQ(iniBytes(), before) << c.name << ": a good file is not rewritten";
        }
    }
}

TEST_F(ConfigFileTest, OnlyTheFourthLineMatters)
{
    writeIni({"", "", "", dataLine('9', "131")});
    ReadConfigFile();
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(m.MultipleSessionsAllowed, kFalse);
    EXPECT_EQ(m.BasicUnknownsBeforeAdvanced, 10);
    EXPECT_EQ(m.TextBuffer, QString::fromLatin1(dataLine('9', "131")));
}

TEST_F(ConfigFileTest, MissingOrShortFileIsRecreatedWithTheDefaults)
{
    const struct {
        const char* name;
        std::optional<QByteArray> bytes; // none: no file
    } cases[] = {
        {"missing", std::nullopt},
        {"three lines", joinLinesCrLf({"a", "b", dataLine('9')})},
        {"empty file", QByteArray()},
    };
    for (const auto& c : cases) {
        orvtest::msgLog().shown.clear();
        QFile::remove(iniPath());
        if (c.bytes) {
            ASSERT_TRUE(writeFileAtomic(iniPath(), *c.bytes).written());
        }
        // Settings from an earlier user must not survive the recreation.
        m.TestsAllowed = kTrue;
        m.ResignAllowed = kFalse;
        m.BasicUnknownsBeforeAdvanced = 17;
        m.SoundOn = kFalse;
        ReadConfigFile();
        EXPECT_EQ(prompts(), std::vector<QString>{kCreated}) << c.name;
        EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Information) << c.name;
        for (const FlagAt& f : kFlags)
            EXPECT_EQ(m.*(f.member), f.defaultValue) << c.name << ": " << f.name;
        EXPECT_EQ(m.BasicUnknownsBeforeAdvanced, 3) << c.name;
        EXPECT_EQ(m.AnySpectrumAllowed, kTrue) << c.name;
        EXPECT_EQ(m.AnyCalcAllowed, kTrue) << c.name;
        EXPECT_EQ(m.SoundOn, kFalse) << c.name << ": sound stays off although allowed";

        const QList<QByteArray> lines = iniLines();
        ASSERT_EQ(lines.size(), 4) << c.name;
        EXPECT_EQ(lines[0], QByteArray("This file contains details for controlling Orvanto"));
        EXPECT_EQ(lines[1], QByteArray("Do not change any of the contents - use the program ovsetup to do that"));
        EXPECT_TRUE(QRegularExpression(
                        QStringLiteral("^This file was written by Orvanto version 4\\.40 on \\d\\d:\\d\\d [ap]m, "
                                       "[A-Z][a-z][a-z] \\d\\d, \\d{4}$"))
                        .match(QString::fromLatin1(lines[2]))
                        .hasMatch())
            << lines[2].toStdString();
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{101}$")).match(QString::fromLatin1(lines[3])).hasMatch());
        EXPECT_TRUE(iniBytes().endsWith("\r\n")) << "every line ends in CR LF";

        // The recreated file reads back without a further message.
        orvtest::msgLog().shown.clear();
        ReadConfigFile();
        EXPECT_TRUE(orvtest::msgLog().shown.empty()) << c.name;
        EXPECT_EQ(configSettingsOf(m), defaultConfigSettings()) << c.name;
        EXPECT_EQ(m.SoundOn, kTrue) << c.name << ": a good file switches sound as allowed";
    }
}

TEST_F(ConfigFileTest, SetConfigDefaultsLeavesSoundAlone)
{
    m.SoundOn = kTrue;
    m.AnyCalcAllowed = kFalse;
    SetConfigDefaults();
    EXPECT_EQ(m.SoundOn, kTrue);
    EXPECT_EQ(m.AnyCalcAllowed, kTrue);
    EXPECT_EQ(m.TypeNameOnly, kFalse);
    EXPECT_EQ(m.OfferNameList, kTrue);
    EXPECT_EQ(m.BasicUnknownsBeforeAdvanced, 3);
}

TEST_F(ConfigFileTest, TwoWritesOfTheSameSettingsDifferButReadBackAlike)
{
    SetConfigDefaults();
    m.TestsAllowed = kTrue;
    m.GiveStructureAllowed = kFalse;
    m.BasicUnknownsBeforeAdvanced = 20;
    const ConfigSettings written = configSettingsOf(m);

    ASSERT_TRUE(WriteConfigFile());
    const QByteArray first = iniLines().value(3);
    ASSERT_TRUE(WriteConfigFile());
    const QByteArray second = iniLines().value(3);
    ASSERT_EQ(first.size(), 101);
    ASSERT_EQ(second.size(), 101);
    EXPECT_NE(first, second) << "random digits make each file look different";

    for (const QByteArray& line : {first, second}) {
        const DecodedConfig d = decodeConfigDataLine(line);
        EXPECT_TRUE(d.numberInRange);
        EXPECT_EQ(d.settings, written);
    }
    resetModOrvan();
    InitProgram();
    ReadConfigFile();
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(configSettingsOf(m), written);
}

TEST_F(ConfigFileTest, WriterDrawsEveryDigitFromTheRandomSource)
{
    // All draws at the top of their range: fillers 9, True flags 4, False
    // flags 9, key 9 and so 9 + 20 + N at 23-24.
    orvtest::scriptRandom({0.999});
    SetConfigDefaults();
    m.BasicUnknownsBeforeAdvanced = 0;
    ASSERT_TRUE(WriteConfigFile());
    orvtest::clearRandom();
    const QByteArray line = iniLines().value(3);
    ASSERT_EQ(line.size(), 101);
    EXPECT_EQ(line.mid(21, 3), QByteArray("929"));
    for (const FlagAt& f : kFlags)
        EXPECT_EQ(line[f.position - 1], isTrue(f.defaultValue) ? '4' : '9') << f.name;
    for (int p : {1, 2, 3, 4, 6, 7, 21, 25, 93, 94, 96, 97, 101})
        EXPECT_EQ(line[p - 1], '9') << "filler at " << p;
}

// The fixed sentence, then on a line of its own the file and the reason the
// system gave: a folder that is gone, and one this account may not write.
TEST_F(ConfigFileTest, AFailedWriteSaysSoAndEndsTheProgram)
{
    struct Case {
        const char* name;
        bool readOnlyFolder;
        int reason;
    };
    for (const Case& c : {Case{"folder gone", false, ENOENT}, Case{"folder not writable", true, EACCES}}) {
        SCOPED_TRACE(c.name);
        orvtest::msgLog().shown.clear();
        orvtest::programEnds() = 0;
        std::optional<orvtest::AsOrdinaryUser> student;
        if (c.readOnlyFolder) {
            m.ProgramPath = folder.path();
            ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0555), 0);
            student.emplace();
            ASSERT_TRUE(student->ok());
        } else {
            m.ProgramPath = folder.file(QStringLiteral("no such folder"));
        }
        ReadConfigFile();
        student.reset();
        ::chmod(QFile::encodeName(folder.path()).constData(), 0700);
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u) << "no 'created' message after a failed write";
        const MsgRecord& r = orvtest::msgLog().shown[0];
        EXPECT_TRUE(r.prompt.startsWith(QStringLiteral("Error writing file orvanto.ini. Orvanto now ends. ")));
        EXPECT_GT(r.prompt.size(), QStringLiteral("Error writing file orvanto.ini. Orvanto now ends. ").size())
            << "the system's description follows";
        EXPECT_EQ(r.prompt, QStringLiteral("Error writing file orvanto.ini. Orvanto now ends. \r\n")
                                + QDir::toNativeSeparators(m.ProgramPath + QStringLiteral("/orvanto.ini"))
                                + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(c.reason)));
        EXPECT_EQ(r.icon, MsgIcon::Critical);
        EXPECT_EQ(orvtest::programEnds(), 1);
        EXPECT_FALSE(QFileInfo::exists(m.ProgramPath + QStringLiteral("/orvanto.ini")));
    }
    EXPECT_FALSE(QDir(folder.file(QStringLiteral("no such folder"))).exists());
}

// A rewrite on a full disk: the instructor's file stays byte for byte, the
// student is told and the program ends (it never goes on with settings that
// are not the instructor's). A RAM disk where one can be mounted, and a
// writer told to stop after 30 bytes.
TEST_F(ConfigFileTest, FullDiskKeepsTheInstructorsFile)
{
    for (const bool ramDisk : {true, false}) {
        SCOPED_TRACE(ramDisk ? "RAM disk" : "write limit");
        orvtest::msgLog().shown.clear();
        orvtest::programEnds() = 0;
        std::optional<orvtest::FullDisk> disk;
        if (ramDisk) {
            disk.emplace(folder.path());
            if (!disk->mounted())
                continue;
        }
        writeData(dataLine('0', "150")); // a number out of range: the file is rewritten
        const QByteArray before = iniBytes();
        if (disk)
            disk->fill();
        {
            orvtest::WriteLimit limit(ramDisk ? -1 : 30);
            ReadConfigFile();
        }
        EXPECT_EQ(iniBytes(), before);
        ASSERT_EQ(prompts().size(), 1u);
        EXPECT_TRUE(prompts()[0].startsWith("Error writing file orvanto.ini. Orvanto now ends. "))
            << prompts()[0].toStdString();
        EXPECT_EQ(orvtest::programEnds(), 1);
    }
}

// The instructor's orvanto.ini that this account may not read, in a program
// folder the student can write: the student is told, works with the
// defaults, and the file stays the instructor's, byte for byte. A pipe in
// its place is met the same way and holds nothing up.
TEST_F(ConfigFileTest, AFileThatCannotBeReadIsNeverReplaced)
{
    writeData(dataLine('0', "150"));
    const QByteArray before = iniBytes();
    ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0777), 0);
    const mode_t unreadable = orvtest::AsOrdinaryUser::unreadableMode();
    ASSERT_EQ(::chmod(QFile::encodeName(iniPath()).constData(), unreadable), 0);
    struct stat owner {};
    ASSERT_EQ(::stat(QFile::encodeName(iniPath()).constData(), &owner), 0);
    {
        orvtest::AsOrdinaryUser student;
        ASSERT_TRUE(student.ok());
        ReadConfigFile();
    }
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(iniPath()).constData(), &after), 0);
    EXPECT_EQ(after.st_uid, owner.st_uid) << "still the instructor's file";
    EXPECT_EQ(after.st_mode & 0777, unreadable);
    ::chmod(QFile::encodeName(iniPath()).constData(), 0600);
    EXPECT_EQ(iniBytes(), before);
    ASSERT_EQ(prompts().size(), 1u);
    EXPECT_TRUE(prompts()[0].startsWith("orvanto.ini cannot be read: " + iniPath() + " (it cannot be opened"))
        << prompts()[0].toStdString();
    EXPECT_TRUE(prompts()[0].endsWith("The default settings are used this time.")) << prompts()[0].toStdString();
    EXPECT_EQ(orvtest::programEnds(), 0);
    EXPECT_EQ(m.PasswordRequired, kTrue) << "the defaults are in use";

    orvtest::msgLog().shown.clear();
    ASSERT_TRUE(QFile::remove(iniPath()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(iniPath()).constData(), 0644), 0);
    ReadConfigFile();
    ASSERT_EQ(prompts().size(), 1u);
    EXPECT_TRUE(prompts()[0].contains("(it is not a regular file)")) << prompts()[0].toStdString();
    EXPECT_FALSE(QFileInfo(iniPath()).isFile()) << "nothing written in its place";
}
