#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarvex {

// Size of the ROM area that byte 2 declares (512-byte units), limited to the bytes present.
inline size_t ConfigRomAreaSize(std::span<const uint8_t> image) {
    if (image.size() < 3) {
        return 0;
    }
    return std::min(static_cast<size_t>(image[2]) * 512, image.size());
}

}  // namespace tarvex
