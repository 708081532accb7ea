#include "sim/chips/short_set_chip.h"

namespace tarvex::sim {

namespace {
// How long a refused program, and a chip erase with every sector protected, stay busy.
constexpr uint64_t ProtectedProgramUs = 2;
constexpr uint64_t ProtectedEraseUs = 100;
constexpr uint8_t ResetCommand = 0xF0;
}  // namespace

ShortSetChip::ShortSetChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                           const ChipFaults& faults, const ChipTiming& timing)
    : ByteProgramChip(part, store, clock, faults, timing,
                      UnlockSequence(0x555, 0x2AA, part.commandMask)) {}

uint8_t ShortSetChip::IdRead(uint32_t offset) const {
    // A1 and A0 pick the code; the higher lines pick the sector for the protect code.
    switch (offset & 0x3) {
    case 0:
        return static_cast<uint8_t>(m_part.id & 0xFF);
    case 1:
        return static_cast<uint8_t>(m_part.id >> 8);
    case 2:
        return IsLocked(offset) ? 0x01 : 0x00;
    default:
        return m_part.idAt3;
    }
}

void ShortSetChip::WriteWhileBusy(uint8_t value) {
    // A reset is ignored while an operation runs, but ends one that has failed.
    if (value == ResetCommand && TimeLimitExceeded()) Abandon();
}

uint64_t ShortSetChip::ProgramUs(uint32_t offset) {
    return IsLocked(offset) ? ProtectedProgramUs : ByteProgramChip::ProgramUs(offset);
}

uint64_t ShortSetChip::EraseUs() {
    return AllLocked() ? ProtectedEraseUs : ByteProgramChip::EraseUs();
}

}  // namespace tarvex::sim
