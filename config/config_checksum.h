#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarvex {

// Makes the ROM area (byte 2 times 512, limited to the bytes present) add up to 0 modulo 256
// after an edit. The adjusting byte is offset 28 when the loaded file is longer than the ROM
// area, else the area's last byte. Header values make no exception.
void FixConfigChecksum(std::span<uint8_t> image, size_t fileLength);

}  // namespace tarvex
