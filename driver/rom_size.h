#pragma once
#include <cstdint>

#include "driver/adapter_queries.h"

namespace tarvex {

// ROM size of an adapter identity: 64 KiB for the fourteen listed identities, else 128 KiB.
int32_t RomSizeForIdentity(PciIdentity identity);

// Sets RomSize from the adapter's identity; -1 (RomSize unchanged) when it cannot be read.
int32_t SetRomSizeForAdapter(AdapterIndex adapter);

// Process-wide ROM length in bytes, 65536 at start.
inline constexpr int32_t DefaultRomSize = 65536;
extern int32_t RomSize;

}  // namespace tarvex
