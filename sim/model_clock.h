#pragma once
#include <cstdint>

namespace tarvex::sim {

// The simulator's time. Every request and every sleep advances it; chip timing reads it.
// In virtual mode nothing waits for real; in real mode wall time is kept up with model time.
class ModelClock {
public:
    enum class Mode { Virtual, Real };

    explicit ModelClock(Mode mode = Mode::Virtual);

    Mode GetMode() const { return m_mode; }
    uint64_t NowUs() const { return m_nowUs; }
    void Advance(uint64_t microseconds);

private:
    Mode m_mode;
    uint64_t m_nowUs = 0;
    uint64_t m_wallStartUs;
};

}  // namespace tarvex::sim
