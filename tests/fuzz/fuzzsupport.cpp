#include "tests/fuzz/fuzztargets.h"

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace orvfuzz {

namespace {
std::function<void(const char*)>& brokenHandler()
{
    static std::function<void(const char*)> h;
    return h;
}
} // namespace

void setRuleBrokenHandler(std::function<void(const char*)> handler) { brokenHandler() = std::move(handler); }

void require(bool ok, const char* what)
{
    if (ok)
        return;
    if (brokenHandler()) {
        brokenHandler()(what);
        return;
    }
    std::fprintf(stderr, "fuzz rule broken: %s\n", what);
    std::abort();
}

} // namespace orvfuzz
