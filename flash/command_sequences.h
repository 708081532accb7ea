#pragma once
#include <cstdint>

#include "driver/transport.h"

namespace tarvex {

// Command address sets: the long one of the 5555/2AAA parts, the short one of the 555/2AA parts.
inline constexpr uint32_t LongFirstCycleOffset = 0x5555;
inline constexpr uint32_t LongSecondCycleOffset = 0x2AAA;
inline constexpr uint32_t ShortFirstCycleOffset = 0x555;
inline constexpr uint32_t ShortSecondCycleOffset = 0x2AA;

// The fixed wait after the sequences that need one.
inline constexpr uint32_t CommandWaitMs = 10;

// Each command cycle is one byte write; the results of those writes are not checked.
void IdEntrySixCycle(AdapterIndex adapter);
void IdExit(AdapterIndex adapter);
void IdEntryThreeCycle(AdapterIndex adapter);
void IdExitWait(AdapterIndex adapter);
// The page-write prefix, then count bytes at start, start + 1, ..., then the wait.
void PageWrite(AdapterIndex adapter, uint32_t start, const uint8_t* data, uint16_t count);
void ChipErase(AdapterIndex adapter);
void ByteProgramPrefix(AdapterIndex adapter);
void AutoselectEntry(AdapterIndex adapter);
void AutoselectReset(AdapterIndex adapter);
// Ends with one poll of offset 0 for 0xFF whose result is not used.
void ChipEraseShort(AdapterIndex adapter);
void ByteProgramPrefixShort(AdapterIndex adapter);

}  // namespace tarvex
