// Counts and invariants of the builder's tables.
#include "platform/forms/pictures.h"
#include "structure/structuretables.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace orv::structure;

TEST(StructureTables, CountsOfTypesSubtypesAndEntries)
{
    ASSERT_EQ(compoundTypes().size(), 14u);
    for (size_t k = 0; k < compoundTypes().size(); ++k)
        EXPECT_EQ(compoundTypes()[k].letter, char('A' + k)) << compoundTypes()[k].text;
    EXPECT_EQ(baseStructures().size(), 62u);
    size_t x = 0, y = 0, z = 0, withY = 0, withZ = 0;
    for (const BaseStructure& b : baseStructures()) {
        x += b.x.size();
        y += b.y.size();
        z += b.z.size();
        withY += !b.y.empty();
        withZ += !b.z.empty();
    }
    EXPECT_EQ(x, 394u);
    EXPECT_EQ(y, 189u);
    EXPECT_EQ(z, 28u);
    EXPECT_EQ(withY, 35u);
    EXPECT_EQ(withZ, 5u);
    const std::pair<char, size_t> subtypeCounts[] = {{'A', 0},  {'B', 3}, {'C', 4}, {'D', 4},  {'E', 0},
                                                     {'F', 12}, {'G', 9}, {'H', 5}, {'I', 10}, {'J', 2},
                                                     {'K', 2},  {'L', 3}, {'M', 3}, {'N', 3}};
    size_t all = 0;
    for (auto [letter, n] : subtypeCounts) {
        EXPECT_EQ(subtypesOf(letter).size(), n) << letter;
        all += n;
    }
    EXPECT_EQ(all, 60u);
}

TEST(StructureTables, BaseCodesAreUniqueAndNumberedInListOrder)
{
    QSet<QString> codes, names;
    for (const CompoundType& t : compoundTypes()) {
        const auto subs = subtypesOf(t.letter);
        for (size_t k = 0; k < subs.size(); ++k) {
            const QString code = QLatin1String(subs[k]->baseCode);
            // The alcohols skip B2.
            const int expected = t.letter == 'B' && k > 0 ? int(k) + 2 : int(k) + 1;
            EXPECT_EQ(code, QString(QChar(t.letter)) + QString::number(expected)) << subs[k]->name;
        }
        if (!t.hasSubtypes) {
            const BaseStructure* b = findBaseStructure(QLatin1String(t.text));
            ASSERT_NE(b, nullptr) << t.text;
            EXPECT_EQ(QLatin1String(b->baseCode), QString(QChar(t.letter)) + u'1');
        }
    }
    for (const BaseStructure& b : baseStructures()) {
        EXPECT_FALSE(codes.contains(QLatin1String(b.baseCode))) << b.baseCode;
        EXPECT_FALSE(names.contains(QLatin1String(b.name))) << b.name;
        codes.insert(QLatin1String(b.baseCode));
        names.insert(QLatin1String(b.name));
        EXPECT_EQ(b.typeLetter, b.baseCode[0]) << b.name;
    }
    EXPECT_FALSE(codes.contains(QStringLiteral("B2")));
}

TEST(StructureTables, ListsAreShortEnoughForOneLetterAndUseKnownPictures)
{
    for (const BaseStructure& b : baseStructures()) {
        EXPECT_FALSE(b.x.empty()) << b.name << ": X is always used";
        for (const auto* list : {&b.x, &b.y, &b.z}) {
            EXPECT_LE(list->size(), 11u) << b.name;
            for (const Substituent& s : *list) {
                const FragmentPicture* f = findFragmentPicture(s.picture.bitmap);
                EXPECT_NE(f, nullptr) << b.name << " / " << s.text << ": picture " << s.picture.bitmap;
                if (s.picture.kind != ChoiceKind::Fragment) {
                    EXPECT_EQ(list, &b.x) << b.name << ": only X swaps the skeleton";
                }
            }
        }
        // Fragments stay on the drawing area's side of the window.
        for (const auto* list : {&b.x, &b.y, &b.z})
            for (const Substituent& s : *list)
                if (s.picture.kind == ChoiceKind::Fragment) {
                    EXPECT_GE(b.baseLeft + s.picture.left, 1930) << b.name << " / " << s.text;
                    EXPECT_LE(b.baseTop + s.picture.top, 2100) << b.name << " / " << s.text;
                }
    }
}

TEST(StructureTables, EveryPictureIsCompiledInWithItsCatalogueSize)
{
    QSet<int> ids{kStartPicture};
    for (const BaseStructure& b : baseStructures()) {
        const QPixmap base = orv::LoadResPicture(b.bitmap);
        ASSERT_FALSE(base.isNull()) << "skeleton " << b.bitmap << " of " << b.name;
        EXPECT_EQ(base.size(), QSize(b.widthPx, b.heightPx)) << "skeleton " << b.bitmap;
        ids.insert(b.bitmap);
    }
    for (const FragmentPicture& f : fragmentPictures()) {
        const QPixmap p = orv::LoadResPicture(f.bitmap);
        ASSERT_FALSE(p.isNull()) << "picture " << f.bitmap << " (" << f.shows << ")";
        EXPECT_EQ(p.size(), QSize(f.widthPx, f.heightPx)) << "picture " << f.bitmap;
        ids.insert(f.bitmap);
    }
    EXPECT_EQ(orv::LoadResPicture(kStartPicture).size(), QSize(102, 102));
    EXPECT_EQ(ids.size(), 1 + 62 + 58);
}
