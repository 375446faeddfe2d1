// Each road from an identification window to the progress report, walked
// through the windows offscreen.
#include "core/coreservices.h"
#include "mainwindow/forms/frmNameTyping.h"
#include "mainwindow/forms/frmNoID.h"
#include "mainwindow/forms/frmReportProgress.h"
#include "mainwindow/forms/frmStructure.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/resources.h"
#include "tests/ident/identfixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace orv;

namespace {

struct SeenReport {
    bool shown = false;
    QString title;
    QString text;
    bool assignVisible = false;
    bool pictureVisible = false;
    bool captionVisible = false;
    QString caption;
    QString captionAfterClick;
    // The caption box shows its whole text, or lets the student scroll to it.
    bool captionReadable = false, captionAfterClickReadable = false;
    bool reportReadable = false; // the report box shows every line without scrolling
    // The colour the caption box's field is painted in.
    QColor captionColour, captionAfterClickColour;
    // The progress as the report found it (Continue may start another unknown).
    int nameTries = -1, chooseTries = -1;
    Boolean byName = kFalse, byChoosing = kFalse;
};

bool wholeTextReadable(QPlainTextEdit* box)
{
    if (box->verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded)
        return true;
    // The box's own size: its viewport follows only once the window lays out.
    const int margins = 2 * (box->frameWidth() + int(box->document()->documentMargin()));
    const int bar = box->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn
                      ? box->verticalScrollBar()->sizeHint().width()
                      : 0;
    const QRect need = QFontMetrics(box->font())
                           .boundingRect(QRect(0, 0, box->width() - margins - bar, 100000), Qt::TextWordWrap,
                                         box->toPlainText());
    return need.height() <= box->height() - margins;
}

// Once the progress report shows, reads it and leaves it by Continue (or by
// its close box).
void answerReport(SeenReport& seen, bool closeBox = false)
{
    orvtest::later([&seen, closeBox] {
        auto* r = forms::loaded<frmReportProgress>();
        if (!r)
            return;
        seen.shown = true;
        seen.title = r->windowTitle();
        seen.text = r->txtReport->toPlainText();
        seen.reportReadable = wholeTextReadable(r->txtReport);
        seen.assignVisible = r->cmdAssign->isVisibleTo(r);
        seen.pictureVisible = r->picStrReward->isVisibleTo(r);
        seen.captionVisible = r->txtStrReward->isVisibleTo(r);
        seen.caption = r->txtStrReward->toPlainText();
        seen.captionReadable = wholeTextReadable(r->txtStrReward);
        seen.captionColour = r->txtStrReward->viewport()->palette().color(
            r->txtStrReward->viewport()->backgroundRole());
        seen.nameTries = modOrvan.NameTypingTries;
        seen.chooseTries = modOrvan.StructChooseTries;
        seen.byName = modOrvan.IdentifiedByName;
        seen.byChoosing = modOrvan.IdentifiedByChoosing;
        if (seen.pictureVisible) {
            QTest::mouseClick(r->picStrReward, Qt::LeftButton);
            seen.captionAfterClick = r->txtStrReward->toPlainText();
            seen.captionAfterClickReadable = wholeTextReadable(r->txtStrReward);
            seen.captionAfterClickColour = r->txtStrReward->viewport()->palette().color(
                r->txtStrReward->viewport()->backgroundRole());
        }
        if (closeBox)
            r->close();
        else
            r->cmdReportok->click();
    });
}

QString lf(const QString& crlf)
{
    QString t = crlf;
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

int heightTwips(QWidget* w) { return formRectTwips(w).height(); }

struct Roads : ::testing::Test {
    identtest::Unknown7 u;
    // Nothing left to allocate: Continue after a right answer ends the list
    // instead of reading another unknown's file from the empty folder.
    void SetUp() override { modOrvan.AllocatedUnknowns.clear(); }
    void TearDown() override { forms::unloadAll(); }
};

} // namespace

TEST_F(Roads, AWrongThenARightTypedName)
{
    auto& m = modOrvan;
    m.UnknownHelpAllowed = kTrue;
    identtest::reveal({5, 8});
    orvtest::scriptRandom({0.5, 0.9, 0.0});

    auto* w = qobject_cast<frmNameTyping*>(forms::load(forms::names::frmNameTyping));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Identify the compound by name"));
    EXPECT_FALSE(w->cboGetName->isVisibleTo(w));
    EXPECT_TRUE(w->txtNameText->isVisibleTo(w));
    EXPECT_FALSE(w->txtNameText->isReadOnly());
    EXPECT_EQ(w->lblNameTyping->text(),
              QStringLiteral("Type the name exactly as shown in the Orvanto tables or textbook."));
    EXPECT_NEAR(heightTwips(w), 2100 + CaptionExtraTwips(), 15);
    w->txtNameText->setText(QStringLiteral("methanol"));
    SeenReport wrong;
    answerReport(wrong);
    w->cmdNameTest->click();
    ASSERT_TRUE(wrong.shown);
    EXPECT_EQ(wrong.title, QStringLiteral("Sorry"));
    EXPECT_EQ(wrong.text,
              lf(QStringLiteral(
                  "Sadly that is false. Please keep trying.\r\n\r\n"
                  "Perhaps you should review the information that you already have and/or obtain some more data."
                  "\r\n\r\nTry the menu item \"Help with this unknown\" for some ideas.")));
    EXPECT_EQ(forms::find(forms::names::frmNameTyping), nullptr);
    EXPECT_EQ(forms::find(forms::names::frmReportProgress), nullptr);
    EXPECT_EQ(m.NameTypingTries, 1);
    EXPECT_EQ(m.UnkIdentified, kFalse);
    EXPECT_EQ(m.CompletedUnknowns, QStringLiteral("03"));
    EXPECT_TRUE(m.UnkResults[2].resultLine.isEmpty());

    w = qobject_cast<frmNameTyping*>(forms::load(forms::names::frmNameTyping));
    w->txtNameText->setText(QStringLiteral("ETHANOL"));
    SeenReport right;
    answerReport(right);
    w->cmdNameTest->click();
    ASSERT_TRUE(right.shown);
    EXPECT_EQ(right.title, QStringLiteral("Progress report"));
    EXPECT_TRUE(right.text.startsWith(
        QStringLiteral("Congratulations, this is correct.\nYou obtained 2 items of information.")));
    EXPECT_TRUE(right.text.contains(
        QStringLiteral("\n1 unsuccessful attempt at identification by typing the name was made.\n")));
    EXPECT_FALSE(right.assignVisible);
    EXPECT_EQ(right.nameTries, 2);
    EXPECT_EQ(right.byName, kTrue);
    EXPECT_EQ(m.CompletedUnknowns, QStringLiteral("0307"));
    EXPECT_EQ(m.UnkResults[2].resultLine,
              QStringLiteral("02000000000000000000ethanol").replace(13, 3, QStringLiteral("102")));
    EXPECT_EQ(m.UnkResults[2].sessionTime, QStringLiteral("0013"));
    EXPECT_EQ(m.DataSaved, kFalse);
}

TEST_F(Roads, KeysOutsideNamesAreDiscardedAndEnterTests)
{
    auto* w = qobject_cast<frmNameTyping*>(forms::load(forms::names::frmNameTyping));
    w->show();
    QTest::keyClicks(w->txtNameText, QStringLiteral("eth?an&o*l"));
    EXPECT_EQ(w->txtNameText->text(), QStringLiteral("ethanol"));
    SeenReport seen;
    answerReport(seen);
    QTest::keyClick(w->txtNameText, Qt::Key_Return);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QStringLiteral("Progress report"));
    EXPECT_EQ(seen.byName, kTrue);
}

// With the candidate list the keys reach the combo box, which holds the
// focus; the same filter must act there.
TEST_F(Roads, TheCandidateListFiltersKeysAndEnterTests)
{
    modOrvan.OfferNameList = kTrue;
    auto* w = qobject_cast<frmNameTyping*>(forms::load(forms::names::frmNameTyping));
    w->show();
    QTest::keyClicks(w->cboGetName, QStringLiteral("eth?an&o*l"));
    EXPECT_EQ(w->cboGetName->currentText(), QStringLiteral("ethanol"));
    SeenReport seen;
    answerReport(seen);
    QTest::keyClick(w->cboGetName, Qt::Key_Return);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QStringLiteral("Progress report"));
    EXPECT_EQ(seen.byName, kTrue);
}

TEST_F(Roads, ANameChosenFromTheCandidates)
{
    auto& m = modOrvan;
    m.OfferNameList = kTrue;
    m.AssignmentsAllowed = kTrue;
    auto* w = qobject_cast<frmNameTyping*>(forms::load(forms::names::frmNameTyping));
    EXPECT_TRUE(w->cboGetName->isVisibleTo(w));
    EXPECT_FALSE(w->txtNameText->isVisibleTo(w));
    EXPECT_NEAR(heightTwips(w), 2100 + CaptionExtraTwips() + 600, 15);
    ASSERT_EQ(w->cboGetName->count(), 4);
    EXPECT_EQ(w->cboGetName->itemText(0), QStringLiteral("methanol"));
    EXPECT_TRUE(w->cboGetName->currentText().isEmpty());
    w->cboGetName->setCurrentIndex(1);
    SeenReport seen;
    answerReport(seen);
    w->cmdNameTest->click();
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(seen.assignVisible);
    EXPECT_EQ(seen.byName, kTrue);
    EXPECT_EQ(m.UnkResults[2].resultLine.mid(13, 3), QStringLiteral("101"));
}

TEST_F(Roads, ATypedBeginningIsNotCompletedFromTheCandidates)
{
    modOrvan.OfferNameList = kTrue;
    auto* w = qobject_cast<frmNameTyping*>(forms::load(forms::names::frmNameTyping));
    w->show();
    w->activateWindow();
    w->cboGetName->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClicks(w->cboGetName->lineEdit(), QStringLiteral("propan"));
    EXPECT_EQ(w->cboGetName->currentText(), QStringLiteral("propan"));
    SeenReport seen;
    answerReport(seen);
    QTest::keyClick(w->cboGetName->lineEdit(), Qt::Key_Return);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QStringLiteral("Sorry"));
    EXPECT_EQ(modOrvan.NameTypingTries, 1);
}

TEST_F(Roads, CancelLeavesEverythingAsItWas)
{
    auto* w = qobject_cast<frmNameTyping*>(forms::load(forms::names::frmNameTyping));
    w->txtNameText->setText(QStringLiteral("ethanol"));
    w->cmdnameCancel->click();
    EXPECT_EQ(modOrvan.NameTypingTries, 0);
    EXPECT_EQ(modOrvan.UnkIdentified, kFalse);
    u.copyPictures();
    auto* s = qobject_cast<frmStructure*>(forms::load(forms::names::frmStructure));
    s->cmdStructureOk->click();
    EXPECT_EQ(modOrvan.StructChooseTries, 0);
    EXPECT_TRUE(forms::loadedForms().isEmpty());
}

TEST_F(Roads, AWrongThenARightStructurePicture)
{
    u.copyPictures();
    auto& m = modOrvan;
    auto* w = qobject_cast<frmStructure*>(forms::load(forms::names::frmStructure));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Click on correct structure or use Tab and press Enter"));
    EXPECT_EQ(w->PictureCount, 6);
    EXPECT_EQ(w->AnswerPicture, 1);
    for (int k = 0; k < 6; ++k)
        EXPECT_TRUE(w->Structure[k]->isVisibleTo(w)) << k;
    EXPECT_EQ(w->cmdStructureOk->text(), QStringLiteral("&Cancel"));
    // Column centres 1567, 4601, 7635 twips; rows at 1200 and 3600.
    EXPECT_NEAR(w->Structure[4]->geometry().center().x() * 15, 4601, 30);
    EXPECT_NEAR(w->Structure[4]->geometry().center().y() * 15, 3600, 30);

    w->show();
    QTest::mouseMove(w->Structure[3]);
    EXPECT_EQ(w->SelectedPicture, 3);
    EXPECT_EQ(w->Structure[3]->palette().color(QPalette::Window), vbColour(0xFFFF00));
    EXPECT_EQ(w->Structure[0]->palette().color(QPalette::Window), vbColour(0xFFFFFF));
    SeenReport wrong;
    answerReport(wrong);
    QTest::mouseClick(w->Structure[0], Qt::LeftButton);
    ASSERT_TRUE(wrong.shown);
    EXPECT_EQ(wrong.title, QStringLiteral("Sorry"));
    EXPECT_EQ(m.StructChooseTries, 1);
    EXPECT_EQ(m.UnkIdentified, kFalse);

    // Focus on picture 2, pointer on picture 1, then the pointer leaves for
    // the background: Enter on the focused picture chooses picture 1.
    w = qobject_cast<frmStructure*>(forms::load(forms::names::frmStructure));
    w->Structure_GotFocus(2);
    w->Structure_MouseMove(1);
    w->Form_MouseMove();
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(w->Structure[k]->palette().color(QPalette::Window), vbColour(0xFFFFFF)) << k;
    SeenReport right;
    answerReport(right);
    QTest::keyClick(w->Structure[2], Qt::Key_Return);
    ASSERT_TRUE(right.shown);
    EXPECT_TRUE(right.text.contains(QStringLiteral("\nIdentification was by choosing a structure.\n")));
    EXPECT_TRUE(right.text.contains(
        QStringLiteral("\n1 unsuccessful attempt at identification by choosing a structure was made.\n")));
    EXPECT_EQ(right.chooseTries, 2);
    EXPECT_EQ(right.byChoosing, kTrue);
    EXPECT_EQ(m.UnkResults[2].resultLine, QStringLiteral("00000000000002000200ethanol"));
}

TEST_F(Roads, AMissingPictureLeavesOnlyTheMessage)
{
    u.copyPictures();
    modOrvan.StructChoiceLine = QStringLiteral("Aaaabzzac");
    auto* w = qobject_cast<frmStructure*>(forms::load(forms::names::frmStructure));
    for (int k = 0; k < 6; ++k)
        EXPECT_FALSE(w->Structure[k]->isVisibleTo(w)) << k;
    EXPECT_TRUE(w->txtStructure->isVisibleTo(w));
    EXPECT_EQ(
        w->txtStructure->toPlainText(),
        lf(QStringLiteral("Error loading file ") + u.folder.path()
           + QStringLiteral(
               "/gifs/ovstzz.gif\r\n\r\n"
               "Identification by choosing a structure is not possible for this unknown. You will have to type a name.")));
    EXPECT_EQ(w->cmdStructureOk->text(), QStringLiteral("&Continue"));
    w->cmdStructureOk->click();
    EXPECT_EQ(modOrvan.StructChooseTries, 0);
}

TEST_F(Roads, ARefusedThenAnAcceptedResignation)
{
    auto& m = modOrvan;
    m.CmrAllowed = m.IrAllowed = m.AnySpectrumAllowed = kTrue;
    identtest::reveal({5, 6});
    m.NameTypingTries = 2;
    m.ShowRewardPicture = kTrue;
    auto* w = qobject_cast<frmNoID*>(forms::load(forms::names::frmNoID));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Resign from identifying this unknown"));
    EXPECT_EQ(w->txtNoIDText->toPlainText(),
              QStringLiteral("Try a bit harder.\n\nYou have only made 2 attempts at identifying the compound."));
    w->cmdNoIDOk->click();
    EXPECT_TRUE(forms::loadedForms().isEmpty()) << "a refusal opens no report";
    EXPECT_EQ(m.UnkIdentified, kFalse);
    EXPECT_EQ(m.ShowReportAfterResign, kFalse);

    m.NameTypingTries = 3;
    w = qobject_cast<frmNoID*>(forms::load(forms::names::frmNoID));
    EXPECT_TRUE(
        w->txtNoIDText->toPlainText().startsWith(QStringLiteral("A lot of information has been revealed to you.")));
    EXPECT_EQ(m.ShowReportAfterResign, kTrue);
    SeenReport seen;
    answerReport(seen);
    w->cmdNoIDOk->click();
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(
        seen.text.startsWith(QStringLiteral("Sorry that you could not identify the unknown. It was ethanol.\n")));
    EXPECT_TRUE(seen.text.contains(
        QStringLiteral("\n3 unsuccessful attempts at identification by typing the name were made.\n")));
    EXPECT_TRUE(seen.pictureVisible) << "the reward picture follows a resignation too";
    EXPECT_EQ(m.CompletedUnknowns, QStringLiteral("0307"));
    EXPECT_EQ(m.UnkResults[2].resultLine, QStringLiteral("02000000000000030000ethanol"));
}

TEST_F(Roads, TheCloseBoxAfterAResignationStillRecordsItOnce)
{
    auto& m = modOrvan;
    m.TestsAllowed = m.DerivsAllowed = kFalse;
    m.NameTypingTries = 3;
    auto* w = qobject_cast<frmNoID*>(forms::load(forms::names::frmNoID));
    ASSERT_EQ(m.ShowReportAfterResign, kTrue);
    SeenReport seen;
    answerReport(seen, /*closeBox=*/true);
    w->show();
    w->close();
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(m.CompletedUnknowns, QStringLiteral("0307"));
    EXPECT_EQ(m.UnkResults[2].resultLine.mid(13, 1), QStringLiteral("0"));
    // The report's close box acted as Continue: no unknown is left, so
    // nothing stays identified that a second report could record again.
    EXPECT_EQ(m.AllUnknownsDone, kTrue);
    EXPECT_EQ(m.CurrentUnknown, 0);
    EXPECT_EQ(m.UnkIdentified, kFalse);
    EXPECT_EQ(m.ShowReportAfterResign, kFalse);
    EXPECT_TRUE(forms::loadedForms().isEmpty());
}

TEST_F(Roads, TheFirstCompletedUnknownShowsThePictureWithTheIntroduction)
{
    auto& m = modOrvan;
    m.CompletedUnknowns.clear();
    m.ShowRewardPicture = kTrue;
    m.UnkIdentified = m.IdentifiedByName = kTrue;
    m.NameTypingTries = 1;
    SeenReport seen;
    answerReport(seen);
    ASSERT_TRUE(forms::showModal(forms::names::frmReportProgress));
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(seen.pictureVisible);
    EXPECT_TRUE(seen.captionVisible);
    EXPECT_EQ(seen.caption, LoadResString(102));
    EXPECT_EQ(seen.captionAfterClick, rewardCaption(1, 1));
    EXPECT_TRUE(seen.captionReadable);
    EXPECT_TRUE(seen.captionAfterClickReadable);
    EXPECT_TRUE(
        seen.text.endsWith(QStringLiteral("All of the available unknowns have been identified. A splendid effort.")));
    EXPECT_TRUE(seen.reportReadable);
    EXPECT_EQ(seen.captionColour, QColor(255, 255, 255)) << "the introduction is on white";
    EXPECT_EQ(seen.captionAfterClickColour, QColor(192, 192, 192)) << "a picture's caption is on light grey";
    EXPECT_EQ(m.CompletedUnknowns, QStringLiteral("07"));
    EXPECT_EQ(m.UnkResults[1].resultLine, QStringLiteral("00000000000001010000ethanol"));
}

TEST_F(Roads, InstructorModeWithoutTheSelectionWindowStillCloses)
{
    auto& m = modOrvan;
    m.InstructorMode = kTrue;
    m.ShowRewardPicture = kTrue;
    m.UnkIdentified = m.IdentifiedByGiving = kTrue;
    m.StructGiveTries = 1;
    SeenReport seen;
    answerReport(seen);
    ASSERT_TRUE(forms::showModal(forms::names::frmReportProgress));
    ASSERT_TRUE(seen.shown);
    EXPECT_FALSE(seen.pictureVisible) << "no reward picture for the instructor";
    EXPECT_EQ(m.UnkResults[2].resultLine, QStringLiteral("00000000000003000001ethanol"));
    EXPECT_EQ(forms::find(forms::names::frmReportProgress), nullptr);
}
