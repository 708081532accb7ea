#include "driver/rom_size.h"

namespace tarvex {

int32_t RomSize = DefaultRomSize;

namespace {

struct SmallRomIdentity {
    uint16_t vendor;
    uint16_t device;
};

// Adapters whose option ROM is 64 KiB; every other identity has 128 KiB.
constexpr SmallRomIdentity SmallRomIdentities[] = {
    {0x1C5D, 0x0A11}, {0x1C5D, 0x0A12}, {0x1C5D, 0x0A13}, {0x1C5D, 0x0A14}, {0x1C5D, 0x0A15},
    {0x1C5D, 0x0A16}, {0x1C5D, 0x0B21}, {0x1C5D, 0x0B22}, {0x1C5D, 0x0B23}, {0x9005, 0x0004},
    {0x1095, 0x3112}, {0x1095, 0x3114}, {0x11AB, 0x5081}, {0x11AB, 0x6081},
};

}  // namespace

int32_t RomSizeForIdentity(PciIdentity identity) {
    const auto vendor = static_cast<uint16_t>(identity & 0xFFFF);
    const auto device = static_cast<uint16_t>(identity >> 16);
    for (const SmallRomIdentity& small : SmallRomIdentities)
        if (small.vendor == vendor && small.device == device) return 65536;
    return 131072;
}

int32_t SetRomSizeForAdapter(AdapterIndex adapter) {
    PciIdentity identity = 0;
    if (GetAdapterPciId(adapter, &identity) != 0) return -1;
    RomSize = RomSizeForIdentity(identity);
    return 0;
}

}  // namespace tarvex
