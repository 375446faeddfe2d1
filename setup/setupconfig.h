#pragma once
// Reading and writing orvanto.ini for the setup program, through the codec
// the student program shares.
#include "core/configcodec.h"
#include "platform/textfile.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace orv {

struct SetupConfigRead {
    // False when the file could not be opened or read, or has fewer than four
    // lines: its contents are unusable.
    bool usable = false;
    ConfigSettings settings;
    // True when the number of simple unknowns lay outside 0..20 and reads 3,
    // as the student program takes it.
    bool numberReplaced = false;
    // When the file is there but could not be read: why not (empty otherwise).
    QString readError;
};
SetupConfigRead readSetupConfig(const QString& path);

// The whole file as the setup program writes it: three header lines (the
// third naming ovsetup, its version and the moment) and the data line.
// `digit(lo, hi)` draws each random digit. N must be 0..20.
QByteArray setupConfigBytes(const ConfigSettings& s, const std::function<int(int, int)>& digit);

// Replaces the file whole (written beside it, then renamed over it), as
// writeFileAtomic does. On failure the old file is untouched.
WriteResult writeSetupConfig(const QString& path, const ConfigSettings& s, const std::function<int(int, int)>& digit);

} // namespace orv
