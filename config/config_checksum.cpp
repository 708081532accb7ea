#include "config/config_checksum.h"

#include <algorithm>

#include "config/rom_area.h"

namespace tarvex {

namespace {

constexpr size_t AdjustOffsetInHeader = 28;

}  // namespace

void FixConfigChecksum(std::span<uint8_t> image, size_t fileLength) {
    std::span<uint8_t> present = image.first(std::min(fileLength, image.size()));
    size_t romSize = ConfigRomAreaSize(present);
    if (romSize == 0) {
        return;
    }
    uint8_t sum = 0;
    for (size_t i = 0; i < romSize; ++i) {
        sum = static_cast<uint8_t>(sum + present[i]);
    }
    // A short area is a whole multiple of 512 bytes here, so offset 28 lies inside it.
    size_t adjust = romSize < present.size() ? AdjustOffsetInHeader : romSize - 1;
    present[adjust] = static_cast<uint8_t>(present[adjust] - sum);
}

}  // namespace tarvex
