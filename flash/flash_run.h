#pragma once
#include <cstdint>

#include "driver/transport.h"

namespace tarvex {

// Writes the image of the current run state into the adapter's EPROM: checksum fix-up,
// identification, the chip's program routine, then a byte-by-byte read-back. 1 when the image
// was programmed and verified; on failure the reason is recorded in the run state.
int32_t FlashRun(AdapterIndex adapter);
// The same for a chip already identified as the catalogue's row `row`: no identification.
int32_t FlashRunOnChip(AdapterIndex adapter, int32_t row);

// Reads the ROM back one byte per request; 1 when all of it matches the image.
int32_t VerifyImage(AdapterIndex adapter, const uint8_t* image, uint32_t length);

}  // namespace tarvex
