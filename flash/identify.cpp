#include "flash/identify.h"

#include "driver/adapter_models.h"
#include "driver/adapter_queries.h"
#include "driver/control_codes.h"
#include "flash/chip_catalogue.h"
#include "flash/command_sequences.h"
#include "flash/eprom_access.h"
#include "flash/scan_guard.h"

namespace tarvex {

namespace {

bool Answers(AdapterIndex adapter, int32_t row) {
    const FlashChipEntry& entry = FlashChipTable[row];
    return entry.identify(adapter) == static_cast<uint16_t>(entry.id);
}

}  // namespace

uint16_t IdentifyViaDriver(AdapterIndex adapter) {
    return ReadEpromWord(adapter, FlashControlOffset);
}

uint16_t IdentifySixCycle(AdapterIndex adapter) {
    IdEntrySixCycle(adapter);
    const uint16_t id = ReadEpromWord(adapter, 0);
    IdExit(adapter);
    return id;
}

uint16_t IdentifyThreeCycle(AdapterIndex adapter) {
    IdEntryThreeCycle(adapter);
    const uint16_t id = ReadEpromWord(adapter, 0);
    IdExitWait(adapter);
    return id;
}

uint16_t IdentifyAutoselect(AdapterIndex adapter) {
    AutoselectEntry(adapter);
    const uint16_t id = ReadEpromWord(adapter, 0);
    AutoselectReset(adapter);
    return id;
}

int32_t IdentifyFlashChip(AdapterIndex adapter) {
    PciIdentity identity = 0;
    const bool known = GetAdapterPciId(adapter, &identity) == 0;
    const int32_t startRow =
        known && HasDriverProgrammedChip(identity) ? DriverProgrammedRow : FirstCommandRow;
    if (startRow == DriverProgrammedRow && Answers(adapter, DriverProgrammedRow))
        return DriverProgrammedRow;
    // The driver's own row sends no command; the others may write where they send them, so no
    // scan runs unless the ROM there is kept first.
    ScanGuard guard;
    if (!KeepScanReach(adapter, guard)) return -1;
    int32_t found = -1;
    for (int32_t row = FirstCommandRow; row < FlashChipCount && found < 0; ++row)
        if (Answers(adapter, row)) found = row;
    RestoreScanReach(adapter, found, guard);
    return found;
}

const char* FlashChipName(AdapterIndex adapter) {
    const int32_t row = IdentifyFlashChip(adapter);
    return row < 0 ? UnknownChipName : FlashChipTable[row].name;
}

uint16_t FlashChipId(AdapterIndex adapter) {
    const int32_t row = IdentifyFlashChip(adapter);
    return row < 0 ? UnknownChipId : static_cast<uint16_t>(FlashChipTable[row].id);
}

}  // namespace tarvex
