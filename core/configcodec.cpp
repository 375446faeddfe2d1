#include "core/configcodec.h"

#include "core/modorvan.h"
#include "platform/textfile.h"

#include <QDateTime>
#include <QFileInfo>

namespace orv {

// clang-format off
#define ORV_FLAG(pos, name) ConfigFlag{pos, #name, &ConfigSettings::name}
// Constant: the program-wide state's constructor reads it during static start-up.
constinit const std::array<ConfigFlag, 30> kConfigFlags = {
    ORV_FLAG(5, MultipleSessionsAllowed), ORV_FLAG(8, PasswordRequired),
    ORV_FLAG(11, ShowTipsAtStart),        ORV_FLAG(14, ShowRewardPicture),
    ORV_FLAG(17, SoundAllowed),           ORV_FLAG(20, ProgramChoosesUnknowns),
    ORV_FLAG(26, BpMpAllowed),            ORV_FLAG(29, TestsAllowed),
    ORV_FLAG(32, DerivsAllowed),          ORV_FLAG(35, CmrAllowed),
    ORV_FLAG(38, IrAllowed),              ORV_FLAG(41, MsAllowed),
    ORV_FLAG(44, PmrAllowed),             ORV_FLAG(47, UvAllowed),
    ORV_FLAG(50, ItemHelpAllowed),        ORV_FLAG(53, UnknownHelpAllowed),
    ORV_FLAG(56, ShowUnknownNumber),      ORV_FLAG(59, AssignmentsAllowed),
    ORV_FLAG(62, CorrelationsAllowed),    ORV_FLAG(65, HShiftCalcAllowed),
    ORV_FLAG(68, CouplingCalcAllowed),    ORV_FLAG(71, CShiftCalcAllowed),
    ORV_FLAG(74, FormulaCalcAllowed),     ORV_FLAG(77, MassCalcAllowed),
    ORV_FLAG(80, IsotopeCalcAllowed),     ORV_FLAG(83, TypeNameOnly),
    ORV_FLAG(86, OfferNameList),          ORV_FLAG(89, ChooseStructureAllowed),
    ORV_FLAG(92, GiveStructureAllowed),   ORV_FLAG(95, ResignAllowed),
};
#undef ORV_FLAG
// clang-format on

ConfigSettings clearedConfigSettings()
{
    ConfigSettings s;
    for (const ConfigFlag& f : kConfigFlags)
        s.*(f.member) = kFalse;
    s.BasicUnknownsBeforeAdvanced = 0;
    return s;
}

QString encodeConfigDataLine(const ConfigSettings& s, const std::function<int(int, int)>& digit)
{
    QString line;
    line.reserve(kConfigLineLength);
    int key = 0;
    for (int pos = 1; pos <= kConfigLineLength; ++pos) {
        const ConfigFlag* flag = nullptr;
        for (const ConfigFlag& f : kConfigFlags)
            if (f.position == pos)
                flag = &f;
        if (flag) {
            line += QString::number(isTrue(s.*(flag->member)) ? digit(0, 4) : digit(5, 9));
        } else if (pos == kConfigKeyPosition) {
            key = digit(1, 9);
            line += QString::number(key);
        } else if (pos == kConfigKeyPosition + 1) {
            line += QString::number(key + 20 + s.BasicUnknownsBeforeAdvanced).rightJustified(2, u'0');
            ++pos; // two digits
        } else {
            line += QString::number(digit(0, 9));
        }
    }
    return line;
}

namespace {
int digitAt(const QByteArray& line, int pos)
{
    if (pos < 1 || pos > line.size())
        return 0;
    const char c = line[pos - 1];
    return c >= '0' && c <= '9' ? c - '0' : 0;
}
}

DecodedConfig decodeConfigDataLine(const QByteArray& line)
{
    DecodedConfig d;
    for (const ConfigFlag& f : kConfigFlags)
        d.settings.*(f.member) = vb(digitAt(line, f.position) < 5);
    const int key = digitAt(line, kConfigKeyPosition);
    d.number = digitAt(line, kConfigKeyPosition + 1) * 10 + digitAt(line, kConfigKeyPosition + 2) - key - 20;
    d.numberInRange = d.number >= 0 && d.number <= 20;
    d.settings.BasicUnknownsBeforeAdvanced = d.numberInRange ? d.number : 3;
    return d;
}

ConfigFileRead readConfigFileAsIs(const QString& path)
{
    ConfigFileRead r;
    const auto lines = readFileLines(path);
    r.readError = lines.error;
    if (!lines && !QFileInfo::exists(path))
        r.readError.clear(); // a missing file is met with the defaults, as a damaged one
    if (!lines || lines->size() < 4)
        return r;
    r.dataLine = lines->at(3);
    const DecodedConfig d = decodeConfigDataLine(r.dataLine);
    r.usable = true;
    r.settings = d.settings;
    r.numberReplaced = !d.numberInRange;
    return r;
}

QByteArray configHeaderLine1() { return "This file contains details for controlling Orvanto"; }
QByteArray configHeaderLine2() { return "Do not change any of the contents - use the program ovsetup to do that"; }

QByteArray configWriterLine(const QString& writer, int major, int minor, int revision)
{
    const QDateTime now = QDateTime::currentDateTime();
    return toBytes(QStringLiteral("This file was written by %1 version %2.%3%4 on %5, %6")
                       .arg(writer)
                       .arg(major)
                       .arg(minor)
                       .arg(revision)
                       .arg(FormatTime(now.time(), QStringLiteral("hh:mm am/pm")),
                            FormatDate(now.date(), QStringLiteral("mmm dd, yyyy"))));
}

QByteArray configFileBytes(const QByteArray& writerLine, const QString& dataLine)
{
    return joinLinesCrLf({configHeaderLine1(), configHeaderLine2(), writerLine, toBytes(dataLine)});
}

void applyConfigSettings(const ConfigSettings& s, ModOrvan& m)
{
    m.settings() = s;
    m.AnyCalcAllowed = vb(s.HShiftCalcAllowed || s.CouplingCalcAllowed || s.CShiftCalcAllowed || s.FormulaCalcAllowed
                          || s.MassCalcAllowed || s.IsotopeCalcAllowed);
    m.AnySpectrumAllowed = vb(s.CmrAllowed || s.IrAllowed || s.MsAllowed || s.PmrAllowed || s.UvAllowed);
}

ConfigSettings configSettingsOf(const ModOrvan& m) { return m.settings(); }

} // namespace orv
