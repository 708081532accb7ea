#pragma once

#include "sim/chips/byte_program_chip.h"

namespace tarvex::sim {

// AMD and AMIC parts: the byte-program commands on 555/2AA, decoded on A10-A0 only, and
// autoselect with a sector-protect code at address 2 of every sector. A protected sector
// shows busy briefly and keeps its contents.
class AutoselectChip : public ByteProgramChip {
public:
    AutoselectChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                   const ChipFaults& faults);

protected:
    uint8_t IdRead(uint32_t offset) const override;
    uint64_t ProgramUs(uint32_t offset) const override;
    uint64_t EraseUs() const override;
};

}  // namespace tarvex::sim
