#include "core/coreservices.h"
#include "platform/textfile.h"
#include "setup/setupstate.h"
#include "tests/setup/setupfixture.h"

#include "platform/forms/formregistry.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>

using namespace orv;
using setuptest::differences;

namespace {
// A data line of 101 digits with the given digits placed (1-based positions).
QByteArray dataLine(char fill, std::initializer_list<std::pair<int, char>> placed)
{
    QByteArray line(101, fill);
    for (const auto& [pos, c] : placed)
        line[pos - 1] = c;
    return line;
}

// Settings that differ from the defaults in every flag, and other mixes.
std::vector<std::pair<const char*, ConfigSettings>> settingMixes()
{
    ConfigSettings inverse;
    for (const ConfigFlag& f : kConfigFlags)
        inverse.*(f.member) = vb(!isTrue(defaultConfigSettings().*(f.member)));
    inverse.TypeNameOnly = kTrue; // the window offers one typing option at a time
    inverse.OfferNameList = kFalse;
    inverse.BasicUnknownsBeforeAdvanced = 20;
    ConfigSettings noTyping = defaultConfigSettings();
    noTyping.OfferNameList = kFalse;
    noTyping.BasicUnknownsBeforeAdvanced = 0;
    noTyping.ProgramChoosesUnknowns = kFalse;
    return {{"defaults", defaultConfigSettings()},
            {"every flag turned", inverse},
            {"no typing, by instructor", noTyping}};
}
} // namespace

class ReadWriteTest : public setuptest::SetupWindowTest {};

TEST_F(ReadWriteTest, AFileSavedByTheSetupProgramDecodesToTheSettingsShown)
{
    for (const auto& [what, s] : settingMixes()) {
        writeIni(setuptest::iniFor(defaultConfigSettings()));
        frmTabSetup* w = start();
        ASSERT_NE(w, nullptr) << what;
        // Set every control as an instructor would.
        for (const ConfigFlag& f : kConfigFlags)
            if (QCheckBox* box = w->checkBoxFor(f.member))
                box->setChecked(isTrue(s.*(f.member)));
        w->optAllocate[isTrue(s.ProgramChoosesUnknowns) ? 0 : 1]->setChecked(true);
        (isTrue(s.TypeNameOnly)    ? w->optType
         : isTrue(s.OfferNameList) ? w->optSeeNames
                                   : w->optNoType)
            ->setChecked(true);
        w->txtUnkNum->setText(QString::number(s.BasicUnknownsBeforeAdvanced));
        ASSERT_EQ(differences(w->shownSettings(), s), QString()) << what;
        w->cmdSave_Click();
        EXPECT_TRUE(orvtest::msgLog().shown.empty()) << what;
        EXPECT_FALSE(w->setupDirty()) << what;

        const QList<QByteArray> lines = splitLines(readIni());
        ASSERT_EQ(lines.size(), 4) << what;
        const DecodedConfig d = decodeConfigDataLine(lines[3]);
        EXPECT_TRUE(d.numberInRange) << what;
        EXPECT_EQ(differences(d.settings, s), QString()) << what;

        // And the setup program reads its own file back to the same window.
        unloadWindows();
        frmTabSetup* again = start();
        ASSERT_NE(again, nullptr) << what;
        EXPECT_EQ(differences(again->shownSettings(), s), QString()) << what;
        ConfigSettings flags = modSetup.settings;
        flags.BasicUnknownsBeforeAdvanced = s.BasicUnknownsBeforeAdvanced;
        EXPECT_EQ(differences(flags, s), QString()) << what;
        EXPECT_FALSE(again->setupDirty()) << what;
        unloadWindows();
    }
}

TEST_F(ReadWriteTest, SavingTwiceGivesDifferentLinesWithTheSameSettings)
{
    writeIni(setuptest::iniFor(defaultConfigSettings()));
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    w->cmdSave_Click();
    const QByteArray first = splitLines(readIni()).value(3);
    w->cmdSave_Click();
    const QByteArray second = splitLines(readIni()).value(3);
    EXPECT_NE(first, second);
    EXPECT_EQ(decodeConfigDataLine(first).settings, decodeConfigDataLine(second).settings);
}

TEST_F(ReadWriteTest, AFileTheStudentProgramWroteFromDefaultsIsShownAsTheDefaults)
{
    writeIni(setuptest::iniFor(defaultConfigSettings()));
    frmTabSetup* w = start();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(differences(w->shownSettings(), defaultConfigSettings()), QString());
    ConfigSettings flags = modSetup.settings;
    flags.BasicUnknownsBeforeAdvanced = 3;
    EXPECT_EQ(differences(flags, defaultConfigSettings()), QString());
    EXPECT_TRUE(w->optSeeNames->isChecked());
    EXPECT_TRUE(w->optAllocate[0]->isChecked());
    EXPECT_EQ(w->txtUnkNum->text(), "3");
    EXPECT_FALSE(w->setupDirty());
}

TEST_F(ReadWriteTest, UnusableContentsGiveTheMessageTheDefaultsAndUnsavedSettings)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        bool missing;
    };
    const Case cases[] = {
        {"three lines", QByteArray("one\r\ntwo\r\nthree\r\n"), false},
        {"empty file", QByteArray(), false},
        {"file gone after the dialog", QByteArray(), true},
    };
    for (const Case& c : cases) {
        orvtest::msgLog().shown.clear();
        if (c.missing)
            QFile::remove(ini);
        else
            writeIni(c.bytes);
        // Start from settings that differ from the defaults everywhere.
        modSetup.settings = setuptest::allFlags(kFalse);
        frmTabSetup* w = start();
        ASSERT_NE(w, nullptr) << c.what;
        ASSERT_EQ(orvtest::msgLog().shown.size(), 1u) << c.what;
        EXPECT_EQ(orvtest::msgLog().lastPrompt(), "Error with contents of orvanto.ini, default values selected.");
        EXPECT_EQ(differences(w->shownSettings(), defaultConfigSettings()), QString()) << c.what;
        EXPECT_TRUE(w->setupDirty()) << c.what;
        unloadWindows();
    }
}

TEST_F(ReadWriteTest, MalformedDataLinesReadByTheStudentProgramsRules)
{
    struct Case {
        const char* what;
        QByteArray line;
        int number;
        bool typeOnly, offerList, multiple;
        bool dirty;
    };
    // clang-format off
    const Case cases[] = {
        // Missing digits read as 0: every flag True, the number 0-0-20 is replaced by 3.
        {"empty line", QByteArray(), 3, false, true, true, true},
        {"key 7 and 30", dataLine('0', {{22, '7'}, {23, '3'}, {24, '0'}}), 3, false, true, true, false},
        {"key 9 and 49", dataLine('0', {{22, '9'}, {23, '4'}, {24, '9'}}), 20, false, true, true, false},
        {"key 1 and 21", dataLine('0', {{22, '1'}, {23, '2'}, {24, '1'}}), 0, false, true, true, false},
        {"non-digit counts 0", dataLine('0', {{22, '1'}, {23, '3'}, {24, 'x'}}), 9, false, true, true, false},
        {"both typing flags", dataLine('9', {{22, '1'}, {23, '2'}, {24, '4'}, {83, '0'}, {86, '4'}}), 3, false, true,
         false, false},
        {"type only; flag digit 5 reads False", dataLine('9', {{5, '5'}, {22, '1'}, {23, '2'}, {24, '4'}, {83, '4'}}), 3,
         true, false, false, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        writeIni(setuptest::iniWithDataLine(c.line));
        frmTabSetup* w = start();
        ASSERT_NE(w, nullptr) << c.what;
        EXPECT_TRUE(orvtest::msgLog().shown.empty()) << c.what;
        EXPECT_EQ(w->txtUnkNum->text(), QString::number(c.number)) << c.what;
        EXPECT_EQ(w->optType->isChecked(), c.typeOnly) << c.what;
        EXPECT_EQ(w->optSeeNames->isChecked(), c.offerList) << c.what;
        EXPECT_EQ(modSetup.settings.TypeNameOnly, vb(c.typeOnly)) << c.what;
        EXPECT_EQ(modSetup.settings.OfferNameList, vb(c.offerList)) << c.what;
        EXPECT_EQ(w->chkMulti->isChecked(), c.multiple) << c.what;
        EXPECT_EQ(modSetup.settings.MultipleSessionsAllowed, vb(c.multiple)) << c.what;
        EXPECT_EQ(w->setupDirty(), c.dirty) << c.what << ": a replaced number leaves the file to be saved";
        unloadWindows();
        orvtest::msgLog().shown.clear();
    }
}
