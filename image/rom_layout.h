#pragma once
#include <cstddef>
#include <cstdint>

#include "driver/adapter_queries.h"

namespace tarvex {

// The fields of a PCI option ROM image the system reads; offsets from the image's start.
inline constexpr size_t RomSignatureOffset = 0;
inline constexpr uint8_t RomSignatureByte0 = 0x55;
inline constexpr uint8_t RomSignatureByte1 = 0xAA;
inline constexpr size_t RomLengthOffset = 2;  // image length in 512-byte units
inline constexpr size_t RomLengthUnit = 512;
inline constexpr size_t RomEfiWordOffset = 4;   // 0x00000EF1 marks an EFI image
inline constexpr size_t RomPciDataOffset = 24;  // 16-bit offset of the PCI data structure
inline constexpr size_t PciDataIdentityOffset = 4;

// True when the image starts with 0x55, 0xAA.
bool HasRomSignature(const uint8_t* image, size_t length);

// The image's PciIdentity, read at the PCI data structure offset plus 4; false (identity
// untouched) when those four bytes do not lie inside the buffer.
bool ReadImageIdentity(const uint8_t* image, size_t length, PciIdentity* identity);

}  // namespace tarvex
