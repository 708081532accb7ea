#pragma once
#include <cstddef>
#include <cstdint>

#include "driver/transport.h"
#include "flash/program_routines.h"

namespace tarvex {

// The ROM under the identification scan's command writes, kept so that the scan leaves the
// ROM as it found it: a page-write part without data protection takes the cycles of a command
// it does not know as data and rewrites the page under the command address.
inline constexpr uint32_t ScanGuardBlockSize = MaxPageSize;  // holds any part's page there
inline constexpr size_t ScanGuardBlockCount = 4;             // one per command offset

struct ScanGuard {
    uint32_t start[ScanGuardBlockCount];
    bool kept[ScanGuardBlockCount];
    uint8_t bytes[ScanGuardBlockCount][ScanGuardBlockSize];
};

// Reads the blocks holding the command offsets 0x5555, 0x2AAA, 0x555 and 0x2AA, one request
// each; false when a block cannot be read, and then no scan may run.
bool KeepScanReach(AdapterIndex adapter, ScanGuard& guard);

// Reads the kept blocks again after a scan that found row (-1: none). A changed page of a
// page-write row is written back with the row's page size and read back. 1 when the ROM is as
// it was; 0 when it is not: then it posts where, saves the kept bytes to a file it names, and
// remembers the adapter so that no flash goes on.
int32_t RestoreScanReach(AdapterIndex adapter, int32_t row, const ScanGuard& guard);

// 1 when a scan left this adapter's ROM changed; PostScanChanges posts what it said again.
int32_t ScanChangedRom(AdapterIndex adapter);
void PostScanChanges(AdapterIndex adapter);
// Forgets every adapter's record (tests).
void ForgetScanChanges();

}  // namespace tarvex
