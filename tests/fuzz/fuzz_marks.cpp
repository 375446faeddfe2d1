#include "tests/fuzz/fuzztargets.h"

#include "platform/fileinuse.h"

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

    return 0;
}

} // namespace orvfuzz
