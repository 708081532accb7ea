#pragma once
#include <cstdint>

#include "driver/adapter_models.h"
#include "driver/adapter_queries.h"

namespace tarvex {

// Sets RomSize from the adapter's identity; -1 (RomSize unchanged) when it cannot be read.
int32_t SetRomSizeForAdapter(AdapterIndex adapter);

// Process-wide ROM length in bytes, 65536 at start.
inline constexpr int32_t DefaultRomSize = 65536;
extern int32_t RomSize;

}  // namespace tarvex
