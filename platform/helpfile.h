#pragma once
// The help file of numbered topics in the program folder. Each topic starts
// with a line "#TOPIC <n>", followed by its title line and its text.
#include <QString>
#include <optional>

namespace orv {

struct HelpTopic {
    int number = 0;
    QString title;
    QString text;
};

// The topic, or nothing when the file or the topic is missing.
std::optional<HelpTopic> readHelpTopic(const QString& helpFilePath, int topic);
// The program's help file: <program folder>/orvantor.hlp.
QString helpFilePath();

} // namespace orv
