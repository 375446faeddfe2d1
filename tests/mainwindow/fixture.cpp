#include "tests/mainwindow/fixture.h"

#include "core/configcodec.h"

namespace mwtest {

using namespace orv;

void deriveAnyFlags(ModOrvan& m) { applyConfigSettings(configSettingsOf(m), m); }

void applyDefaultSettings(ModOrvan& m) { applyConfigSettings(defaultConfigSettings(), m); }

void allowEverything(ModOrvan& m)
{
    for (const ConfigFlag& f : kConfigFlags)
        m.*(f.member) = kTrue;
    deriveAnyFlags(m);
}

void loadButanone(ModOrvan& m)
{
    m.CurrentUnknown = 12;
    m.UnkItemTitle[0] = QStringLiteral("a colourless liquid with a sweet smell");
    m.UnkItemHelp[0] = QStringLiteral("an aliphatic ketone.");
    m.UnkItemTitle[1] = QStringLiteral("Contains C, H and O only; no nitrogen, sulfur or halogen.");
    m.UnkItemHelp[1] = QStringLiteral("Only carbon, hydrogen and oxygen are present.");
    m.UnkItemTitle[2] = QStringLiteral("80 deg C");
    m.UnkItemHelp[2] = QStringLiteral("A low boiling point points to a small molecule.");
    m.UnkItemTitle[3] = QStringLiteral("Liquid at room temperature.");
    m.UnkItemTitle[4] = QStringLiteral("Soluble in water and in ether.");
    m.UnkItemHelp[4] = QStringLiteral("Small polar neutral compounds dissolve in water.");
    m.UnkItemTitle[9] = QStringLiteral("Weak absorption at 277 nm.");
    m.UnkItemTitle[13] = QStringLiteral("No reaction.");
    m.UnkItemHelp[13] = QStringLiteral("No heat is given out and no HCl fumes appear.");
    m.UnkItemTitle[18] = QStringLiteral("A yellow-orange precipitate forms at once.");
    m.UnkItemHelp[18] = QStringLiteral("A positive result shows an aldehyde or a ketone.");
    m.UnkItemTitle[25] = QStringLiteral("A pale yellow precipitate of iodoform forms.");
    m.UnkItemHelp[25] = QStringLiteral("Methyl ketones give iodoform.");
    m.UnkItemTitle[43] = QStringLiteral("The unknown is unsuitable for this derivative.");
    m.UnkItemHelp[43] = QStringLiteral("3,5-Dinitrobenzoates are made from alcohols.");
    m.UnkItemTitle[44] = QStringLiteral("Orange crystals, m.p. 115 deg C.");
    m.UnkItemHelp[44] = QStringLiteral("Aldehydes and ketones form 2,4-dinitrophenylhydrazones.");
    m.UnkItemTitle[51] = QStringLiteral("White crystals, m.p. 146 deg C.");
    m.UnkItemTitle[53] = QStringLiteral("The unknown is unsuitable: it is not an acid.");
    m.UnkItemHelp[53] = QStringLiteral("Carboxylic acids are titrated with standard alkali.");
    // Elemental analysis rules out the nitrogen and halogen tests; the
    // infrared spectrum the OH and CHO tests.
    m.ItemPrecludes[1] = QStringLiteral("14202930");
    m.ItemPrecludes[6] = QStringLiteral("1317192628");
    m.ItemPrecludes[8] = QStringLiteral("131617192631");
    m.ItemPrecludedBy[13] = QStringLiteral("0608");
    m.ItemPrecludedBy[14] = QStringLiteral("01");
    m.ItemPrecludedBy[17] = QStringLiteral("0608");
    m.ItemPrecludedBy[29] = QStringLiteral("0107");
}

} // namespace mwtest
