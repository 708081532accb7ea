#include "sim/chips/autoselect_chip.h"

namespace tarvex::sim {

namespace {
// How long a refused program, and a chip erase with every sector protected, stay busy.
constexpr uint64_t ProtectedProgramUs = 2;
constexpr uint64_t ProtectedEraseUs = 100;
}  // namespace

AutoselectChip::AutoselectChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                               const ChipFaults& faults)
    : ByteProgramChip(part, store, clock, faults, UnlockSequence(0x555, 0x2AA, 0x7FF)) {}

uint8_t AutoselectChip::IdRead(uint32_t offset) const {
    // A1 and A0 pick the code; the higher lines pick the sector for the protect code.
    switch (offset & 0x3) {
    case 0:
        return static_cast<uint8_t>(m_part.id & 0xFF);
    case 1:
        return static_cast<uint8_t>(m_part.id >> 8);
    case 2:
        return IsLocked(offset) ? 0x01 : 0x00;
    default:
        return 0x00;
    }
}

uint64_t AutoselectChip::ProgramUs(uint32_t offset) const {
    return IsLocked(offset) ? ProtectedProgramUs : m_part.programUs;
}

uint64_t AutoselectChip::EraseUs() const {
    return AllLocked() ? ProtectedEraseUs : m_part.chipEraseUs;
}

}  // namespace tarvex::sim
