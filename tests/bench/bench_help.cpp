// The help window over a file of 100,000 topics (near the largest file the
// program reads), and over topics as large as it shows or refuses: how long
// a student waits at each step.
#include "platform/forms/helpviewer.h"
#include "platform/helpfile.h"
#include "tests/bench/bench.h"
#include "tests/common/testsupport.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

namespace bench {

namespace {

using namespace orv;

constexpr int kTopics = 100'000;
constexpr int kRuns = 3;

bool writeHelpFile(const orvtest::ProgramFolder& folder, const QByteArray& bytes)
{
    QFile f(folder.file(QStringLiteral("orvantor.hlp")));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size())
        return true;
    cannot(QStringLiteral("the help file cannot be written: %1").arg(f.errorString()));
    return false;
}

// Topic n is titled "Topic n" and refers to the next one.
QByteArray manyTopics()
{
    QByteArray all;
    for (int n = 1; n <= kTopics; ++n)
        all += QStringLiteral("#TOPIC %1\nTopic %1\nThe text of topic %1. See \"Topic %2\".\n")
                   .arg(n)
                   .arg(n % kTopics + 1)
                   .toUtf8();
    return all;
}

void closeViewer()
{
    if (HelpViewer* v = currentHelpViewer())
        v->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

// The fastest of a few openings, each in a new window (which reads the file).
double inNewWindow(const std::function<void()>& open)
{
    double best = 1e12;
    for (int i = 0; i < kRuns; ++i) {
        best = std::min(best, onceMs([&] {
                            open();
                            QApplication::processEvents();
                        }));
        closeViewer();
    }
    return best;
}

QPushButton* contentsButton(HelpViewer* v)
{
    for (auto* b : v->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("C&ontents"))
            return b;
    return nullptr;
}

void manyTopicsTable(const orvtest::ProgramFolder& folder)
{
    const QByteArray bytes = manyTopics();
    if (!writeHelpFile(folder, bytes))
        return;
    table(QStringLiteral("Help window, a file of %1 topics (%2 bytes)").arg(kTopics).arg(bytes.size()));
    const QString path = folder.file(QStringLiteral("orvantor.hlp"));
    bool read = false;
    const double readMs = fastestMs(kRuns, [&] { read = readHelp(path).has_value(); });
    if (!read)
        return cannot(QStringLiteral("the file of many topics is not read"));
    row(QStringLiteral("reading and parsing the file"), readMs);
    const auto asRead = [readMs](double ms) {
        return QStringLiteral("%1 x reading the file").arg(ms / readMs, 0, 'g', 2);
    };

    const double openMs = inNewWindow([] { showHelpTopic(kTopics / 2); });
    row(QStringLiteral("opening a topic in a new window"), openMs, asRead(openMs));
    const double listMs = inNewWindow([] { showHelpContents(); });
    row(QStringLiteral("listing the topics in a new window"), listMs, asRead(listMs));

    // In one window, as a student goes on: a click on an entry of the list,
    // a see-link in the topic, the Contents button back to the list.
    showHelpContents();
    HelpViewer* v = currentHelpViewer();
    auto* list = v ? v->findChild<QListWidget*>() : nullptr;
    auto* browser = v ? v->findChild<QTextBrowser*>() : nullptr;
    QPushButton* contents = v ? contentsButton(v) : nullptr;
    if (!list || !browser || !contents || list->count() != kTopics)
        return cannot(QStringLiteral("the contents of many topics are not listed"));
    double clickMs = 1e12, linkMs = 1e12, backMs = 1e12;
    for (int i = 0; i < kRuns; ++i) {
        QListWidgetItem* item = list->item(kTopics - 10 * (i + 1));
        list->scrollToItem(item);
        const QPoint at = list->visualItemRect(item).center();
        clickMs = std::min(clickMs, onceMs([&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at); }));
        const int clicked = v->topic();
        const QTextCursor link = browser->document()->find(QStringLiteral("Topic %1").arg(clicked + 1));
        QTextCursor inside(browser->document());
        inside.setPosition(link.selectionStart() + 2);
        const QPoint linkAt = browser->cursorRect(inside).center();
        linkMs = std::min(linkMs, onceMs([&] { QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, linkAt); }));
        if (clicked != kTopics - 10 * (i + 1) + 1 || v->topic() != clicked + 1)
            return cannot(QStringLiteral("a click in the window of many topics opens no topic"));
        backMs = std::min(backMs, onceMs([&] { contents->click(); }));
    }
    row(QStringLiteral("a click on a topic in the list"), clickMs, asRead(clickMs));
    row(QStringLiteral("a click on a see-link in the topic"), linkMs, asRead(linkMs));
    row(QStringLiteral("the Contents button back to the list"), backMs, asRead(backMs));
    closeViewer();
}

// Topics as large as the window shows, and larger ones it refuses at once.
void largeTopicsTable(const orvtest::ProgramFolder& folder)
{
    table(QStringLiteral("Help window, one large topic opened in a new window"));
    const QByteArray words = QByteArray("word ").repeated(19) + "words"; // 100 characters
    const QString longTitle = QStringLiteral("T").repeated(kMaxHelpLine - 100);
    struct Case {
        const char* name;
        QByteArray file;
        int topic; // 0: the contents
    };
    const Case cases[]{
        {"a line as long as can be shown", "#TOPIC 1\nBig\n" + QByteArray(kMaxHelpLine, 'x') + '\n', 1},
        {"as much as can be shown, in short lines", "#TOPIC 1\nBig\n" + (words + '\n').repeated(kMaxHelpText / 101), 1},
        {"refused: a line of 7.5 MB", "#TOPIC 1\nBig\n" + QByteArray(7'500'000, 'x') + '\n', 1},
        {"refused: 7.5 MB of see-links in one line",
         "#TOPIC 1\nBig\n" + QByteArray("see \"Other\" and ").repeated(470'000) + '\n', 1},
        {"refused: 7.5 MB in short lines", "#TOPIC 1\nBig\n" + (words + '\n').repeated(75'000), 1},
        {"contents with a title of 2,000,000 characters",
         "#TOPIC 1\n" + longTitle.toUtf8() + "\nLong.\n#TOPIC 3\n" + QByteArray(2'000'000, 'U') + "\nHuge.\n", 0},
    };
    for (const Case& c : cases) {
        if (!writeHelpFile(folder, c.file))
            return;
        const double ms = inNewWindow([&c] { c.topic ? showHelpTopic(c.topic) : showHelpContents(); });
        row(QString::fromUtf8(c.name), ms, QStringLiteral("%1 bytes").arg(c.file.size()));
    }
}

} // namespace

void helpWindow()
{
    orvtest::ProgramFolder folder;
    manyTopicsTable(folder);
    largeTopicsTable(folder);
}

} // namespace bench
