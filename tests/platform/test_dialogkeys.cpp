// Enter, Escape and stray access keys in the program's plain-widget windows,
// the help topic's tables, and the help opened from a modal window.
#include "platform/forms/dialogkeys.h"
#include "platform/forms/formregistry.h"
#include "platform/forms/helpviewer.h"
#include "platform/helpfile.h"
#include "tests/common/testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

using namespace orv;

namespace {

// A small window as the programs build them: an option, a text box, a
// read-only text, and Help, Cancel and Continue buttons.
struct SmallWindow {
    QWidget window;
    QRadioButton* option = new QRadioButton(QStringLiteral("first"), &window);
    QLineEdit* box = new QLineEdit(&window);
    QPlainTextEdit* text = new QPlainTextEdit(QStringLiteral("read me"), &window);
    QPushButton* help = new QPushButton(QStringLiteral("&Help"), &window);
    QPushButton* cancel = new QPushButton(QStringLiteral("C&ancel"), &window);
    QPushButton* go = new QPushButton(QStringLiteral("&Continue"), &window);
    int helps = 0, cancels = 0, continues = 0;

    SmallWindow()
    {
        text->setReadOnly(true);
        QObject::connect(help, &QPushButton::clicked, [this] { ++helps; });
        QObject::connect(cancel, &QPushButton::clicked, [this] { ++cancels; });
        QObject::connect(go, &QPushButton::clicked, [this] { ++continues; });
        setDefaultButton(&window, go);
        setCancelButton(&window, cancel);
        window.show();
    }
};

} // namespace

TEST(DialogKeys, EnterPressesTheDefaultFromWhereverTheFocusIs)
{
    SmallWindow w;
    EXPECT_EQ(defaultButton(&w.window), w.go);
    EXPECT_EQ(cancelButton(&w.window), w.cancel);
    EXPECT_TRUE(w.go->isDefault());
    int expected = 0;
    for (QWidget* focus : std::initializer_list<QWidget*>{w.option, w.box, w.text}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Return);
        EXPECT_EQ(w.continues, ++expected) << focus->metaObject()->className();
    }
    QTest::keyClick(w.box, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w.continues, ++expected) << "the keypad's Enter";
    // A focused button is pressed by Enter itself, not the default.
    w.help->setFocus();
    QTest::keyClick(w.help, Qt::Key_Return);
    EXPECT_EQ(w.helps, 1);
    EXPECT_EQ(w.continues, expected);
    // With a modifier Enter is not the default's key.
    QTest::keyClick(w.box, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(w.continues, expected);
    EXPECT_EQ(w.cancels, 0);
}

TEST(DialogKeys, EscapePressesCancelAndUnusableButtonsAreLeftAlone)
{
    SmallWindow w;
    QTest::keyClick(w.box, Qt::Key_Escape);
    EXPECT_EQ(w.cancels, 1);
    w.cancel->setEnabled(false);
    w.go->hide();
    QTest::keyClick(w.box, Qt::Key_Escape);
    QTest::keyClick(w.box, Qt::Key_Return);
    EXPECT_EQ(w.cancels, 1);
    EXPECT_EQ(w.continues, 0);
    // Set again: the old default is no longer marked as such.
    w.go->show();
    setDefaultButton(&w.window, w.help);
    EXPECT_FALSE(w.go->isDefault());
    QTest::keyClick(w.box, Qt::Key_Return);
    EXPECT_EQ(w.helps, 1);
    // One button for both keys.
    setContinueButton(&w.window, w.go);
    QTest::keyClick(w.box, Qt::Key_Escape);
    QTest::keyClick(w.option, Qt::Key_Return);
    EXPECT_EQ(w.continues, 2);
}

// In every window, with or without a default button, dialogs included, Enter
// presses the focused button once; a text box that takes Enter keeps it.
TEST(DialogKeys, EnterPressesTheFocusedButtonInEveryWindow)
{
    installFocusedButtonEnter();
    QWidget plain;
    auto* plainButton = new QPushButton(QStringLiteral("&Save"), &plain);
    auto* tool = new QToolButton(&plain);
    auto* check = new QCheckBox(QStringLiteral("&Tips"), &plain);
    auto* editor = new QPlainTextEdit(&plain);
    plainButton->setAutoDefault(false);
    QDialog dialog;
    auto* autoDefault = new QPushButton(QStringLiteral("&Yes"), &dialog);
    auto* notAutoDefault = new QPushButton(QStringLiteral("&No"), &dialog);
    auto* dialogDefault = new QPushButton(QStringLiteral("&Continue"), &dialog);
    autoDefault->setAutoDefault(true);
    notAutoDefault->setAutoDefault(false);
    dialogDefault->setDefault(true);
    SmallWindow small; // with a default button of its own
    QMap<QAbstractButton*, int> presses;
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{plainButton, tool, check, autoDefault,
                                                                      notAutoDefault, dialogDefault, small.help})
        QObject::connect(b, &QAbstractButton::clicked, [&presses, b] { ++presses[b]; });
    plain.show();
    dialog.show();

    // clang-format off
    struct Case { const char* what; QWidget* focus; Qt::KeyboardModifiers mods; QAbstractButton* pressed; };
    const Case cases[] = {
        {"a window without a default button", plainButton, Qt::NoModifier, plainButton},
        {"the keypad's Enter", plainButton, Qt::KeypadModifier, plainButton},
        {"a tool button", tool, Qt::NoModifier, tool},
        {"a dialog's auto-default button", autoDefault, Qt::NoModifier, autoDefault},
        {"a dialog's other button, not its default", notAutoDefault, Qt::NoModifier, notAutoDefault},
        {"a small window's button, not its default", small.help, Qt::NoModifier, small.help},
        {"a check box is no button to press", check, Qt::NoModifier, nullptr},
        {"Ctrl+Enter", plainButton, Qt::ControlModifier, nullptr},
        {"Shift+Enter", plainButton, Qt::ShiftModifier, nullptr},
    };
    // clang-format on
    for (const Case& c : cases) {
        presses.clear();
        const int continues = small.continues;
        c.focus->setFocus();
        QTest::keyClick(c.focus, Qt::Key_Return, c.mods);
        if (c.pressed) {
            EXPECT_EQ(presses.value(c.pressed), 1) << c.what;
        }
        EXPECT_EQ(presses.size(), c.pressed ? 1 : 0) << c.what;
        EXPECT_EQ(small.continues, continues) << c.what;
    }
    // The focused button that is also its window's default: the key reaches
    // both the program's filter and the window's, and one Enter is one click.
    for (const Qt::KeyboardModifiers mods :
         {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::KeypadModifier)}) {
        const int continues = small.continues;
        small.go->setFocus();
        QTest::keyClick(small.go, mods == Qt::NoModifier ? Qt::Key_Return : Qt::Key_Enter, mods);
        EXPECT_EQ(small.continues, continues + 1) << "keypad: " << (mods != Qt::NoModifier);
    }
    // A text box that takes Enter keeps it.
    presses.clear();
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("a"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("a\n"));
    EXPECT_TRUE(presses.isEmpty());
}

TEST(DialogKeys, AnAltKeyMatchingNoButtonIsNotTyped)
{
    installAccessKeyGuard();
    SmallWindow w;
    w.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    w.box->setFocus();
    QTest::keyClicks(w.box, QStringLiteral("ab"));
    QTest::keyClick(w.box, Qt::Key_Q, Qt::AltModifier);
    QTest::keyClick(w.box, Qt::Key_Z, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.box->text(), QStringLiteral("ab"));
    // An access key that matches still presses its button (after the press
    // animation).
    QTest::keyClick(w.box, Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&w] { return w.helps == 1; }, 2000));
    EXPECT_EQ(w.box->text(), QStringLiteral("ab"));
    // AltGr sent as Ctrl + Alt types its character.
    QKeyEvent altGr(QEvent::KeyPress, Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("@"));
    QApplication::sendEvent(w.box, &altGr);
    EXPECT_EQ(w.box->text(), QStringLiteral("ab@"));
}

// What a key filter may refuse: typed characters only, so that Escape, Tab
// and shortcuts always get through it.
TEST(DialogKeys, OnlyPrintableCharactersCountAsTyping)
{
    struct Case {
        const char* what;
        int key;
        Qt::KeyboardModifiers mods;
        QString text;
        bool typing;
    };
    const Case cases[] = {
        {"a letter", Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), true},
        {"a capital", Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"), true},
        {"a blank", Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true},
        {"a keypad digit", Qt::Key_7, Qt::KeypadModifier, QStringLiteral("7"), true},
        {"an accented letter", Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)), true},
        {"AltGr as Ctrl+Alt", Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("@"), true},
        {"Escape", Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)), false},
        {"Tab", Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"), false},
        {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("\t"), false},
        {"Enter", Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), false},
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"), false},
        {"Delete", Qt::Key_Delete, Qt::NoModifier, QString(QChar(127)), false},
        {"an arrow", Qt::Key_Left, Qt::NoModifier, QString(), false},
        {"Ctrl+V as a control character", Qt::Key_V, Qt::ControlModifier, QString(QChar(22)), false},
        {"Ctrl+C with its letter", Qt::Key_C, Qt::ControlModifier, QStringLiteral("c"), false},
        {"an access key", Qt::Key_Q, Qt::AltModifier, QStringLiteral("q"), false},
        {"Meta with a letter", Qt::Key_E, Qt::MetaModifier, QStringLiteral("e"), false},
    };
    for (const Case& c : cases) {
        const QKeyEvent key(QEvent::KeyPress, c.key, c.mods, c.text);
        EXPECT_EQ(typesCharacter(&key), c.typing) << c.what;
    }
}

TEST(HelpText, TablesAreCutIntoColumnsAndPadded)
{
    const QString text = QStringLiteral("Liquids by boiling point.\n\n"
                                        "bp 51   acetyl chloride   C2H3ClO   M 78\n"
                                        "bp 102   butanoyl chloride   C4H7ClO   M 106\n"
                                        "mp 73   4-nitrobenzoyl chloride   C7H4ClNO3   M 185\n"
                                        "\n"
                                        "A sentence.  With two blanks once.\n"
                                        "Main window\n"
                                        "F1  Help contents\n"
                                        "Alt + underlined letter  open a menu\r");
    const QList<HelpBlock> blocks = helpTextBlocks(text);
    ASSERT_EQ(blocks.size(), 4);
    EXPECT_FALSE(blocks[0].table);
    EXPECT_EQ(blocks[0].lines, (QStringList{"Liquids by boiling point.", ""}));
    ASSERT_TRUE(blocks[1].table);
    EXPECT_EQ(blocks[1].lines, (QStringList{"bp 51   acetyl chloride          C2H3ClO    M 78",
                                            "bp 102  butanoyl chloride        C4H7ClO    M 106",
                                            "mp 73   4-nitrobenzoyl chloride  C7H4ClNO3  M 185"}));
    // A single line with two blanks is running text, not a table.
    EXPECT_FALSE(blocks[2].table);
    EXPECT_EQ(blocks[2].lines, (QStringList{"", "A sentence.  With two blanks once.", "Main window"}));
    ASSERT_TRUE(blocks[3].table);
    EXPECT_EQ(blocks[3].lines,
              (QStringList{"F1                       Help contents", "Alt + underlined letter  open a menu"}));
    EXPECT_TRUE(helpTextBlocks(QString()).size() <= 1);
}

TEST(HelpViewer, ShowsTheTablesOfATopicInColumnsThatLineUp)
{
    orvtest::ProgramFolder folder;
    showHelpTopic(545); // Table of compounds: Acids
    HelpViewer* v = currentHelpViewer();
    ASSERT_TRUE(v);
    ASSERT_TRUE(v->shownTitle().startsWith(QStringLiteral("Table of compounds")));
    auto* browser = v->findChild<QTextBrowser*>();
    ASSERT_TRUE(browser);
    int rows = 0, prose = 0;
    int nameColumn = -1;
    for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next()) {
        const QString line = b.text();
        if (line.startsWith(QStringLiteral("bp ")) || line.startsWith(QStringLiteral("mp "))) {
            ++rows;
            // The columns line up: every character of the row advances alike.
            const QFontMetricsF metrics(b.begin().fragment().charFormat().font());
            const double advance = metrics.horizontalAdvance(u'0');
            for (const QChar c : line)
                EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(c), advance)
                    << "'" << QString(c).toStdString() << "' in " << line.toStdString();
            // The names start in one column.
            const int at = int(QRegularExpression(QStringLiteral(" {2,}(\\S)")).match(line).capturedStart(1));
            if (nameColumn < 0)
                nameColumn = at;
            EXPECT_EQ(at, nameColumn) << line.toStdString();
        } else if (line.startsWith(QStringLiteral("Carboxylic acids"))) {
            ++prose;
            const QFontMetricsF metrics(b.begin().fragment().charFormat().font());
            EXPECT_NE(metrics.horizontalAdvance(u'i'), metrics.horizontalAdvance(u'W')) << "prose in the text face";
        }
    }
    EXPECT_GE(rows, 10);
    EXPECT_EQ(prose, 1);
    v->close();
    QApplication::processEvents(); // the closed viewer goes
}

TEST(HelpViewer, OpensInFrontOfAModalWindowAndOutlivesIt)
{
    orvtest::ProgramFolder folder;
    auto* modal = new QWidget;
    modal->setObjectName(QStringLiteral("ModalProbe"));
    modal->setAttribute(Qt::WA_DeleteOnClose);
    forms::adopt(modal);
    QPointer<HelpViewer> seen;
    bool blocked = true;
    orvtest::later(
        [&] {
            showHelpContents();
            seen = currentHelpViewer();
            if (seen) {
                // Not blocked by the modal window: a transient of it.
                blocked = seen->windowHandle()->transientParent() != modal->windowHandle();
            }
            forms::unload(modal);
        },
        10);
    forms::showModal(modal);
    ASSERT_TRUE(seen);
    EXPECT_FALSE(blocked);
    QApplication::processEvents();
    EXPECT_TRUE(seen->isVisible()) << "the help stays when the window that opened it closes";
    seen->close();
    QApplication::processEvents();
}
