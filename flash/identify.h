#pragma once
#include <cstdint>

#include "driver/transport.h"

namespace tarvex {

// What FlashChipName and FlashChipId give when no row matches.
inline constexpr const char* UnknownChipName = "Unknown";
inline constexpr uint16_t UnknownChipId = 0;

// Identify routines: each returns the word the chip answers at offsets 0 and 1 (maker code
// low, device code high) and leaves the chip in read mode.
uint16_t IdentifyViaDriver(AdapterIndex adapter);
uint16_t IdentifySixCycle(AdapterIndex adapter);
uint16_t IdentifyThreeCycle(AdapterIndex adapter);
uint16_t IdentifyAutoselect(AdapterIndex adapter);

// The first row of the chip table whose routine reads the row's id, or -1.
int32_t IdentifyFlashChip(AdapterIndex adapter);
// Each runs a full identification.
const char* FlashChipName(AdapterIndex adapter);
uint16_t FlashChipId(AdapterIndex adapter);

}  // namespace tarvex
