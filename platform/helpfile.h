#pragma once
// The help file of numbered topics in the program folder. Each topic starts
// with a line "#TOPIC <n>", followed by its title line and its text. The
// file's topics in their order are its contents; a topic refers to others by
// their titles in double quotes after "see" (see helpReferences).
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace orv {

// A line that starts as a topic's header does ("#TOPIC ") but is none
// ("#TOPIC x", "#TOPIC 12a", a number of ten digits). It ends the topic
// before it all the same, and the lines after it, up to the next header,
// belong to no topic: most likely a topic whose number was mistyped.
struct HelpBadHeader {
    qsizetype line = 0; // from 1
    QString text;       // as written, without the line end
};

struct HelpTopic {
    int number = 0;
    QString title;
    QString text;
    // The bad header that ended the text, when one did: what the writer
    // meant to follow it is not in the text.
    std::optional<HelpBadHeader> cutBy = std::nullopt;
};

// A topic's text in blocks, for showing it: running text as written, and
// tables (two or more lines in a row whose columns are parted by two or more
// blanks) with each column padded to its widest entry, so that the columns
// line up in a fixed-pitch font. Lines keep their order; blank lines stay in
// the running text.
struct HelpBlock {
    bool table = false;
    QStringList lines;
};
QList<HelpBlock> helpTextBlocks(const QString& text);

// The help file as read once, with the look-ups a window makes at every
// click: by number and by title.
struct HelpFile {
    // In the file's order; a number that comes twice is the first of them.
    QList<HelpTopic> topics;
    // Every bad header, in the file's order.
    QList<HelpBadHeader> badHeaders;
    // Every title, leading to the number of the first topic of that title.
    QHash<QString, int> numbersByTitle;

    // The topic numbered `number`, or nullptr.
    const HelpTopic* find(int number) const;
    // The place of topic `number` in `topics`, or -1.
    qsizetype indexOf(int number) const;

private:
    friend std::optional<HelpFile> readHelp(const QString&, QString*);
    QHash<int, qsizetype> indexByNumber_;
};

// Every topic of the file in the file's order; a number that comes twice is
// the first of them. Nothing when the file cannot be read or holds no topic:
// `error`, when given, then says why in words that can follow the file's
// name ("it does not exist", "it holds no help topics"). A file whose only
// headers are bad ones holds no topic either.
std::optional<HelpFile> readHelp(const QString& helpFilePath, QString* error = nullptr);

// The most a topic may hold to be shown. The shipped topics hold a few
// thousand characters in lines of under a thousand; a window lays out a
// line of millions for seconds on end, so such a topic is refused instead.
inline constexpr qsizetype kMaxHelpLine = 10000;
inline constexpr qsizetype kMaxHelpText = 200000;
// Why the topic is too large to show, in words that can follow the file's
// name ("topic 7 holds a line of 7864320 characters; at most 10000 can be
// shown"); empty when it can be shown.
QString helpTopicTooLarge(const HelpTopic& topic);
// Why the topic is not shown: too large, or cut short by a bad header
// ("topic 7 ends at line 12, "#TOPIC x", which is no topic header: ...").
// Empty when it can be shown as it stands.
QString helpTopicDamage(const HelpTopic& topic);
// For a number the file has no topic of: its first bad header, where that
// topic may have been meant to start ("line 12 reads "#TOPIC x", which is no
// topic header: ..."). Empty when the file has none: the topic has no text
// yet.
QString helpMissingTopicDamage(const HelpFile& file);
// The title as the contents list and the heading show it: "Help topic <n>"
// for a topic without one, and a title longer than kMaxHelpTitle cut there
// with an ellipsis (a long title is still looked up whole by "see").
inline constexpr qsizetype kMaxHelpTitle = 200;
QString helpTopicHeading(const HelpTopic& topic);

// Where a line of topic text names other topics: each text in double quotes
// that follows the word "see" (any case) up to the end of that sentence or
// bracket, as in `See also "A", "B" and "C".` or `(see "A")`. The spans are
// the texts inside the quotes, in order; whether a topic has that title is
// for the reader to look up.
struct HelpReference {
    qsizetype start = 0;
    qsizetype length = 0;
};
QList<HelpReference> helpReferences(const QString& line);
// The program's help file: <program folder>/orvantor.hlp.
QString helpFilePath();

} // namespace orv
