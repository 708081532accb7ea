#include "platform/monotonic_clock.h"

#include <ctime>

namespace tarvex::platform {

uint64_t MonotonicUs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000u +
           static_cast<uint64_t>(now.tv_nsec) / 1000u;
}

}  // namespace tarvex::platform
