#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::uitest {

inline constexpr size_t EntriesAt = 0x100;

// Writes text, then a value of `width` bytes little-endian; returns the offset after them.
inline size_t Put(std::vector<uint8_t>& image, size_t at, const std::string& text,
                  uint32_t value = 0, size_t width = 0) {
    for (char c : text) image.at(at++) = static_cast<uint8_t>(c);
    for (size_t i = 0; i < width; ++i) image.at(at++) = static_cast<uint8_t>(value >> (8 * i));
    return at;
}

// An option ROM image for vendor:device whose length byte covers it, PCI data structure at 0x40.
inline std::vector<uint8_t> MakeRomImage(uint16_t vendor, uint16_t device, size_t size) {
    std::vector<uint8_t> image(size, 0);
    Put(image, 0, "\x55\xAA", static_cast<uint8_t>(size / 512), 1);
    image[0x18] = 0x40;
    Put(image, 0x40, "PCIR", vendor | static_cast<uint32_t>(device) << 16, 4);
    Put(image, 0x60, "Test option ROM");
    return image;
}

inline size_t PutSwitch(std::vector<uint8_t>& image, size_t at, const std::string& label,
                        uint8_t value) {
    return Put(image, at, "<VL>" + label + "</V>", value, 1);
}

// letter 'B', 'W' or 'D'; limits is "min,max".
inline size_t PutNumber(std::vector<uint8_t>& image, size_t at, char letter,
                        const std::string& limits, const std::string& label, uint32_t value) {
    return Put(image, at, std::string("<V") + letter + limits + ">" + label + "</V>", value,
               letter == 'B'   ? 1
               : letter == 'W' ? 2
                               : 4);
}

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

}  // namespace tarvex::uitest
