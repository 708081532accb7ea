#include "sim/chips/byte_program_chip.h"

namespace tarvex::sim {

ByteProgramChip::ByteProgramChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                                 const ChipFaults& faults, const ChipTiming& timing)
    : ByteProgramChip(part, store, clock, faults, timing,
                      UnlockSequence(0x5555, 0x2AAA, part.commandMask)) {}

ByteProgramChip::ByteProgramChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                                 const ChipFaults& faults, const ChipTiming& timing,
                                 UnlockSequence sequence)
    : FlashChip(part, store, clock, faults, timing), m_sequence(sequence) {}

uint8_t ByteProgramChip::Read(uint32_t offset) {
    Settle();
    if (Busy()) return StatusRead();
    if (m_idMode) return IdRead(Wrap(offset));
    return ArrayRead(offset);
}

void ByteProgramChip::Write(uint32_t offset, uint8_t value) {
    Settle();
    if (Busy()) return WriteWhileBusy(value);
    offset = Wrap(offset);
    if (m_armed) {
        m_armed = false;
        const uint64_t endUs = HangsProgram(offset, 1) ? Forever : Now() + ProgramUs(offset);
        StartProgram(offset, value, endUs, TimeLimit(m_part.times.program));
        return;
    }
    const UnlockSequence::Step step = m_sequence.Feed(offset, value);
    if (step.outcome == UnlockSequence::Outcome::Command) {
        OnCommand(step);
    } else if (step.outcome == UnlockSequence::Outcome::Broken && value == 0xF0) {
        // The single-cycle reset: back to reading the array.
        m_idMode = false;
    }
    // Any other write outside a command is ignored by flash.
}

void ByteProgramChip::OnCommand(const UnlockSequence::Step& step) {
    if (!step.sixCycle && step.command == 0x90) {
        m_idMode = true;
    } else if (!step.sixCycle && step.command == 0xA0) {
        m_idMode = false;
        m_armed = true;
    } else if (!step.sixCycle && step.command == 0xF0) {
        m_idMode = false;
    } else if (step.sixCycle && step.command == 0x10) {
        m_idMode = false;
        const uint64_t endUs = m_faults.eraseHangs ? Forever : Now() + EraseUs();
        StartErase(endUs, TimeLimit(m_part.times.chipErase));
    }
}

uint8_t ByteProgramChip::IdRead(uint32_t offset) const {
    if (offset == 0) return static_cast<uint8_t>(m_part.id & 0xFF);
    if (offset == 1) return static_cast<uint8_t>(m_part.id >> 8);
    if (const auto code = BootBlockCode(offset)) return *code;
    return ArrayRead(offset);
}

uint64_t ByteProgramChip::TimeLimit(const TimeRange& range) const {
    // Only AMD-style parts report an operation that outlasts its maximum (DQ5).
    return m_part.family == ChipFamily::Autoselect ? Now() + range.maxUs : Forever;
}

uint64_t ByteProgramChip::ProgramUs(uint32_t) {
    return Pick(m_part.times.program);
}

uint64_t ByteProgramChip::EraseUs() {
    return Pick(m_part.times.chipErase);
}

}  // namespace tarvex::sim
