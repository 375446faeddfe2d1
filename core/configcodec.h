#pragma once
// The settings file orvanto.ini, shared by the student program and the
// instructor's setup program: three header lines and one data line of 101
// digits. Each setting is one digit at a fixed position (0..4 True, 5..9
// False) among random filler digits; the number of simple unknowns takes a
// key digit at 22 and the two digits of key + 20 + N at 23-24.
#include "core/configsettings.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>

namespace orv {

struct ModOrvan;

// A flag's position (1-based) in the data line and its member.
struct ConfigFlag {
    int position;
    const char* name;
    Boolean ConfigSettings::*member; // also the state's, which holds the settings as its base
};
extern const std::array<ConfigFlag, 30> kConfigFlags;

inline constexpr int kConfigLineLength = 101;
inline constexpr int kConfigKeyPosition = 22; // key digit; the number at 23-24

// Builds a data line. `digit(lo, hi)` draws each random digit (GetRandomNum).
// N must be 0..20 (callers check it first: anything else would not fit).
QString encodeConfigDataLine(const ConfigSettings& s, const std::function<int(int, int)>& digit);

struct DecodedConfig {
    ConfigSettings settings;
    int number = 0;            // N as computed from the line
    bool numberInRange = true; // false: N outside 0..20, settings hold 3
};
// Reads a data line. Missing or non-digit positions count as 0; a number
// outside 0..20 becomes 3 with numberInRange false.
DecodedConfig decodeConfigDataLine(const QByteArray& line);

// orvanto.ini as it stands, read without repairing or writing it (the setup
// program opens it so; the allocation tool looks at what the student program
// will make of it).
struct ConfigFileRead {
    // False when the file could not be opened or read, or has fewer than four
    // lines: its contents are unusable.
    bool usable = false;
    ConfigSettings settings;
    // True when the number of simple unknowns lay outside 0..20 and reads 3,
    // as the student program takes it.
    bool numberReplaced = false;
    // When the file is there but could not be read: why not (empty otherwise).
    QString readError;
    // Usable: the line the settings were read from, as it stands.
    QByteArray dataLine;
};
ConfigFileRead readConfigFileAsIs(const QString& path);

// Header lines 1 and 2, and line 3 for a writer ("Orvanto" or "ovsetup")
// with its version, written at the given moment.
QByteArray configHeaderLine1();
QByteArray configHeaderLine2();
QByteArray configWriterLine(const QString& writer, int major, int minor, int revision);
// The whole file: the three header lines and the data line, CR LF each.
QByteArray configFileBytes(const QByteArray& writerLine, const QString& dataLine);

// Copies settings into / out of the program-wide state; the derived
// AnySpectrumAllowed and AnyCalcAllowed are set from them.
void applyConfigSettings(const ConfigSettings& s, ModOrvan& m);
ConfigSettings configSettingsOf(const ModOrvan& m);

} // namespace orv
