// libFuzzer's entry for one target, chosen by FLYER_FUZZ_TARGET.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FLYER_FUZZ_TARGET(data, size);
}
