// The builder's state without the window: codes built from choices, what is
// on show after each step, and the judging of an attempt.
#include "core/modorvan.h"
#include "structure/structurebuilder.h"
#include "tests/common/testsupport.h"

#include <gtest/gtest.h>

using namespace orv;
using namespace orv::structure;

namespace {

// Choices by list text, as a student makes them.
struct Choices {
    const char* type;
    const char* subtype; // nullptr for acyl halide and amide
    const char* x;
    const char* y = nullptr;
    const char* z = nullptr;
};

int indexOf(const QStringList& items, const char* text) { return text ? int(items.indexOf(QLatin1String(text))) : -1; }

// Builds the structure; returns the code, or a text that names the failing step.
QString build(StructureBuilder& b, const Choices& c)
{
    b.chooseType(QLatin1String(c.type));
    if (c.subtype) {
        if (!b.subtypeItems.contains(QLatin1String(c.subtype)))
            return QStringLiteral("no subtype ") + QLatin1String(c.subtype);
        b.chooseSubtype(QLatin1String(c.subtype));
    }
    const char* picks[3] = {c.x, c.y, c.z};
    for (int k = 0; k < 3; ++k) {
        if (!picks[k])
            continue;
        const int i = indexOf(b.slotItems[size_t(k)], picks[k]);
        if (i < 0 || !b.slotShown[size_t(k)])
            return QStringLiteral("no choice ") + QLatin1String(picks[k]);
        b.chooseSubstituent(Slot(k), i);
    }
    if (!b.continueEnabled)
        return QStringLiteral("Continue disabled");
    return b.structureCode();
}

} // namespace

TEST(StructureBuilder, CodesBuiltFromChoices)
{
    struct Case {
        Choices c;
        const char* code;
    };
    const Case cases[] = {
        {{"acyl halide", nullptr, "methyl", "chlorine"}, "A1AB"},
        {{"alcohol", "acyclic alcohol", "phenoxymethylene", "n-pentyl (C5)"}, "B1KF"},
        {{"alcohol", "(substituted) cyclohexanol", "ethyl"}, "B4C"},
        {{"alkene", "monosubstituted alkene", "n-dodecyl (12)"}, "D1J"},
        {{"alkene", "1,2-disubstituted alkene", "methyl", "methyl"}, "D2AA"},
        {{"amide", nullptr, "ethoxycarbonyl", "propyl (C3)", "4-ethoxyphenyl"}, "E1GDG"},
        {{"amine", "(substituted) isoquinoline", "chlorine", "bromine"}, "F12DC"},
        {{"arene", "1,3,5-trisubstituted benzene", "nitro", "methoxy", "ethyl"}, "G7FCB"},
        {{"carboxylic acid", "disubstituted benzoic acid", "3,4-methylenedioxy"}, "H5B"},
        {{"cyanide", "3,5-disubstituted benzonitrile", "bromine", "nitro"}, "I10DF"},
        {{"ether", "cyclic ether", "a = 1, b = 1"}, "K2C"},
        {{"haloalkane", "acyclic haloalkane", "benzyl (PhCH2)", "n-propyl (C3)", "iodine"}, "L1IDC"},
        {{"ketone", "(2-substituted)cyclopentanone", "n-propyl (C3)"}, "M2D"},
        {{"phenol", "4-substituted phenol", "nitro"}, "N3I"},
    };
    for (const Case& c : cases) {
        StructureBuilder b;
        EXPECT_EQ(build(b, c.c), QLatin1String(c.code)) << c.c.type << " / " << (c.c.subtype ? c.c.subtype : "");
    }
}

TEST(StructureBuilder, LoadStateShowsTheStartPicture)
{
    StructureBuilder b;
    EXPECT_TRUE(b.StartPictureShown);
    EXPECT_TRUE(b.basePicture.visible);
    EXPECT_EQ(b.basePicture.bitmap, kStartPicture);
    EXPECT_EQ(b.basePicture.top, 350);
    EXPECT_EQ(b.basePicture.left, 3550);
    EXPECT_FALSE(b.drawingAreaBlank);
    EXPECT_FALSE(b.substituentsShown);
    EXPECT_FALSE(b.subtypeFrameShown);
    EXPECT_FALSE(b.continueEnabled);
}

TEST(StructureBuilder, DirectTypesSetTheirBaseAtOnce)
{
    StructureBuilder b;
    b.chooseType(QStringLiteral("acyl halide"));
    EXPECT_EQ(b.BaseCode, QStringLiteral("A1"));
    EXPECT_EQ(b.basePicture.bitmap, 401);
    EXPECT_EQ(b.basePicture.left, 4400);
    EXPECT_EQ(b.basePicture.top, 600);
    EXPECT_TRUE(b.drawingAreaBlank);
    EXPECT_FALSE(b.StartPictureShown);
    EXPECT_EQ(b.slotShown, (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ(b.slotItems[1], (QStringList{"bromine", "chlorine", "iodine"}));
    b.chooseSubstituent(Slot::X, 0);
    EXPECT_EQ(b.fragments[0].bitmap, 510);
    EXPECT_EQ(b.fragments[0].top, 950);
    EXPECT_EQ(b.fragments[0].left, 4090);

    b.chooseType(QStringLiteral("amide"));
    EXPECT_EQ(b.basePicture.bitmap, 416);
    EXPECT_EQ(b.basePicture.left, 3350);
    EXPECT_EQ(b.basePicture.top, 800);
    EXPECT_EQ(b.slotShown, (std::array<bool, 3>{true, true, true}));
    EXPECT_FALSE(b.fragments[0].visible);
    b.chooseSubstituent(Slot::X, 1);
    b.chooseSubstituent(Slot::Y, 1);
    EXPECT_FALSE(b.continueEnabled) << "Z is still to choose";
    b.chooseSubstituent(Slot::Z, 4);
    EXPECT_TRUE(b.continueEnabled);
    EXPECT_EQ(b.fragments[2].bitmap, 556);
    EXPECT_EQ(b.fragments[2].top, 800 + 160);
    EXPECT_EQ(b.fragments[2].left, 3350 + 1210);
}

TEST(StructureBuilder, ANewTypeDropsTheHalfBuiltStructureButKeepsItsPicture)
{
    StructureBuilder b;
    b.chooseType(QStringLiteral("amide"));
    b.chooseSubstituent(Slot::X, 0);
    b.chooseType(QStringLiteral("alcohol"));
    EXPECT_TRUE(b.subtypeFrameShown);
    EXPECT_EQ(b.subtypeItems.size(), 3);
    EXPECT_FALSE(b.substituentsShown);
    EXPECT_FALSE(b.fragments[0].visible);
    EXPECT_TRUE(b.BaseCode.isEmpty());
    EXPECT_TRUE(b.XCode.isEmpty());
    EXPECT_EQ(b.basePicture.bitmap, 416) << "the amide stays until a subtype is chosen";
}

TEST(StructureBuilder, PicturesAreMeasuredFromTheReferencePoint)
{
    struct Case {
        const char* subtype;
        Slot slot;
        int index;
        int bitmap, top, left;
    };
    const Case cases[] = {
        {"(2-substituted) aniline", Slot::X, 1, 510, 820, 4750},
        {"(monosubstituted) benzene", Slot::X, 3, 550, 920, 4740},
        {"(monosubstituted) benzene", Slot::X, 5, 584, 920, 4740},
        {"saturated aliphatic amine", Slot::X, 4, 516, 580, 4160},
        {"acyclic ketone", Slot::Y, 4, 540, 800, 4620},
        {"acyclic ketone", Slot::Y, 8, 552, 960, 4620},
        {"acyclic haloalkane", Slot::Y, 0, 504, 850, 4280},
        {"acyclic haloalkane", Slot::Y, 1, 510, 850, 4250},
        {"acyclic haloalkane", Slot::Z, 2, 503, 1290, 4920},
        {"2,6-disubstituted benzonitrile", Slot::Y, 2, 515, 820, 2490},
        {"1,3,5-trisubstituted benzene", Slot::Z, 1, 513, 1550, 2630},
        {"1,2-disubstituted alkene", Slot::Y, 6, 550, 990, 5000},
    };
    for (const Case& c : cases) {
        StructureBuilder b;
        const BaseStructure* base = findBaseStructure(QLatin1String(c.subtype));
        ASSERT_NE(base, nullptr) << c.subtype;
        b.chooseType(QLatin1String(compoundTypes()[size_t(base->typeLetter - 'A')].text));
        b.chooseSubtype(QLatin1String(c.subtype));
        ASSERT_TRUE(b.chooseSubstituent(c.slot, c.index));
        const PlacedPicture& p = b.fragments[size_t(c.slot)];
        EXPECT_TRUE(p.visible) << c.subtype;
        EXPECT_EQ(p.bitmap, c.bitmap) << c.subtype << " #" << c.index;
        EXPECT_EQ(p.top, c.top) << c.subtype << " #" << c.index;
        EXPECT_EQ(p.left, c.left) << c.subtype << " #" << c.index;
    }
}

TEST(StructureBuilder, SkeletonVariantsReplaceTheBasePicture)
{
    StructureBuilder b;
    b.chooseType(QStringLiteral("carboxylic acid"));
    b.chooseSubtype(QStringLiteral("disubstituted benzoic acid"));
    EXPECT_EQ(b.basePicture.bitmap, 454);
    b.chooseSubstituent(Slot::X, 1);
    EXPECT_EQ(b.basePicture.bitmap, 456);
    EXPECT_EQ(b.basePicture.left, 3800);
    EXPECT_FALSE(b.fragments[0].visible);
    EXPECT_EQ(b.XCode, QStringLiteral("B"));
    b.chooseSubstituent(Slot::X, 0);
    EXPECT_EQ(b.basePicture.bitmap, 455);

    b.chooseType(QStringLiteral("ether"));
    b.chooseSubtype(QStringLiteral("cyclic ether"));
    EXPECT_EQ(b.basePicture.left, 3400);
    b.chooseSubstituent(Slot::X, 2);
    EXPECT_EQ(b.basePicture.bitmap, 476);
    EXPECT_EQ(b.basePicture.top, 800);
    EXPECT_EQ(b.basePicture.left, 4000);
    EXPECT_TRUE(b.continueEnabled);
}

TEST(StructureBuilder, SlotsAndContinue)
{
    StructureBuilder b;
    b.chooseType(QStringLiteral("arene"));
    b.chooseSubtype(QStringLiteral("1,2,3-trisubstituted benzene"));
    b.chooseSubstituent(Slot::Z, 0);
    b.chooseSubstituent(Slot::Y, 0);
    EXPECT_FALSE(b.continueEnabled) << "X is always required";
    b.chooseSubstituent(Slot::X, 0);
    EXPECT_TRUE(b.continueEnabled);
    EXPECT_FALSE(b.chooseSubstituent(Slot::X, -1)) << "nothing selected";
    EXPECT_EQ(b.structureCode(), QStringLiteral("G5AAA"));
    b.chooseSubstituent(Slot::X, 5);
    EXPECT_EQ(b.structureCode(), QStringLiteral("G5FAA")) << "a new choice replaces the letter";

    // A subtype without Y after one with Y: X alone lets Continue on.
    b.chooseType(QStringLiteral("haloalkane"));
    b.chooseSubtype(QStringLiteral("acyclic haloalkane"));
    EXPECT_EQ(b.slotItems[2], (QStringList{"bromine", "chlorine", "iodine"}));
    b.chooseType(QStringLiteral("arene"));
    b.chooseSubtype(QStringLiteral("1,3,5-trisubstituted benzene"));
    EXPECT_EQ(b.slotItems[2].size(), 6) << "the halogens give way to the ring substituents";
    b.chooseSubtype(QStringLiteral("(monosubstituted) benzene"));
    EXPECT_EQ(b.slotShown, (std::array<bool, 3>{true, false, false}));
    b.chooseSubstituent(Slot::X, 2);
    EXPECT_TRUE(b.continueEnabled);
    EXPECT_EQ(b.structureCode(), QStringLiteral("G1C"));
}

TEST(StructureBuilder, AnUnmatchedSubtypeShowsAnEmptyStage)
{
    StructureBuilder b;
    b.chooseType(QStringLiteral("alcohol"));
    b.chooseSubtype(QString());
    EXPECT_TRUE(b.basePicture.visible);
    EXPECT_EQ(b.basePicture.bitmap, 0);
    EXPECT_TRUE(b.substituentsShown);
    EXPECT_TRUE(b.slotShown[0]);
    EXPECT_TRUE(b.slotItems[0].isEmpty());
    EXPECT_TRUE(b.BaseCode.isEmpty());
    EXPECT_FALSE(b.continueEnabled);
    // A type's own text is not a subtype.
    b.chooseSubtype(QStringLiteral("amide"));
    EXPECT_TRUE(b.BaseCode.isEmpty());
}

TEST(StructureBuilder, JudgingIsExactAndCountsEveryAttempt)
{
    orvtest::ProgramFolder folder;
    auto& m = modOrvan;
    m.StructCodeCount = 2;
    m.StructCodes[1] = QStringLiteral("M1AB");
    m.StructCodes[2] = QStringLiteral("M1BA");
    struct Case {
        const char* code;
        bool right;
    };
    const Case cases[] = {{"M1ab", false}, {"M1AB ", false}, {"M1A", false}, {"M1BA", true}, {"M1AB", true}};
    for (const Case& c : cases) {
        m.UnkIdentified = m.IdentifiedByGiving = kFalse;
        m.StructGiveTries = 3;
        m.CurrentItem = 8;
        recordGivenStructure(QLatin1String(c.code));
        EXPECT_EQ(m.UnkIdentified, c.right ? kTrue : kFalse) << c.code;
        EXPECT_EQ(m.IdentifiedByGiving, c.right ? kTrue : kFalse) << c.code;
        EXPECT_EQ(m.StructGiveTries, 4) << c.code;
        EXPECT_EQ(m.CurrentItem, 1);
        EXPECT_EQ(m.LoopIndex, 3) << "the shared counter ends past the last code";
    }
    // A wrong attempt clears nothing; the counter stops at 98.
    m.UnkIdentified = m.IdentifiedByGiving = kTrue;
    m.StructGiveTries = 97;
    recordGivenStructure(QStringLiteral("X"));
    EXPECT_EQ(m.UnkIdentified, kTrue);
    EXPECT_EQ(m.StructGiveTries, 98);
    recordGivenStructure(QStringLiteral("M1AB"));
    EXPECT_EQ(m.StructGiveTries, 98);
    // No accepted code: every attempt is wrong.
    m.UnkIdentified = m.IdentifiedByGiving = kFalse;
    m.StructCodeCount = 0;
    recordGivenStructure(QStringLiteral("M1AB"));
    EXPECT_EQ(m.UnkIdentified, kFalse);
}

TEST(StructureBuilder, HelpTextHasFiveParagraphs)
{
    const QString t = giveStructureHelpText();
    EXPECT_EQ(t.split(QStringLiteral("\r\n\r\n")).size(), 5);
    EXPECT_TRUE(t.startsWith(QStringLiteral("Build a structural formula then click on Continue")));
    EXPECT_TRUE(t.contains(QStringLiteral("the \"substituent\" could be H.")));
    EXPECT_FALSE(t.endsWith(QStringLiteral("\r\n")));
}
