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
    CatchUp();
    switch (m_mode) {
    case Mode::ReadArray:
    case Mode::Armed:
        return ArrayRead(offset);
    case Mode::IdMode:
        return IdRead(Wrap(offset));
    case Mode::Busy:
        break;
    }
    return StatusRead();
}

void ByteProgramChip::Write(uint32_t offset, uint8_t value) {
    CatchUp();
    offset = Wrap(offset);
    switch (m_mode) {
    case Mode::ReadArray:
    case Mode::IdMode:
        return Decode(offset, value);
    case Mode::Armed: {
        m_mode = Mode::Busy;
        const uint64_t endUs = HangsProgram(offset, 1) ? Forever : Now() + ProgramUs(offset);
        return StartProgram(offset, value, endUs, TimeLimit(m_part.times.program));
    }
    case Mode::Busy:
        return WriteWhileBusy(value);
    }
}

void ByteProgramChip::CatchUp() {
    Settle();
    if (m_mode == Mode::Busy && !Busy()) m_mode = Mode::ReadArray;
}

void ByteProgramChip::Decode(uint32_t offset, uint8_t value) {
    const UnlockSequence::Step step = m_sequence.Feed(offset, value);
    if (step.outcome == UnlockSequence::Outcome::Command) return OnCommand(step);
    // The single-cycle reset: back to reading the array. Any other write outside a command
    // is ignored by flash.
    if (step.outcome == UnlockSequence::Outcome::Broken && value == 0xF0) m_mode = Mode::ReadArray;
}

void ByteProgramChip::OnCommand(const UnlockSequence::Step& step) {
    if (!step.sixCycle && step.command == 0x90) {
        m_mode = Mode::IdMode;
    } else if (!step.sixCycle && step.command == 0xA0) {
        m_mode = Mode::Armed;
    } else if (!step.sixCycle && step.command == 0xF0) {
        m_mode = Mode::ReadArray;
    } else if (step.sixCycle && step.command == 0x10) {
        m_mode = Mode::Busy;
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
    return m_part.family == ChipFamily::ShortSet ? Now() + range.maxUs : Forever;
}

uint64_t ByteProgramChip::ProgramUs(uint32_t) {
    return Pick(m_part.times.program);
}

uint64_t ByteProgramChip::EraseUs() {
    return Pick(m_part.times.chipErase);
}

}  // namespace tarvex::sim
