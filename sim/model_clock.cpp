#include "sim/model_clock.h"

#include <chrono>
#include <thread>

#include "platform/monotonic_clock.h"

namespace tarvex::sim {

namespace {
// Real mode sleeps only once model time is this far ahead, so per-request pacing stays cheap.
constexpr uint64_t PacingSliceUs = 2000;
}  // namespace

ModelClock::ModelClock(Mode mode) : m_mode(mode), m_wallStartUs(platform::MonotonicUs()) {}

void ModelClock::Advance(uint64_t microseconds) {
    m_nowUs += microseconds;
    if (m_mode != Mode::Real) return;
    const uint64_t wallUs = platform::MonotonicUs() - m_wallStartUs;
    if (m_nowUs > wallUs + PacingSliceUs)
        std::this_thread::sleep_for(std::chrono::microseconds(m_nowUs - wallUs));
}

}  // namespace tarvex::sim
