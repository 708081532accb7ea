#include "sim/chips/driver_programmed_chip.h"

namespace tarvex::sim {

namespace {
constexpr uint8_t ControlOpenSession = 0x0F;
constexpr uint8_t ControlCloseSession = 0x00;
}  // namespace

DriverProgrammedChip::DriverProgrammedChip(const PartFacts& part, ChipStore& store,
                                           const ModelClock& clock, const ChipFaults& faults,
                                           const ChipTiming& timing)
    : FlashChip(part, store, clock, faults, timing) {}

bool DriverProgrammedChip::ControlRead(uint8_t* out, uint32_t length) {
    // Only the two-byte identity read is answered, little-endian.
    if (out == nullptr || length != 2) return false;
    out[0] = static_cast<uint8_t>(m_part.id & 0xFF);
    out[1] = static_cast<uint8_t>(m_part.id >> 8);
    return true;
}

bool DriverProgrammedChip::ControlWrite(uint8_t value) {
    if (value == ControlCloseSession) {
        m_mode = Mode::Closed;
        return true;
    }
    if (value != ControlOpenSession) return false;
    // An erase that never ends is, to the driver, an erase that failed.
    if (m_faults.eraseHangs) {
        m_mode = Mode::Closed;
        return false;
    }
    EraseUnlocked();
    m_mode = Mode::Session;
    return true;
}

bool DriverProgrammedChip::BlockWrite(uint32_t offset, const uint8_t* data, uint32_t length) {
    if (m_mode != Mode::Session || data == nullptr || offset >= Size() || length > Size() - offset)
        return false;
    // The driver checks its work: a block it cannot program is refused whole.
    if (HangsProgram(offset, length)) return false;
    for (uint32_t i = 0; i < length; ++i)
        if (IsLocked(offset + i)) return false;
    for (uint32_t i = 0; i < length; ++i)
        m_store.Set(offset + i, m_store.Get(offset + i) & data[i]);
    return true;
}

}  // namespace tarvex::sim
