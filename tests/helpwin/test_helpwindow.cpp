// The help text window: its printout (wrapping, title, closing line), the
// notice after printing, a failing printer, and a fresh window for each use.
#include "mainwindow/forms/frmHelp.h"
#include "mainwindow/forms/helpmenu.h"
#include "mainwindow/helpactions.h"
#include "mainwindow/helpprint.h"
#include "platform/forms/formregistry.h"
#include "tests/common/pdftools.h"
#include "tests/helpwin/helpwinfixture.h"

#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

using namespace orv;

using orvtest::PdfOutput;

namespace {

// 100 twips a character: a 3000-twip page wraps past 20 characters.
double charWidth(const QString& s) { return 100.0 * s.size(); }

} // namespace

TEST(HelpPrintout, WrapsOnlyLinesThatReachTheWrapWidth)
{
    struct Case {
        const char* name;
        QString line;
        QStringList want;
    };
    const Case cases[]{
        {"short line", "short line", {"short line"}},
        {"just under the width", QString(19, u'a'), {QString(19, u'a')}},
        {"at the width, fits after wrapping", "aaaaaaaaa bbbbbbbbbb", {"aaaaaaaaa bbbbbbbbbb"}},
        {"wrapped at blanks", "aaaa bbbb cccc dddd eeee", {"aaaa bbbb cccc dddd ", "eeee"}},
        {"one word wider than the page", QString(30, u'w'), {QString(30, u'w')}},
        {"wide word between short ones", "x " + QString(30, u'w') + " y", {"x ", QString(30, u'w') + " ", "y"}},
        {"empty line", "", {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrapHelpLine(c.line, 3000, charWidth), c.want) << c.name;
}

TEST(HelpPrintout, TitleTextEmptyLineAndPrintedLine)
{
    const auto lines = helpPrintout("Caption", "one\r\ntwo\r\nthree", "printed 10:15 am, 3 Feb, 2027", 3000, charWidth);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0].text, "Caption");
    EXPECT_TRUE(lines[0].bold);
    const QStringList body{lines[1].text, lines[2].text, lines[3].text};
    EXPECT_EQ(body, QStringList({"one", "two", "three"}));
    EXPECT_FALSE(lines[1].bold);
    EXPECT_EQ(lines[1].progress, 0);
    EXPECT_EQ(lines[2].progress, 50);
    EXPECT_EQ(lines[3].progress, 100);
    EXPECT_EQ(lines[4].text, "");
    EXPECT_EQ(lines[5].text, "printed 10:15 am, 3 Feb, 2027");
    // A text of one line (no line break) prints at once.
    const auto single = helpPrintout("C", "No items available for review.", "p", 10000, charWidth);
    ASSERT_EQ(single.size(), 4);
    EXPECT_EQ(single[1].progress, 100);
}

class HelpWindowTest : public ::testing::Test {
protected:
    void TearDown() override { helpwintest::unloadEverything(); }
    helpwintest::Folder folder;

    frmHelp* open(const QString& caption, const QString& text, bool print = true)
    {
        auto* w = forms::instance<frmHelp>();
        w->setWindowTitle(caption);
        w->txtHelp->setPlainText(text);
        w->cmdHelpPrint->setEnabled(print);
        forms::showModeless(w);
        return w;
    }
};

TEST_F(HelpWindowTest, OpensWithTheOpenersCaptionAndText)
{
    bool seen = false;
    orvtest::later([&] {
        auto* w = forms::loaded<frmHelp>();
        ASSERT_NE(w, nullptr);
        seen = true;
        EXPECT_EQ(w->windowTitle(), "Orvanto items revealed about current unknown");
        EXPECT_EQ(w->txtHelp->toPlainText(), "No items available for review.");
        EXPECT_FALSE(w->cmdHelpPrint->isEnabled()) << "nothing to list, only Continue";
        EXPECT_TRUE(w->cmdHelpOk->isEnabled());
        EXPECT_TRUE(w->isModal());
        w->cmdHelpOk->click();
    });
    mnuHelpGroup5_Click(0);
    EXPECT_TRUE(seen);
    EXPECT_EQ(forms::find(forms::names::frmHelp), nullptr) << "Continue unloads the window";

    // The next use starts from a fresh window: Print usable again.
    modOrvan.ItemsRevealed[2] = kTrue;
    orvtest::later([&] {
        auto* w = forms::loaded<frmHelp>();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->cmdHelpPrint->isEnabled());
        EXPECT_TRUE(w->txtHelp->toPlainText().contains("Boiling point\n"));
        w->close();
    });
    mnuHelpGroup5_Click(0);
}

TEST_F(HelpWindowTest, PrintsTitleTextAndPrintedLineThenShowsTheNotice)
{
    frmHelp* w = open("Orvanto help for current unknown",
                      "This unknown is an aromatic ester.\n\nTo unambiguously identify the unknown:\n"
                      "        Examine the spectra in detail.");
    PdfOutput pdf;
    w->cmdHelpPrint_Click();
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    ASSERT_TRUE(QFile::exists(pdf.path()));
    if (auto text = helpwintest::pdfText(pdf.path())) {
        EXPECT_TRUE(text->contains("Orvanto help for current unknown"));
        EXPECT_TRUE(text->contains("This unknown is an aromatic ester."));
        EXPECT_TRUE(text->contains("Examine the spectra in detail."));
        EXPECT_TRUE(text->contains("printed ")) << text->toStdString();
    }
    EXPECT_FALSE(w->pbHelpPrint->isVisible());
    EXPECT_TRUE(w->txtHelpMsg->isVisible());
    EXPECT_EQ(w->txtHelpMsg->text(), "Printing completed.");
    EXPECT_TRUE(w->noticeTimer()->isActive());
    EXPECT_EQ(w->noticeTimer()->interval(), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!w->txtHelpMsg->isVisible(), 4000);
    EXPECT_TRUE(w->isVisible()) << "the window stays open after printing";
}

TEST_F(HelpWindowTest, LongLinesAreWrappedOnPaper)
{
    QString longLine;
    for (int i = 0; i < 40; ++i)
        longLine += QStringLiteral("word%1 ").arg(i);
    frmHelp* w = open("Orvanto help", longLine.trimmed() + "\nlast");
    PdfOutput pdf;
    w->cmdHelpPrint_Click();
    auto text = helpwintest::pdfText(pdf.path());
    ASSERT_TRUE(text.has_value());
    const QStringList lines = text->split('\n', Qt::SkipEmptyParts);
    int wordLines = 0;
    for (const QString& l : lines)
        wordLines += l.contains("word") ? 1 : 0;
    EXPECT_GE(wordLines, 2) << text->toStdString();
    for (int i = 0; i < 40; ++i)
        EXPECT_TRUE(text->contains(QStringLiteral("word%1").arg(i))) << i;
}

TEST_F(HelpWindowTest, PrinterFailureLeavesTheTextAndNoNotice)
{
    frmHelp* w = open("Orvanto help", "line one\nline two");
    PdfOutput pdf("/nonexistent-folder/out.pdf");
    w->cmdHelpPrint_Click();
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown[0].prompt, "Error with printer.");
    EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(w->txtHelpMsg->isVisible());
    EXPECT_FALSE(w->pbHelpPrint->isVisible());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->txtHelp->toPlainText(), "line one\nline two");
}
