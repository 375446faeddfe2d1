#include "setup/setupconfig.h"

#include "platform/textfile.h"
#include "setup/setupstate.h"

namespace orv {

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
