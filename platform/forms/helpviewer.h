#pragma once
// Stands in for the system's help viewer: shows one numbered topic of the
// program folder's help file in a window of its own.
#include <QDialog>

class QLabel;
class QTextBrowser;
class QTextEdit;

namespace orv {

class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    void showTopic(int topic);
    int topic() const { return topic_; }
    QString shownTitle() const;
    QString shownText() const;
private:
    int topic_ = 0;
    QLabel* title_;
    QTextBrowser* text_;
};

// Puts a help text (plain, LF line breaks) into a text box: running text in
// the box's font, tables aligned in a fixed-pitch font.
void setHelpText(QTextEdit* box, const QString& text);

// Opens the help file at a topic number (modeless, one viewer at a time);
// says plainly when the topic has no text yet.
void showHelpTopic(int topic);
// The viewer currently shown, if any (for tests).
HelpViewer* currentHelpViewer();

} // namespace orv
