// The Give structure window walked offscreen: building, Continue into the
// progress report, Cancel, help, the start picture's sound, and every
// shipped unknown built from its type, subtype and substituents.
#include "core/coreservices.h"
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "mainwindow/forms/frmReportProgress.h"
#include "mainwindow/forms/registermainwindow.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/twips.h"
#include "structure/forms/frmGiveStructure.h"
#include "structure/forms/registerstructure.h"
#include "tests/common/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace orv;

namespace {

// What the progress report found when it opened.
struct SeenReport {
    bool shown = false;
    QString title;
    QString text;
    Boolean identified = kFalse, byGiving = kFalse;
    int tries = -1;
    int item = -1;
    bool builderGone = false;
};

void answerReport(SeenReport& seen)
{
    orvtest::later([&seen] {
        auto* r = forms::loaded<frmReportProgress>();
        if (!r)
            return;
        seen.shown = true;
        seen.title = r->windowTitle();
        seen.text = r->txtReport->toPlainText();
        seen.identified = modOrvan.UnkIdentified;
        seen.byGiving = modOrvan.IdentifiedByGiving;
        seen.tries = modOrvan.StructGiveTries;
        seen.item = modOrvan.CurrentItem;
        seen.builderGone = forms::find(forms::names::frmGiveStructure) == nullptr;
        r->cmdReportok->click();
    });
}

struct GiveStructure : ::testing::Test {
    orvtest::ProgramFolder folder;
    void SetUp() override
    {
        registerMainwindowForms();
        registerStructureForms();
        orvtest::scriptRandom({0.0});
        auto& m = modOrvan;
        m.ProgramPath = folder.path();
        m.MaxUnknownNumber = 99;
        ResetProgress();
        m.ProgramChoosesUnknowns = kFalse;
        m.AllocatedUnknowns.clear();
        m.CurrentUnknown = 16;
        m.StructCodeCount = 2;
        m.StructCodes[1] = QStringLiteral("M1AB");
        m.StructCodes[2] = QStringLiteral("M1BA");
    }
    void TearDown() override
    {
        forms::unloadAll();
        frmGiveStructure::soundPlayer() = [](const QString& kind) { PlayResourceSound(kind); };
    }
    frmGiveStructure* open()
    {
        auto* w = qobject_cast<frmGiveStructure*>(forms::load(forms::names::frmGiveStructure));
        EXPECT_NE(w, nullptr);
        return w;
    }
};

// Selects the entry with this text (a click on it); false when it is not listed.
bool pick(QListWidget* list, const QString& text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    list->setCurrentItem(found.first());
    return true;
}

// Chooses by list texts and the Select buttons; nullptr skips a step.
::testing::AssertionResult choose(frmGiveStructure* w, const char* type, const char* subtype, const char* x,
                                  const char* y = nullptr, const char* z = nullptr)
{
    if (!pick(w->lstCompType, QLatin1String(type)))
        return ::testing::AssertionFailure() << "no type " << type;
    w->cmdCompType->click();
    if (subtype) {
        if (!w->frmSubType->isVisibleTo(w) || !pick(w->lstSubType, QLatin1String(subtype)))
            return ::testing::AssertionFailure() << "no subtype " << subtype;
        w->cmdSubType->click();
    }
    const std::tuple<const char*, QListWidget*, QPushButton*> steps[] = {{x, w->lstX, w->cmdSelectX},
                                                                         {y, w->lstY, w->cmdSelectY},
                                                                         {z, w->lstZ, w->cmdSelectZ}};
    for (auto [text, list, button] : steps) {
        if (!text)
            continue;
        if (!list->isVisibleTo(w) || !pick(list, QLatin1String(text)))
            return ::testing::AssertionFailure() << "no substituent " << text;
        button->click();
    }
    return ::testing::AssertionSuccess();
}

// Where a control stands, compared in whole pixels of the designed twips.
QPoint at(int leftTw, int topTw) { return {px(leftTw), px(topTw)}; }

} // namespace

TEST_F(GiveStructure, LoadState)
{
    auto* w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Give structure"));
    EXPECT_NEAR(formRectTwips(w).width(), 9200, 15);
    EXPECT_NEAR(formRectTwips(w).height(), 6000 + CaptionExtraTwips(), 15);
    ASSERT_EQ(w->lstCompType->count(), 14);
    EXPECT_EQ(w->lstCompType->item(0)->text(), QStringLiteral("acyl halide"));
    EXPECT_EQ(w->lstCompType->item(13)->text(), QStringLiteral("phenol"));
    EXPECT_FALSE(w->cmdCompType->isEnabled());
    EXPECT_FALSE(w->cmdSubType->isEnabled());
    EXPECT_FALSE(w->cmdGSOk->isEnabled());
    EXPECT_FALSE(w->frmSubType->isVisibleTo(w));
    EXPECT_FALSE(w->frmSubstituents->isVisibleTo(w));
    EXPECT_FALSE(w->txtGiveStruct->isVisibleTo(w));
    EXPECT_TRUE(w->picBaseStruct->isVisibleTo(w));
    EXPECT_EQ(w->picBaseStruct->pixmap().size(), QSize(102, 102));
    EXPECT_EQ(w->picBaseStruct->pos(), at(3550, 350));
    EXPECT_EQ(w->txtStructure->toPlainText(), QStringLiteral("\n\n\n\n\nbuild your structure here"));
    EXPECT_EQ(w->cmdGSOk->toolTip(), QStringLiteral("Click here to continue with Orvanto"));
    EXPECT_EQ(w->txtStructure->toolTip(), QStringLiteral("Assemble structure here"));
    pick(w->lstCompType, QStringLiteral("ketone"));
    EXPECT_TRUE(w->cmdCompType->isEnabled());
}

TEST_F(GiveStructure, RightStructureIdentifiesAndOpensTheReport)
{
    auto& m = modOrvan;
    m.StructGiveTries = 2;
    auto* w = open();
    ASSERT_TRUE(choose(w, "ketone", "acyclic ketone", "ethyl"));
    EXPECT_FALSE(w->cmdGSOk->isEnabled()) << "Y is still to choose";
    ASSERT_TRUE(choose(w, "ketone", "acyclic ketone", "ethyl", "methyl"));
    EXPECT_TRUE(w->cmdGSOk->isEnabled());
    EXPECT_EQ(w->state().structureCode(), QStringLiteral("M1BA"));
    EXPECT_EQ(w->lstX->currentRow(), -1) << "the choice leaves no highlight";
    EXPECT_TRUE(w->picXSub->isVisibleTo(w));
    EXPECT_EQ(w->picXSub->pixmap().size(), QSize(67, 25));
    SeenReport seen;
    answerReport(seen);
    w->cmdGSOk->click();
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(seen.builderGone);
    EXPECT_EQ(seen.identified, kTrue);
    EXPECT_EQ(seen.byGiving, kTrue);
    EXPECT_EQ(seen.tries, 3);
    EXPECT_EQ(seen.item, 1);
    EXPECT_TRUE(seen.text.contains(QStringLiteral("Identification was by supplying a structure.")));
}

TEST_F(GiveStructure, WrongStructureIsCountedAndReportedAsWrong)
{
    auto& m = modOrvan;
    m.StructGiveTries = 97;
    auto* w = open();
    ASSERT_TRUE(choose(w, "ketone", "acyclic ketone", "methyl", "methyl"));
    SeenReport seen;
    answerReport(seen);
    w->cmdGSOk->click();
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QStringLiteral("Sorry"));
    EXPECT_EQ(seen.identified, kFalse);
    EXPECT_EQ(seen.byGiving, kFalse);
    EXPECT_EQ(seen.tries, 98);
    EXPECT_EQ(m.UnkIdentified, kFalse);

    w = open();
    ASSERT_TRUE(choose(w, "ketone", "acyclic ketone", "methyl", "methyl"));
    SeenReport again;
    answerReport(again);
    w->cmdGSOk->click();
    EXPECT_EQ(again.tries, 98) << "the counter stops at 98";
}

TEST_F(GiveStructure, CancelAndTheCloseBoxChangeNothing)
{
    auto& m = modOrvan;
    m.StructGiveTries = 5;
    for (bool closeBox : {false, true}) {
        auto* w = open();
        ASSERT_TRUE(choose(w, "ketone", "acyclic ketone", "methyl", "ethyl"));
        SeenReport seen;
        answerReport(seen);
        if (closeBox)
            w->close();
        else
            w->cmdGCancel->click();
        QTest::qWait(20);
        EXPECT_FALSE(seen.shown);
        EXPECT_EQ(forms::find(forms::names::frmGiveStructure), nullptr);
        EXPECT_EQ(m.StructGiveTries, 5);
        EXPECT_EQ(m.UnkIdentified, kFalse);
        EXPECT_EQ(m.IdentifiedByGiving, kFalse);
    }
    // The next opening starts from the load state.
    auto* w = open();
    EXPECT_FALSE(w->frmSubstituents->isVisibleTo(w));
    EXPECT_EQ(w->picBaseStruct->pixmap().size(), QSize(102, 102));
}

TEST_F(GiveStructure, PicturesStandWhereTheTablesPutThem)
{
    auto* w = open();
    ASSERT_TRUE(choose(w, "amine", "(2-substituted) aniline", "methyl"));
    EXPECT_EQ(w->picBaseStruct->pos(), at(3800, 400)) << "the picture stands right of the reference point";
    EXPECT_EQ(w->picXSub->pos(), at(3400 + 1350, 400 + 420));
    EXPECT_TRUE(w->cmdGSOk->isEnabled());
    EXPECT_FALSE(w->lstY->isVisibleTo(w));

    // A half-built amide gives way to a new type; its picture stays until a subtype.
    ASSERT_TRUE(choose(w, "amide", nullptr, "hydrogen", "methyl"));
    EXPECT_TRUE(w->lstZ->isVisibleTo(w));
    EXPECT_FALSE(w->cmdGSOk->isEnabled());
    ASSERT_TRUE(pick(w->lstCompType, QStringLiteral("alcohol")));
    w->cmdCompType->click();
    EXPECT_FALSE(w->frmSubstituents->isVisibleTo(w));
    EXPECT_FALSE(w->picXSub->isVisibleTo(w));
    EXPECT_FALSE(w->picYSub->isVisibleTo(w));
    EXPECT_EQ(w->picBaseStruct->pixmap().size(), QSize(100, 82));
    EXPECT_EQ(w->lstSubType->count(), 3);
    EXPECT_EQ(w->lstSubType->currentRow(), -1);
}

TEST_F(GiveStructure, DoubleClicksActLikeTheSelectButtons)
{
    auto* w = open();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    auto dbl = [](QListWidget* list, const QString& text) {
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        const QPoint at = list->visualItemRect(found.first()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    };
    dbl(w->lstCompType, QStringLiteral("cyanide"));
    ASSERT_TRUE(w->frmSubType->isVisibleTo(w));
    dbl(w->lstSubType, QStringLiteral("aliphatic cyanide"));
    EXPECT_EQ(w->state().BaseCode, QStringLiteral("I1"));
    dbl(w->lstX, QStringLiteral("ethyl"));
    EXPECT_EQ(w->state().XCode, QStringLiteral("B"));
    EXPECT_TRUE(w->cmdGSOk->isEnabled());
}

TEST_F(GiveStructure, OpensByNameAndModally)
{
    // The main window's Identity menu knows the window only by its name.
    EXPECT_TRUE(forms::isRegistered(forms::names::frmGiveStructure));
    bool seen = false;
    orvtest::later([&seen] {
        auto* w = forms::loaded<frmGiveStructure>();
        seen = w && w->isModal() && w->isVisible();
        if (w)
            w->cmdGCancel->click();
    });
    EXPECT_TRUE(forms::showModal(forms::names::frmGiveStructure));
    EXPECT_TRUE(seen);
    EXPECT_EQ(forms::find(forms::names::frmGiveStructure), nullptr);
    EXPECT_EQ(modOrvan.StructGiveTries, 0);
}

TEST_F(GiveStructure, SelectWithoutASelectionDoesNothing)
{
    auto* w = open();
    ASSERT_TRUE(choose(w, "arene", "1,2-disubstituted benzene", nullptr, "nitro"));
    EXPECT_EQ(w->lstY->currentRow(), -1);
    w->cmdSelectX->click();
    EXPECT_TRUE(w->state().XCode.isEmpty());
    EXPECT_FALSE(w->picXSub->isVisibleTo(w));
    EXPECT_FALSE(w->cmdGSOk->isEnabled()) << "X is always required";
    ASSERT_TRUE(pick(w->lstX, QStringLiteral("methyl")));
    w->cmdSelectX->click();
    EXPECT_TRUE(w->cmdGSOk->isEnabled());
    w->cmdSelectY->click();
    EXPECT_EQ(w->state().YCode, QStringLiteral("F")) << "pressing Select again at once keeps the choice";
    EXPECT_EQ(w->state().structureCode(), QStringLiteral("G2AF"));
}

TEST_F(GiveStructure, TheDrawingAreaHandsItsFocusOnToContinue)
{
    auto* w = open();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    ASSERT_TRUE(choose(w, "phenol", "(2-substituted) phenol", "hydrogen"));
    QTest::mouseClick(w->txtStructure->viewport(), Qt::LeftButton);
    EXPECT_TRUE(w->cmdGSOk->hasFocus());
    EXPECT_FALSE(w->txtStructure->hasFocus());
}

TEST_F(GiveStructure, TabFollowsTheStepsOfBuilding)
{
    auto* w = open();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    EXPECT_TRUE(w->lstCompType->hasFocus()) << "the first step has the focus";
    ASSERT_TRUE(choose(w, "arene", "1,2,3-trisubstituted benzene", nullptr));
    ASSERT_TRUE(w->lstZ->isVisibleTo(w));
    w->cmdGSHelp->click(); // the help text takes its turn too
    w->lstCompType->setFocus();
    // clang-format off
    const QList<QWidget*> expected = {w->cmdCompType, w->lstSubType, w->cmdSubType, w->lstX,      w->cmdSelectX,
                                      w->lstY,        w->cmdSelectY, w->lstZ,       w->cmdSelectZ, w->txtGiveStruct,
                                      w->cmdGSHelp,   w->cmdGCancel, w->lstCompType}; // Continue is still disabled
    // clang-format on
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), next)
            << "after Tab: "
            << (QApplication::focusWidget() ? qPrintable(QApplication::focusWidget()->objectName()) : "none")
            << ", expected " << qPrintable(next->objectName());
    }
    // Backwards from the list: Cancel, not a stop on the drawing area.
    QTest::keyClick(w->lstCompType, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), w->cmdGCancel);
}

// Nothing of a list is chosen: the student has selected no entry in it.
static ::testing::AssertionResult nothingChosen(const QListWidget* list)
{
    if (list->selectedItems().isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << qPrintable(list->selectedItems().first()->text()) << " is chosen in "
                                         << qPrintable(list->objectName());
}

// The focus arriving in a list chooses nothing: the Select button beside it
// stays as it was, and Enter or Select takes nothing; only the student's own
// choice does.
TEST_F(GiveStructure, TheFocusArrivingInAListChoosesNothing)
{
    auto* w = open();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    ASSERT_TRUE(w->lstCompType->hasFocus());
    EXPECT_TRUE(nothingChosen(w->lstCompType));
    EXPECT_FALSE(w->cmdCompType->isEnabled());
    QTest::keyClick(w->lstCompType, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(w->state().SubTypeName.isEmpty()) << "Enter picked " << qPrintable(w->state().SubTypeName);
    EXPECT_FALSE(w->frmSubType->isVisibleTo(w));
    EXPECT_FALSE(w->frmSubstituents->isVisibleTo(w)) << "acyl halide was not chosen";
    // Away and back by Tab: still nothing.
    w->cmdGSHelp->setFocus();
    QTest::keyClick(w->cmdGSHelp, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w->lstCompType);
    EXPECT_TRUE(nothingChosen(w->lstCompType));
    EXPECT_FALSE(w->cmdCompType->isEnabled());

    // The subtype list when Tab first enters it.
    ASSERT_TRUE(pick(w->lstCompType, QStringLiteral("arene")));
    w->cmdCompType->click();
    ASSERT_TRUE(w->frmSubType->isVisibleTo(w));
    w->cmdCompType->setFocus();
    QTest::keyClick(w->cmdCompType, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w->lstSubType);
    EXPECT_TRUE(nothingChosen(w->lstSubType));
    EXPECT_FALSE(w->cmdSubType->isEnabled());
    QTest::keyClick(w->lstSubType, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(w->state().BaseCode.isEmpty());
    EXPECT_FALSE(w->frmSubstituents->isVisibleTo(w));

    // Once enabled the Select button stays so; after the list is filled
    // again for another type, Tab into it still leaves Select nothing to take.
    ASSERT_TRUE(pick(w->lstSubType, QStringLiteral("1,2-disubstituted benzene")));
    ASSERT_TRUE(w->cmdSubType->isEnabled());
    ASSERT_TRUE(pick(w->lstCompType, QStringLiteral("phenol")));
    w->cmdCompType->click();
    w->cmdCompType->setFocus();
    QTest::keyClick(w->cmdCompType, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w->lstSubType);
    EXPECT_TRUE(nothingChosen(w->lstSubType));
    w->cmdSubType->click();
    EXPECT_TRUE(w->state().BaseCode.isEmpty());
    EXPECT_TRUE(w->state().SubTypeName.isEmpty()) << "took " << qPrintable(w->state().SubTypeName);

    // The substituent lists alike: Tab into X, then Select X takes nothing.
    ASSERT_TRUE(pick(w->lstSubType, QStringLiteral("(2-substituted) phenol")));
    w->cmdSubType->click();
    ASSERT_TRUE(w->lstX->isVisibleTo(w));
    w->cmdSubType->setFocus();
    QTest::keyClick(w->cmdSubType, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w->lstX);
    EXPECT_TRUE(nothingChosen(w->lstX));
    w->cmdSelectX->click();
    EXPECT_TRUE(w->state().XCode.isEmpty());
    EXPECT_FALSE(w->cmdGSOk->isEnabled());
}

// Each way the student chooses a compound type enables Select, and Select
// then takes that type: a click, the arrow keys (from where the focus
// shows), a typed letter, Space on the entry with the focus.
TEST_F(GiveStructure, TheStudentsOwnChoiceEnablesSelect)
{
    // The entry a key moves to, from the one with the focus (none: the first).
    const auto below = [](QListWidget* l) { return l->item(std::max(l->currentRow() + 1, 0))->text(); };
    const auto focused = [](QListWidget* l) { return l->item(std::max(l->currentRow(), 0))->text(); };
    struct Way {
        const char* name;
        std::function<QString(QListWidget*)> expected; // worked out before the act
        std::function<void(QListWidget*)> act;
    };
    const Way ways[] = {
        {"click", [](QListWidget*) { return QStringLiteral("alcohol"); },
         [](QListWidget* l) {
             QListWidgetItem* item = l->findItems(QStringLiteral("alcohol"), Qt::MatchExactly).value(0);
             ASSERT_TRUE(item);
             QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(item).center());
         }},
        {"Down arrow", below, [](QListWidget* l) { QTest::keyClick(l, Qt::Key_Down); }},
        {"typed letter", [](QListWidget*) { return QStringLiteral("ketone"); },
         [](QListWidget* l) { QTest::keyClick(l, Qt::Key_K); }},
        {"Space", focused, [](QListWidget* l) { QTest::keyClick(l, Qt::Key_Space); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        auto* w = open();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        ASSERT_TRUE(w->lstCompType->hasFocus());
        ASSERT_FALSE(w->cmdCompType->isEnabled());
        const QString expected = way.expected(w->lstCompType);
        way.act(w->lstCompType);
        EXPECT_TRUE(w->cmdCompType->isEnabled());
        w->cmdCompType->click();
        EXPECT_EQ(w->state().SubTypeName, expected);
        forms::unloadAll();
    }
    // The subtype list by the Down arrow after Tab entered it.
    auto* w = open();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    ASSERT_TRUE(pick(w->lstCompType, QStringLiteral("phenol")));
    w->cmdCompType->click();
    w->cmdCompType->setFocus();
    QTest::keyClick(w->cmdCompType, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w->lstSubType);
    const QString expected = below(w->lstSubType);
    QTest::keyClick(w->lstSubType, Qt::Key_Down);
    EXPECT_TRUE(w->cmdSubType->isEnabled());
    w->cmdSubType->click();
    EXPECT_EQ(w->state().SubTypeName, expected);
    EXPECT_TRUE(w->lstX->isVisibleTo(w));
}

TEST_F(GiveStructure, EveryButtonOnShowHasItsOwnAccessKey)
{
    auto* w = open();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    ASSERT_TRUE(choose(w, "arene", "1,2,3-trisubstituted benzene", nullptr));
    QMap<QString, QString> keys;
    for (QPushButton* b : w->findChildren<QPushButton*>()) {
        if (!b->isVisibleTo(w))
            continue;
        const QString key = QKeySequence::mnemonic(b->text()).toString();
        ASSERT_FALSE(key.isEmpty()) << qPrintable(b->text());
        EXPECT_FALSE(keys.contains(key)) << qPrintable(b->text()) << " and " << qPrintable(keys.value(key));
        keys.insert(key, b->text());
        // The key is a letter of the caption.
        EXPECT_TRUE(b->text().remove(u'&').contains(key.back(), Qt::CaseInsensitive)) << qPrintable(b->text());
    }
    // Alt+E selects the subtype, Alt+S the compound type.
    ASSERT_TRUE(pick(w->lstSubType, QStringLiteral("1,3-disubstituted benzene")));
    // An access key presses its button after the press animation.
    QTest::keyClick(w, Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([w] { return w->state().BaseCode == QStringLiteral("G3"); }, 2000));
    ASSERT_TRUE(pick(w->lstCompType, QStringLiteral("amide")));
    QTest::keyClick(w, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([w] { return w->lstZ->isVisibleTo(w); }, 2000)) << "the amide's substituents";
}

TEST_F(GiveStructure, RefilledListsStartAtTheTop)
{
    auto* w = open();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    ASSERT_TRUE(choose(w, "arene", "1,2,3-trisubstituted benzene", nullptr));
    QApplication::processEvents();
    for (QListWidget* list : {w->lstX, w->lstY, w->lstZ}) {
        ASSERT_GT(list->verticalScrollBar()->maximum(), 0) << "the list scrolls";
        list->scrollToBottom();
    }
    ASSERT_TRUE(pick(w->lstSubType, QStringLiteral("1,2,4-trisubstituted benzene")));
    w->cmdSubType->click();
    QApplication::processEvents();
    for (QListWidget* list : {w->lstX, w->lstY, w->lstZ}) {
        EXPECT_EQ(list->verticalScrollBar()->value(), 0) << qPrintable(list->objectName());
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(0)).center()))
            << qPrintable(list->item(0)->text()) << ", the first entry, is in view";
    }
    // The same for the subtypes after the compound type is chosen again.
    ASSERT_GT(w->lstSubType->verticalScrollBar()->maximum(), 0);
    w->lstSubType->scrollToBottom();
    ASSERT_TRUE(choose(w, "arene", nullptr, nullptr));
    QApplication::processEvents();
    EXPECT_EQ(w->lstSubType->verticalScrollBar()->value(), 0);
}

TEST_F(GiveStructure, EscapeIsCancel)
{
    auto* w = open();
    w->show();
    ASSERT_TRUE(choose(w, "phenol", "(2-substituted) phenol", "hydrogen"));
    QTest::keyClick(w->lstX, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(forms::find(forms::names::frmGiveStructure), nullptr);
    EXPECT_EQ(modOrvan.StructGiveTries, 0);
}

TEST_F(GiveStructure, HelpShowsAndHides)
{
    auto* w = open();
    w->cmdGSHelp->click();
    EXPECT_TRUE(w->txtGiveStruct->isVisibleTo(w));
    const QString first = w->txtGiveStruct->toPlainText();
    EXPECT_TRUE(first.startsWith(QStringLiteral("Build a structural formula")));
    w->cmdGSHelp->click();
    EXPECT_FALSE(w->txtGiveStruct->isVisibleTo(w));
    w->cmdGSHelp->click();
    EXPECT_EQ(w->txtGiveStruct->toPlainText(), first) << "shown again, not doubled";
    EXPECT_EQ(w->cmdGSHelp->text(), QStringLiteral("&Help"));
}

TEST_F(GiveStructure, StartPictureWorksOnlyBeforeTheFirstTypeAndWithSound)
{
    QStringList played;
    frmGiveStructure::soundPlayer() = [&played](const QString& kind) { played << kind; };
    auto& m = modOrvan;
    auto* w = open();
    m.SoundOn = kFalse;
    QTest::mouseClick(w->picBaseStruct, Qt::LeftButton);
    EXPECT_TRUE(played.isEmpty());
    m.SoundOn = kTrue;
    QTest::mouseClick(w->picBaseStruct, Qt::LeftButton);
    EXPECT_EQ(played, QStringList{QStringLiteral("Work")});
    ASSERT_TRUE(pick(w->lstCompType, QStringLiteral("ester")));
    w->cmdCompType->click();
    QTest::mouseClick(w->picBaseStruct, Qt::LeftButton);
    EXPECT_EQ(played.size(), 1);
}

// Every shipped unknown, built the way a student would, is accepted.
TEST_F(GiveStructure, EveryShippedUnknownCanBeBuilt)
{
    // clang-format off
    struct Build { int unknown; const char* type; const char* subtype; const char* x; const char* y; const char* z; };
    const Build builds[] = {
        {0, "ester", "acyclic ester", "phenyl (Ph)", "ethyl", nullptr},                         // ethyl benzoate
        {1, "carboxylic acid", "(2-substituted) benzoic acid", "hydrogen", nullptr, nullptr},   // benzoic acid
        {2, "acyl halide", nullptr, "phenyl (Ph)", "chlorine", nullptr},                        // benzoyl chloride
        {3, "alcohol", "acyclic alcohol", "methyl", "hydrogen", nullptr},                       // ethanol
        {4, "alcohol", "acyclic alcohol", "phenyl (Ph)", "hydrogen", nullptr},                  // benzyl alcohol
        {5, "aldehyde", "aliphatic aldehyde", "ethyl", nullptr, nullptr},                       // propanal
        {6, "aldehyde", "(2-substituted) benzaldehyde", "hydrogen", nullptr, nullptr},          // benzaldehyde
        {7, "amide", nullptr, "ethyl", "hydrogen", "hydrogen"},                                 // propanamide
        {8, "amine", "saturated aliphatic amine", "ethyl", "ethyl", nullptr},                   // diethylamine
        {9, "amine", "(2-substituted) aniline", "hydrogen", nullptr, nullptr},                  // aniline
        {10, "arene", "(monosubstituted) benzene", "methyl", nullptr, nullptr},                 // toluene
        {11, "cyanide", "aliphatic cyanide", "ethyl", nullptr, nullptr},                        // propanenitrile
        {12, "amide", nullptr, "methyl", "hydrogen", "hydrogen"},                               // acetamide
        {13, "arene", "(monosubstituted) benzene", "methoxy", nullptr, nullptr},                // anisole
        {14, "haloalkane", "acyclic haloalkane", "n-propyl (C3)", "hydrogen", "bromine"},       // 1-bromobutane
        {15, "haloalkane", "acyclic haloalkane", "phenyl (Ph)", "hydrogen", "chlorine"},        // benzyl chloride
        {16, "ketone", "acyclic ketone", "methyl", "ethyl", nullptr},                           // butanone
        {17, "ketone", "(2-substituted)cyclopentanone", "hydrogen", nullptr, nullptr},          // cyclopentanone
        {18, "ketone", "acyclic ketone", "methyl", "phenyl (Ph)", nullptr},                     // acetophenone
        {19, "ester", "acyclic ester", "ethyl", "methyl", nullptr},                             // methyl propanoate
        {20, "ester", "acyclic ester", "methyl", "n-propyl (C3)", nullptr},                     // propyl acetate
        {21, "ketone", "acyclic ketone", "phenyl (Ph)", "1-(methyl)ethyl", nullptr},
        {22, "amine", "(2-substituted) aniline", "ethyl", nullptr, nullptr},
        {23, "arene", "1,4-disubstituted benzene", "chlorine", "nitro", nullptr},
        {24, "cyanide", "aliphatic cyanide", "1-(methyl)ethyl", nullptr, nullptr},
        {25, "ester", "acyclic ester", "chloromethyl", "ethyl", nullptr},
        {26, "ether", "cyclic ether", "a = 1, b = 2", nullptr, nullptr},
        {27, "alcohol", "acyclic alcohol", "n-pentyl (C5)", "hydrogen", nullptr},
        {28, "amine", "2,5-disubstituted aniline", "methoxy", "methyl", nullptr},
        {29, "cyanide", "aliphatic cyanide", "ethenyl", nullptr, nullptr},
        {30, "phenol", "(2-substituted) phenol", "methyl", nullptr, nullptr},
        {31, "ketone", "acyclic ketone", "phenyl (Ph)", "phenyl (Ph)", nullptr},
        {32, "ester", "acyclic ester", "methyl", "phenyl (Ph)", nullptr},
        {33, "ether", "cyclic ether", "a = 0, b = 2", nullptr, nullptr},
        {34, "amine", "2,4-disubstituted aniline", "nitro", "methyl", nullptr},
        {35, "amine", "(2-substituted) aniline", "chlorine", nullptr, nullptr},
        {36, "amine", "2,4-disubstituted aniline", "methyl", "nitro", nullptr},
        {37, "alcohol", "(substituted) cyclohexanol", "hydrogen", nullptr, nullptr},
        {38, "arene", "1,3-disubstituted benzene", "methyl", "nitro", nullptr},
        {39, "arene", "1,3-disubstituted benzene", "bromine", "methyl", nullptr},
        {40, "cyanide", "(2-substituted) benzonitrile", "hydrogen", nullptr, nullptr},
        {41, "amine", "N,(N)-(di)substituted aniline", "ethyl", "ethyl", nullptr},
        {42, "amine", "N,(N)-(di)substituted aniline", "hydrogen", "ethyl", nullptr},
        {43, "arene", "(substituted) anthracene", "hydrogen", "hydrogen", nullptr},
        {44, "arene", "1,3-disubstituted benzene", "methyl", "methyl", nullptr},
        {45, "phenol", "3-substituted phenol", "methyl", nullptr, nullptr},
        {46, "amine", "(substituted) quinoline", "hydrogen", "hydrogen", nullptr},
        {47, "arene", "1,2-disubstituted benzene", "methyl", "nitro", nullptr},
        {48, "amine", "(substituted) pyridine", "hydrogen", "hydrogen", nullptr},
        {49, "phenol", "4-substituted phenol", "methyl", nullptr, nullptr},
        {50, "alkene", "(substituted) cyclohexene", "hydrogen", nullptr, nullptr},
        {51, "arene", "(substituted) naphthalene", "hydrogen", "hydrogen", nullptr},
        {52, "amine", "3-substituted aniline", "chlorine", nullptr, nullptr},
        {53, "amine", "4-substituted aniline", "methyl", nullptr, nullptr},
        {54, "arene", "1,2,4-trisubstituted benzene", "methyl", "chlorine", "chlorine"},
        {55, "alcohol", "acyclic alcohol", "phenoxymethylene", "hydrogen", nullptr},
        {56, "arene", "1,2,4-trisubstituted benzene", "methyl", "nitro", "nitro"},
        {57, "ester", "cyclic ester (lactone)", "hydrogen", "hydrogen", nullptr},
        {58, "haloalkane", "acyclic haloalkane", "n-pentyl (C5)", "hydrogen", "bromine"},
        {59, "acyl halide", nullptr, "ethyl", "chlorine", nullptr},
        {60, "amide", nullptr, "methyl", "hydrogen", "phenyl"},
        {61, "aldehyde", "4-substituted benzaldehyde", "methoxy", nullptr, nullptr},
        {62, "alkene", "(substituted) cyclohexene", "methyl", nullptr, nullptr},
        {63, "haloalkane", "acyclic haloalkane", "n-propyl (C3)", "hydrogen", "chlorine"},
        {64, "amide", nullptr, "methyl", "hydrogen", "4-ethoxyphenyl"},
        {65, "carboxylic acid", "disubstituted benzoic acid", "3,4-methylenedioxy", nullptr, nullptr},
        {66, "haloalkane", "acyclic haloalkane", "ethyl", "hydrogen", "iodine"},
        {67, "carboxylic acid", "aliphatic acid", "methyl", "methyl", nullptr},
        {68, "alkene", "monosubstituted alkene", "n-butyl (C4)", nullptr, nullptr},
        {69, "aldehyde", "4-substituted benzaldehyde", "methyl", nullptr, nullptr},
        {70, "ketone", "acyclic ketone", "methyl", "3-(methyl)butyl", nullptr},
        {71, "arene", "1,2-disubstituted benzene", "chlorine", "chlorine", nullptr},
        {72, "arene", "(monosubstituted) benzene", "phenoxy (PhO)", nullptr, nullptr},
        {73, "acyl halide", nullptr, "benzyl (PhCH2)", "chlorine", nullptr},
        {74, "amide", nullptr, "methyl", "methyl", "methyl"},
        {75, "carboxylic acid", "aliphatic acid", "ethyl", "hydrogen", nullptr},
        {76, "amide", nullptr, "ethoxycarbonyl", "hydrogen", "hydrogen"},
        {77, "aldehyde", "4-substituted benzaldehyde", "chlorine", nullptr, nullptr},
        {78, "aldehyde", "aliphatic aldehyde", "Ph-CH=CH-", nullptr, nullptr},
        {79, "alkene", "monosubstituted alkene", "n-decyl (C10)", nullptr, nullptr},
        {80, "arene", "(substituted) naphthalene", "methyl", "hydrogen", nullptr},
        {81, "arene", "(substituted) naphthalene", "hydrogen", "methyl", nullptr},
        {82, "arene", "1,2,3-trisubstituted benzene", "methyl", "nitro", "methyl"},
        {83, "cyanide", "(2-substituted) benzonitrile", "chlorine", nullptr, nullptr},
        {84, "arene", "1,2-disubstituted benzene", "methyl", "chlorine", nullptr},
        {85, "cyanide", "2,5-disubstituted benzonitrile", "methyl", "methyl", nullptr},
        {86, "ether", "aliphatic ether", "n-butyl (C4)", "n-butyl (C4)", nullptr},
        {87, "alkene", "monosubstituted alkene", "n-propyl (C3)", nullptr, nullptr},
        {88, "phenol", "3-substituted phenol", "chlorine", nullptr, nullptr},
        {89, "carboxylic acid", "aliphatic acid", "Ph-CO-CH2", "hydrogen", nullptr},
        {90, "ether", "aliphatic ether", "methyl", "tert-butyl (C4)", nullptr},
        {91, "phenol", "4-substituted phenol", "tert-butyl (C4)", nullptr, nullptr},
        {92, "arene", "1,3,5-trisubstituted benzene", "chlorine", "methoxy", "methoxy"},
        {93, "alkene", "monosubstituted alkene", "n-hexyl (C6)", nullptr, nullptr},
        {94, "arene", "1,2-disubstituted benzene", "chlorine", "nitro", nullptr},
        {95, "alcohol", "acyclic alcohol", "methyl", "ethyl", nullptr},
        {96, "haloalkane", "(2-substituted) halocyclohexane", "hydrogen", "bromine", nullptr},
        {97, "phenol", "4-substituted phenol", "bromine", nullptr, nullptr},
        {98, "carboxylic acid", "4-substituted benzoic acid", "tert-butyl (C4)", nullptr, nullptr},
        {99, "arene", "1,4-disubstituted benzene", "methyl", "bromine", nullptr},
    };
    // clang-format on
    const QStringList sources =
        QDir(orvtest::sourceFile(QStringLiteral("data/compounds"))).entryList({QStringLiteral("u*.toml")}, QDir::Files);
    ASSERT_EQ(sources.size(), int(std::size(builds))) << "every shipped unknown needs a build here";
    for (const Build& b : builds) {
        SCOPED_TRACE(testing::Message() << "unknown " << b.unknown);
        auto& m = modOrvan;
        const QString name = QStringLiteral("unks/ovunk") + UnknownFileCode(b.unknown) + QStringLiteral(".txt");
        folder.copyFromSource(QStringLiteral("data/") + name, name);
        ResetProgress();
        m.AllocatedUnknowns.clear();
        m.CurrentUnknown = b.unknown;
        ASSERT_TRUE(ReadUnknownFile());
        ASSERT_GE(m.StructCodeCount, 1);
        auto* w = open();
        ASSERT_TRUE(choose(w, b.type, b.subtype, b.x, b.y, b.z));
        ASSERT_TRUE(w->cmdGSOk->isEnabled());
        const QString code = w->state().structureCode();
        SeenReport seen;
        answerReport(seen);
        w->cmdGSOk->click();
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.identified, kTrue) << code.toStdString() << " is not among the accepted codes";
        EXPECT_EQ(seen.byGiving, kTrue);
        EXPECT_EQ(seen.tries, 1);
        forms::unloadAll();
    }
}
