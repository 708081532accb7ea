#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "support/entry_writer.h"
#include "support/rom_images.h"

namespace tarvex::testing {

inline constexpr size_t EntriesAt = 0x100;

using testing::Put;
using testing::PutNumber;
using testing::PutSwitch;

inline uint8_t SumOf(const std::vector<uint8_t>& image, size_t length) {
    uint8_t sum = 0;
    for (size_t i = 0; i < std::min(length, image.size()); ++i) sum += image[i];
    return sum;
}

// Makes the bytes of the declared length add up to 0 modulo 256.
inline void FixSum(std::vector<uint8_t>& image) {
    size_t length = std::min(image.size(), static_cast<size_t>(image[2]) * 512);
    image[length - 1] = static_cast<uint8_t>(image[length - 1] - SumOf(image, length));
}

// 32 KiB with a switch (Enable), a byte number 1..30 (5) and a switch (Disable).
inline std::vector<uint8_t> MakeThreeEntryImage(uint16_t vendor, uint16_t device) {
    std::vector<uint8_t> image = MakeRomImage(vendor, device, 32768);
    size_t at = PutSwitch(image, EntriesAt, "INT 13 support", 1);
    at = PutNumber(image, at + 3, 'B', "1,30", "Time waiting for CTRL-H key (second)", 5);
    PutSwitch(image, at + 7, "Boot disk hook last", 0);
    FixSum(image);
    return image;
}

}  // namespace tarvex::testing
