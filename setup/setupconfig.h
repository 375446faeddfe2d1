#pragma once
// Writing orvanto.ini for the setup program, through the codec the student
// program shares (which also reads it: readConfigFileAsIs).
#include "core/configcodec.h"
#include "platform/textfile.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace orv {

// The whole file as the setup program writes it: three header lines (the
// third naming ovsetup, its version and the moment) and the data line.
// `digit(lo, hi)` draws each random digit. N must be 0..20.
QByteArray setupConfigBytes(const ConfigSettings& s, const std::function<int(int, int)>& digit);

// Replaces the file whole (written beside it, then renamed over it), as
// writeFileAtomic does. On failure the old file is untouched.
WriteResult writeSetupConfig(const QString& path, const ConfigSettings& s, const std::function<int(int, int)>& digit);

} // namespace orv
