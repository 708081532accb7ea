#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/chips/chip_store.h"
#include "sim/chips/chip_timing.h"
#include "sim/model_clock.h"

namespace tarvex::sim {

// Faults a rig can ask of a chip (request-level faults live in the EPROM handler).
struct ChipFaults {
    std::vector<uint32_t> protectedSectors{};  // offsets inside the sectors that are protected
    bool eraseHangs = false;                   // an erase stays busy for ever
    std::optional<uint32_t> programHangsAt{};  // programming this offset stays busy for ever
    std::map<uint32_t, uint8_t> weakCells{};   // offset -> value the cell always reads
    std::map<uint32_t, int> flakyPages{};      // page offset -> writes that succeed before it reads wrong
};

// One flash chip on the adapter's ROM bus. Each bus cycle happens at the clock's current time.
class ChipModel {
public:
    virtual ~ChipModel() = default;

    virtual uint32_t Size() const = 0;
    virtual uint8_t Read(uint32_t offset) = 0;
    virtual void Write(uint32_t offset, uint8_t value) = 0;

    // Chips the driver programs itself answer at the control location; the others refuse.
    virtual bool IsDriverProgrammed() const { return false; }
    virtual bool ControlRead(uint8_t* out, uint32_t length) {
        (void)out;
        (void)length;
        return false;
    }
    virtual bool ControlWrite(uint8_t value) {
        (void)value;
        return false;
    }
    // A block write the driver stores itself; false when the driver refuses it.
    virtual bool BlockWrite(uint32_t offset, const uint8_t* data, uint32_t length) {
        (void)offset;
        (void)data;
        (void)length;
        return false;
    }
};

// Looks a part up by catalogue name ("SST 39SF010A"), datasheet name ("SST39SF010A") or
// 16-bit id ("0xB5BF"); "none" gives an empty socket. Null when unknown. Operations take
// their times from the datasheet ranges at the given pace.
std::unique_ptr<ChipModel> MakeChipModel(const std::string& chip, ChipStore& store,
                                         const ModelClock& clock, const ChipFaults& faults,
                                         const ChipTiming& timing = {});
// The size of the part MakeChipModel would build, 0 when unknown.
uint32_t ChipModelSize(const std::string& chip);

}  // namespace tarvex::sim
