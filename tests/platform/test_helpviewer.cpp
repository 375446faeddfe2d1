// The help viewer over the shipped help file: its contents, topics opened
// from them by mouse and by keyboard, the links of "see" references, the way
// back to the contents, and a help file that cannot be read.
#include "platform/forms/helpviewer.h"
#include "platform/helpfile.h"
#include "tests/common/testsupport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <functional>

#include <sys/inotify.h>
#include <unistd.h>

using namespace orv;

namespace {

class HelpViewerTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        delete currentHelpViewer();
        QApplication::processEvents();
    }
    // Help > Contents, the viewer shown and active as the student sees it.
    HelpViewer* openContents()
    {
        showHelpContents();
        HelpViewer* v = currentHelpViewer();
        EXPECT_TRUE(v && QTest::qWaitForWindowActive(v));
        return v;
    }
    QListWidget* list() const { return currentHelpViewer()->findChild<QListWidget*>(); }
    QTextBrowser* browser() const { return currentHelpViewer()->findChild<QTextBrowser*>(); }
    QPushButton* button(const QString& caption) const
    {
        for (auto* b : currentHelpViewer()->findChildren<QPushButton*>())
            if (b->text() == caption)
                return b;
        return nullptr;
    }
    QListWidgetItem* entry(const QString& title) const
    {
        const auto found = list()->findItems(title, Qt::MatchExactly);
        return found.size() == 1 ? found.first() : nullptr;
    }
    // A point inside the first place the browser shows `text`.
    QPoint pointOnText(const QString& text) const
    {
        const QTextCursor found = browser()->document()->find(text);
        EXPECT_FALSE(found.isNull()) << text.toStdString();
        QTextCursor inside(browser()->document());
        inside.setPosition(found.selectionStart() + 2);
        browser()->ensureCursorVisible();
        return browser()->cursorRect(inside).center();
    }

    // Puts `bytes` in the program folder's help file in place of the shipped one.
    void writeHelpFile(const QByteArray& bytes)
    {
        QFile f(folder.file(QStringLiteral("orvantor.hlp")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    orvtest::ProgramFolder folder;
};

// Counts every opening of one file, whoever opens it (Linux inotify).
class OpenWatch {
public:
    explicit OpenWatch(const QString& path) : fd_(inotify_init1(IN_NONBLOCK))
    {
        if (fd_ >= 0)
            inotify_add_watch(fd_, QFile::encodeName(path).constData(), IN_OPEN);
    }
    ~OpenWatch()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;
    bool watching() const { return fd_ >= 0; }
    int opensSoFar()
    {
        alignas(inotify_event) char buf[4096];
        for (;;) {
            const ssize_t n = read(fd_, buf, sizeof buf);
            if (n <= 0)
                return opens_;
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
                opens_ += (e->mask & IN_OPEN) ? 1 : 0;
                at += ssize_t(sizeof(inotify_event) + e->len);
            }
        }
    }
private:
    int fd_;
    int opens_ = 0;
};

// Pixels of a window part that are clearly red (text coloured by markup).
int redPixels(QWidget* w)
{
    const QImage image = w->grab().toImage();
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 90 && c.blue() < 90 ? 1 : 0;
        }
    return red;
}

} // namespace

TEST_F(HelpViewerTest, ContentsListEveryTopicByTitleInTheFilesOrder)
{
    const auto help = readHelp(folder.file(QStringLiteral("orvantor.hlp")));
    ASSERT_TRUE(help) << "the shipped help file";
    HelpViewer* v = openContents();
    ASSERT_TRUE(v);
    EXPECT_TRUE(v->showingContents());
    EXPECT_EQ(v->topic(), 0);
    EXPECT_EQ(v->shownTitle(), "Contents");
    ASSERT_TRUE(list()->isVisible());
    QStringList titles;
    for (const HelpTopic& t : help->topics)
        titles << t.title;
    EXPECT_EQ(v->shownText().split(u'\n'), titles);
    // The topics a new user is sent to come first, the first of them current.
    EXPECT_EQ(titles.mid(0, 4),
              (QStringList{"How to use Orvanto", "Why use Orvanto", "Strategy background", "Strategy summary"}));
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_TRUE(list()->hasFocus());
    EXPECT_FALSE(button(QStringLiteral("C&ontents"))->isEnabled()) << "already there";
}

TEST_F(HelpViewerTest, ATopicOpensFromTheContentsByMouseAndByKeyboard)
{
    struct Case {
        const char* how;
        const char* title;
        int topic;
    };
    const Case cases[]{
        {"click", "Strategy background", 3},
        {"click", "Table of compounds: Esters", 555}, // far down the list
        {"arrows and Enter", "Strategy summary", 4},
        {"arrows and keypad Enter", "Why use Orvanto", 2},
    };
    for (const Case& c : cases) {
        HelpViewer* v = openContents();
        ASSERT_TRUE(v);
        QListWidgetItem* item = entry(QString::fromUtf8(c.title));
        ASSERT_TRUE(item) << c.title;
        const std::string how = c.how;
        if (how == "click") {
            list()->scrollToItem(item);
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(item).center());
        } else {
            QTest::keyClick(list(), Qt::Key_Home);
            for (int row = list()->row(item); row > 0; --row)
                QTest::keyClick(list(), Qt::Key_Down);
            ASSERT_EQ(list()->currentItem(), item) << how;
            QTest::keyClick(list(), how == "arrows and Enter" ? Qt::Key_Return : Qt::Key_Enter,
                            how == "arrows and Enter" ? Qt::NoModifier : Qt::KeypadModifier);
        }
        QApplication::processEvents();
        EXPECT_TRUE(v->isVisible()) << how << ": Enter presses no button of the window";
        EXPECT_EQ(v->topic(), c.topic) << how;
        EXPECT_EQ(v->shownTitle(), c.title) << how;
        EXPECT_FALSE(v->showingContents()) << how;
        EXPECT_TRUE(browser()->isVisible()) << how;
        EXPECT_TRUE(browser()->hasFocus()) << how << ": the reader goes on in the topic";
        EXPECT_GT(v->shownText().size(), 150) << how;
    }
}

TEST_F(HelpViewerTest, SeeAlsoTitlesLeadToTheirTopics)
{
    showHelpTopic(1);
    HelpViewer* v = currentHelpViewer();
    ASSERT_TRUE(v && QTest::qWaitForWindowActive(v));
    ASSERT_EQ(v->shownTitle(), "How to use Orvanto");
    // By mouse.
    QTest::mouseClick(browser()->viewport(), Qt::LeftButton, {}, pointOnText(QStringLiteral("Strategy summary")));
    EXPECT_EQ(v->topic(), 4);
    EXPECT_EQ(v->shownTitle(), "Strategy summary");
    // By keyboard: Tab goes to the topic's link, Enter follows it.
    browser()->setFocus();
    QTest::keyClick(browser(), Qt::Key_Tab);
    QTest::keyClick(browser(), Qt::Key_Return);
    EXPECT_EQ(v->shownTitle(), "Strategy background");
    EXPECT_TRUE(v->isVisible());
    // A reference inside running text, with brackets in the title.
    showHelpTopic(730);
    QTest::mouseClick(browser()->viewport(), Qt::LeftButton, {},
                      pointOnText(QStringLiteral("Tools (spectroscopy toolbars)")));
    EXPECT_EQ(v->topic(), 733);
    // Plain text is no link.
    showHelpTopic(1);
    QTest::mouseClick(browser()->viewport(), Qt::LeftButton, {}, pointOnText(QStringLiteral("Gather evidence")));
    EXPECT_EQ(v->topic(), 1);
}

TEST(HelpText, OnlyReferencesToKnownTopicsAreLinks)
{
    QTextBrowser box;
    setHelpText(&box,
                QStringLiteral("See also \"Known\" and \"Unknown\".\n\"Known\" alone.\n"
                               "Col one  col two\nsee \"Known\"  in a table"),
                {{QStringLiteral("Known"), 12}});
    QStringList links;
    for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isAnchor())
                links << it.fragment().text() + u'>' + it.fragment().charFormat().anchorHref();
    EXPECT_EQ(links, QStringList{"Known>topic:12"});
    EXPECT_TRUE(box.toPlainText().startsWith("See also \"Known\" and \"Unknown\"."));
}

TEST_F(HelpViewerTest, ContentsButtonGoesBackWithTheLastTopicCurrent)
{
    HelpViewer* v = openContents();
    ASSERT_TRUE(v);
    list()->setCurrentItem(entry(QStringLiteral("Keyboard shortcuts")));
    QTest::keyClick(list(), Qt::Key_Return);
    ASSERT_EQ(v->topic(), 707);
    QPushButton* contents = button(QStringLiteral("C&ontents"));
    ASSERT_TRUE(contents && contents->isEnabled());
    contents->click();
    EXPECT_TRUE(v->showingContents());
    EXPECT_TRUE(list()->isVisible());
    ASSERT_TRUE(list()->currentItem());
    EXPECT_EQ(list()->currentItem()->text(), "Keyboard shortcuts");
    // A fixed topic opened from elsewhere meanwhile is the one current then.
    showHelpTopic(100);
    contents->click();
    EXPECT_EQ(list()->currentItem()->text(), "Chemical tests");
}

TEST_F(HelpViewerTest, EscapeAndCloseStillCloseTheViewer)
{
    for (bool fromTopic : {false, true}) {
        for (bool escape : {true, false}) {
            QPointer<HelpViewer> v = openContents();
            ASSERT_TRUE(v);
            if (fromTopic)
                QTest::keyClick(list(), Qt::Key_Return);
            if (escape)
                QTest::keyClick(v->focusWidget() ? v->focusWidget() : v.data(), Qt::Key_Escape);
            else
                v->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->click();
            EXPECT_TRUE(!v || !v->isVisible()) << "from topic " << fromTopic << ", escape " << escape;
            QApplication::processEvents();
        }
    }
}

TEST_F(HelpViewerTest, AHelpFileThatCannotBeReadIsNamedWithTheReason)
{
    const QString path = folder.file(QStringLiteral("orvantor.hlp"));
    struct Case {
        const char* name;
        const char* why;
    };
    const Case cases[]{
        {"missing", "(it does not exist)."},
        {"empty", "(it holds no help topics)."},
        {"not help text", "(it holds no help topics)."},
        {"a folder", "(it is not a regular file)."},
    };
    for (const Case& c : cases) {
        QFile::remove(path);
        QDir().rmdir(path); // the empty folder the last case made
        const std::string name = c.name;
        if (name == "a folder") {
            QDir().mkpath(path);
        } else if (name != "missing") {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            if (name == "not help text")
                f.write(QByteArray("GIF89a\0\x01\xff\n#TOPIC\n", 18));
        }
        const QString expected = QStringLiteral("The help file cannot be read: ") + QDir::toNativeSeparators(path)
                               + u' ' + QString::fromUtf8(c.why);
        HelpViewer* v = openContents();
        ASSERT_TRUE(v) << name;
        EXPECT_EQ(v->shownTitle(), "Contents") << name;
        EXPECT_EQ(v->shownText(), expected) << name;
        EXPECT_TRUE(browser()->isVisible()) << name << ": the message stands in place of the list";
        EXPECT_FALSE(v->showingContents()) << name;
        EXPECT_EQ(list()->count(), 0) << name;
        showHelpTopic(707);
        EXPECT_EQ(v->shownTitle(), "Help topic 707") << name;
        EXPECT_EQ(v->shownText(), expected) << name;
        button(QStringLiteral("C&ontents"))->click();
        EXPECT_EQ(v->shownText(), expected) << name;
        v->close();
        QApplication::processEvents();
    }
}

// A window reads the help file once, whatever the student does in it (a
// large file takes seconds to read); the next window reads it again, and an
// edited file is seen there.
TEST_F(HelpViewerTest, AWindowReadsTheHelpFileOnceAndTheNextOneReadsItAgain)
{
    OpenWatch watch(folder.file(QStringLiteral("orvantor.hlp")));
    ASSERT_TRUE(watch.watching());
    HelpViewer* v = openContents();
    ASSERT_TRUE(v);
    const int reading = watch.opensSoFar();
    ASSERT_GT(reading, 0) << "the watch sees the window read the file";
    // A round through the window: the list, a link, Contents, a topic and
    // the contents asked for from elsewhere.
    QTest::keyClick(list(), Qt::Key_Return);
    ASSERT_EQ(v->topic(), 1);
    QTest::mouseClick(browser()->viewport(), Qt::LeftButton, {}, pointOnText(QStringLiteral("Strategy summary")));
    ASSERT_EQ(v->topic(), 4);
    button(QStringLiteral("C&ontents"))->click();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(2)).center());
    ASSERT_EQ(v->shownTitle(), "Strategy background");
    showHelpTopic(707);
    showHelpContents();
    EXPECT_EQ(watch.opensSoFar(), reading) << "no step reads the file again";

    writeHelpFile("#TOPIC 1\nEdited\nThe new text.\n");
    const int edited = watch.opensSoFar();
    showHelpTopic(1);
    EXPECT_EQ(v->shownTitle(), "How to use Orvanto") << "the open window goes on with what it read";
    EXPECT_EQ(watch.opensSoFar(), edited);
    v->close();
    QApplication::processEvents();
    showHelpTopic(1);
    ASSERT_TRUE(currentHelpViewer());
    EXPECT_EQ(currentHelpViewer()->shownTitle(), "Edited");
    EXPECT_EQ(currentHelpViewer()->shownText(), "The new text.");
    EXPECT_EQ(watch.opensSoFar(), edited + reading) << "the next window reads the file again";
}

// A line begun as a topic's header but none ("#TOPIC x") cuts the topic
// before it short: that topic is refused naming the line, as a topic too
// large is; the topics after it still show, and a topic the file lacks
// names the line too, as it may be the one whose header was mistyped.
TEST_F(HelpViewerTest, ABadHeaderIsNamedWhereItCutsATopicShortOrMayHideOne)
{
    writeHelpFile(
        "#TOPIC 1\nFirst\nThe first text.\n#TOPIC x\nLost title\nLost text.\n#TOPIC 3\nThird\nThe third text.\n");
    const QString refused = QStringLiteral("This help topic cannot be shown: ")
                          + QDir::toNativeSeparators(folder.file(QStringLiteral("orvantor.hlp")));
    const QString notAHeader = QStringLiteral(
        "\"#TOPIC x\", which is no topic header: a header is #TOPIC, a blank and a number of up to 9 digits).");
    struct Case {
        int topic;
        const char* title;
        QString text;
    };
    const Case cases[]{
        {1, "First", refused + QStringLiteral(" (topic 1 ends at line 4, ") + notAHeader},
        {3, "Third", QStringLiteral("The third text.")},
        {2, "Help topic 2", refused + QStringLiteral(" (line 4 reads ") + notAHeader},
    };
    for (const Case& c : cases) {
        showHelpTopic(c.topic);
        HelpViewer* v = currentHelpViewer();
        ASSERT_TRUE(v);
        EXPECT_EQ(v->shownTitle(), c.title) << c.topic;
        EXPECT_EQ(v->shownText(), c.text) << c.topic;
    }
    HelpViewer* v = openContents();
    ASSERT_TRUE(v);
    EXPECT_EQ(v->shownText(), "First\nThird");
}

TEST_F(HelpViewerTest, MarkupInTheHelpFileIsShownAsTextAndOpensNothing)
{
    // A picture file the markup names: opening it would be reading a file
    // the help file chose (a device, a huge file).
    const QString picture = folder.file(QStringLiteral("picture.png"));
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(picture));
    }
    // Single quotes: a double quote would end a see-link's title.
    const QString img = QStringLiteral("<img src='%1'>").arg(picture);
    const QString red = QStringLiteral("<font color=red>Red title</font>");
    const QString link = QStringLiteral("<a href='topic:2'>anchor</a>");
    const QString title1 = red + u' ' + img + u' ' + link;
    const QString title2 = QStringLiteral("<b>Second</b> ") + img;
    writeHelpFile(QStringLiteral("#TOPIC 1\n%1\nSee \"%2\".\n%3 in the text\n<table><tr><td>%4</td></tr></table>\n"
                                 "#TOPIC 2\n%2\nSee also \"%1\".\n")
                      .arg(title1, title2, img, red)
                      .toUtf8());
    OpenWatch watch(picture);
    ASSERT_TRUE(watch.watching());

    HelpViewer* v = openContents();
    ASSERT_TRUE(v);
    EXPECT_EQ(v->shownText(), title1 + u'\n' + title2) << "the contents list the titles as written";
    EXPECT_EQ(redPixels(list()), 0) << "no title is coloured by its markup";

    for (int topic : {1, 2}) {
        SCOPED_TRACE(topic);
        showHelpTopic(topic);
        const QString own = topic == 1 ? title1 : title2, other = topic == 1 ? title2 : title1;
        EXPECT_EQ(v->shownTitle(), own);
        auto* heading = v->findChild<QLabel*>();
        ASSERT_TRUE(heading);
        EXPECT_TRUE(v->shownText().contains(u'"' + other + u'"')) << "the see-link reads as written";
        if (topic == 1) {
            EXPECT_TRUE(v->shownText().contains(img + QStringLiteral(" in the text\n<table>")));
        }
        // The one link is the reference to the other topic, with the title as its text.
        QStringList links;
        int images = 0;
        for (QTextBlock b = browser()->document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                if (it.fragment().charFormat().isAnchor())
                    links << it.fragment().text() + u'>' + it.fragment().charFormat().anchorHref();
                images += it.fragment().charFormat().isImageFormat() ? 1 : 0;
            }
        EXPECT_EQ(links, QStringList{other + QStringLiteral(">topic:%1").arg(3 - topic)});
        EXPECT_EQ(images, 0);
        QApplication::processEvents();
        EXPECT_EQ(redPixels(heading), 0);
        EXPECT_EQ(redPixels(browser()->viewport()), 0);
    }
    EXPECT_EQ(watch.opensSoFar(), 0) << "no file the help file names is opened";
    // The watch does see an opening, so the count above means something.
    QFile opened(picture);
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_GT(watch.opensSoFar(), 0);
}

TEST_F(HelpViewerTest, ATopicTooLargeToLayOutIsRefusedAtOnceNamingTheFile)
{
    struct Case {
        const char* name;
        QByteArray body;
        bool shown;
    };
    const QByteArray words = QByteArray("word ").repeated(19) + "words"; // 100 characters
    const Case cases[]{
        {"one line of 7.5 MB", QByteArray(7'500'000, 'x'), false},
        {"one line of 7.5 MB of words and see-links", QByteArray("see \"Other\" and ").repeated(470'000), false},
        {"a line one character too long", QByteArray(kMaxHelpLine + 1, 'x'), false},
        {"a line as long as can be shown", QByteArray(kMaxHelpLine, 'x'), true},
        {"7.5 MB in short lines", (words + '\n').repeated(75'000), false},
        {"as much as can be shown in short lines", (words + '\n').repeated(kMaxHelpText / 101), true},
    };
    const QString refusal = QStringLiteral("This help topic cannot be shown: ")
                          + QDir::toNativeSeparators(folder.file(QStringLiteral("orvantor.hlp")));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeHelpFile("#TOPIC 1\nBig\n" + c.body + "\n#TOPIC 2\nOther\nSmall.\n");
        showHelpTopic(1);
        HelpViewer* v = currentHelpViewer();
        ASSERT_TRUE(v);
        QApplication::processEvents();
        EXPECT_EQ(v->shownTitle(), "Big");
        if (c.shown) {
            EXPECT_EQ(v->shownText().size(), c.body.trimmed().size());
        } else {
            EXPECT_TRUE(v->shownText().startsWith(refusal)) << v->shownText().left(300).toStdString();
            EXPECT_TRUE(v->shownText().endsWith("can be shown).")) << v->shownText().toStdString();
        }
        showHelpTopic(2);
        EXPECT_EQ(v->shownText(), "Small.") << "the file's other topics still show";
        v->close();
        QApplication::processEvents();
    }
}

TEST_F(HelpViewerTest, AVeryLongTitleIsCutInTheListAndHeadingButStillLinked)
{
    const QString longTitle = QStringLiteral("T").repeated(kMaxHelpLine - 100);
    const QString hugeTitle = QStringLiteral("U").repeated(2'000'000);
    writeHelpFile(QStringLiteral("#TOPIC 1\n%1\nThe long one.\n#TOPIC 2\nShort\nSee \"%1\".\n#TOPIC 3\n%2\nHuge.\n")
                      .arg(longTitle, hugeTitle)
                      .toUtf8());
    HelpViewer* v = openContents();
    ASSERT_TRUE(v);
    const QString cut = longTitle.left(kMaxHelpTitle) + QChar(0x2026);
    EXPECT_EQ(v->shownText(), cut + QStringLiteral("\nShort\n") + hugeTitle.left(kMaxHelpTitle) + QChar(0x2026));
    showHelpTopic(3);
    QApplication::processEvents();
    showHelpTopic(2);
    QTest::mouseClick(browser()->viewport(), Qt::LeftButton, {}, pointOnText(QStringLiteral("TTTT")));
    EXPECT_EQ(v->topic(), 1) << "the reference names the whole title";
    EXPECT_EQ(v->shownTitle(), cut);
    EXPECT_EQ(v->shownText(), "The long one.");
}

// The window fits its screen's available area, whatever the titles: a title
// of one unbroken word wraps in the heading and ends in an ellipsis in the
// list, and Close and Contents stay where they can be clicked.
TEST_F(HelpViewerTest, ALongUnbrokenTitleLeavesTheWindowOnItsScreen)
{
    const QString word = QStringLiteral("W").repeated(kMaxHelpTitle);
    // Long titles first and last: a list sizes its entries by either.
    writeHelpFile(QStringLiteral("#TOPIC 1\n%1\nThe long one.\n#TOPIC 2\nShort\nSee \"%1\".\n#TOPIC 3\n%1\nAgain.\n")
                      .arg(word)
                      .toUtf8());
    struct Case {
        const char* name;
        std::function<void()> open;
        QString heading;
    };
    const Case cases[]{
        {"the contents", [] { showHelpContents(); }, QStringLiteral("Contents")},
        {"the topic", [] { showHelpTopic(1); }, word},
        {"the topic by its link",
         [this] {
             showHelpTopic(2);
             QTest::mouseClick(browser()->viewport(), Qt::LeftButton, {}, pointOnText(QStringLiteral("WWWW")));
         },
         word},
    };
    for (const Case& c : cases) {
        c.open();
        QPointer<HelpViewer> v = currentHelpViewer();
        ASSERT_TRUE(v && QTest::qWaitForWindowExposed(v)) << c.name;
        QApplication::processEvents();
        const QRect room = v->screen()->availableGeometry();
        SCOPED_TRACE(QStringLiteral("%1 on a screen of %2 x %3")
                         .arg(QString::fromUtf8(c.name))
                         .arg(room.width())
                         .arg(room.height())
                         .toStdString());
        EXPECT_EQ(v->shownTitle(), c.heading) << "the heading as the file gives it";
        EXPECT_TRUE(room.contains(v->frameGeometry()))
            << v->frameGeometry().width() << " x " << v->frameGeometry().height();
        const auto buttons = v->findChild<QDialogButtonBox*>()->buttons();
        ASSERT_EQ(buttons.size(), 2);
        for (const QAbstractButton* b : buttons) {
            const QRect inWindow(b->mapTo(v.data(), QPoint(0, 0)), b->size());
            EXPECT_TRUE(v->rect().contains(inWindow)) << b->text().toStdString();
            EXPECT_TRUE(room.contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size()))) << b->text().toStdString();
        }
        // The heading shows all of itself, inside the window.
        auto* heading = v->findChild<QLabel*>();
        ASSERT_TRUE(heading);
        EXPECT_LE(heading->width(), v->width());
        EXPECT_GE(heading->height(), heading->heightForWidth(heading->width()));
        // The list entry is no wider than the list shows: nothing to scroll sideways to.
        showHelpContents();
        for (int row : {0, 2}) {
            const QRect entry = list()->visualItemRect(list()->item(row));
            EXPECT_LE(entry.right(), list()->viewport()->width()) << row;
        }
        EXPECT_EQ(list()->horizontalScrollBar()->maximum(), 0);
        v->close();
        QApplication::processEvents();
    }
}

// A window made larger than its screen, or pushed past its edge, comes back
// onto it with the next thing it shows.
TEST_F(HelpViewerTest, AWindowPastItsScreenComesBackOntoIt)
{
    HelpViewer* v = openContents();
    ASSERT_TRUE(v);
    const QRect room = v->screen()->availableGeometry();
    v->resize(room.width() + 400, room.height() + 300);
    v->move(room.left() - 100, room.top() - 50);
    showHelpTopic(1);
    EXPECT_TRUE(room.contains(v->frameGeometry()))
        << v->frameGeometry().x() << ", " << v->frameGeometry().y() << " " << v->frameGeometry().width() << " x "
        << v->frameGeometry().height();
    v->move(room.right() - 50, room.bottom() - 50);
    button(QStringLiteral("C&ontents"))->click();
    EXPECT_TRUE(room.contains(v->frameGeometry())) << v->frameGeometry().x() << ", " << v->frameGeometry().y();
}
