#include "tests/fuzz/fuzztargets.h"

#include "core/modorvan.h"
#include "core/userrecord.h"
#include "mainwindow/summarytext.h"
#include "platform/textfile.h"

namespace orvfuzz {

namespace {

bool printable(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() < 32 || c.unicode() > 126)
            return false;
    return true;
}

} // namespace

int userFile(const std::uint8_t* data, std::size_t size)
{
    using namespace orv;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const UserFileContents c = parseUserFile(splitLines(bytes));
    if (!c.ok()) {
        // The refusal is quoted in a message box: short and printable.
        require(c.error.size() <= 120, "a refusal is short");
        require(printable(c.error), "a refusal is printable");
        return 0;
    }
    const UserRecord& r = c.record;
    require(r.progress.CurrentUnknown >= 0 && r.progress.CurrentUnknown <= 99, "the current unknown lies in 0..99");
    require(r.session >= 0 && r.session <= 999 && r.minutes >= 0, "session and minutes as written");
    require(qsizetype(r.results.size()) == r.completedUnknowns.size() / 2, "one result row per finished unknown");

    ModOrvan m;
    m.TestsAllowed = m.DerivsAllowed = m.ItemHelpAllowed = m.UnknownHelpAllowed = kTrue;
    applyUserRecord(r, m);
    const QString text = summaryText(m);
    const SummaryPrintout printout = summaryPrintout(m);
    require(size_t(printout.blocks.size()) == r.results.size(), "one printed block per finished unknown");
    require(!text.contains(QStringLiteral("Unknown no. 0 ")), "unknown 0 is never finished");
    for (size_t k = 0; k < r.results.size(); ++k) {
        const ResultFields f = resultFields(r.results[k].resultLine, r.results[k].sessionTime);
        require(f.sessions >= 0 && f.sessions <= 999, "sessions as three digits");
        require(f.minutes >= 0 && f.minutes <= 999999999, "minutes as at most nine digits");
    }

    // A record the reader takes is one the writer stores, and reads back the same.
    if (!c.olderFormat || userRecordProblem(r).isEmpty()) {
        require(userRecordProblem(r).isEmpty(), "a record read in the current format can be written");
        int draws = 0;
        const QByteArray line = userFileLine(r, {}, [&](int lo, int hi) { return lo + (draws++ % (hi - lo + 1)); });
        const UserFileContents again = parseUserFileLine(line);
        require(again.ok(), "a written record reads back");
        require(again.record == r, "a written record reads back the same");
    }
    return 0;
}

} // namespace orvfuzz
