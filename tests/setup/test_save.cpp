#include "core/coreservices.h"
#include "platform/textfile.h"
#include "setup/savechecks.h"
#include "setup/setupconfig.h"
#include "setup/setupstate.h"
#include "tests/setup/setupfixture.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <optional>

using namespace orv;

namespace {
ConfigSettings noSpectra(bool tests, bool derivs, bool bpMp)
{
    ConfigSettings s;
    s.CmrAllowed = s.IrAllowed = s.MsAllowed = s.PmrAllowed = s.UvAllowed = kFalse;
    s.TestsAllowed = vb(tests);
    s.DerivsAllowed = vb(derivs);
    s.BpMpAllowed = vb(bpMp);
    return s;
}
const QString kCrLf = QStringLiteral("\r\n");
}

TEST(SaveChecks, SpectraQuestions)
{
    struct Case {
        const char* what;
        ConfigSettings s;
        QString prompt;
        MsgIcon icon;
    };
    ConfigSettings withUv = noSpectra(false, false, true);
    withUv.UvAllowed = kTrue;
    // clang-format off
    const Case cases[] = {
        {"nothing, BP/MP on", noSpectra(false, false, true),
         "Are you REALLY SURE you want to prevent the use of" + kCrLf + "all spectra, all tests, and all derivatives?",
         MsgIcon::Critical},
        {"nothing at all", noSpectra(false, false, false),
         "Are you REALLY SURE you want to prevent the use of" + kCrLf + "all spectra, all tests, all derivatives and BP/MP?",
         MsgIcon::Critical},
        {"tests and BP/MP", noSpectra(true, false, true),
         "Are you sure you want to allow only tests and BP/MP and " + kCrLf
             + "prevent the use of all derivatives and all spectra?",
         MsgIcon::Question},
        {"tests only", noSpectra(true, false, false),
         "Are you sure you want to allow only tests and " + kCrLf + "prevent the use of all derivatives, all spectra and BP/MP?",
         MsgIcon::Question},
        {"derivatives and BP/MP", noSpectra(false, true, true),
         "Are you sure you want to allow only derivatives and BP/MP and " + kCrLf
             + "prevent the use of all tests and all spectra?",
         MsgIcon::Question},
        {"derivatives only", noSpectra(false, true, false),
         "Are you sure you want to allow only derivatives and " + kCrLf + "prevent the use of all tests, all spectra, and BP/MP?",
         MsgIcon::Question},
        {"tests and derivatives", noSpectra(true, true, false), QString(), MsgIcon::None},
        {"one spectrum left", withUv, QString(), MsgIcon::None},
    };
    // clang-format on
    for (const Case& c : cases) {
        const std::optional<SaveMessage> q = spectraQuestion(c.s);
        if (c.prompt.isEmpty()) {
            EXPECT_FALSE(q.has_value()) << c.what;
            continue;
        }
        ASSERT_TRUE(q.has_value()) << c.what;
        EXPECT_EQ(q->prompt, c.prompt) << c.what;
        EXPECT_EQ(q->icon, c.icon) << c.what;
        EXPECT_EQ(q->buttons, MsgButtons::YesNo) << c.what;
    }
}

TEST(SaveChecks, IdentificationNeedsOneMethodAndResigningDoesNotCount)
{
    ConfigSettings s;
    s.TypeNameOnly = s.OfferNameList = s.ChooseStructureAllowed = s.GiveStructureAllowed = kFalse;
    s.ResignAllowed = kTrue;
    const std::optional<SaveMessage> r = identificationRefusal(s);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->prompt, "All methods of identification have been disallowed. At least one must be enabled." + kCrLf
                             + "File not saved.");
    EXPECT_EQ(r->icon, MsgIcon::Critical);
    EXPECT_EQ(r->buttons, MsgButtons::OkOnly);
    for (Boolean ConfigSettings::*m :
         {&ConfigSettings::TypeNameOnly, &ConfigSettings::OfferNameList, &ConfigSettings::ChooseStructureAllowed,
          &ConfigSettings::GiveStructureAllowed}) {
        ConfigSettings one = s;
        one.*m = kTrue;
        EXPECT_FALSE(identificationRefusal(one).has_value());
    }
}

TEST(SaveChecks, NumberOfSimpleUnknowns)
{
    // clang-format off
    struct Case { const char* text; std::optional<int> n; };
    const Case cases[] = {
        {"0", 0}, {"20", 20}, {"3", 3}, {" 7", 7}, {"", 0}, {"abc", 0}, {"3.6", 4}, {"2.5", 2},
        {"21", std::nullopt}, {"-1", std::nullopt}, {"99", std::nullopt}, {"1e300", std::nullopt},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(simpleUnknownsFromText(QString::fromLatin1(c.text)), c.n) << c.text;
}

TEST(SetupFile, HasFourLinesAndADataLineOf101DigitsThatDecodesBack)
{
    ConfigSettings s = setuptest::allFlags(kFalse);
    s.OfferNameList = kTrue;
    for (int n : {0, 3, 20}) {
        s.BasicUnknownsBeforeAdvanced = n;
        for (auto digit : std::initializer_list<std::function<int(int, int)>>{
                 [](int, int hi) { return hi; }, [](int lo, int) { return lo; }, GetRandomNum}) {
            const QList<QByteArray> lines = splitLines(setupConfigBytes(s, digit));
            ASSERT_EQ(lines.size(), 4);
            EXPECT_EQ(lines[0], "This file contains details for controlling Orvanto");
            EXPECT_EQ(lines[1], "Do not change any of the contents - use the program ovsetup to do that");
            EXPECT_TRUE(QRegularExpression(
                            QStringLiteral("^This file was written by ovsetup version 4\\.40 on \\d\\d:\\d\\d [ap]m, "
                                           "[A-Z][a-z][a-z] \\d\\d, \\d{4}$"))
                            .match(fromBytes(lines[2]))
                            .hasMatch())
                << lines[2].constData();
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{101}$")).match(fromBytes(lines[3])).hasMatch());
            const int number = lines[3].mid(22, 2).toInt();
            EXPECT_GE(number, 21);
            EXPECT_LE(number, 49);
            EXPECT_EQ(setuptest::differences(decodeConfigDataLine(lines[3]).settings, s), QString()) << n;
        }
    }
}

class SaveWindowTest : public setuptest::SetupWindowTest {
protected:
    frmTabSetup* w = nullptr;
    void SetUp() override
    {
        SetupWindowTest::SetUp();
        writeIni(setuptest::iniFor(defaultConfigSettings()));
        w = start();
        ASSERT_NE(w, nullptr);
    }
    ConfigSettings onDisk() const { return decodeConfigDataLine(splitLines(readIni()).value(3)).settings; }
};

TEST_F(SaveWindowTest, EachQuestionAppearsForItsCombinationAndNoWritesNothing)
{
    struct Case {
        const char* what;
        bool tests, derivs, bpMp;
        MsgIcon icon;
    };
    const Case cases[] = {
        {"nothing allowed", false, false, true, MsgIcon::Critical},
        {"tests only", true, false, false, MsgIcon::Question},
        {"derivatives only", false, true, true, MsgIcon::Question},
    };
    w->cmdSpectraNone->click();
    for (const Case& c : cases) {
        w->chkTests->setChecked(c.tests);
        w->chkDerivs->setChecked(c.derivs);
        w->chkBpMp->setChecked(c.bpMp);
        const QByteArray before = readIni();
        orvtest::msgLog().shown.clear();
        orvtest::msgLog().answers = {MsgResult::No};
        w->cmdSave_Click();
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u) << c.what;
        EXPECT_EQ(orvtest::msgLog().shown[0].prompt, spectraQuestion(modSetup.settings)->prompt) << c.what;
        EXPECT_EQ(orvtest::msgLog().shown[0].icon, c.icon) << c.what;
        EXPECT_EQ(orvtest::msgLog().shown[0].defaultButton, 2) << "No is the default";
        EXPECT_EQ(readIni(), before) << c.what;
        EXPECT_TRUE(w->setupDirty()) << c.what;

        orvtest::msgLog().answers = {MsgResult::Yes};
        w->cmdSave_Click();
        EXPECT_NE(readIni(), before) << c.what;
        EXPECT_FALSE(w->setupDirty()) << c.what;
        EXPECT_EQ(onDisk().TestsAllowed, vb(c.tests)) << c.what;
        EXPECT_EQ(onDisk().DerivsAllowed, vb(c.derivs)) << c.what;
    }
}

TEST_F(SaveWindowTest, NoIdentificationMethodIsRefusedAfterTheQuestionWasAnswered)
{
    w->cmdSpectraNone->click();
    w->optNoType->setChecked(true);
    w->chkChooseStructures->setChecked(false);
    w->chkGiveStructure->setChecked(false);
    const QByteArray before = readIni();
    orvtest::msgLog().answers = {MsgResult::Yes};
    w->cmdSave_Click();
    ASSERT_EQ(prompts().size(), 2);
    EXPECT_EQ(prompts()[1], identificationRefusal(modSetup.settings)->prompt);
    EXPECT_EQ(readIni(), before);
    EXPECT_TRUE(w->setupDirty());
}

TEST_F(SaveWindowTest, NumberOutsideTheRangeIsRefusedAndTheFileKept)
{
    const QByteArray before = readIni();
    for (const char* typed : {"21", "-3", "150"}) {
        orvtest::msgLog().shown.clear();
        w->txtUnkNum->setText(QString::fromLatin1(typed));
        w->cmdSave_Click();
        EXPECT_EQ(orvtest::msgLog().lastPrompt(), simpleUnknownsRefusal().prompt) << typed;
        EXPECT_EQ(readIni(), before) << typed;
    }
}

TEST_F(SaveWindowTest, TypedNumberIsWrittenAlsoWhenTheBoxIsHidden)
{
    w->txtUnkNum->setText(QStringLiteral("17"));
    EXPECT_FALSE(w->setupDirty()) << "typing does not count as a change";
    w->optAllocate[1]->setChecked(true);
    EXPECT_FALSE(w->txtUnkNum->isVisible());
    w->cmdSave_Click();
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(onDisk().BasicUnknownsBeforeAdvanced, 17);
    EXPECT_EQ(onDisk().ProgramChoosesUnknowns, kFalse);
}

TEST_F(SaveWindowTest, AFailedWriteSaysSoAndLeavesTheSettingsUnsaved)
{
    // The chosen file's folder has gone since the file was read.
    const QString dir = folder.file(QStringLiteral("conf"));
    QDir().mkpath(dir);
    dialogAnswer = dir + QStringLiteral("/orvanto.ini");
    unloadWindows();
    ASSERT_TRUE(writeFileAtomic(dialogAnswer, setuptest::iniFor(defaultConfigSettings())).written());
    w = start();
    ASSERT_NE(w, nullptr);
    w->chkTips->setChecked(false);
    ASSERT_TRUE(QDir(dir).removeRecursively());
    w->cmdSave_Click();
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_TRUE(orvtest::msgLog().lastPrompt().startsWith("Error writing file " + QDir::toNativeSeparators(dialogAnswer)
                                                          + ". Settings not saved."));
    EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(w->setupDirty());
    EXPECT_FALSE(QFile::exists(dialogAnswer));
}

// Settings written whose folder could not be synced are saved: the students'
// programs read them from now on, so nothing waits to be saved; the
// instructor learns that a power cut could still lose them.
TEST_F(SaveWindowTest, AFolderThatCannotBeSyncedSavesAndSaysSo)
{
    w->chkTips->setChecked(false);
    orvtest::msgLog().shown.clear();
    setFolderSyncFailureForTests(QStringLiteral("Input/output error"));
    w->cmdSave_Click();
    setFolderSyncFailureForTests({});
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().lastPrompt(), "The settings have been written to "
                                                  + QDir::toNativeSeparators(dialogAnswer)
                                                  + ", but the disk did not confirm it (Input/output error): a power "
                                                    "cut now could still lose them.");
    EXPECT_FALSE(w->setupDirty());
    EXPECT_EQ(onDisk().ShowTipsAtStart, kFalse);
}

// A full disk: the old file stays byte for byte, the instructor is told and
// the changes wait to be saved again. A RAM disk where one can be mounted,
// and a writer told to stop after 40 bytes.
TEST_F(SaveWindowTest, FullDiskKeepsTheOldFile)
{
    for (const bool ramDisk : {true, false}) {
        SCOPED_TRACE(ramDisk ? "RAM disk" : "write limit");
        const QString dir = folder.file(ramDisk ? QStringLiteral("ram") : QStringLiteral("conf"));
        QDir().mkpath(dir);
        std::optional<orvtest::FullDisk> disk;
        if (ramDisk) {
            disk.emplace(dir);
            if (!disk->mounted())
                continue;
        }
        dialogAnswer = dir + QStringLiteral("/orvanto.ini");
        unloadWindows();
        ASSERT_TRUE(writeFileAtomic(dialogAnswer, setuptest::iniFor(defaultConfigSettings())).written());
        const QByteArray before = readFileBytes(dialogAnswer).value();
        w = start();
        ASSERT_NE(w, nullptr);
        w->chkTips->setChecked(false);
        if (disk)
            disk->fill();
        orvtest::msgLog().shown.clear();
        {
            orvtest::WriteLimit limit(ramDisk ? -1 : 40);
            w->cmdSave_Click();
        }
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
        EXPECT_TRUE(orvtest::msgLog().lastPrompt().startsWith(
            "Error writing file " + QDir::toNativeSeparators(dialogAnswer) + ". Settings not saved."))
            << orvtest::msgLog().lastPrompt().toStdString();
        EXPECT_TRUE(w->setupDirty());
        EXPECT_EQ(readFileBytes(dialogAnswer).value(), before);
        unloadWindows();
    }
}
