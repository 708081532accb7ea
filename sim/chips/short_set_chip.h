#pragma once

#include "sim/chips/byte_program_chip.h"

namespace tarvex::sim {

// AMD and AMIC parts: the byte-program commands on 555/2AA, decoded on the address lines
// each datasheet gives, and autoselect with a sector-protect code at address 2 of every
// sector. A protected sector shows busy briefly and keeps its contents. An operation that
// outlasts its maximum sets DQ5 and shows status until F0 resets the part.
class ShortSetChip : public ByteProgramChip {
public:
    ShortSetChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                 const ChipFaults& faults, const ChipTiming& timing);

protected:
    uint8_t IdRead(uint32_t offset) const override;
    void WriteWhileBusy(uint8_t value) override;
    uint64_t ProgramUs(uint32_t offset) override;
    uint64_t EraseUs() override;
};

}  // namespace tarvex::sim
