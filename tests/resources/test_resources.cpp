// The student program's compiled-in texts, pictures, cursors, icon and sounds,
// and the help topics its windows open.
#include "platform/forms/pictures.h"
#include "platform/helpfile.h"
#include "platform/resources.h"
#include "platform/sound.h"

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace orv;

namespace {

constexpr int TwipsPerPixel = 15;

// Twips to whole pixels at 96 dots per inch, rounded as the windows lay out.
int toPixels(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }

bool isUnusedItem(int item) { return (item >= 10 && item <= 12) || (item >= 32 && item <= 34); }

// Every string number the program reads: reward texts, item names and
// descriptions, tips.
std::vector<int> usedStringNumbers()
{
    std::vector<int> ids;
    for (int id = 101; id <= 127; ++id)
        ids.push_back(id);
    for (int item = 1; item <= 54; ++item) {
        if (isUnusedItem(item))
            continue;
        ids.push_back(1001 + 2 * (item - 1));
        ids.push_back(1002 + 2 * (item - 1));
    }
    for (int id = 2001; id <= 2030; ++id)
        ids.push_back(id);
    return ids;
}

// Topics the main window opens: Help menu entries, F1 on the menus and their
// entries (item menus, Identity, Calculators, tables of compounds), and the
// general topics the welcome window names. 734 (the worked example) is
// written separately.
std::vector<int> helpTopicNumbers()
{
    // clang-format off
    std::vector<int> topics = {1, 2, 3, 4,                       // general: how to use, why, strategy
                               707, 715, 720, 725, 730, 733,     // Help menu and top menus
                               810, 815, 820, 825,               // physical properties
                               735, 755, 765, 780, 805,          // spectra
                               100, 200, 295, 300,               // tests, derivatives, equivalents
                               500,                              // Identity menu, tables of compounds
                               787, 792, 743, 777};              // calculators
    topics.push_back(101);                                       // first chemical test
    for (int i = 1; i <= 18; ++i)
        topics.push_back(100 + 2 * i);
    for (int i = 0; i <= 17; ++i)
        topics.push_back(205 + 5 * i);                           // derivatives
    // clang-format on
    for (int t : {505, 510, 515, 520, 525, 530, 535, 540, 543, 545, 550, 555, 560, 565, 570, 575, 580, 585})
        topics.push_back(t);
    return topics;
}

QString shippedHelpFile() { return qEnvironmentVariable("ORV_PROGRAM_DIR") + QStringLiteral("/orvantor.hlp"); }

} // namespace

TEST(ResourceStrings, EveryNumberTheProgramReadsHasText)
{
    for (int id : usedStringNumbers()) {
        const QString s = LoadResString(id);
        EXPECT_FALSE(s.trimmed().isEmpty()) << "string " << id;
        EXPECT_NE(s, QStringLiteral("unused")) << "string " << id << " belongs to a used item";
    }
}

TEST(ResourceStrings, UnusedItemsHoldUnusedInBothResources)
{
    for (int item : {10, 11, 12, 32, 33, 34}) {
        EXPECT_EQ(LoadResString(1001 + 2 * (item - 1)), QStringLiteral("unused")) << "item " << item;
        EXPECT_EQ(LoadResString(1002 + 2 * (item - 1)), QStringLiteral("unused")) << "item " << item;
    }
}

TEST(ResourceStrings, FixedTextsStandAsWritten)
{
    struct Case {
        int id;
        const char* text;
    };
    const Case cases[] = {
        {1002, "For detecting nitrogen, sulfur, phosphorus and the halogens"},
        {1004, "For liquids"},
        {1026, "alcohols, primary and secondary amines and phenols"},
        {1106, "carboxylic acids"},
        {2004, "An odd molecular ion in a mass spectrum means that the compound contains an odd number of "
               "nitrogen atoms."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadResString(c.id), QString::fromUtf8(c.text)) << "string " << c.id;
}

TEST(ResourceStrings, DescriptionsFitTheSentencesBuiltAroundThem)
{
    // Physical properties and spectra get a full stop appended; tests and
    // derivatives sit inside "This is a test for <text>." and so start in
    // lower case and carry no full stop of their own.
    for (int item = 1; item <= 54; ++item) {
        if (isUnusedItem(item))
            continue;
        const QString d = LoadResString(1002 + 2 * (item - 1));
        ASSERT_FALSE(d.isEmpty()) << "item " << item;
        EXPECT_FALSE(d.endsWith(u'.')) << "item " << item << ": " << d.toStdString();
        if (item >= 13)
            EXPECT_TRUE(d.at(0).isLower() || d.at(0).isDigit()) << "item " << item << ": " << d.toStdString();
        else
            EXPECT_TRUE(d.at(0).isUpper()) << "item " << item << ": " << d.toStdString();
    }
}

TEST(ResourceStrings, RewardTextsFitBesideThePictureAboveTheButtons)
{
    // The caption box starts at picture height + 900 twips and grows with the
    // text; the report's buttons sit at Top 5050. Caption 25 is shown after
    // the longest count-and-effort prefix.
    const int pictureHeight = LoadResPicture(103).height() * TwipsPerPixel;
    const int buttonsTop = 5050;
    auto bottom = [&](int length, int numerator) { return pictureHeight + 900 + (length + 20) * numerator / 21; };
    EXPECT_LE(bottom(LoadResString(102).size(), 175), buttonsTop) << "introduction";
    for (int id = 103; id <= 126; ++id)
        EXPECT_LE(bottom(LoadResString(id).size(), 195), buttonsTop) << "caption " << id;
    const QString prefix = QStringLiteral("99 unknowns attempted. Outstanding effort. ");
    EXPECT_LE(bottom(prefix.size() + LoadResString(127).size(), 195), buttonsTop) << "closing caption";
}

TEST(ResourcePictures, EveryBitmapLoadsAtASizeItsWindowHolds)
{
    struct Range {
        int first, last, maxWidthTwips, maxHeightTwips;
        const char* where;
    };
    const Range ranges[] = {
        {101, 101, 100, 100, "start window's small picture"},
        {102, 102, 480, 485, "start window's large picture"},
        {103, 127, 2000, 2200, "reward pictures, in the report's right margin"},
        {201, 206, 820, 2000, "tip pictures, left of the tip text"},
    };
    for (const Range& r : ranges) {
        for (int id = r.first; id <= r.last; ++id) {
            const QPixmap p = LoadResPicture(id);
            ASSERT_FALSE(p.isNull()) << "bitmap " << id << " (" << r.where << ")";
            EXPECT_LE(p.width(), toPixels(r.maxWidthTwips)) << "bitmap " << id << " (" << r.where << ")";
            EXPECT_LE(p.height(), toPixels(r.maxHeightTwips)) << "bitmap " << id << " (" << r.where << ")";
            EXPECT_GE(p.width(), 7) << "bitmap " << id;
        }
    }
}

TEST(ResourcePictures, CursorsAreTransparentAndCentredOnTheirHotSpot)
{
    for (int id : {101, 102}) {
        const QImage img = QImage::fromData(LoadResBytes(QStringLiteral("cursors/%1.png").arg(id)));
        ASSERT_FALSE(img.isNull()) << "cursor " << id;
        EXPECT_EQ(img.size(), QSize(32, 32)) << "cursor " << id;
        ASSERT_TRUE(img.hasAlphaChannel()) << "cursor " << id;
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0) << "cursor " << id << " corner";
        EXPECT_EQ(qAlpha(img.pixel(31, 0)), 0) << "cursor " << id << " corner";
        const QCursor c = LoadResCursor(id);
        EXPECT_EQ(c.shape(), Qt::BitmapCursor) << "cursor " << id;
        EXPECT_EQ(c.hotSpot(), QPoint(16, 16)) << "cursor " << id;
    }
    // The magnifier's lens is centred on the hot spot: its rim crosses the
    // lines through the centre at equal distances left and right.
    const QImage lens = QImage::fromData(LoadResBytes(QStringLiteral("cursors/101.png")));
    auto firstOpaque = [&](int from, int step) {
        for (int x = from; x >= 0 && x < 32; x += step)
            if (qAlpha(lens.pixel(x, 16)) > 200 && qGray(lens.pixel(x, 16)) < 80)
                return x;
        return -1;
    };
    const int left = firstOpaque(16, -1), right = firstOpaque(16, 1);
    ASSERT_GE(left, 0);
    ASSERT_GE(right, 0);
    EXPECT_LE(std::abs((16 - left) - (right - 16)), 1);
}

TEST(ResourcePictures, ProgramIconIsA48PixelPictureWithTransparency)
{
    EXPECT_FALSE(programIcon().isNull());
    const QImage img = QImage::fromData(LoadResBytes(QStringLiteral("icons/1.png")));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(48, 48));
    EXPECT_TRUE(img.hasAlphaChannel());
    EXPECT_EQ(qAlpha(img.pixel(0, 47)), 0);
}

TEST(ResourceSounds, EveryClipIsShortMonoSixteenBitPcmThatFadesInAndOut)
{
    // clang-format off
    struct Clip { const char* type; int first, last, rate; };
    const Clip clips[] = {{"WAVSND", 1, 2, 8000}, {"WAVGD", 1, 10, 8000}, {"WAVBD", 1, 10, 8000},
                          {"CUSTOM", 101, 101, 6000}};
    // clang-format on
    for (const Clip& c : clips) {
        for (int id = c.first; id <= c.last; ++id) {
            const QString name = QStringLiteral("%1 %2").arg(QLatin1String(c.type)).arg(id);
            WavInfo info;
            ASSERT_TRUE(parseWav(LoadResSound(QLatin1String(c.type), id), info)) << name.toStdString();
            EXPECT_EQ(info.channels, 1) << name.toStdString();
            EXPECT_EQ(info.bitsPerSample, 16) << name.toStdString();
            EXPECT_EQ(info.sampleRate, c.rate) << name.toStdString();
            const int frames = info.samples.size() / 2;
            const double seconds = double(frames) / info.sampleRate;
            EXPECT_GE(seconds, 0.2) << name.toStdString();
            EXPECT_LE(seconds, 0.8) << name.toStdString();
            const auto* s = reinterpret_cast<const qint16*>(info.samples.constData());
            ASSERT_GT(frames, 0);
            EXPECT_LT(std::abs(s[0]), 300) << name.toStdString() << " starts with a click";
            EXPECT_LT(std::abs(s[frames - 1]), 300) << name.toStdString() << " ends with a click";
            int peak = 0;
            for (int i = 0; i < frames; ++i)
                peak = std::max(peak, std::abs(int(s[i])));
            EXPECT_GT(peak, 8000) << name.toStdString() << " is too quiet to hear";
        }
    }
    EXPECT_NE(LoadResSound(QStringLiteral("WAVSND"), 1), LoadResSound(QStringLiteral("WAVSND"), 2))
        << "switching sound on and off must sound different";
}

TEST(HelpTopics, EveryTopicTheWindowsOpenHasATitleAndText)
{
    const QString file = shippedHelpFile();
    const auto help = readHelp(file);
    ASSERT_TRUE(help) << file.toStdString();
    for (int topic : helpTopicNumbers()) {
        const HelpTopic* t = help->find(topic);
        ASSERT_TRUE(t) << "topic " << topic << " missing from " << file.toStdString();
        EXPECT_FALSE(t->title.isEmpty()) << "topic " << topic;
        EXPECT_GT(t->text.size(), 150) << "topic " << topic << " has hardly any text";
    }
}

TEST(HelpTopics, EveryReferenceNamesATopicAndEveryTopicHasItsOwnTitle)
{
    const auto help = readHelp(shippedHelpFile());
    ASSERT_TRUE(help) << shippedHelpFile().toStdString();
    QSet<QString> titles;
    for (const HelpTopic& t : help->topics) {
        EXPECT_FALSE(titles.contains(t.title)) << "two topics titled " << t.title.toStdString();
        titles.insert(t.title);
    }
    int references = 0;
    for (const HelpTopic& t : help->topics) {
        for (const QString& line : t.text.split(u'\n')) {
            for (const HelpReference& r : helpReferences(line)) {
                ++references;
                EXPECT_TRUE(titles.contains(line.mid(r.start, r.length)))
                    << "topic " << t.number << " refers to \"" << line.mid(r.start, r.length).toStdString()
                    << "\", which no topic is titled";
            }
        }
    }
    EXPECT_GE(references, 10);
    // The first topic sends the new user on to the next three.
    QStringList seeAlso;
    const HelpTopic& first = help->topics.first();
    ASSERT_EQ(first.number, 1);
    for (const QString& line : first.text.split(u'\n'))
        for (const HelpReference& r : helpReferences(line))
            seeAlso << line.mid(r.start, r.length);
    EXPECT_EQ(seeAlso, (QStringList{"Why use Orvanto", "Strategy background", "Strategy summary"}));
}

TEST(HelpTopics, ItemTopicsAreAboutTheirItem)
{
    // F1 on an item entry opens the item's own topic: its title names the
    // item, which guards against topics shifted by one in the numbering.
    // clang-format off
    struct Case { int item, topic; };
    std::vector<Case> cases = {{1, 810}, {2, 815}, {3, 820}, {4, 825}, {5, 735}, {6, 755}, {7, 765}, {8, 780},
                               {9, 805}, {13, 101}, {53, 295}, {54, 300}};
    // clang-format on
    for (int i = 1; i <= 18; ++i)
        cases.push_back({13 + i, 100 + 2 * i});
    for (int i = 0; i <= 17; ++i)
        cases.push_back({35 + i, 205 + 5 * i});
    const auto help = readHelp(shippedHelpFile());
    ASSERT_TRUE(help) << shippedHelpFile().toStdString();
    for (const Case& c : cases) {
        const HelpTopic* t = help->find(c.topic);
        ASSERT_TRUE(t) << "topic " << c.topic;
        // The first word of the item's name, ignoring case and the name's own
        // spelling ("Infra red").
        QString key = LoadResString(1001 + 2 * (c.item - 1)).section(u' ', 0, 0).toLower();
        if (key == QStringLiteral("infra"))
            key = QStringLiteral("infrared");
        EXPECT_TRUE(t->title.toLower().contains(key))
            << "item " << c.item << " opens topic " << c.topic << " titled " << t->title.toStdString();
    }
}
