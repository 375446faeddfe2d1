#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "platform/textfile.h"
#include "spectra/spectrumdata.h"
#include "tests/common/testsupport.h"
#include "tests/core/qtprinters.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

#include <functional>

using namespace orv;

namespace {

const QString kFixture = QStringLiteral("tests/core/fixtures/ovunk_every_field.txt");

QList<QByteArray> fixtureLines()
{
    auto lines = readFileLines(orvtest::sourceFile(kFixture));
    EXPECT_TRUE(lines.has_value()) << "fixture missing: " << kFixture.toStdString();
    return lines.value_or(QList<QByteArray>{});
}

QByteArray scramble(const QByteArray& plain)
{
    QByteArray out;
    for (qsizetype f = 0; f < plain.size(); ++f)
        out.append(
            static_cast<char>(static_cast<unsigned char>(plain[f]) + static_cast<unsigned char>(UnknownFileKey[f])));
    return out;
}

// Fixed part of the fixture: 201 item lines, then N, the names, M, the
// candidates, the structure-choice line, K and the codes.
constexpr int kNameCountLine = 202;

class UnknownFileTest : public ::testing::Test {
protected:
    void SetUp() override { InitProgram(); }

    // Writes lines as unknown n's data file (CR LF unless another end is given).
    void install(const QList<QByteArray>& lines, int n = 0, const QByteArray& end = "\r\n")
    {
        QByteArray bytes;
        for (const QByteArray& l : lines)
            bytes += l + end;
        ASSERT_TRUE(writeFileAtomic(unknownFilePath(n), bytes).written());
    }
    bool read(int n = 0)
    {
        m.CurrentUnknown = n;
        return ReadUnknownFile();
    }

    orvtest::ProgramFolder folder;
    ModOrvan& m = modOrvan;
};

} // namespace

TEST(UnknownFileCodeTest, NamesEveryUnknownWithItsOwnTwoLetters)
{
    const struct {
        int n;
        const char* code;
    } known[] = {
        {0, "uz"}, {1, "oz"}, {2, "iz"}, {20, "ev"}, {21, "yu"}, {99, "yc"},
    };
    for (const auto& k : known)
        EXPECT_EQ(UnknownFileCode(k.n), QString::fromLatin1(k.code)) << "unknown " << k.n;

    QSet<QString> seen;
    for (int n = 0; n <= 99; ++n) {
        const QString code = UnknownFileCode(n);
        ASSERT_EQ(code.size(), 2) << "unknown " << n;
        EXPECT_TRUE(code[0] >= u'a' && code[0] <= u'y' && (code[0].unicode() - 'a') % 2 == 0) << "unknown " << n;
        EXPECT_TRUE(code[1] >= u'c' && code[1] <= u'z') << "unknown " << n;
        seen.insert(code);
    }
    EXPECT_EQ(seen.size(), 100) << "two unknowns share a file name";
}

TEST_F(UnknownFileTest, FileNameIsBuiltOnTheProgramFolder)
{
    EXPECT_EQ(unknownFilePath(0), folder.path() + QStringLiteral("/unks/ovunkuz.txt"));
    EXPECT_EQ(unknownFilePath(99), folder.path() + QStringLiteral("/unks/ovunkyc.txt"));
}

TEST_F(UnknownFileTest, EveryLineLandsInItsVariable)
{
    const QList<QByteArray> lines = fixtureLines();
    ASSERT_EQ(lines.size(), 210);
    install(lines, 12);
    ASSERT_TRUE(read(12));
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(orvtest::programEnds(), 0);
    EXPECT_EQ(m.FilePathBuffer, unknownFilePath(12));

    auto line = [&](int number) { return lines[number - 1]; };
    auto text = [&](int number) { return fromBytes(line(number)); };

    // Texts: {variable, line number}.
    std::vector<std::pair<std::string, std::pair<QString, int>>> texts = {
        {"UnkItemTitle(0)", {m.UnkItemTitle[0], 1}},
        {"UnkItemHelp(0)", {m.UnkItemHelp[0], 2}},
        {"UnkItemTitle(5)", {m.UnkItemTitle[5], 15}},
        {"CmrLabel", {m.CmrLabel, 17}},
        {"UnkItemHelp(5)", {m.UnkItemHelp[5], 18}},
        {"ItemPrecludes(5)", {m.ItemPrecludes[5], 19}},
        {"UnkItemTitle(6)", {m.UnkItemTitle[6], 20}},
        {"IrLabel", {m.IrLabel, 22}},
        {"UnkItemHelp(6)", {m.UnkItemHelp[6], 23}},
        {"ItemPrecludes(6)", {m.ItemPrecludes[6], 24}},
        {"UnkItemTitle(7)", {m.UnkItemTitle[7], 25}},
        {"MsMolecularIon", {m.MsMolecularIon, 27}},
        {"MsLabel", {m.MsLabel, 28}},
        {"UnkItemHelp(7)", {m.UnkItemHelp[7], 29}},
        {"ItemPrecludes(7)", {m.ItemPrecludes[7], 30}},
        {"UnkItemTitle(8)", {m.UnkItemTitle[8], 31}},
        {"UnkItemHelp(8)", {m.UnkItemHelp[8], 57}},
        {"ItemPrecludes(8)", {m.ItemPrecludes[8], 58}},
        {"NameChoices(1)", {m.NameChoices[1], 206}},
        {"NameChoices(2)", {m.NameChoices[2], 207}},
        {"StructChoiceLine", {m.StructChoiceLine, 208}},
    };
    // Item i from its first line: result, help, then (items 1..34) the items
    // it precludes and (items 10..34) the items that preclude it.
    auto addItem = [&](int i, int first) {
        const std::string n = "(" + std::to_string(i) + ")";
        texts.push_back({"UnkItemTitle" + n, {m.UnkItemTitle[i], first}});
        texts.push_back({"UnkItemHelp" + n, {m.UnkItemHelp[i], first + 1}});
        if (i <= 34)
            texts.push_back({"ItemPrecludes" + n, {m.ItemPrecludes[i], first + 2}});
        if (i >= 10 && i <= 34)
            texts.push_back({"ItemPrecludedBy" + n, {m.ItemPrecludedBy[i], first + 3}});
    };
    for (int i = 1; i <= 4; ++i)
        addItem(i, 3 + 3 * (i - 1));
    addItem(9, 59);
    for (int i = 10; i <= 34; ++i)
        addItem(i, 62 + 4 * (i - 10));
    for (int i = 35; i <= 54; ++i)
        addItem(i, 162 + 2 * (i - 35));
    for (const auto& [name, value] : texts)
        EXPECT_EQ(value.first, text(value.second)) << name << " from line " << value.second;

    // Spectrum lines keep their bytes.
    EXPECT_EQ(m.CmrData, line(16));
    EXPECT_EQ(m.IrData, line(21));
    EXPECT_EQ(m.MsData, line(26));
    for (int j = 1; j <= 25; ++j)
        EXPECT_EQ(m.PmrData[j], line(31 + j)) << "PmrData(" << j << ")";
    EXPECT_TRUE(m.PmrData[10].isEmpty()) << "an empty trace line is a flat baseline";
    EXPECT_EQ(static_cast<unsigned char>(m.IrData[4]), 255);

    // Counts, deciphered names and structure codes.
    EXPECT_EQ(m.NameCount, 2);
    EXPECT_EQ(m.AcceptedNames[1], QStringLiteral("ethyl benzoate"));
    EXPECT_EQ(m.AcceptedNames[2].size(), 80);
    EXPECT_EQ(m.AcceptedNames[2],
              QStringLiteral("isoamyl 4-(2-methylpropyl)-3-(propan-2-yl)-5-(1,1-dimethylethyl)-2-nitrobenzoate"));
    EXPECT_EQ(m.NameChoiceCount, 2);
    EXPECT_EQ(m.StructCodeCount, 2);
    EXPECT_EQ(m.StructCodes[1], QStringLiteral("G1AB"));
    EXPECT_EQ(m.StructCodes[2], QStringLiteral("G1BA"));
}

// The records as the viewers decode them.
TEST_F(UnknownFileTest, SpectrumRecordsDecode)
{
    install(fixtureLines());
    ASSERT_TRUE(read());
    const QList<spectra::CarbonPeakRecord> c = spectra::decodeCarbonPeaks(m.CmrData);
    ASSERT_EQ(c.size(), 3);
    EXPECT_EQ(c[0].ppm, 166) << "166.5 rounds half to even";
    EXPECT_EQ(c[0].height, 241) << "code 255 is the tallest";
    EXPECT_EQ(c[0].hydrogens, 0);
    EXPECT_EQ(c[1].ppm, 60);
    EXPECT_EQ(c[1].height, 0) << "code 14 is zero";
    EXPECT_EQ(c[1].hydrogens, 2);
    EXPECT_EQ(c[2].ppm, 14);
    EXPECT_EQ(c[2].hydrogens, 3);

    const QList<spectra::MsPeakRecord> ms = spectra::decodeMsPeaks(m.MsData);
    ASSERT_EQ(ms.size(), 3);
    EXPECT_EQ(ms[0].mz, 105);
    EXPECT_EQ(ms[0].intensity, 241);
    EXPECT_EQ(ms[1].mz, 77);
    EXPECT_EQ(ms[1].intensity, 60);
    EXPECT_EQ(ms[2].mz, 150);
    EXPECT_EQ(sampleHeight(m.PmrData[5][1]), 5);
}

TEST_F(UnknownFileTest, StructureCodesReadAsFieldsWhateverTheLineEnds)
{
    const QList<QByteArray> base = fixtureLines();
    const QList<QByteArray> head = base.mid(0, base.size() - 1); // up to K
    const struct {
        const char* name;
        QList<QByteArray> tail;
        QByteArray end;
    } cases[] = {
        {"quoted, one line", {"\"G1AB\",\"G1BA\""}, "\r\n"},
        {"one per line", {"G1AB", "G1BA"}, "\r\n"},
        {"unquoted with blanks", {"  G1AB , G1BA  "}, "\r\n"},
        {"trailing comma, then the next line", {"G1AB,", "G1BA"}, "\r\n"},
        {"blank line between", {"G1AB", "", "\"G1BA\""}, "\r\n"},
        {"line feeds only", {"G1AB", "G1BA"}, "\n"},
        {"carriage returns only", {"G1AB", "G1BA"}, "\r"},
        {"lines after the last code are not read", {"G1AB", "G1BA", "7", "anything"}, "\r\n"},
    };
    for (const auto& c : cases) {
        install(head + c.tail, 0, c.end);
        orvtest::msgLog().shown.clear();
        ASSERT_TRUE(read()) << c.name;
        EXPECT_EQ(m.StructCodeCount, 2) << c.name;
        EXPECT_EQ(m.StructCodes[1], QStringLiteral("G1AB")) << c.name;
        EXPECT_EQ(m.StructCodes[2], QStringLiteral("G1BA")) << c.name;
        EXPECT_EQ(m.UnkItemTitle[54], QStringLiteral("A54 result of item 54")) << c.name;
        EXPECT_TRUE(orvtest::msgLog().shown.empty()) << c.name;
    }
}

TEST_F(UnknownFileTest, NoAcceptedNamesPutsTheCandidateCountOnLine203)
{
    QList<QByteArray> lines = fixtureLines().mid(0, kNameCountLine - 1);
    lines += {"0", "1", "benzene", "Aaa", "1", "A1"};
    install(lines);
    ASSERT_TRUE(read());
    EXPECT_EQ(m.NameCount, 0);
    EXPECT_EQ(m.NameChoiceCount, 1);
    EXPECT_EQ(m.NameChoices[1], QStringLiteral("benzene"));
    EXPECT_EQ(m.StructChoiceLine, QStringLiteral("Aaa"));
    EXPECT_EQ(m.StructCodes[1], QStringLiteral("A1"));
}

TEST_F(UnknownFileTest, NamesDecipherPositionByPosition)
{
    QList<QByteArray> lines = fixtureLines().mid(0, kNameCountLine - 1);
    // A stored code equal to the key's deciphers to code 0; counts are
    // rounded leading numbers ("3.4 names" is 3, a comma ends the count of
    // candidates).
    QByteArray zero = scramble("ab");
    zero.append(UnknownFileKey[2]);
    lines += {"3.4 names", scramble("phenol"), zero, scramble("Ab-1,2 ()"), "0, none", "A", "0"};
    install(lines);
    ASSERT_TRUE(read());
    EXPECT_EQ(m.NameCount, 3);
    EXPECT_EQ(m.AcceptedNames[1], QStringLiteral("phenol"));
    EXPECT_EQ(m.AcceptedNames[2], QString(QStringLiteral("ab")) + QChar(u'\0'));
    EXPECT_EQ(m.AcceptedNames[3], QStringLiteral("Ab-1,2 ()"));
    EXPECT_EQ(m.NameChoiceCount, 0);
    EXPECT_EQ(m.StructCodeCount, 0);
}

TEST_F(UnknownFileTest, NothingOfThePreviousUnknownSurvives)
{
    install(fixtureLines(), 1);
    ASSERT_TRUE(read(1));
    ASSERT_EQ(m.StructCodes[2], QStringLiteral("G1BA"));

    QList<QByteArray> small = fixtureLines().mid(0, kNameCountLine - 1);
    small += {"0", "0", "", "0"};
    install(small, 2);
    ASSERT_TRUE(read(2));
    EXPECT_EQ(m.NameCount, 0);
    EXPECT_TRUE(m.AcceptedNames[1].isEmpty());
    EXPECT_EQ(m.NameChoiceCount, 0);
    EXPECT_TRUE(m.NameChoices[1].isEmpty());
    EXPECT_EQ(m.StructCodeCount, 0);
    EXPECT_TRUE(m.StructCodes[1].isEmpty());
    EXPECT_TRUE(m.StructChoiceLine.isEmpty());
}

TEST_F(UnknownFileTest, ADamagedFileEndsTheProgramWithTheReadError)
{
    const QList<QByteArray> base = fixtureLines();
    auto withNames = [&](const QList<QByteArray>& names) {
        return base.mid(0, kNameCountLine - 1) + QList<QByteArray>{QByteArray::number(names.size())} + names
             + QList<QByteArray>{"0", "A", "0"};
    };
    QByteArray below = scramble("benzene");
    below[3] = static_cast<char>(UnknownFileKey[3] - 1);
    const struct {
        const char* name;
        std::function<QList<QByteArray>()> lines; // empty result: no file at all
    } cases[] = {
        {"file missing", [] { return QList<QByteArray>{}; }},
        {"ends inside the items", [&] { return base.mid(0, 150); }},
        {"ends before the name count", [&] { return base.mid(0, kNameCountLine - 1); }},
        {"ends before the structure-choice line", [&] { return base.mid(0, 207); }},
        {"ends before the codes", [&] { return base.mid(0, 209); }},
        {"ends after one of two codes", [&] { return base.mid(0, 209) + QList<QByteArray>{"G1AB"}; }},
        {"13 accepted names", [&] { return withNames(QList<QByteArray>(13, scramble("x"))); }},
        {"negative name count",
         [&] {
             return base.mid(0, kNameCountLine - 1) + QList<QByteArray>{"-1", "0", "A", "0"};
         }},
        {"9 candidate names",
         [&] {
             QList<QByteArray> l = base.mid(0, kNameCountLine - 1) + QList<QByteArray>{"0", "9"};
             return l + QList<QByteArray>(9, "name") + QList<QByteArray>{"A", "0"};
         }},
        {"5 structure codes", [&] { return base.mid(0, 208) + QList<QByteArray>{"5", "A1", "A2", "A3", "A4", "A5"}; }},
        {"a scrambled name of 81 characters", [&] { return withNames({scramble(QByteArray(80, 'a')) + 'x'}); }},
        {"a stored code below the key's", [&] { return withNames({below}); }},
    };
    for (const auto& c : cases) {
        orvtest::msgLog().shown.clear();
        orvtest::programEnds() = 0;
        QFile::remove(unknownFilePath(5));
        const QList<QByteArray> lines = c.lines();
        if (!lines.isEmpty())
            install(lines, 5);
        m.UnkItemTitle[0] = QStringLiteral("the previous unknown");
        m.NameCount = 4;
        EXPECT_FALSE(read(5)) << c.name;
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u) << c.name;
        EXPECT_EQ(orvtest::msgLog().shown[0].prompt,
                  QStringLiteral("Error reading file ") + unknownFilePath(5) + QStringLiteral(" . Program ends."))
            << c.name;
        EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Critical) << c.name;
        EXPECT_EQ(orvtest::programEnds(), 1) << c.name;
        EXPECT_TRUE(m.UnkItemTitle[0].isEmpty()) << c.name << ": nothing of a damaged or earlier file is kept";
        EXPECT_EQ(m.NameCount, 0) << c.name;
    }
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("unks/ovunkuz.txt")))) << "a read writes nothing";
}

// Every unknown shipped in the source tree's data/unks loads without a message.
TEST(ShippedUnknownsTest, EveryShippedUnknownLoads)
{
    const QDir shipped(orvtest::sourceFile(QStringLiteral("data/unks")));
    const QStringList files = shipped.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 100) << "the solved example and the 99 unknowns ship";
    for (const QString& file : files) {
        orvtest::ProgramFolder folder;
        InitProgram();
        int number = -1;
        for (int n = 0; n <= 99; ++n)
            if (file == QStringLiteral("ovunk") + UnknownFileCode(n) + QStringLiteral(".txt"))
                number = n;
        ASSERT_GE(number, 0) << file.toStdString() << " names no unknown";
        ASSERT_TRUE(QFile::copy(shipped.filePath(file), unknownFilePath(number)));
        modOrvan.CurrentUnknown = number;
        EXPECT_TRUE(ReadUnknownFile()) << file.toStdString();
        EXPECT_TRUE(orvtest::msgLog().shown.empty())
            << file.toStdString() << ": " << orvtest::msgLog().lastPrompt().toStdString();
        EXPECT_FALSE(modOrvan.UnkItemTitle[0].isEmpty()) << file.toStdString() << ": no title";
        EXPECT_FALSE(modOrvan.UnkItemHelp[0].isEmpty()) << file.toStdString() << ": no help about the unknown";
    }
}
