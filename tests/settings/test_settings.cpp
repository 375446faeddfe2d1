// Every setting of orvanto.ini from the setup program's writer to the
// student program's windows: saved, read at start, and honoured by the
// windows that depend on it.
#include "core/configfile.h"
#include "core/forms/frmInitial.h"
#include "core/forms/frmNewPassword.h"
#include "core/forms/frmTestPassword.h"
#include "core/forms/passwordbox.h"
#include "core/forms/startup.h"
#include "core/forms/welcomewindows.h"
#include "core/modorvan.h"
#include "core/nextunknown.h"
#include "core/unknownfile.h"
#include "core/userfile.h"
#include "mainwindow/forms/frmHelp.h"
#include "mainwindow/forms/frmNameTyping.h"
#include "mainwindow/forms/frmNoID.h"
#include "mainwindow/forms/frmOVMain.h"
#include "mainwindow/forms/frmReportProgress.h"
#include "mainwindow/forms/frmResult.h"
#include "platform/forms/formregistry.h"
#include "platform/resources.h"
#include "spectra/forms/frmCmr.h"
#include "spectra/forms/frmIr.h"
#include "spectra/forms/frmMs.h"
#include "spectra/forms/frmPmr.h"
#include "spectra/forms/viewertoolbar.h"
#include "tests/settings/settingsfixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

using namespace orv;
using namespace orv::spectra;
using settingstest::withDefaults;

namespace {

using Change = std::function<void(ConfigSettings&)>;

// A main-window entry and how it should stand.
struct Entry {
    const char* name;
    int index;
    bool visible;
    bool enabled = true;
};

struct MenuCase {
    const char* what;
    Change change;
    std::vector<Entry> entries;
};

class Settings : public settingstest::SavedSettings {
protected:
    ModOrvan& m = modOrvan;

    frmOVMain* openMain()
    {
        m.CurrentUnknown = someUnknown();
        m.SessionNumber = 1;
        auto* w = forms::instance<frmOVMain>();
        forms::showModeless(w);
        return w;
    }
};

void expectEntries(frmOVMain* w, const MenuCase& c)
{
    for (const Entry& e : c.entries) {
        QAction* a = w->menuAction(QString::fromLatin1(e.name), e.index);
        ASSERT_NE(a, nullptr) << c.what << ": " << e.name << ' ' << e.index;
        EXPECT_EQ(a->isVisible(), e.visible) << c.what << ": " << e.name << ' ' << e.index;
        if (e.visible) {
            EXPECT_EQ(a->isEnabled(), e.enabled) << c.what << ": " << e.name << ' ' << e.index;
        }
    }
}

} // namespace

TEST_F(Settings, MainWindowMenusFollowEachSavedSetting)
{
    // clang-format off
    const std::vector<MenuCase> cases = {
        {"defaults", {},
         {{"mnuSound", -1, true}, {"mnuPassword", -1, true}, {"mnuSaveCont", -1, true}, {"mnuSaveNext", -1, true},
          {"mnuSaveQuit", -1, true}, {"mnuNextUser", -1, false}, {"mnuExit", -1, false},
          {"mnuPhysPropItem", 0, false}, {"mnuPhysPropItem", 1, true}, {"mnuPhysPropItem", 2, true},
          {"mnuPhysPropItem", 3, false}, {"mnuPhysPropItem", 5, true}, {"mnuPhysPropItem", 9, true},
          {"mnuChemTests", -1, false}, {"mnuDerivs", -1, false}, {"mnutools", -1, true},
          {"mnuNameItem", 0, true}, {"mnuNameItem", 1, true}, {"mnuNameItem", 2, true}, {"mnuNameItem", 3, true},
          {"mnuHelpGroup1", 2, true}, {"mnuHelpGroup2", 0, true}, {"mnuHelpGroup2", 1, false},
          {"mnuHelpGroup2", 2, false}, {"mnuHelpGroup5", 1, true}}},
        {"one session only", [](ConfigSettings& s) { s.MultipleSessionsAllowed = kFalse; },
         {{"mnuSaveCont", -1, false}, {"mnuSaveNext", -1, false}, {"mnuSaveQuit", -1, false},
          {"mnuNextUser", -1, true}, {"mnuExit", -1, true}, {"mnuPassword", -1, false}}},
        {"no passwords", [](ConfigSettings& s) { s.PasswordRequired = kFalse; },
         {{"mnuPassword", -1, false}, {"mnuSaveCont", -1, true}}},
        {"no sound", [](ConfigSettings& s) { s.SoundAllowed = kFalse; }, {{"mnuSound", -1, false}}},
        {"no boiling or melting point", [](ConfigSettings& s) { s.BpMpAllowed = kFalse; },
         {{"mnuPhysPropItem", 1, false}, {"mnuPhysPropItem", 2, false}, {"mnuPhysPropItem", 4, false},
          {"mnuPhysPropItem", 5, true}}},
        {"tests", [](ConfigSettings& s) { s.TestsAllowed = kTrue; },
         {{"mnuChemTests", -1, true}, {"mnuPhysPropItem", 0, true}, {"mnuPhysPropItem", 3, true},
          {"mnuHelpGroup2", 1, true}}},
        {"derivatives", [](ConfigSettings& s) { s.DerivsAllowed = kTrue; },
         {{"mnuDerivs", -1, true}, {"mnuHelpGroup2", 2, true}}},
        {"no carbon", [](ConfigSettings& s) { s.CmrAllowed = kFalse; },
         {{"mnuPhysPropItem", 5, false}, {"mnuPhysPropItem", 6, true}}},
        {"no infrared", [](ConfigSettings& s) { s.IrAllowed = kFalse; },
         {{"mnuPhysPropItem", 6, false}, {"mnuPhysPropItem", 5, true}}},
        {"no mass", [](ConfigSettings& s) { s.MsAllowed = kFalse; }, {{"mnuPhysPropItem", 7, false}}},
        {"no proton", [](ConfigSettings& s) { s.PmrAllowed = kFalse; }, {{"mnuPhysPropItem", 8, false}}},
        {"no ultraviolet", [](ConfigSettings& s) { s.UvAllowed = kFalse; },
         {{"mnuPhysPropItem", 9, false}, {"mnuPhysPropItem", 8, true}}},
        {"no spectra", [](ConfigSettings& s) { s.CmrAllowed = s.IrAllowed = s.MsAllowed = s.PmrAllowed = s.UvAllowed = kFalse; },
         {{"mnuPhysProp", -1, true}, {"mnuPhysPropItem", 4, false}, {"mnuHelpGroup1", 2, false},
          {"mnuHelpGroup2", 0, false}}},
        {"nothing to examine",
         [](ConfigSettings& s) {
             s.BpMpAllowed = s.TestsAllowed = kFalse;
             s.CmrAllowed = s.IrAllowed = s.MsAllowed = s.PmrAllowed = s.UvAllowed = kFalse;
         },
         {{"mnuPhysProp", -1, false}, {"mnuHelpGroup2", 3, false}}},
        {"no unknown help", [](ConfigSettings& s) { s.UnknownHelpAllowed = kFalse; }, {{"mnuHelpGroup5", 1, false}}},
        {"no proton shifts", [](ConfigSettings& s) { s.HShiftCalcAllowed = kFalse; },
         {{"mmnuToolsItem", 0, true, false}, {"mmnuToolsItem", 1, true, true}}},
        {"no couplings", [](ConfigSettings& s) { s.CouplingCalcAllowed = kFalse; }, {{"mmnuToolsItem", 1, true, false}}},
        {"no carbon shifts", [](ConfigSettings& s) { s.CShiftCalcAllowed = kFalse; }, {{"mmnuToolsItem", 2, true, false}}},
        {"no formulas", [](ConfigSettings& s) { s.FormulaCalcAllowed = kFalse; }, {{"mmnuToolsItem", 3, true, false}}},
        {"no masses", [](ConfigSettings& s) { s.MassCalcAllowed = kFalse; }, {{"mmnuToolsItem", 4, true, false}}},
        {"no isotopes", [](ConfigSettings& s) { s.IsotopeCalcAllowed = kFalse; },
         {{"mmnuToolsItem", 5, true, false}, {"mmnuToolsItem", 4, true, true}}},
        {"no calculators",
         [](ConfigSettings& s) {
             s.HShiftCalcAllowed = s.CouplingCalcAllowed = s.CShiftCalcAllowed = kFalse;
             s.FormulaCalcAllowed = s.MassCalcAllowed = s.IsotopeCalcAllowed = kFalse;
         },
         {{"mnutools", -1, false}}},
        {"type the name only", [](ConfigSettings& s) { s.TypeNameOnly = kTrue; s.OfferNameList = kFalse; },
         {{"mnuNameItem", 0, true}}},
        {"no typing", [](ConfigSettings& s) { s.TypeNameOnly = kFalse; s.OfferNameList = kFalse; },
         {{"mnuNameItem", 0, false}, {"mnuNameItem", 1, true}}},
        {"no choosing", [](ConfigSettings& s) { s.ChooseStructureAllowed = kFalse; }, {{"mnuNameItem", 1, false}}},
        {"no building", [](ConfigSettings& s) { s.GiveStructureAllowed = kFalse; }, {{"mnuNameItem", 2, false}}},
        {"no resigning", [](ConfigSettings& s) { s.ResignAllowed = kFalse; },
         {{"mnuNameItem", 3, false}, {"mnuNameItem", 2, true}}},
    };
    // clang-format on
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.what);
        resetModOrvan();
        InitProgram();
        ResetProgress();
        saveAndRead(withDefaults(c.change));
        frmOVMain* w = openMain();
        expectEntries(w, c);
        forms::unloadAll();
    }
}

TEST_F(Settings, SoundStartsAsAllowedAndTheEntryShowsIt)
{
    for (Boolean allowed : {kTrue, kFalse}) {
        saveAndRead(withDefaults([&](ConfigSettings& s) { s.SoundAllowed = allowed; }));
        EXPECT_EQ(m.SoundOn, allowed);
        frmOVMain* w = openMain();
        QAction* sound = w->menuAction(QStringLiteral("mnuSound"));
        ASSERT_NE(sound, nullptr);
        EXPECT_EQ(sound->isVisible(), isTrue(allowed));
        if (isTrue(allowed)) {
            EXPECT_TRUE(sound->isChecked());
        }
        forms::unloadAll();
    }
}

TEST_F(Settings, TheCaptionCarriesTheUnknownsNumberOnlyWhenAllowed)
{
    for (Boolean show : {kTrue, kFalse}) {
        saveAndRead(withDefaults([&](ConfigSettings& s) { s.ShowUnknownNumber = show; }));
        frmOVMain* w = openMain();
        const QString number = QStringLiteral("unknown %1, ").arg(m.CurrentUnknown);
        const QString expected = QStringLiteral("Orvanto assigns you ") + (isTrue(show) ? number : QString())
                               + m.UnkItemTitle[0];
        EXPECT_EQ(w->windowTitle(), expected);
        forms::unloadAll();
    }
}

TEST_F(Settings, TheNumberOfSimpleUnknownsDecidesWhenTheAdvancedOnesStart)
{
    // The advanced unknowns (above 20) are chosen once as many simple ones
    // as saved are done; before that a simple one is chosen.
    // clang-format off
    const struct { int n; const char* completed; bool advanced; } cases[] = {
        {0, "", true}, {3, "", false}, {20, "", false},
        {2, "05", false}, {2, "0511", true}, {2, "0533", false}, {1, "33", false}, {1, "3307", true},
    };
    // clang-format on
    // The rule of the choice, whichever unknowns this folder ships.
    setUnknownAvailability([](int) { return true; });
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.n) + " after \"" + c.completed + '"');
        ResetProgress();
        saveAndRead(withDefaults([&](ConfigSettings& s) { s.BasicUnknownsBeforeAdvanced = c.n; }));
        EXPECT_EQ(m.BasicUnknownsBeforeAdvanced, c.n);
        for (int draw = 0; draw < 5; ++draw) {
            m.CompletedUnknowns = QString::fromLatin1(c.completed);
            m.CurrentUnknown = 0;
            ChooseUnknown();
            EXPECT_EQ(m.CurrentUnknown > 20, c.advanced) << "chose " << m.CurrentUnknown;
            for (int i = 0; i + 1 < m.CompletedUnknowns.size(); i += 2)
                EXPECT_NE(m.CompletedUnknowns.mid(i, 2).toInt(), m.CurrentUnknown) << "a finished unknown again";
        }
    }
    setUnknownAvailability({});
}

TEST_F(Settings, ResultHelpFollowsItemHelp)
{
    for (Boolean allowed : {kTrue, kFalse}) {
        saveAndRead(withDefaults([&](ConfigSettings& s) { s.ItemHelpAllowed = allowed; }));
        m.CurrentUnknown = someUnknown();
        ASSERT_TRUE(ReadUnknownFile());
        m.CurrentItem = 2;
        auto* r = forms::instance<frmResult>();
        forms::showModeless(r);
        EXPECT_TRUE(r->cmdResultHelp->isVisible()) << "disabled, never hidden";
        EXPECT_EQ(r->cmdResultHelp->isEnabled(), isTrue(allowed));
        forms::unloadAll();
    }
}

TEST_F(Settings, ViewersOfferTheirToolsAsSaved)
{
    // Which viewer tools each case leaves enabled: correlations, proton
    // shift and coupling calculators (proton viewer), carbon shift
    // calculator (carbon viewer), formula, mass and isotope (mass viewer),
    // and the Help menus of all four.
    // clang-format off
    struct Case { const char* what; Change change; bool correlate, hShift, coupling, cShift, formula, mass, isotope, help; };
    const Case cases[] = {
        {"defaults", {}, true, true, true, true, true, true, true, true},
        {"no correlations", [](ConfigSettings& s) { s.CorrelationsAllowed = kFalse; }, false, true, true, true, true, true, true, true},
        {"no proton shifts", [](ConfigSettings& s) { s.HShiftCalcAllowed = kFalse; }, true, false, true, true, true, true, true, true},
        {"no couplings", [](ConfigSettings& s) { s.CouplingCalcAllowed = kFalse; }, true, true, false, true, true, true, true, true},
        {"no carbon shifts", [](ConfigSettings& s) { s.CShiftCalcAllowed = kFalse; }, true, true, true, false, true, true, true, true},
        {"no formulas", [](ConfigSettings& s) { s.FormulaCalcAllowed = kFalse; }, true, true, true, true, false, true, true, true},
        {"no masses", [](ConfigSettings& s) { s.MassCalcAllowed = kFalse; }, true, true, true, true, true, false, true, true},
        {"no isotopes", [](ConfigSettings& s) { s.IsotopeCalcAllowed = kFalse; }, true, true, true, true, true, true, false, true},
        {"no item help", [](ConfigSettings& s) { s.ItemHelpAllowed = kFalse; }, true, true, true, true, true, true, true, false},
    };
    // clang-format on
    auto open = [this](int item, auto* viewer) {
        m.CurrentItem = item;
        viewer->show();
        QApplication::processEvents();
        return viewer;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        saveAndRead(withDefaults(c.change));
        m.CurrentUnknown = someUnknown();
        ASSERT_TRUE(ReadUnknownFile());
        m.CurrentItem = 8;
        auto* p = open(8, forms::instance<frmPmr>());
        EXPECT_EQ(p->toolsItem(0)->isEnabled(), c.correlate);
        EXPECT_EQ(p->toolbar()->isButtonEnabled(QStringLiteral("correlate")), c.correlate);
        EXPECT_EQ(p->toolsItem(7)->isEnabled(), c.hShift);
        EXPECT_EQ(p->toolsItem(8)->isEnabled(), c.coupling);
        EXPECT_EQ(p->helpMenu()->isEnabled(), c.help);
        forms::unloadAll();
        auto* i = open(6, forms::instance<frmIr>());
        EXPECT_EQ(i->toolsItem(0)->isEnabled(), c.correlate);
        EXPECT_EQ(i->toolbar()->isButtonEnabled(QStringLiteral("correlate")), c.correlate);
        EXPECT_EQ(i->helpMenu()->isEnabled(), c.help);
        forms::unloadAll();
        auto* k = open(5, forms::instance<frmCmr>());
        EXPECT_EQ(k->toolsItem(0)->isEnabled(), c.correlate);
        EXPECT_EQ(k->toolbar()->isButtonEnabled(QStringLiteral("correlate")), c.correlate);
        EXPECT_EQ(k->toolsItem(5)->isEnabled(), c.cShift);
        EXPECT_EQ(k->helpMenu()->isEnabled(), c.help);
        forms::unloadAll();
        auto* s = open(7, forms::instance<frmMs>());
        EXPECT_EQ(s->toolsItem(4)->isEnabled(), c.formula);
        EXPECT_EQ(s->toolsItem(5)->isEnabled(), c.mass);
        EXPECT_EQ(s->toolsItem(6)->isEnabled(), c.isotope);
        EXPECT_EQ(s->helpMenu()->isEnabled(), c.help);
        forms::unloadAll();
    }
}

TEST_F(Settings, TheReportShowsTheRewardPictureAndAssignmentsAsSaved)
{
    struct Case {
        const char* what;
        Change change;
        bool picture, assign;
    };
    const Case cases[] = {
        {"defaults", {}, true, true},
        {"no reward picture", [](ConfigSettings& s) { s.ShowRewardPicture = kFalse; }, false, true},
        {"no assignments", [](ConfigSettings& s) { s.AssignmentsAllowed = kFalse; }, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgress();
        saveAndRead(withDefaults(c.change));
        m.CurrentUnknown = someUnknown();
        ASSERT_TRUE(ReadUnknownFile());
        m.UnkIdentified = kTrue;
        m.IdentifiedByName = kTrue;
        m.NameTypingTries = 1;
        auto* r = forms::instance<frmReportProgress>();
        forms::showModeless(r);
        EXPECT_EQ(r->picStrReward->isVisibleTo(r), c.picture);
        EXPECT_EQ(r->cmdAssign->isVisibleTo(r), c.assign);
        forms::unloadAll();
    }
}

TEST_F(Settings, NameTypingOffersSuggestionsOnlyWhenSaved)
{
    // clang-format off
    struct Case { const char* what; Change change; bool list; };
    const Case cases[] = {
        {"suggestions", {}, true},
        {"typing only", [](ConfigSettings& s) { s.TypeNameOnly = kTrue; s.OfferNameList = kFalse; }, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        saveAndRead(withDefaults(c.change));
        m.CurrentUnknown = someUnknown();
        ASSERT_TRUE(ReadUnknownFile());
        auto* n = forms::instance<frmNameTyping>();
        n->show();
        QApplication::processEvents();
        EXPECT_EQ(n->cboGetName->isVisible(), c.list);
        EXPECT_EQ(n->txtNameText->isVisible(), !c.list);
        forms::unloadAll();
    }
}

TEST_F(Settings, StartWindowChoosesTheSignInWindowAsSaved)
{
    const struct {
        Boolean chooses;
        const char* window;
        const char* other;
    } cases[] = {{kTrue, "frmUnkProgm", "frmUnkTeach"}, {kFalse, "frmUnkTeach", "frmUnkProgm"}};
    for (const auto& c : cases) {
        saveAndRead(withDefaults([&](ConfigSettings& s) { s.ProgramChoosesUnknowns = c.chooses; }));
        settingstest::WindowWatch watch;
        watch.on(QString::fromLatin1(c.window));
        watch.on(QString::fromLatin1(c.other));
        ASSERT_TRUE(startStudentProgram(QString()));
        auto* start = forms::loaded<frmInitial>();
        ASSERT_NE(start, nullptr);
        EXPECT_EQ(m.ProgramChoosesUnknowns, c.chooses) << "read again as the start window loads";
        start->cmdInitial_Click();
        EXPECT_EQ(watch.seen, QStringList{QString::fromLatin1(c.window)});
        forms::unloadAll();
        releaseSingleCopy();
    }
}

namespace {

// A returning student's file: one session done on a shipped unknown, with a
// password when one is given.
QString returningUser(const settingstest::SavedSettings&, const QString& folder, int unknown, const QString& password)
{
    auto& m = modOrvan;
    ResetProgress();
    m.UserFilePath = folder + QStringLiteral("/users/returning.ovg");
    m.CurrentUnknown = unknown;
    m.SessionNumber = 1;
    m.ItemsRevealed[2] = kTrue;
    m.Password = password;
    const Boolean required = m.PasswordRequired;
    m.PasswordRequired = kFalse; // no window while the file is prepared
    EXPECT_TRUE(WriteUserFile());
    m.PasswordRequired = required;
    return m.UserFilePath;
}

} // namespace

TEST_F(Settings, ReturningStudentGetsTipsAndPasswordWindowsAsSaved)
{
    // clang-format off
    struct Case { const char* what; Change change; QString password; QStringList windows; };
    const Case cases[] = {
        {"defaults", {}, QStringLiteral("kordavia"), {"frmTestPassword", "frmTips", "frmOldUser"}},
        {"no tips", [](ConfigSettings& s) { s.ShowTipsAtStart = kFalse; }, QStringLiteral("kordavia"),
         {"frmTestPassword", "frmOldUser"}},
        {"no passwords", [](ConfigSettings& s) { s.PasswordRequired = kFalse; }, QString(), {"frmTips", "frmOldUser"}},
        {"passwords, none given yet", {}, QString(), {"frmNewPassword", "frmTips", "frmOldUser"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ConfigSettings s = withDefaults(c.change);
        saveAndRead(s);
        const QString path = returningUser(*this, folder.path(), someUnknown(), c.password);
        resetModOrvan();
        settingstest::WindowWatch watch;
        settingstest::startAndContinue(path, watch, c.password);
        EXPECT_EQ(watch.seen, c.windows);
        EXPECT_NE(forms::find(forms::names::frmOVMain), nullptr) << "the student reaches the main window";
        forms::unloadAll();
        releaseSingleCopy();
    }
}

TEST_F(Settings, HelpWithTheUnknownPointsOnlyToWhatIsOffered)
{
    // clang-format off
    struct Case { const char* what; Change change; bool names, structures; const char* identify; };
    const Case cases[] = {
        {"defaults", {}, true, true, "Examine the spectra in detail."},
        {"typing only", [](ConfigSettings& s) { s.TypeNameOnly = kTrue; s.OfferNameList = kFalse; }, false, true,
         "Examine the spectra in detail."},
        {"no choosing", [](ConfigSettings& s) { s.ChooseStructureAllowed = kFalse; }, true, false,
         "Examine the spectra in detail."},
        {"derivatives too", [](ConfigSettings& s) { s.DerivsAllowed = kTrue; }, true, true,
         "Examine the spectra in detail (and/or perhaps prepare derivatives)."},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgress();
        saveAndRead(withDefaults(c.change));
        for (int item : {2, 3, 5, 6, 7, 8})
            m.ItemsRevealed[item] = kTrue;
        frmOVMain* w = openMain();
        QString text;
        orvtest::later([&] {
            if (auto* h = forms::loaded<frmHelp>()) {
                text = h->txtHelp->toPlainText();
                h->cmdHelpOk->click();
            }
        });
        w->clickMenu(QStringLiteral("mnuHelpGroup5"), 1);
        ASSERT_TRUE(text.startsWith(QStringLiteral("This unknown is "))) << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("Possible names may be viewed")), c.names);
        EXPECT_EQ(text.contains(QStringLiteral("Possible structures may be viewed")), c.structures);
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.identify))) << text.toStdString();
        forms::unloadAll();
    }
}

TEST_F(Settings, TheWelcomeBackNamesTheUnknownsNumberOnlyWhenAllowed)
{
    for (Boolean show : {kTrue, kFalse}) {
        saveAndRead(withDefaults([&](ConfigSettings& s) {
            s.ShowUnknownNumber = show;
            s.PasswordRequired = kFalse;
        }));
        const int unknown = someUnknown();
        const QString path = returningUser(*this, folder.path(), unknown, QString());
        resetModOrvan();
        settingstest::WindowWatch watch;
        QString text;
        watch.on(QStringLiteral("frmOldUser"), [&](QWidget* w) {
            text = qobject_cast<frmOldUser*>(w)->txtOldUser->toPlainText();
            forms::unload(w);
        });
        settingstest::startAndContinue(path, watch, QString());
        ASSERT_FALSE(text.isEmpty());
        EXPECT_EQ(text.contains(QStringLiteral("unknown %1, ").arg(unknown)), isTrue(show)) << text.toStdString();
        forms::unloadAll();
        releaseSingleCopy();
    }
}

TEST_F(Settings, ResigningAsksOnlyAboutWhatIsOffered)
{
    // Nothing revealed yet: the refusal lists the unseen spectra that are
    // offered and the unknown's help when it is offered.
    struct Case {
        const char* what;
        Change change;
        std::vector<int> unseen;
        bool help;
    };
    const Case cases[] = {
        {"defaults", {}, {5, 6, 7, 8}, true},
        {"no infrared, no mass", [](ConfigSettings& s) { s.IrAllowed = s.MsAllowed = kFalse; }, {5, 8}, true},
        {"no unknown help", [](ConfigSettings& s) { s.UnknownHelpAllowed = kFalse; }, {5, 6, 7, 8}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgress();
        saveAndRead(withDefaults(c.change));
        openMain();
        auto* w = qobject_cast<frmNoID*>(forms::load(forms::names::frmNoID));
        ASSERT_NE(w, nullptr);
        const QString text = w->txtNoIDText->toPlainText();
        EXPECT_TRUE(text.startsWith(QStringLiteral("Try a bit harder."))) << text.toStdString();
        for (int item = 5; item <= 8; ++item) {
            const bool listed = std::find(c.unseen.begin(), c.unseen.end(), item) != c.unseen.end();
            EXPECT_EQ(text.contains(QStringLiteral("        ") + LoadResString(itemNameResource(item))), listed)
                << item;
        }
        EXPECT_EQ(text.contains(QStringLiteral("\"Help with this unknown\"")), c.help);
        forms::unloadAll();
    }
}
