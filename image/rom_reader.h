#pragma once
#include <cstdint>
#include <vector>

#include "driver/transport.h"
#include "flash/flash_status.h"

namespace tarvex {

// Reads `length` bytes of the adapter's ROM from offset 0 in blocks of 512, without posting
// anything; StatusOk, or the status of the first block that could not be read.
FlashStatus ReadRomQuietly(AdapterIndex adapter, uint32_t length, std::vector<uint8_t>& bytes);

}  // namespace tarvex
