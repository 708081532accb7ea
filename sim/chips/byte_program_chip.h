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
                    const ChipFaults& faults);

    uint8_t Read(uint32_t offset) override;
    void Write(uint32_t offset, uint8_t value) override;

protected:
    ByteProgramChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                    const ChipFaults& faults, UnlockSequence sequence);

    virtual uint8_t IdRead(uint32_t offset) const;
    virtual uint64_t ProgramUs(uint32_t offset) const;
    virtual uint64_t EraseUs() const;

private:
    void OnCommand(const UnlockSequence::Step& step);

    UnlockSequence m_sequence;
    bool m_armed = false;  // AA 55 A0 came: the next write is the byte to program
    bool m_idMode = false;
};

}  // namespace tarvex::sim
