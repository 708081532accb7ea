#include "platform/monotonic_clock.h"

#include <windows.h>

namespace tarvex::platform {

// The performance counter, on every Windows from 2000 on. (The C++ runtime's steady clock of
// the i686 build, MinGW's win32 thread model, is the wall clock.)
uint64_t MonotonicUs() {
    static const uint64_t frequency = [] {
        LARGE_INTEGER value{};
        ::QueryPerformanceFrequency(&value);
        return static_cast<uint64_t>(value.QuadPart);
    }();
    LARGE_INTEGER count{};
    ::QueryPerformanceCounter(&count);
    const auto ticks = static_cast<uint64_t>(count.QuadPart);
    // In two parts, so that a long uptime cannot overflow the product.
    return ticks / frequency * 1000000u + ticks % frequency * 1000000u / frequency;
}

}  // namespace tarvex::platform
