#pragma once

#include "sim/chips/flash_chip.h"

namespace tarvex::sim {

// The flash chip the adapter's driver programs itself: its identity is read at the control
// location, a control write of 0x0F erases it and opens a programming session, blocks are
// stored during the session, and 0x00 closes it. Bus writes do not reach it.
class DriverProgrammedChip : public FlashChip {
public:
    DriverProgrammedChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                         const ChipFaults& faults, const ChipTiming& timing);

    uint8_t Read(uint32_t offset) override { return ArrayRead(offset); }
    void Write(uint32_t, uint8_t) override {}

    bool IsDriverProgrammed() const override { return true; }
    bool ControlRead(uint8_t* out, uint32_t length) override;
    bool ControlWrite(uint8_t value) override;
    bool BlockWrite(uint32_t offset, const uint8_t* data, uint32_t length) override;

private:
    // Between the control writes that open and close it, the driver stores blocks.
    enum class Mode { Closed, Session };
    Mode m_mode = Mode::Closed;
};

}  // namespace tarvex::sim
