#pragma once
#include <cstddef>
#include <cstdint>

namespace tarvex {

// The word at offset 4 that marks an EFI image, which keeps its checksum as it is.
inline constexpr uint32_t EfiImageSignature = 0x00000EF1;

// Makes the bytes of the declared image length (the byte at offset 2, in 512-byte units) add
// up to 0 modulo 256 by adjusting the last of them. A declared length beyond the buffer is
// limited to the buffer, so nothing outside it is read or written.
void FixImageChecksum(uint8_t* image, size_t length);

}  // namespace tarvex
