// Settings changed in the setup program's own window and saved with its Save
// button reach the student program exactly.
#include "core/configfile.h"
#include "core/modorvan.h"
#include "platform/forms/formregistry.h"
#include "setup/forms/frmTabSetup.h"
#include "tests/setup/setupfixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace orv;

namespace {

class SavedFromTheWindow : public setuptest::SetupWindowTest {};

} // namespace

TEST_F(SavedFromTheWindow, TheStudentProgramReadsWhatTheWindowSaved)
{
    struct Case {
        const char* what;
        std::function<void(frmTabSetup*)> click;
        std::function<void(ConfigSettings&)> expect;
    };
    // clang-format off
    const Case cases[] = {
        {"no tips", [](frmTabSetup* w) { w->chkTips->setChecked(false); },
         [](ConfigSettings& s) { s.ShowTipsAtStart = kFalse; }},
        {"no passwords, one session",
         [](frmTabSetup* w) { w->chkPWord->setChecked(false); w->chkMulti->setChecked(false); },
         [](ConfigSettings& s) { s.PasswordRequired = kFalse; s.MultipleSessionsAllowed = kFalse; }},
        {"allocated by the instructor", [](frmTabSetup* w) { w->optAllocate[1]->setChecked(true); },
         [](ConfigSettings& s) { s.ProgramChoosesUnknowns = kFalse; }},
        {"no simple unknowns first", [](frmTabSetup* w) { w->txtUnkNum->setText(QStringLiteral("0")); },
         [](ConfigSettings& s) { s.BasicUnknownsBeforeAdvanced = 0; }},
        {"twenty simple unknowns first", [](frmTabSetup* w) { w->txtUnkNum->setText(QStringLiteral("20")); },
         [](ConfigSettings& s) { s.BasicUnknownsBeforeAdvanced = 20; }},
        {"no number, no correlations",
         [](frmTabSetup* w) { w->chkShowNum->setChecked(false); w->chkCorrel->setChecked(false); },
         [](ConfigSettings& s) { s.ShowUnknownNumber = kFalse; s.CorrelationsAllowed = kFalse; }},
        {"type the name only", [](frmTabSetup* w) { w->optType->setChecked(true); },
         [](ConfigSettings& s) { s.TypeNameOnly = kTrue; s.OfferNameList = kFalse; }},
        {"no resigning", [](frmTabSetup* w) { w->chkResign->setChecked(false); },
         [](ConfigSettings& s) { s.ResignAllowed = kFalse; }},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        unloadWindows();
        writeIni(setuptest::iniFor(defaultConfigSettings()));
        frmTabSetup* w = start();
        ASSERT_NE(w, nullptr);
        c.click(w);
        orvtest::msgLog().shown.clear();
        w->cmdSave_Click();
        EXPECT_TRUE(prompts().isEmpty()) << prompts().join(u'|').toStdString();

        resetModOrvan();
        InitProgram();
        ReadConfigFile();
        EXPECT_TRUE(prompts().isEmpty()) << "the student program takes the file as it is";
        ConfigSettings expected = defaultConfigSettings();
        c.expect(expected);
        EXPECT_EQ(setuptest::differences(configSettingsOf(modOrvan), expected), QString());
    }
}
