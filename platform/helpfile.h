#pragma once
// The help file of numbered topics in the program folder. Each topic starts
// with a line "#TOPIC <n>", followed by its title line and its text.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace orv {

// The topic the help opens at when no entry names one ("How to use Orvanto").
inline constexpr int kHelpContentsTopic = 1;

struct HelpTopic {
    int number = 0;
    QString title;
    QString text;
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

// The topic, or nothing when the file or the topic is missing.
std::optional<HelpTopic> readHelpTopic(const QString& helpFilePath, int topic);
// The program's help file: <program folder>/orvantor.hlp.
QString helpFilePath();

} // namespace orv
