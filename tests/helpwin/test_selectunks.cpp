// The instructor's selection: the catalogue of unknowns and classes, the
// button grid and its highlighting, choosing an unknown and quitting.
#include "core/coreservices.h"
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "mainwindow/forms/frmSelectUnks.h"
#include "mainwindow/unknowncatalogue.h"
#include "mainwindow/unknownselection.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/twips.h"
#include "tests/helpwin/helpwinfixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>

using namespace orv;

TEST(UnknownCatalogue, ClassesAndMembershipsHoldTogether)
{
    const QStringList classes{"none",       "acyl halide", "alcohol",         "aldehyde",   "alkene", "amide",
                              "amine",      "arene",       "carboxylic acid", "cyanide",    "ester",  "ether",
                              "haloalkane", "haloarene",   "ketone",          "nitroarene", "phenol"};
    ASSERT_EQ(classes.size(), kCatalogueClasses);
    QMap<int, int> classCount;
    int memberships = 0;
    for (int k = 0; k < kCatalogueClasses; ++k) {
        EXPECT_EQ(catalogueClassName(k), classes[k]) << k;
        const QList<int> members = catalogueClassMembers(k);
        EXPECT_TRUE(std::is_sorted(members.begin(), members.end())) << classes[k].toStdString();
        for (int n : members) {
            EXPECT_TRUE(n >= 1 && n <= kCatalogueUnknowns) << n;
            ++classCount[n];
        }
        memberships += static_cast<int>(members.size());
    }
    EXPECT_EQ(memberships, 109);
    EXPECT_TRUE(catalogueClassMembers(0).isEmpty());
    QSet<int> twice;
    for (int n = 1; n <= kCatalogueUnknowns; ++n) {
        EXPECT_GE(classCount.value(n), 1) << "unknown " << n << " belongs to no class";
        EXPECT_FALSE(catalogueName(n).trimmed().isEmpty()) << n;
        if (classCount.value(n) == 2)
            twice.insert(n);
    }
    EXPECT_EQ(twice, QSet<int>({23, 38, 47, 82, 39, 54, 71, 84, 99, 76}));
    EXPECT_EQ(catalogueName(1), "benzoic acid");
    EXPECT_EQ(catalogueName(48), " pyridine") << "the tool tip of unknown 48 begins with a blank";
    EXPECT_EQ(catalogueName(99), "4-bromotoluene");
    EXPECT_TRUE(catalogueName(0).isEmpty());
    EXPECT_TRUE(catalogueName(100).isEmpty());
    EXPECT_TRUE(catalogueClassMembers(-1).isEmpty());
    EXPECT_TRUE(catalogueClassMembers(17).isEmpty());
}

TEST(UnknownSelection, ButtonsStandTenToARow)
{
    struct Case {
        int n;
        QPoint at;
    };
    const Case cases[]{
        {1, {300, 980}},    {2, {750, 980}},   {10, {4350, 980}},  {11, {300, 1380}},
        {55, {2100, 2980}}, {91, {300, 4580}}, {99, {3900, 4580}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(selectionButtonPosition(c.n), c.at) << c.n;
}

namespace {

class SelectUnksTest : public ::testing::Test {
protected:
    void SetUp() override { helpwintest::registerWindows(); }
    void TearDown() override { helpwintest::unloadEverything(); }

    frmSelectUnks* open()
    {
        auto* w = qobject_cast<frmSelectUnks*>(forms::load(forms::names::frmSelectUnks));
        forms::showModeless(w);
        return w;
    }
    QList<int> orange(const frmSelectUnks* w) const
    {
        QList<int> out;
        for (int n = 1; n <= 99; ++n)
            if (w->buttonColour(n) == frmSelectUnks::kClassColour)
                out << n;
            else
                EXPECT_EQ(w->buttonColour(n), frmSelectUnks::kPlainColour) << n;
        return out;
    }

    helpwintest::Folder folder{1};
    ModOrvan& m = modOrvan;
};

} // namespace

TEST_F(SelectUnksTest, LoadingStartsInstructorModeWithAPlainGrid)
{
    m.QuitReason = "Save";
    frmSelectUnks* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(forms::find(forms::names::frmSelectUnks), w);
    EXPECT_TRUE(isTrue(m.InstructorMode));
    EXPECT_EQ(m.QuitReason, "SecretAllocate");
    EXPECT_EQ(w->windowTitle(), "Select an unknown");
    EXPECT_TRUE(w->lblSelectUnks->text().startsWith("This option is intended for special use by instructors only. \n"));
    EXPECT_FALSE(w->cmdUnk[0]->isVisible()) << "the template is never shown";
    for (int n = 1; n <= 99; ++n) {
        ASSERT_TRUE(w->cmdUnk[n]->isVisible()) << n;
        EXPECT_EQ(w->cmdUnk[n]->text(), QString::number(n));
        EXPECT_EQ(w->cmdUnk[n]->toolTip(), catalogueName(n));
    }
    EXPECT_EQ(w->findChildren<QPushButton*>().size(), 100 + 1) << "99 unknowns, the template and Quit";
    EXPECT_EQ(w->lstType->count(), 17);
    EXPECT_EQ(w->lstType->currentRow(), 0);
    EXPECT_EQ(w->lstType->currentItem()->text(), "none");
    EXPECT_EQ(w->lblType->text(), "type");
    EXPECT_EQ(w->cmdQuitAll->toolTip(), "Click here to finish with Orvanto");
    EXPECT_TRUE(orange(w).isEmpty());
    // The last row holds 91..99; its tenth place is empty.
    const QRect last = w->cmdUnk[99]->geometry();
    EXPECT_EQ(w->childAt(last.center() + QPoint(px(450), 0)), nullptr);
}

TEST_F(SelectUnksTest, HighlightingAClass)
{
    frmSelectUnks* w = open();
    struct Case {
        const char* name;
        int k;
        QList<int> lit;
    };
    const Case cases[]{
        {"arene", 7, {10, 23, 38, 39, 43, 44, 47, 51, 54, 56, 71, 80, 81, 82, 84, 94, 99}},
        {"amide after arene: nothing of arene left", 5, {7, 12, 60, 64, 74, 76}},
        {"ester", 10, {19, 20, 25, 32, 57, 76}},
        {"ether", 11, {13, 26, 33, 72, 86, 90, 92}},
        {"nitroarene", 15, {23, 38, 47, 82}},
        {"none", 0, {}},
        {"ketone", 14, {16, 17, 18, 21, 31, 70}},
        {"no selection", -1, {}},
        {"beyond the list", 17, {}},
    };
    for (const Case& c : cases) {
        w->ColourButtons(c.k);
        EXPECT_EQ(orange(w), c.lit) << c.name;
    }
}

TEST_F(SelectUnksTest, HighlightShowsOnTheButtons)
{
    frmSelectUnks* w = open();
    w->ColourButtons(7);
    const QImage lit = w->cmdUnk[94]->grab().toImage();
    const QImage plain = w->cmdUnk[92]->grab().toImage();
    const QColor litColour = lit.pixelColor(4, 4);
    const QColor plainColour = plain.pixelColor(4, 4);
    EXPECT_EQ(litColour, QColor(0xFF, 0xC1, 0x25)) << litColour.name().toStdString();
    EXPECT_EQ(plainColour, QColor(0xFF, 0xFF, 0x80)) << plainColour.name().toStdString();
}

TEST_F(SelectUnksTest, ListEventsRecolourTheGrid)
{
    frmSelectUnks* w = open();
    // Keys: the selection moves on the key press, the grid follows on release.
    w->lstType->setFocus();
    QTest::keyClick(w->lstType, Qt::Key_Down);
    EXPECT_EQ(w->lstType->currentRow(), 1);
    EXPECT_EQ(orange(w), QList<int>({2, 59, 73}));
    // The mouse: released over "phenol".
    QListWidgetItem* phenol = w->lstType->item(16);
    w->lstType->scrollToItem(phenol);
    const QPoint at = w->lstType->visualItemRect(phenol).center();
    QTest::mouseClick(w->lstType->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(w->lstType->currentRow(), 16);
    EXPECT_EQ(orange(w), QList<int>({30, 45, 49, 88, 91, 97}));
    // A key released with nothing selected colours nothing.
    w->lstType->setCurrentRow(-1);
    QTest::keyRelease(w->lstType, Qt::Key_Shift);
    EXPECT_TRUE(orange(w).isEmpty());
}

TEST_F(SelectUnksTest, ChoosingAnUnknownHandsOverToTheMainWindow)
{
    m.ResignAllowed = kTrue;
    m.ShowUnknownNumber = kTrue;
    m.ExampleMode = kTrue; // an example the instructor left unfinished
    m.ItemsRevealed[3] = kTrue;
    m.SessionNumber = 4;
    m.CompletedUnknowns = "01";
    QPointer<frmSelectUnks> w = open();
    // By the keyboard: Tab to the unknown's button, then Enter.
    installFocusedButtonEnter();
    w->cmdUnk[1]->setFocus();
    QTest::keyClick(w->cmdUnk[1], Qt::Key_Return);

    EXPECT_EQ(m.CurrentUnknown, 1);
    EXPECT_FALSE(isTrue(m.ItemsRevealed[3]));
    EXPECT_EQ(m.SessionNumber, 1);
    EXPECT_FALSE(isTrue(m.ExampleMode));
    EXPECT_FALSE(m.UnkItemTitle[0].isEmpty()) << "the unknown's file was read";
    EXPECT_EQ(m.MainCaption, "Orvanto assigns you unknown 1, " + m.UnkItemTitle[0]);
    EXPECT_EQ(m.StatusPanelText[4], "session 1");
    EXPECT_NEAR(secondsWorked(), 0, 5);
    EXPECT_EQ(m.CompletedUnknowns, "01") << "an unknown already done may be chosen again";
    EXPECT_EQ(m.QuitReason, "SecretAllocate");
    EXPECT_EQ(orvtest::programEnds(), 0);
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(forms::find(forms::names::frmSelectUnks), nullptr);
    auto* main = qobject_cast<helpwintest::frmOVMain*>(forms::find(forms::names::frmOVMain));
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(main->entry("mnuNameItem3")->isVisible()) << "no resigning in instructor mode";
    EXPECT_TRUE(main->entry("mnuNameItem0")->isVisible());
}

TEST_F(SelectUnksTest, AnUnknownNotShippedCannotBeChosen)
{
    frmSelectUnks* w = open();
    EXPECT_FALSE(w->cmdUnk[51]->isEnabled());
    w->cmdUnk[51]->click();
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(orvtest::programEnds(), 0);
    EXPECT_NE(forms::find(forms::names::frmSelectUnks), nullptr);
}

TEST_F(SelectUnksTest, AnUnreadableUnknownEndsTheProgram)
{
    QFile damaged(unknownFilePath(50));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not an unknown\r\n");
    damaged.close();
    frmSelectUnks* w = open();
    w->cmdUnk[50]->click();
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_TRUE(orvtest::msgLog().lastPrompt().startsWith("Error reading file "));
    EXPECT_EQ(orvtest::programEnds(), 1);
    EXPECT_EQ(forms::find(forms::names::frmOVMain), nullptr);
}

TEST_F(SelectUnksTest, QuitOrClosingEndsTheProgram)
{
    struct Case {
        const char* name;
        std::function<void(frmSelectUnks*)> leave;
    };
    const Case cases[]{
        {"Quit button", [](frmSelectUnks* w) { w->cmdQuitAll->click(); }},
        {"close box", [](frmSelectUnks* w) { w->close(); }},
        {"Enter on Quit",
         [](frmSelectUnks* w) {
             installFocusedButtonEnter();
             w->cmdQuitAll->setFocus();
             QTest::keyClick(w->cmdQuitAll, Qt::Key_Enter, Qt::KeypadModifier);
         }},
    };
    for (const Case& c : cases) {
        orvtest::programEnds() = 0;
        m.QuitReason = "NoSave";
        frmSelectUnks* w = open();
        c.leave(w);
        EXPECT_EQ(orvtest::programEnds(), 1) << c.name;
        EXPECT_EQ(m.QuitReason, "SecretAllocate") << c.name;
        EXPECT_EQ(forms::find(forms::names::frmSelectUnks), nullptr) << c.name;
    }
}

TEST_F(SelectUnksTest, PlacedOnTheMainWindowOnlyWhenItIsEnabled)
{
    m.ScreenTopOffset = 600;
    frmSelectUnks* w = open();
    EXPECT_NEAR(formRectTwips(w).y(), 600 + 1900, 15) << "no main window: near the top of the screen";
    forms::unload(w);

    auto* main = forms::instance<helpwintest::frmOVMain>();
    setFormGeometry(main, 1500, 3000, 9400, 6800);
    forms::showModeless(main);
    w = open();
    const QRect mr = formRectTwips(main);
    const QRect r = formRectTwips(w);
    EXPECT_NEAR(r.y(), mr.y() + (mr.height() - r.height()) / 2, 15);
    EXPECT_NEAR(r.x(), mr.x() + (mr.width() - r.width()) / 2, 15);
    forms::unload(w);

    main->setEnabled(false);
    w = open();
    EXPECT_NEAR(formRectTwips(w).y(), 600 + 1900, 15);
}
