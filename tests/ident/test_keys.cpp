// The keyboard and the marks in the identification windows: Enter and
// Escape, stray access keys in the name box, and the structure pictures'
// focus and pointer marks.
#include "core/modorvan.h"
#include "mainwindow/forms/frmNameTyping.h"
#include "mainwindow/forms/frmNoID.h"
#include "mainwindow/forms/frmReportProgress.h"
#include "mainwindow/forms/frmStructure.h"
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "tests/ident/identfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace orv;

namespace {

struct IdentKeys : ::testing::Test {
    identtest::Unknown7 u;
    void SetUp() override { modOrvan.AllocatedUnknowns.clear(); }
    void TearDown() override
    {
        forms::unloadAll();
        QApplication::processEvents();
    }
};

// Pixels of one colour in a widget as it paints itself.
int pixelsOf(QWidget* w, QColor colour)
{
    const QImage img = w->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (QColor(img.pixel(x, y)) == colour)
                ++n;
    return n;
}

const QColor kFocusBlue(0, 0, 128);
const QColor kCyan(0, 255, 255);

} // namespace

TEST_F(IdentKeys, EnterContinuesFromSorryAndFromTheProgressReport)
{
    for (Boolean identified : {kFalse, kTrue}) {
        modOrvan.UnkIdentified = identified;
        auto* r = qobject_cast<frmReportProgress*>(forms::load(forms::names::frmReportProgress));
        ASSERT_TRUE(r);
        EXPECT_EQ(r->windowTitle(), isTrue(identified) ? QStringLiteral("Progress report") : QStringLiteral("Sorry"));
        EXPECT_EQ(defaultButton(r), r->cmdReportok);
        EXPECT_EQ(cancelButton(r), r->cmdReportok);
        r->show();
        // The report's text box may hold the focus: Enter comes up from it.
        r->txtReport->setFocus();
        QTest::keyClick(r->txtReport, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(forms::find(forms::names::frmReportProgress), nullptr) << r;
    }
}

TEST_F(IdentKeys, EscapeLeavesTheResignationAndTheIdentifyingWindows)
{
    auto* noid = qobject_cast<frmNoID*>(forms::load(forms::names::frmNoID));
    noid->show();
    QTest::keyClick(noid->txtNoIDText, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(forms::find(forms::names::frmNoID), nullptr);

    auto* name = qobject_cast<frmNameTyping*>(forms::load(forms::names::frmNameTyping));
    name->show();
    QTest::keyClicks(name->txtNameText, QStringLiteral("ethanol"));
    QTest::keyClick(name->txtNameText, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(forms::find(forms::names::frmNameTyping), nullptr);
    EXPECT_EQ(modOrvan.NameTypingTries, 0) << "Escape is Cancel: no attempt";

    u.copyPictures();
    auto* s = qobject_cast<frmStructure*>(forms::load(forms::names::frmStructure));
    s->show();
    s->Structure[1]->setFocus();
    QTest::keyClick(s->Structure[1], Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(forms::find(forms::names::frmStructure), nullptr);
    EXPECT_EQ(modOrvan.StructChooseTries, 0);
}

TEST_F(IdentKeys, AnAltLetterMatchingNoButtonIsNotTypedIntoTheName)
{
    installAccessKeyGuard();
    for (Boolean offerList : {kFalse, kTrue}) {
        modOrvan.OfferNameList = offerList;
        auto* w = qobject_cast<frmNameTyping*>(forms::load(forms::names::frmNameTyping));
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        QWidget* box = isTrue(offerList) ? static_cast<QWidget*>(w->cboGetName) : w->txtNameText;
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("eth"));
        QTest::keyClick(box, Qt::Key_E, Qt::AltModifier);
        QTest::keyClick(box, Qt::Key_N, Qt::AltModifier);
        QTest::keyClicks(box, QStringLiteral("anol"));
        const QString typed = isTrue(offerList) ? w->cboGetName->currentText() : w->txtNameText->text();
        EXPECT_EQ(typed, QStringLiteral("ethanol")) << "list " << offerList;
        // Alt+A is Cancel's access key: it still cancels.
        QTest::keyClick(box, Qt::Key_A, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([] { return !forms::find(forms::names::frmNameTyping); }, 2000));
    }
    EXPECT_EQ(modOrvan.NameTypingTries, 0);
}

TEST_F(IdentKeys, TheStructurePicturesShowFocusAndPointer)
{
    u.copyPictures();
    auto* w = qobject_cast<frmStructure*>(forms::load(forms::names::frmStructure));
    ASSERT_EQ(w->PictureCount, 6);
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    for (QLabel* pic : w->Structure) {
        EXPECT_EQ(pixelsOf(pic, kFocusBlue), 0);
        EXPECT_EQ(pixelsOf(pic, kCyan), 0);
    }
    // Tab from Cancel reaches the first picture: it is marked focused and
    // selected (tinted cyan).
    w->cmdStructureOk->setFocus();
    QTest::keyClick(w->cmdStructureOk, Qt::Key_Tab);
    ASSERT_TRUE(w->Structure[0]->hasFocus());
    EXPECT_GT(pixelsOf(w->Structure[0], kFocusBlue), 40);
    EXPECT_GT(pixelsOf(w->Structure[0], kCyan), 100);
    QTest::keyClick(w->Structure[0], Qt::Key_Tab);
    ASSERT_TRUE(w->Structure[1]->hasFocus());
    EXPECT_EQ(pixelsOf(w->Structure[0], kFocusBlue), 0);
    EXPECT_EQ(pixelsOf(w->Structure[0], kCyan), 0);
    EXPECT_GT(pixelsOf(w->Structure[1], kFocusBlue), 40);

    // The pointer over another picture moves the tint there; the focus frame
    // stays where Enter would act.
    QTest::mouseMove(w->Structure[4]);
    EXPECT_EQ(w->SelectedPicture, 4);
    EXPECT_GT(pixelsOf(w->Structure[4], kCyan), 100);
    EXPECT_EQ(pixelsOf(w->Structure[4], kFocusBlue), 0);
    EXPECT_EQ(pixelsOf(w->Structure[1], kCyan), 0);
    EXPECT_GT(pixelsOf(w->Structure[1], kFocusBlue), 40);
    // The drawing's lines stay black under the tint.
    EXPECT_GT(pixelsOf(w->Structure[4], Qt::black), 20);
}
