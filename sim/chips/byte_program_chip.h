#pragma once

#include "sim/chips/flash_chip.h"
#include "sim/chips/unlock_sequence.h"

namespace tarvex::sim {

// Parts erased as a whole and programmed a byte at a time, with their commands on
// 5555/2AAA (Winbond W39L, Atmel AT49F, SST 39SF/VF, MOSEL). A locked sector (a boot
// block locked by fault) runs its program and erase cycles but keeps its contents.
class ByteProgramChip : public FlashChip {
public:
    ByteProgramChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                    const ChipFaults& faults, const ChipTiming& timing);

    uint8_t Read(uint32_t offset) override;
    void Write(uint32_t offset, uint8_t value) override;

protected:
    ByteProgramChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                    const ChipFaults& faults, const ChipTiming& timing, UnlockSequence sequence);

    virtual uint8_t IdRead(uint32_t offset) const;
    // Writes while an operation runs are ignored, unless a family says otherwise.
    virtual void WriteWhileBusy(uint8_t value) { (void)value; }
    virtual uint64_t ProgramUs(uint32_t offset);
    virtual uint64_t EraseUs();

private:
    // What the part does with the next bus access; Busy ends in ReadArray once the operation
    // is over (or, on an AMD-style part, abandoned by a reset).
    enum class Mode {
        ReadArray,  // reads see the array; writes go to the command decoder
        IdMode,     // reads see the ids and codes; writes go to the command decoder
        Armed,      // AA 55 A0 came: the next write is the byte to program
        Busy,       // a program or erase runs: reads see status
    };

    void CatchUp();
    void Decode(uint32_t offset, uint8_t value);
    void OnCommand(const UnlockSequence::Step& step);
    uint64_t TimeLimit(const TimeRange& range) const;

    Mode m_mode = Mode::ReadArray;
    UnlockSequence m_sequence;
};

}  // namespace tarvex::sim
