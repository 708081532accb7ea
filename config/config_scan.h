#pragma once
#include <cstdint>
#include <span>

namespace tarvex {

// Scans the ROM area of an image (the whole loaded file) for parameter entries, fills
// g_configEntries with them in image order and reads their stored values. Returns
// g_configEntryCount. Reads nothing outside the span; records at most twenty entries.
int32_t ParseConfigEntries(std::span<const uint8_t> image);

}  // namespace tarvex
