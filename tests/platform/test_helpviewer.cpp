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
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <gtest/gtest.h>

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

    orvtest::ProgramFolder folder;
};

} // namespace

TEST_F(HelpViewerTest, ContentsListEveryTopicByTitleInTheFilesOrder)
{
    const auto topics = readHelpFile(folder.file(QStringLiteral("orvantor.hlp")));
    ASSERT_TRUE(topics) << "the shipped help file";
    HelpViewer* v = openContents();
    ASSERT_TRUE(v);
    EXPECT_TRUE(v->showingContents());
    EXPECT_EQ(v->topic(), 0);
    EXPECT_EQ(v->shownTitle(), "Contents");
    ASSERT_TRUE(list()->isVisible());
    QStringList titles;
    for (const HelpTopic& t : *topics)
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
        QDir(path).removeRecursively();
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
