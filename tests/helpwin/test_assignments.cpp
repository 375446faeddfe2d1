// The spectral assignments window: caption, the picture of the unknown done
// last, the message for a missing picture, copying and printing.
#include "core/coreservices.h"
#include "core/modorvan.h"
#include "core/unknownfile.h"
#include "mainwindow/assignments.h"
#include "mainwindow/forms/frmAssignments.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "tests/helpwin/helpwinfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace orv;

TEST(Assignments, CaptionAndPrintedTitle)
{
    struct Case {
        int unknown;
        bool showNumber;
        const char* caption;
    };
    const Case cases[]{
        {12, true, "Main spectral assignments for unknown 12"},
        {7, true, "Main spectral assignments for unknown 7"},
        {12, false, "Main spectral assignments"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(assignmentsCaption(c.unknown, c.showNumber), c.caption);
        EXPECT_EQ(assignmentsPrintTitle(c.unknown),
                  "Main spectral assignments for unknown " + QString::number(c.unknown))
            << "the printout carries the number whatever the setting";
    }
}

TEST(Assignments, PictureBoxAndPrintSizeFromHimetric)
{
    // A 540 x 310 pixel picture at 15 twips a pixel.
    const QSize him = himetricOfPixels({540, 310});
    EXPECT_EQ(him, QSize(14288, 8202));
    const TwipsRect box = assignmentsPictureBox(him, 8500);
    EXPECT_EQ(box.width, 8144);
    EXPECT_EQ(box.height, 4839) << "the height factor is 0.59, not 0.57";
    EXPECT_EQ(box.top, 100);
    EXPECT_EQ(box.left, 178);
    const TwipsRect print = assignmentsPrintRect(him);
    EXPECT_EQ(print.left, 100);
    EXPECT_EQ(print.top, 1000);
    EXPECT_EQ(print.width, 11430);
    EXPECT_EQ(print.height, 6562);
}

namespace {

class AssignmentsWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        helpwintest::registerWindows();
        m.LastUnknownDone = 1;
        folder.addAssignmentsPicture(1);
    }
    void TearDown() override
    {
        qputenv("ORVANTO_PRINT_PDF", QByteArray());
        helpwintest::unloadEverything();
    }
    frmAssignments* open()
    {
        auto* w = qobject_cast<frmAssignments*>(forms::load(forms::names::frmAssignments));
        forms::showModeless(w);
        return w;
    }
    helpwintest::Folder folder;
    ModOrvan& m = modOrvan;
};

} // namespace

TEST_F(AssignmentsWindowTest, ShowsThePictureOfTheUnknownDoneLast)
{
    m.ShowUnknownNumber = kFalse;
    frmAssignments* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Main spectral assignments");
    EXPECT_EQ(m.FilePathBuffer, m.ProgramPath + "/gifs/ovunk" + UnknownFileCode(1) + ".gif");
    EXPECT_TRUE(w->picAssignments->isVisible());
    EXPECT_FALSE(w->lblAssignments->isVisible());
    EXPECT_FALSE(w->txtAssignments->isVisible());
    EXPECT_TRUE(w->cmdAssignmentsPrint->isEnabled());
    EXPECT_TRUE(w->cmdAssignmentsCopy->isEnabled());
    EXPECT_EQ(w->picAssignments->pixmap().size(), QSize(540, 310));
    // 8144 x 4839 twips at 15 twips a pixel.
    EXPECT_EQ(w->picAssignments->size(), QSize(543, 323));
    EXPECT_EQ(w->cmdAssignmentsPrint->toolTip(), "Click here to get a copy on paper");
    EXPECT_EQ(w->cmdAssignmentsCopy->toolTip(), "Click here to copy to clipboard");
    EXPECT_EQ(w->cmdAssignmentsOk->toolTip(), "Click here to proceed");
    w->cmdAssignmentsOk->click();
    EXPECT_EQ(forms::find(forms::names::frmAssignments), nullptr);
}

TEST_F(AssignmentsWindowTest, MissingPictureLeavesOnlyContinue)
{
    m.LastUnknownDone = 2;
    m.ShowUnknownNumber = kTrue;
    auto* w = forms::instance<frmAssignments>();
    forms::showModeless(w);
    EXPECT_EQ(w->windowTitle(), "Main spectral assignments for unknown 2");
    const QString path = m.ProgramPath + "/gifs/ovunk" + UnknownFileCode(2) + ".gif";
    EXPECT_EQ(w->lblAssignments->text(), "\n  Error reading " + path + " file. Can not show assignments.");
    EXPECT_TRUE(w->lblAssignments->isVisible());
    EXPECT_FALSE(w->picAssignments->isVisible());
    EXPECT_FALSE(w->cmdAssignmentsPrint->isEnabled());
    EXPECT_FALSE(w->cmdAssignmentsCopy->isEnabled());
    EXPECT_TRUE(w->cmdAssignmentsOk->isEnabled());
    EXPECT_TRUE(orvtest::msgLog().shown.empty()) << "the window itself says what is wrong";
    w->cmdAssignmentsOk->click();
    EXPECT_EQ(forms::find(forms::names::frmAssignments), nullptr);
}

TEST_F(AssignmentsWindowTest, DamagedPictureIsTreatedAsMissing)
{
    QFile f(m.ProgramPath + "/gifs/ovunk" + UnknownFileCode(1) + ".gif");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("GIF89a not really a picture");
    f.close();
    auto* w = forms::instance<frmAssignments>();
    EXPECT_FALSE(w->cmdAssignmentsPrint->isEnabled());
    EXPECT_TRUE(w->lblAssignments->text().contains("Can not show assignments."));
}

TEST_F(AssignmentsWindowTest, CopyPutsThePictureOnTheClipboard)
{
    frmAssignments* w = open();
    QApplication::clipboard()->setText("something else");
    w->cmdAssignmentsCopy->click();
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(540, 310));
}

TEST_F(AssignmentsWindowTest, PrintsTwiceWithTitleAndPicture)
{
    m.ShowUnknownNumber = kFalse;
    frmAssignments* w = open();
    QTemporaryDir dir;
    for (int k = 1; k <= 2; ++k) {
        const QString pdf = dir.filePath(QStringLiteral("print%1.pdf").arg(k));
        qputenv("ORVANTO_PRINT_PDF", pdf.toLocal8Bit());
        w->cmdAssignmentsPrint_Click();
        ASSERT_TRUE(QFile::exists(pdf)) << k;
        if (auto text = helpwintest::pdfText(pdf)) {
            EXPECT_TRUE(text->contains("Main spectral assignments for unknown 1")) << text->toStdString();
        }
        EXPECT_TRUE(w->txtAssignments->isVisible()) << k;
        EXPECT_EQ(w->txtAssignments->text(), "Printing completed.");
        QTRY_VERIFY_WITH_TIMEOUT(!w->txtAssignments->isVisible(), 4000);
    }
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    EXPECT_EQ(w->focusWidget(), w->cmdAssignmentsOk) << "Continue has the focus after printing";
}

TEST_F(AssignmentsWindowTest, PrinterFailureIsReportedAndTheWindowStays)
{
    frmAssignments* w = open();
    qputenv("ORVANTO_PRINT_PDF", "/nonexistent-folder/out.pdf");
    w->cmdAssignmentsPrint_Click();
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().lastPrompt(), "Error with printer.");
    EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(w->txtAssignments->isVisible()) << "no notice after a failure";
    EXPECT_TRUE(w->isVisible());
}

TEST_F(AssignmentsWindowTest, PlacedOnTheMainWindow)
{
    auto* main = forms::instance<helpwintest::frmOVMain>();
    setFormGeometry(main, 1500, 900, 9400, 6800);
    forms::showModeless(main);
    frmAssignments* w = open();
    const QRect r = formRectTwips(w);
    const QRect mr = formRectTwips(main);
    EXPECT_NEAR(r.y(), mr.y() + 400 + CaptionExtraTwips(), 15);
    EXPECT_NEAR(r.x(), mr.x() + 3 + (mr.width() - 8500) / 2, 15);
}
