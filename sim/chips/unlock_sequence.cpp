#include "sim/chips/unlock_sequence.h"

namespace tarvex::sim {

UnlockSequence::Step UnlockSequence::Feed(uint32_t offset, uint8_t value) {
    const uint32_t address = offset & m_mask;
    switch (m_cycle) {
    case 0:
        return Restart(address, value);
    case 1:
    case 4:
        if (address != m_second || value != 0x55) return Restart(address, value);
        ++m_cycle;
        return {};
    case 2:
        if (address != m_first) return Restart(address, value);
        if (value == 0x80) {
            m_cycle = 3;
            return {};
        }
        m_cycle = 0;
        return {Outcome::Command, value, false};
    case 3:
        if (address != m_first || value != 0xAA) return Restart(address, value);
        m_cycle = 4;
        return {};
    default:  // the sixth cycle
        if (address != m_first) return Restart(address, value);
        m_cycle = 0;
        return {Outcome::Command, value, true};
    }
}

UnlockSequence::Step UnlockSequence::Restart(uint32_t address, uint8_t value) {
    if (address == m_first && value == 0xAA) {
        m_cycle = 1;
        return {};
    }
    m_cycle = 0;
    return {Outcome::Broken, 0, false};
}

}  // namespace tarvex::sim
