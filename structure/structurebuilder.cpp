#include "structure/structurebuilder.h"

#include "core/modorvan.h"

namespace orv::structure {

namespace {
const std::vector<Substituent>& slotList(const BaseStructure& b, Slot slot)
{
    return slot == Slot::X ? b.x : slot == Slot::Y ? b.y : b.z;
}
QStringList texts(const std::vector<Substituent>& list)
{
    QStringList out;
    for (const Substituent& s : list)
        out << QLatin1String(s.text);
    return out;
}
} // namespace

StructureBuilder::StructureBuilder() { basePicture = {true, kStartPicture, 350, 3550}; }

QString& StructureBuilder::code(Slot slot) { return slot == Slot::X ? XCode : slot == Slot::Y ? YCode : ZCode; }

void StructureBuilder::GetReady()
{
    slotShown = {false, false, false};
    continueEnabled = false;
    substituentsShown = false;
    for (PlacedPicture& f : fragments)
        f.visible = false;
    BaseCode.clear();
    XCode.clear();
    YCode.clear();
    ZCode.clear();
    StartPictureShown = false;
}

void StructureBuilder::SeeIfContinue()
{
    const bool x = !XCode.isEmpty();
    const bool y = !YCode.isEmpty() || !slotShown[1];
    const bool z = !ZCode.isEmpty() || !slotShown[2];
    if (x && y && z)
        continueEnabled = true;
}

void StructureBuilder::chooseType(const QString& text)
{
    GetReady();
    subtypeFrameShown = false;
    SubTypeName = text;
    const CompoundType* type = findCompoundType(text);
    if (!type)
        return;
    if (type->hasSubtypes) {
        subtypeFrameShown = true;
        subtypeItems.clear();
        for (const BaseStructure* b : subtypesOf(type->letter))
            subtypeItems << QLatin1String(b->name);
        return;
    }
    drawingAreaBlank = true;
    GetReady();
    if (const BaseStructure* b = findBaseStructure(text))
        setBase(*b);
}

void StructureBuilder::chooseSubtype(const QString& text)
{
    drawingAreaBlank = true;
    GetReady();
    SubTypeName = text;
    basePicture.bitmap = 0;
    basePicture.visible = true;
    substituentsShown = true;
    slotShown[0] = true;
    slotItems[0].clear();
    const BaseStructure* b = findBaseStructure(text);
    // Acyl halide and amide are types, not subtypes.
    if (b && findCompoundType(text) == nullptr)
        setBase(*b);
}

void StructureBuilder::setBase(const BaseStructure& b)
{
    BaseCode = QLatin1String(b.baseCode);
    BaseTop = b.baseTop;
    BaseLeft = b.baseLeft;
    basePicture = {true, b.bitmap, b.baseTop, b.pictureLeft};
    substituentsShown = true;
    for (Slot slot : {Slot::X, Slot::Y, Slot::Z}) {
        const auto& list = slotList(b, slot);
        const int k = int(slot);
        if (slot == Slot::X || !list.empty()) {
            slotShown[k] = true;
            slotItems[k] = texts(list);
        }
    }
}

bool StructureBuilder::chooseSubstituent(Slot slot, int index)
{
    if (index < 0)
        return false;
    const int k = int(slot);
    PlacedPicture& pic = fragments[k];
    pic.bitmap = 0;
    pic.visible = true;
    code(slot) = QString(QChar(char16_t(u'A' + index)));
    const BaseStructure* b = findBaseStructure(SubTypeName);
    if (b) {
        const auto& list = slotList(*b, slot);
        if (index < int(list.size())) {
            const ChoicePicture& c = list[size_t(index)].picture;
            switch (c.kind) {
            case ChoiceKind::Fragment:
                pic.top = BaseTop + c.top;
                pic.left = BaseLeft + c.left;
                pic.bitmap = c.bitmap;
                break;
            case ChoiceKind::MovedBase:
                basePicture.top = c.top;
                basePicture.left = c.left;
                [[fallthrough]];
            case ChoiceKind::BaseVariant:
                pic.visible = false;
                basePicture.bitmap = c.bitmap;
                break;
            }
        }
    }
    SeeIfContinue();
    return true;
}

QString StructureBuilder::structureCode() const { return BaseCode + XCode + YCode + ZCode; }

void recordGivenStructure(const QString& code)
{
    auto& m = modOrvan;
    const int count = m.StructCodeCount;
    for (m.LoopIndex = 1; m.LoopIndex <= count && m.LoopIndex < int(m.StructCodes.size()); ++m.LoopIndex)
        if (m.StructCodes[size_t(m.LoopIndex)] == code) {
            m.UnkIdentified = kTrue;
            m.IdentifiedByGiving = kTrue;
        }
    if (m.StructGiveTries < 98)
        ++m.StructGiveTries;
    m.CurrentItem = 1;
}

QString giveStructureHelpText()
{
    const QString br = QStringLiteral("\r\n");
    QString t = QStringLiteral("Build a structural formula then click on Continue to see if that is your unknown.") + br
              + br;
    t += QStringLiteral("Choose a starting compound type (and subtype if needed) then add substituents. ") + br + br;
    t += QStringLiteral("The brackets in eg (2-substituted) phenol mean that ");
    t += QStringLiteral("the \"substituent\" could be H.") + br + br;
    t += QStringLiteral("A compound is considered to be aromatic if the functional group is DIRECTLY attached ");
    t += QStringLiteral("to an aromatic ring eg PhBr is aromatic while eg CH3Br and PhCH2Br are ");
    t += QStringLiteral("classified as aliphatic and not aromatic.") + br + br;
    t += QStringLiteral("For aromatic compounds, halogens, ethers and nitro are considered substituents. ");
    t += QStringLiteral("Accordingly there are compound types for aliphatic ethers and haloalkanes ");
    t += QStringLiteral("while aryl ethers, haloarenes and nitroarenes are classified as arenes.");
    return t;
}

} // namespace orv::structure
