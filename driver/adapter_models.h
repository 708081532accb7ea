#pragma once
#include <cstdint>

#include "driver/adapter_queries.h"

namespace tarvex {

// What an adapter's PCI identity tells of its hardware.

// ROM size of an adapter identity: 64 KiB for the fourteen listed identities, else 128 KiB.
int32_t RomSizeForIdentity(PciIdentity identity);

// The adapter models whose flash chip the driver programs itself.
bool HasDriverProgrammedChip(PciIdentity identity);

}  // namespace tarvex
