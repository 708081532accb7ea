#pragma once
#include <cstdint>

namespace tarvex::platform {

// Microseconds on a clock that only moves forward, whatever is done to the wall clock; its
// start is arbitrary. Time limits and pacing are measured on it.
uint64_t MonotonicUs();

}  // namespace tarvex::platform
