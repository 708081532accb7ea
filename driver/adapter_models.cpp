#include "driver/adapter_models.h"

namespace tarvex {

namespace {

constexpr uint16_t MakerVendorId = 0x1C5D;

struct ModelIdentity {
    uint16_t vendor;
    uint16_t device;
};

ModelIdentity Split(PciIdentity identity) {
    return {static_cast<uint16_t>(identity & 0xFFFF), static_cast<uint16_t>(identity >> 16)};
}

// Adapters whose option ROM is 64 KiB.
constexpr ModelIdentity SmallRomIdentities[] = {
    {MakerVendorId, 0x0A11}, {MakerVendorId, 0x0A12}, {MakerVendorId, 0x0A13},
    {MakerVendorId, 0x0A14}, {MakerVendorId, 0x0A15}, {MakerVendorId, 0x0A16},
    {MakerVendorId, 0x0B21}, {MakerVendorId, 0x0B22}, {MakerVendorId, 0x0B23},
    {0x9005, 0x0004},        {0x1095, 0x3112},        {0x1095, 0x3114},
    {0x11AB, 0x5081},        {0x11AB, 0x6081},
};

}  // namespace

int32_t RomSizeForIdentity(PciIdentity identity) {
    const ModelIdentity model = Split(identity);
    for (const ModelIdentity& small : SmallRomIdentities)
        if (small.vendor == model.vendor && small.device == model.device) return 65536;
    return 131072;
}

bool HasDriverProgrammedChip(PciIdentity identity) {
    const ModelIdentity model = Split(identity);
    return model.vendor == MakerVendorId && model.device >= 0x0C31 && model.device <= 0x0C34;
}

}  // namespace tarvex
