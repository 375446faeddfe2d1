// The text printouts' shared flow and line engine: breaking lines at blanks,
// running on to a new page, the progress bar and the notice, a second
// printout while the notice shows, and a printer that fails, even with the
// window closed while its message waits.
#include "platform/forms/printnotice.h"
#include "platform/forms/textprint.h"
#include "platform/printwrap.h"
#include "tests/common/pdftools.h"
#include "tests/common/testsupport.h"

#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace orv;

using orvtest::PdfOutput;

namespace {

double charWidth(const QString& s) { return 100.0 * double(s.size()); }

// A window with a bar, a notice and its timer, as the printing windows have.
struct PrintingWindow : QWidget {
    explicit PrintingWindow(bool oneAtATime)
        : notice(new QLineEdit(this)), bar(new QProgressBar(this)), timer(newPrintNoticeTimer(this, notice))
    {
        notice->hide();
        bar->hide();
        print = std::make_unique<TextPrintout>(
            TextPrintout::Feedback{notice, {500, 300}, timer, bar, QRect(100, 300, 5000, 330), oneAtATime});
    }
    QLineEdit* notice;
    QProgressBar* bar;
    QTimer* timer;
    std::unique_ptr<TextPrintout> print;
};

} // namespace

TEST(PrintWrap, FitAtBlanksCutsAtTheLastBlankThatFits)
{
    struct Case {
        const char* name;
        QString text;
        double room;
        QStringList want;
    };
    const Case cases[]{
        {"empty", "", 500, {""}},
        {"fits to the twip", "abc def", 700, {"abc def"}},
        {"the rest goes on", "aaa bbb ccc", 700, {"aaa bbb", "ccc"}},
        {"a word wider than the room", "aaaaaaaaaa bb", 500, {"aaaaaaaaaa", "bb"}},
        {"blanks at a break", "aa   bb", 300, {"aa ", "bb"}},
        {"no room at all", "a b", 0, {"a", "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitAtBlanks(c.text, c.room, charWidth), c.want) << c.name;
}

TEST(PrintLines, ALineThatWouldPassThePagesFootStartsTheNextPage)
{
    PdfOutput pdf;
    int fitting = 0;
    {
        TwipsPrinter printer;
        ASSERT_TRUE(printer.begin(QStringLiteral("lines")));
        PrintLines out(printer);
        const double h = out.lineHeight();
        fitting = int(out.pageSize().height() / h);
        ASSERT_GT(fitting, 10);
        for (int i = 0; i <= fitting; ++i) {
            out.printLine(QStringLiteral("line %1").arg(i));
            EXPECT_DOUBLE_EQ(out.y, i < fitting ? (i + 1) * h : h) << i;
        }
        EXPECT_TRUE(out.ok);
        ASSERT_TRUE(printer.end());
    }
    EXPECT_EQ(orvtest::pdfPages(pdf.path()), 2);
    if (const auto text = orvtest::pdfText(pdf.path())) {
        const QStringList pages = text->split(u'\f');
        ASSERT_GE(pages.size(), 2);
        EXPECT_TRUE(pages[0].contains(QStringLiteral("line %1\n").arg(fitting - 1)));
        EXPECT_TRUE(pages[1].trimmed().startsWith(QStringLiteral("line %1").arg(fitting)));
    }
}

TEST(TextPrintout, RunsTheLayoutWithTheBarAndEndsWithTheNotice)
{
    PdfOutput pdf;
    PrintingWindow w(false);
    QList<std::pair<bool, int>> bar;
    EXPECT_TRUE(w.print->print(QStringLiteral("doc"), [&](PrintLines& out) {
        out.print(QStringLiteral("first\r\nsecond"));
        bar.append({!w.bar->isHidden(), w.bar->value()});
        out.setProgress(60);
        bar.append({!w.bar->isHidden(), w.bar->value()});
    }));
    EXPECT_EQ(bar, (QList<std::pair<bool, int>>{{true, 0}, {true, 60}}));
    EXPECT_TRUE(w.bar->isHidden()) << "the bar goes when the printout is done";
    EXPECT_FALSE(w.notice->isHidden());
    EXPECT_EQ(w.notice->text(), "Printing completed.");
    EXPECT_TRUE(w.timer->isActive());
    if (const auto text = orvtest::pdfText(pdf.path())) {
        EXPECT_TRUE(text->contains("first\nsecond")) << text->toStdString();
    }
}

TEST(TextPrintout, ASecondPrintoutWaitsForTheNoticeOnlyWhereAsked)
{
    PdfOutput pdf;
    for (bool oneAtATime : {true, false}) {
        PrintingWindow w(oneAtATime);
        int runs = 0;
        const auto layout = [&runs](PrintLines& out) {
            ++runs;
            out.print(QStringLiteral("x"));
        };
        EXPECT_TRUE(w.print->print(QStringLiteral("doc"), layout));
        EXPECT_EQ(w.print->print(QStringLiteral("doc"), layout), !oneAtATime) << oneAtATime;
        EXPECT_EQ(runs, oneAtATime ? 1 : 2) << oneAtATime;
        w.timer->stop();
        w.notice->hide();
        EXPECT_TRUE(w.print->print(QStringLiteral("doc"), layout)) << "once the notice has gone";
    }
}

TEST(TextPrintout, AFailingPrinterIsToldOnceAndShowsNoNotice)
{
    PdfOutput pdf(QStringLiteral("/nonexistent-folder/out.pdf"));
    orvtest::msgLog().shown.clear();
    PrintingWindow w(true);
    bool laidOut = false;
    EXPECT_FALSE(w.print->print(QStringLiteral("doc"), [&](PrintLines&) { laidOut = true; }));
    EXPECT_FALSE(laidOut);
    ASSERT_EQ(orvtest::msgLog().shown.size(), 1u);
    EXPECT_EQ(orvtest::msgLog().shown[0].prompt, "Error with printer.");
    EXPECT_EQ(orvtest::msgLog().shown[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(w.bar->isHidden());
    EXPECT_TRUE(w.notice->isHidden());
    EXPECT_FALSE(w.timer->isActive());
    EXPECT_FALSE(w.print->busy()) << "the next try is not refused";
}

TEST(TextPrintout, AWindowClosedWhileThePrintersMessageWaitsIsLeftAlone)
{
    PdfOutput pdf(QStringLiteral("/nonexistent-folder/out.pdf"));
    auto* w = new PrintingWindow(true);
    QPointer<QWidget> alive(w);
    setMsgPresenter([w](const MsgRecord&) {
        delete w; // the student closed the window meanwhile
        return MsgResult::Ok;
    });
    EXPECT_FALSE(w->print->print(QStringLiteral("doc"), [](PrintLines&) {}));
    orvtest::msgLog().install();
    EXPECT_FALSE(alive);
}
