#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/entry_writer.h"

namespace tarvex::testing {

// An image of exactly `length` bytes: ROM signature, size byte, zeros elsewhere.
inline std::vector<uint8_t> BlankImage(size_t length, uint8_t sizeByte) {
    std::vector<uint8_t> image(length, 0);
    if (length > 2) image[0] = 0x55, image[1] = 0xAA, image[2] = sizeByte;
    return image;
}

// An option ROM image for vendor:device whose length byte covers it, PCI data structure at 0x40.
inline std::vector<uint8_t> MakeRomImage(uint16_t vendor, uint16_t device, size_t size) {
    std::vector<uint8_t> image = BlankImage(size, static_cast<uint8_t>(size / 512));
    image[0x18] = 0x40;
    Put(image, 0x40, "PCIR", vendor | static_cast<uint32_t>(device) << 16, 4);
    Put(image, 0x60, "Test option ROM");
    return image;
}

// A pseudo-random image that starts with the ROM signature.
inline std::vector<uint8_t> TestImage(uint32_t length, uint32_t seed = 1) {
    std::vector<uint8_t> image(length);
    uint32_t state = seed;
    for (uint32_t i = 0; i < length; ++i) {
        state = state * 1103515245u + 12345u;
        image[i] = static_cast<uint8_t>(state >> 16);
    }
    if (length >= 2) image[0] = 0x55, image[1] = 0xAA;
    return image;
}

}  // namespace tarvex::testing
