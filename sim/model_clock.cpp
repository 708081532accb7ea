#include "sim/model_clock.h"

#include <thread>

namespace tarvex::sim {

namespace {
// Real mode sleeps only once model time is this far ahead, so per-request pacing stays cheap.
constexpr uint64_t PacingSliceUs = 2000;
}  // namespace

ModelClock::ModelClock(Mode mode) : m_mode(mode), m_wallStart(std::chrono::steady_clock::now()) {}

void ModelClock::Advance(uint64_t microseconds) {
    m_nowUs += microseconds;
    if (m_mode != Mode::Real) return;
    const auto wallUs = static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                              m_wallStart)
            .count());
    if (m_nowUs > wallUs + PacingSliceUs)
        std::this_thread::sleep_for(std::chrono::microseconds(m_nowUs - wallUs));
}

}  // namespace tarvex::sim
