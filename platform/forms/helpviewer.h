#pragma once
// Stands in for the system's help viewer: shows the program folder's help
// file in a window of its own, either its contents (every topic by title, in
// the file's order) or one numbered topic. A topic's references to other
// topics ("see" and a title in double quotes) are links to them; the
// Contents button goes back to the list.
//
// A window reads the help file once, at the first topic or contents it
// shows, and keeps what it read (or why it could not) until it closes; the
// next window reads the file again, so an edited file is seen there. The
// window stays within its screen's available area: long titles wrap in the
// heading and end in an ellipsis in the list.
#include "platform/helpfile.h"

#include <QDialog>
#include <QHash>
#include <optional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStackedWidget;
class QTextBrowser;
class QTextEdit;

namespace orv {

class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    void showTopic(int topic);
    // The list of topics, the one last shown current; a help file that
    // cannot be read is named with the reason in its place.
    void showContents();
    // The topic on show; 0 while the contents are.
    int topic() const { return topic_; }
    // True only while the list of topics is on show (not a message in its place).
    bool showingContents() const;
    // The heading on show: the file's (cut to kMaxHelpTitle), or the message's.
    QString shownTitle() const;
    // The topic's text, or the message that stands in the place of the text
    // or the list.
    QString shownText() const;
protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
private:
    // The help file as this window read it, or nullptr with why not.
    const HelpFile* helpFile(QString* why);
    void openItem(const QListWidgetItem* item);
    void setHeading(const QString& heading);
    void showMessage(const QString& title, const QString& text);
    // Moves and shrinks the window, its frame included, into its screen's
    // available area; the layout has its say first.
    void keepOnScreen();
    int topic_ = 0;
    int lastTopic_ = 0;
    std::optional<HelpFile> help_;
    QString helpPath_; // read from here; empty before the first reading
    QString helpError_;
    bool listed_ = false; // the list holds help_'s topics
    QLabel* title_;
    QStackedWidget* pages_;
    QListWidget* contents_;
    QTextBrowser* text_;
    QPushButton* contentsButton_;
};

// Puts a help text (plain, LF line breaks) into a text box: running text in
// the box's font, tables aligned in a fixed-pitch font. A title that the text
// refers to (see helpReferences) becomes a link "topic:<number>" where
// `topics` knows it.
void setHelpText(QTextEdit* box, const QString& text, const QHash<QString, int>& topics = {});

// Opens the help file at a topic number, or at its contents (modeless, one
// viewer at a time); says plainly when the topic has no text yet or the file
// cannot be read.
void showHelpTopic(int topic);
void showHelpContents();
// The viewer currently shown, if any (for tests).
HelpViewer* currentHelpViewer();

} // namespace orv
