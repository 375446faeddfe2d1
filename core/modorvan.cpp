#include "core/modorvan.h"

#include "core/coreservices.h"
#include "platform/programfolder.h"

#include <QDir>
#include <cmath>

namespace orv {

ModOrvan::ModOrvan() : ConfigSettings(clearedConfigSettings()) {}

ModOrvan modOrvan;

void resetModOrvan()
{
    auto sink = std::move(modOrvan.statusBarSink);
    auto ensure = std::move(modOrvan.ensureMainWindow);
    auto caption = std::move(modOrvan.mainCaptionSink);
    modOrvan = ModOrvan{};
    modOrvan.statusBarSink = std::move(sink);
    modOrvan.ensureMainWindow = std::move(ensure);
    modOrvan.mainCaptionSink = std::move(caption);
}

void InitProgram()
{
    auto& m = modOrvan;
    m.ProgramPath = programFolder();
    QDir::setCurrent(m.ProgramPath);
    ResetUserRecord();
    m.InstructorMode = kFalse;
    m.MaxUnknownNumber = 99;
}

void ResetProgress()
{
    auto& m = modOrvan;
    // The unknown stays and starts afresh; element 0 of ItemPrecluded is no
    // item's flag and is left as it is.
    UnknownProgress fresh;
    fresh.CurrentUnknown = m.CurrentUnknown;
    fresh.ItemPrecluded[0] = m.ItemPrecluded[0];
    m.progress() = fresh;
    m.AllUnknownsDone = kFalse;
    m.MinutesUsed = 0;
    m.UnkIdentified = m.IdentifiedByName = m.IdentifiedByChoosing = m.IdentifiedByGiving = kFalse;
    m.ShowReportAfterResign = kFalse;
    m.SessionNumber = 1;
}

void ResetUserRecord()
{
    auto& m = modOrvan;
    const ModOrvan fresh;
    m.UserFilePath.clear();
    m.AllocatedUnknowns.clear();
    m.progress() = fresh.progress();
    ResetProgress(); // and the rest of a new unknown's start
    m.StartTime = fresh.StartTime;
    m.StartMarkMs = fresh.StartMarkMs;
    m.StartMarkMinutes = fresh.StartMarkMinutes;
    m.StartMarkTime = fresh.StartMarkTime;
    m.TimerNow = fresh.TimerNow;
    m.CompletedUnknowns.clear();
    m.UnkResults.fill(UnkResultRow{});
    m.LastUnknownDone = 0;
    m.Password.clear();
    m.PasswordCode.clear();
    // A verification belongs to one student's session only.
    m.PasswordVerified = kFalse;

    m.CurrentItem = 0;
    m.DataSaved = kFalse;
    m.SavedRecord.clear();
    m.QuitReason.clear();
    m.ExampleMode = kFalse;
    m.SavedProgress = fresh.SavedProgress;
    // Only the kept texts: writing them through the sinks would bring up a
    // main window for nobody.
    m.StatusPanelText.fill(QString());
    m.MainCaption.clear();
}

Boolean IsNewUser()
{
    const auto& m = modOrvan;
    if (!m.CompletedUnknowns.isEmpty())
        return kFalse;
    for (int k = 1; k <= kLastItem; ++k)
        if (isTrue(m.ItemsRevealed[k]))
            return kFalse;
    return kTrue;
}

void SaveUnknownState()
{
    auto& m = modOrvan;
    m.SavedProgress = m.progress();
    setStatusPanel(1, QString());
    setStatusPanel(2, QString());
}

void RestoreUnknownState()
{
    auto& m = modOrvan;
    m.progress() = m.SavedProgress;
}

double startTimeFor(double now, long minutesUsed) { return now - minutesUsed / 1440.0; }

void markStartTime()
{
    auto& m = modOrvan;
    m.StartTime = startTimeFor(TimeOfDay(), m.MinutesUsed);
    m.StartMarkMs = MonotonicMs();
    m.StartMarkMinutes = m.MinutesUsed;
    m.StartMarkTime = m.StartTime;
}

double secondsWorked()
{
    const auto& m = modOrvan;
    if (m.StartMarkMs != 0 && m.StartMarkTime == m.StartTime)
        return m.StartMarkMinutes * 60.0 + (MonotonicMs() - m.StartMarkMs) / 1000.0;
    double d = m.TimerNow - m.StartTime;
    while (d < 0)
        d += 1.0;
    return std::round(d * 86400.0); // the clock ticks in whole seconds
}

} // namespace orv
