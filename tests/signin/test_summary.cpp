#include "core/modorvan.h"
#include "mainwindow/forms/frmSummary.h"
#include "mainwindow/forms/summaryprint.h"
#include "mainwindow/summarytext.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/geometry.h"
#include "platform/forms/printer.h"
#include "platform/forms/textprint.h"
#include "tests/common/pdftools.h"
#include "tests/common/testsupport.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <algorithm>
#include <gtest/gtest.h>

using namespace orv;

namespace {
void addResult(ModOrvan& m, const char* unknown, const char* line, const char* sessionTime)
{
    m.CompletedUnknowns += QString::fromLatin1(unknown);
    const int k = static_cast<int>(m.CompletedUnknowns.size() / 2);
    m.UnkResults[k] = {QString::fromLatin1(line), QString::fromLatin1(sessionTime)};
}
ModOrvan allAllowed()
{
    ModOrvan m;
    m.TestsAllowed = m.DerivsAllowed = m.ItemHelpAllowed = m.UnknownHelpAllowed = kTrue;
    m.OfferNameList = m.ChooseStructureAllowed = kTrue;
    return m;
}
}

TEST(SummaryText, NothingCompleted)
{
    ModOrvan m;
    EXPECT_EQ(summaryText(m), "No unknowns have yet been completed.");
}

TEST(SummaryText, OneUnknownTypedAtTheFirstAttempt)
{
    ModOrvan m = allAllowed();
    //                  P S TT DD h HH RR UU M 15 17 19 name
    // clang-format off
    addResult(m, "07", "1" "3" "02" "01" "1" "02" "01" "00" "1" "01" "00" "00" "ETHANOL", "00112");
    // clang-format on
    const QString t = summaryText(m);
    const QString want = "1 unknown attempted.\r\n\r\n"
                         "Unknown no. 7    ETHANOL\r\n"
                         "   7 items of information were revealed.\r\n"
                         "       3 spectra\r\n"
                         "       1 other physical property\r\n"
                         "       2 chemical tests\r\n"
                         "       1 derivative\r\n"
                         "   2 items had help revealed.\r\n"
                         "   1 precluded item requested.\r\n"
                         "   0 unsuitable derivatives requested.\r\n"
                         "   Identification was by typing name.\r\n"
                         "   Help with identification was given.\r\n"
                         "   \r\n"
                         "Completed in 12 minutes with 0 file saves.\r\n\r\n";
    EXPECT_EQ(t, want);
}

TEST(SummaryText, ResignedAndChosenUnknowns)
{
    ModOrvan m = allAllowed();
    // clang-format off
    addResult(m, "12", "0" "1" "00" "00" "0" "00" "00" "00" "0" "03" "01" "00" "PROPANAL", "0030");
    addResult(m, "05", "1" "1" "00" "02" "0" "00" "00" "01" "2" "00" "03" "00" "BENZYL ALCOHOL", "0011");
    // clang-format on
    const QString t = summaryText(m);
    EXPECT_TRUE(t.startsWith("2 unknowns attempted."));
    EXPECT_TRUE(t.contains("Unknown no. 12    PROPANAL     NOT IDENTIFIED"));
    EXPECT_TRUE(t.contains("   No identification was made.\r\n   3 unsuccessful attempts at supplying name by typing."
                           "\r\n   1 unsuccessful attempt at structure choosing."));
    EXPECT_TRUE(t.contains("Completed in 0 minute with 2 file saves."));
    EXPECT_TRUE(
        t.contains("   2 unsuccessful attempts at structure choosing.\r\n   Help with identification was not given."
                   "\r\n   \r\nTime taken 1 minute with 0 file saves."));
    EXPECT_TRUE(t.contains("   3 items of information were revealed.")) << "unsuitable derivatives are not counted";
}

TEST(SummaryText, HiddenCategoriesLeaveTheirLinesOut)
{
    ModOrvan m;
    // clang-format off
    addResult(m, "03", "1" "1" "00" "00" "0" "00" "00" "00" "1" "01" "00" "00" "X", "0015");
    // clang-format on
    const QString t = summaryText(m);
    EXPECT_FALSE(t.contains("chemical test"));
    EXPECT_FALSE(t.contains("derivative"));
    EXPECT_FALSE(t.contains("had help revealed"));
    EXPECT_FALSE(t.contains("Help with identification"));
    const SummaryPrintout p = summaryPrintout(m);
    QStringList header;
    for (const PrintLine& l : p.header)
        header << l.text;
    EXPECT_TRUE(header.contains("chemical tests and derivatives all hidden"));
    EXPECT_TRUE(header.contains("suggested names and suggested structures not allowed"));
    EXPECT_TRUE(header.contains("help about items not allowed"));
    EXPECT_TRUE(header.contains("help about unknown type not allowed"));
    ASSERT_EQ(p.blocks.size(), 1);
    EXPECT_EQ(p.blocks[0].lines.at(0).text, "Unknown no. 3   X");
    EXPECT_TRUE(p.blocks[0].lines.at(0).bold);
    EXPECT_EQ(p.blocks[0].lines.at(p.blocks[0].lines.size() - 2).text, "Completed in 5 minutes with 0 file saves");
}

TEST(SummaryText, ZeroMinutesArePluralOnPaper)
{
    ModOrvan m = allAllowed();
    // clang-format off
    addResult(m, "03", "1" "1" "00" "00" "0" "00" "00" "00" "1" "01" "00" "00" "X", "0010");
    // clang-format on
    EXPECT_TRUE(summaryText(m).contains("Completed in 0 minute with 0 file saves."));
    const SummaryPrintout p = summaryPrintout(m);
    bool found = false;
    for (const PrintLine& l : p.blocks[0].lines)
        found = found || l.text == "Completed in 0 minutes with 0 file saves";
    EXPECT_TRUE(found);
}

TEST(SummaryText, PagesKeepEachUnknownsBlockTogether)
{
    // A header of 3 lines and blocks of 4: on pages of 10 lines, a block that
    // would run over starts the next page, and the printed line comes last.
    SummaryPrintout out;
    out.header = {{"title"}, {"count"}, {""}};
    for (int k = 0; k < 5; ++k)
        out.blocks.append({{{QStringLiteral("u%1").arg(k)}, {"a"}, {"b"}, {""}}});
    const QList<QList<PagedLine>> pages = summaryPages(out, {"printed"}, 10);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(pages[0].size(), 3 + 4);
    EXPECT_EQ(pages[1].size(), 4 + 4);
    EXPECT_EQ(pages[2].size(), 4 + 4 + 1);
    EXPECT_EQ(pages[1].front().line.text, "u1");
    EXPECT_EQ(pages[2].back().line.text, "printed");
    EXPECT_EQ(pages[0][6].progress, 20);
    EXPECT_EQ(pages[2][3].progress, 80);
    EXPECT_EQ(pages[2][7].progress, 100);
    // Fewer than 10 lines a page is taken as 10.
    EXPECT_EQ(summaryPages(out, {"printed"}, 3).size(), 3);
    EXPECT_EQ(summaryLinesPerPage(400 + 280 * 40, 280), 40);
    EXPECT_EQ(summaryLinesPerPage(1000, 280), 10);
}

TEST(SummaryWindow, ShowsTextAndPrints)
{
    orvtest::ProgramFolder folder;
    ModOrvan& m = modOrvan;
    m.TestsAllowed = kTrue;
    // clang-format off
    addResult(m, "07", "1" "3" "02" "01" "1" "02" "01" "00" "1" "01" "00" "00" "ETHANOL", "00112");
    // clang-format on
    auto* s = forms::instance<frmSummary>();
    forms::showModeless(s);
    EXPECT_TRUE(s->txtSummaryText->toPlainText().startsWith("1 unknown attempted."));
    EXPECT_TRUE(s->cmdSummaryPrint->isEnabled());
    QTemporaryDir dir;
    const QString pdf = dir.filePath("summary.pdf");
    qputenv("ORVANTO_PRINT_PDF", pdf.toLocal8Bit());
    s->cmdSummaryPrint_Click();
    qputenv("ORVANTO_PRINT_PDF", QByteArray());
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(orvtest::msgLog().shown.empty());
    s->cmdSummaryOk_Click();
    EXPECT_EQ(forms::find(forms::names::frmSummary), nullptr);
}

// The printout as the printer gets it: every line of summaryPages on its
// own page, the bar's values reaching 100 with the last unknown.
TEST(SummaryPrint, PrintsThePagesSummaryPagesMakes)
{
    ModOrvan m = allAllowed();
    // clang-format off
    for (int k = 1; k <= 14; ++k)
        addResult(m, QStringLiteral("%1").arg(k + 20).toLatin1().constData(),
                  "1" "3" "02" "01" "1" "02" "01" "00" "0" "03" "02" "00" "BUTANONE", "00112");
    // clang-format on
    const SummaryPrintout out = summaryPrintout(m);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("pages.pdf");
    qputenv("ORVANTO_PRINT_PDF", pdf.toLocal8Bit());
    QList<int> progress;
    int expectedPages = 0;
    {
        TwipsPrinter printer;
        ASSERT_TRUE(printer.begin());
        const double lineTw = QFontMetricsF(twipsFont("Times New Roman", 12), printer.painter()->device()).height();
        expectedPages = int(
            summaryPages(out, {"printed today"}, summaryLinesPerPage(printer.pageSizeTwips().height(), lineTw)).size());
        PrintLines lines(printer, [&](int v) { progress.append(v); });
        EXPECT_TRUE(printSummary(lines, out, "printed today"));
        EXPECT_TRUE(printer.end());
    }
    qputenv("ORVANTO_PRINT_PDF", QByteArray());
    ASSERT_GE(expectedPages, 2) << "enough unknowns to need a second page";
    EXPECT_EQ(orvtest::pdfPages(pdf), expectedPages);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    if (const auto text = orvtest::pdfText(pdf)) {
        EXPECT_TRUE(text->contains("Orvanto unknowns completed"));
        EXPECT_TRUE(text->contains("14 unknowns attempted"));
        EXPECT_TRUE(text->contains("Unknown no. 34"));
        EXPECT_TRUE(text->contains("NOT IDENTIFIED"));
        EXPECT_TRUE(text->contains("printed today")) << text->toStdString();
    }
}

TEST(SummaryWindow, NothingCompletedKeepsPrintDisabled)
{
    orvtest::ProgramFolder folder;
    auto* s = forms::instance<frmSummary>();
    forms::showModeless(s);
    EXPECT_EQ(s->txtSummaryText->toPlainText(), "No unknowns have yet been completed.");
    EXPECT_FALSE(s->cmdSummaryPrint->isEnabled());
    EXPECT_TRUE(s->cmdSummaryOk->isEnabled());
    forms::unload(s);
}

// Stored fields a damaged row may hold are read within what their digits can
// hold (the reader refuses such rows; the summary stays defined all the same).
TEST(SummaryText, DamagedNumbersStayWithinTheirDigits)
{
    const ResultFields f = resultFields(QStringLiteral("9e9e9e9e9e9e9e9e9e9eName"), QStringLiteral("9e9001e100"));
    EXPECT_EQ(f.tests, 9);
    EXPECT_EQ(f.sessions, 999) << "9e9 kept to three digits";
    EXPECT_EQ(f.minutes, 999999999) << "1e100 kept to nine digits";
    EXPECT_EQ(resultFields(QStringLiteral("1"), QStringLiteral("000-1e50")).minutes, -999999999);
}
