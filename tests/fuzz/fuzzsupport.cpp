#include "tests/fuzz/fuzztargets.h"

#include <cstdio>
#include <cstdlib>

namespace orvfuzz {

void require(bool ok, const char* what)
{
    if (ok)
        return;
    std::fprintf(stderr, "fuzz rule broken: %s\n", what);
    std::abort();
}

} // namespace orvfuzz
