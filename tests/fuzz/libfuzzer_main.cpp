// libFuzzer's entry for one target; the build names the target's function.
#include <cstddef>
#include <cstdint>

#include "fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tarvex::fuzz::TARVEX_FUZZ_ENTRY(data, size);
}
