#include "core/configfile.h"

#include "core/programversion.h"

#include "core/configcodec.h"
#include "core/coreservices.h"
#include "core/modorvan.h"
#include "platform/msgbox.h"
#include "platform/textfile.h"

#include <QDir>

namespace orv {

namespace {

QString configPath() { return modOrvan.ProgramPath + QStringLiteral("/orvanto.ini"); }

void tellInstructor(const QString& firstLine)
{
    MsgBox(firstLine + vbCrLf + QStringLiteral("Use ovsetup to inspect/change."), MsgButtons::OkOnly,
           MsgIcon::Information);
}

} // namespace

void SetConfigDefaults()
{
    // SoundOn is left alone: a recreated file does not switch the sound on.
    applyConfigSettings(defaultConfigSettings(), modOrvan);
}

QByteArray studentConfigFileBytes(const ConfigSettings& s)
{
    return configFileBytes(configWriterLine(QStringLiteral("Orvanto"), kVersionMajor, kVersionMinor, kVersionRevision),
                           encodeConfigDataLine(s, GetRandomNum));
}

bool WriteConfigFile()
{
    // A link in the program folder is the instructor's own: followed.
    const WriteResult w = writeFileAtomic(configPath(), studentConfigFileBytes(configSettingsOf(modOrvan)),
                                          ReplaceOnly{std::nullopt, true});
    // Not synced, the file holds the settings the program goes on with; a
    // power cut that loses it only has the next start write them again.
    if (w.written())
        return true;
    // The reason stands on a line of its own, after the path it concerns.
    MsgBox(QStringLiteral("Error writing file orvanto.ini. Orvanto now ends. ") + vbCrLf
               + QDir::toNativeSeparators(configPath()) + QStringLiteral(": ") + w.reason,
           MsgButtons::OkOnly, MsgIcon::Critical);
    EndProgram();
    return false;
}

void ReadConfigFile()
{
    auto& m = modOrvan;
    const ConfigFileRead read = readConfigFileAsIs(configPath());
    if (!read.readError.isEmpty()) {
        // The instructor's file is there but not for this account (or not a
        // file at all): writing defaults over it would lose its settings.
        SetConfigDefaults();
        MsgBox(QStringLiteral("orvanto.ini cannot be read: ") + configPath() + QStringLiteral(" (") + read.readError
                   + QStringLiteral("). The default settings are used this time."),
               MsgButtons::OkOnly, MsgIcon::Exclamation);
        return;
    }
    if (!read.usable) {
        SetConfigDefaults();
        if (!WriteConfigFile())
            return;
        tellInstructor(QStringLiteral("Orvanto.ini needed to be created."));
        return;
    }
    m.TextBuffer = fromBytes(read.dataLine);
    applyConfigSettings(read.settings, m);
    m.SoundOn = m.SoundAllowed;
    if (read.numberReplaced) {
        if (!WriteConfigFile())
            return;
        tellInstructor(QStringLiteral("Orvanto.ini needed to be changed."));
    }
}

} // namespace orv
