#include "setup/setupconfig.h"

#include "platform/textfile.h"
#include "setup/setupstate.h"

#include <QFileInfo>

namespace orv {

SetupConfigRead readSetupConfig(const QString& path)
{
    SetupConfigRead r;
    const auto lines = readFileLines(path);
    r.readError = lines.error;
    if (!lines && !QFileInfo::exists(path))
        r.readError.clear(); // a missing file is met with the defaults, as a damaged one
    if (!lines || lines->size() < 4)
        return r;
    const DecodedConfig d = decodeConfigDataLine(lines->at(3));
    r.usable = true;
    r.settings = d.settings;
    r.numberReplaced = !d.numberInRange;
    return r;
}

QByteArray setupConfigBytes(const ConfigSettings& s, const std::function<int(int, int)>& digit)
{
    return configFileBytes(configWriterLine(QStringLiteral("ovsetup"), setupVersionMajor(), setupVersionMinor(),
                                            setupVersionRevision()),
                           encodeConfigDataLine(s, digit));
}

WriteResult writeSetupConfig(const QString& path, const ConfigSettings& s, const std::function<int(int, int)>& digit)
{
    // The settings live in the program folder, which only the instructor
    // writes: a link there is the instructor's own and is followed.
    return writeFileAtomic(path, setupConfigBytes(s, digit), ReplaceOnly{std::nullopt, true});
}

} // namespace orv
