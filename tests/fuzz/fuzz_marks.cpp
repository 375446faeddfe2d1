#include "tests/fuzz/fuzztargets.h"

#include "platform/fileinuse.h"
#include "platform/marksightings.h"

namespace orvfuzz {

int markFiles(const std::uint8_t* data, std::size_t size)
{
    using namespace orv;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // As a mark: what is taken for one names a process a running copy could
    // have, and reads back the same once written.
    const MarkParse parsed = parseMark(bytes);
    if (const auto& h = parsed.holder) {
        require(parsed.damage.isEmpty(), "a mark read is not damaged");
        require(!h->token.isEmpty(), "a mark has a token");
        require(h->pid >= 1 && h->pid <= (qint64(1) << 22), "a mark's process number lies in the system's range");
        require(h->started >= 1, "a mark's process started after boot");
        require(h->renewal >= 0 && h->renewal <= kMaxRenewal, "a mark's renewal count lies in range");
        const auto again = parseMark(markText(*h)).holder;
        require(again.has_value(), "a mark written reads back");
        require(again && again->pid == h->pid && again->started == h->started && again->renewal == h->renewal
                    && again->token.size() == h->token.size(),
                "a mark written reads back the same");
        MarkHolder next = *h;
        next.renewal = h->renewal < kMaxRenewal ? h->renewal + 1 : 0;
        require(parseMark(markText(next)).holder.has_value(), "a renewed mark reads back");
    }

    // As a sighting: what counts lies within its readings, and what this
    // copy would write after counting it is one it reads again.
    const QString markName = QStringLiteral(".anna.ovg.lock");
    const SightingParse p = parseSighting(bytes, markName);
    require(p.sighting.has_value() != !p.error.isEmpty(), "a sighting or an error, never both");
    if (!p.sighting)
        return 0;
    const Sighting& s = *p.sighting;
    require(s.start <= s.last, "a sighting starts before it ends");
    const Observer self{s.host, s.machine, s.boot, 0};
    const qint64 cap = qint64(kInUseStaleMinutes) * 60 * 1000;
    for (const qint64 now : {qint64(0), s.last, (qint64(1) << 50) - 1}) {
        const qint64 count = countUnchanged({s}, s.fingerprint, self, now, cap);
        require(count >= 0 && count <= cap, "a count lies between 0 and the stale time");
        const Sighting own{s.fingerprint, s.host, s.machine, s.boot, now - count, now};
        const SightingParse back = parseSighting(sightingText(markName, own), markName);
        require(back.sighting.has_value(), "the sighting stored after a look reads back");
        require(back.sighting && back.sighting->last - back.sighting->start == count,
                "the sighting stored after a look counts what was counted");
    }
    return 0;
}

} // namespace orvfuzz
