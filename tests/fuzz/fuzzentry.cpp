// libFuzzer's entry, bound to one target by ORV_FUZZ_TARGET.
#include "tests/fuzz/fuzztargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return orvfuzz::ORV_FUZZ_TARGET(data, size);
}
