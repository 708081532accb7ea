#include "flash/protection_check.h"

#include "flash/chip_catalogue.h"
#include "flash/command_sequences.h"
#include "flash/eprom_access.h"
#include "flash/event_channel.h"
#include "flash/identify.h"
#include "flash/run_state.h"

namespace tarvex {

namespace {

// Offsets of the autoselect sector-protect codes checked first, in this order.
constexpr uint32_t ProtectCodeOffsets[] = {0x0002, 0x4002, 0x8002, 0xC002};
// Where in a sector its protect code reads (A1 A0 = 10).
constexpr uint32_t ProtectCodeInSector = 2;
constexpr uint8_t LockedOutBit = 0x01;

int32_t Refuse(const char* kind, RomRegion region, const char* state) {
    RecordFlashStatus(StatusProtected);
    LogEvent(EventText, 0, "The flash sector is protected!\n");
    if (region.size == 0) {
        LogEvent(EventText, 0, "%s at 0x%X is %s; nothing was erased or written.\n", kind,
                 region.start, state);
    } else {
        LogEvent(EventText, 0, "%s 0x%X-0x%X is %s; nothing was erased or written.\n", kind,
                 region.start, region.start + region.size - 1, state);
    }
    return 0;
}

bool HoldsFirstCode(RomRegion sector) {
    for (uint32_t offset : ProtectCodeOffsets)
        if (offset - sector.start < sector.size) return true;
    return false;
}

// The first protected sector, read in autoselect mode; size 0 and start 0 when none is.
RomRegion FindProtectedSector(AdapterIndex adapter, const FlashChipEntry* chip, uint32_t length,
                              bool& found) {
    for (uint32_t offset : ProtectCodeOffsets) {
        if (ReadEpromByte(adapter, offset) == 0) continue;
        found = true;
        return chip ? SectorAt(*chip, offset) : RomRegion{offset, 0};
    }
    if (chip == nullptr) return {0, 0};
    for (RomRegion sector = SectorAt(*chip, 0); sector.size != 0 && sector.start < length;
         sector = SectorAt(*chip, sector.start + sector.size)) {
        if (HoldsFirstCode(sector)) continue;  // its code was read above
        if (ReadEpromByte(adapter, sector.start + ProtectCodeInSector) == 0) continue;
        found = true;
        return sector;
    }
    return {0, 0};
}

}  // namespace

int32_t CheckProtectedSectors(AdapterIndex adapter, uint32_t length) {
    AutoselectEntry(adapter);
    bool found = false;
    const RomRegion sector =
        FindProtectedSector(adapter, CurrentFlashRunState().chip, length, found);
    AutoselectReset(adapter);
    return found ? Refuse("Sector", sector, "protected") : 1;
}

int32_t CheckBootBlockLocks(AdapterIndex adapter, uint32_t length) {
    const FlashChipEntry* chip = CurrentFlashRunState().chip;
    if (chip == nullptr || length == 0) return 1;
    const RomRegion low{0, chip->bootBlocks.low};
    const RomRegion high{chip->capacity - chip->bootBlocks.high, chip->bootBlocks.high};
    const bool lowReached = low.size != 0;
    const bool highReached = high.size != 0 && high.start < length;
    if (!lowReached && !highReached) return 1;
    // The part's own entry: the six-cycle parts are identified by it.
    const bool sixCycle = chip->identify == IdentifySixCycle;
    sixCycle ? IdEntrySixCycle(adapter) : IdEntryThreeCycle(adapter);
    const bool lowLocked = lowReached && (ReadEpromByte(adapter, 2) & LockedOutBit) != 0;
    const bool highLocked =
        highReached &&
        (ReadEpromByte(adapter, chip->capacity - TopBootCodeFromEnd) & LockedOutBit) != 0;
    IdExitWait(adapter);
    if (lowLocked) return Refuse("Boot block", low, "locked");
    if (highLocked) return Refuse("Boot block", high, "locked");
    return 1;
}

}  // namespace tarvex
