#include "tests/fuzz/fuzztargets.h"

#include "core/configcodec.h"
#include "core/modorvan.h"
#include "platform/textfile.h"

namespace orvfuzz {

int settingsFile(const std::uint8_t* data, std::size_t size)
{
    using namespace orv;
    const QList<QByteArray> lines = splitLines(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (lines.size() < 4)
        return 0; // the program recreates such a file
    const DecodedConfig d = decodeConfigDataLine(lines[3]);
    const int n = d.settings.BasicUnknownsBeforeAdvanced;
    require(n >= 0 && n <= 20, "the number of simple unknowns lies in 0..20");
    require(d.numberInRange == (d.number == n), "an out-of-range number reads 3");
    ModOrvan m;
    applyConfigSettings(d.settings, m);
    require(configSettingsOf(m) == d.settings, "the settings go into the state and back unchanged");
    // What the program writes back reads as the same settings.
    int draws = 0;
    const QString line = encodeConfigDataLine(d.settings,
                                              [&](int lo, int hi) { return lo + (draws++ % (hi - lo + 1)); });
    require(line.size() == kConfigLineLength, "a written data line has 101 digits");
    const DecodedConfig again = decodeConfigDataLine(toBytes(line));
    require(again.numberInRange && again.settings == d.settings, "a written data line reads back the same");
    return 0;
}

} // namespace orvfuzz
