#pragma once
#include <cstddef>
#include <cstdint>

namespace tarvex {

// Fields of the PCI data structure ("PCIR") of an option ROM image, from its start.
inline constexpr size_t PciSignatureField = 0;
inline constexpr size_t PciVendorField = 4;
inline constexpr size_t PciDeviceField = 6;
inline constexpr size_t PciDeviceListField = 8;
inline constexpr size_t PciLengthField = 0x0A;
inline constexpr size_t PciRevisionField = 0x0C;
inline constexpr size_t PciClassField = 0x0D;  // three bytes: interface, subclass, base class
inline constexpr size_t PciImageLengthField = 0x10;  // in 512-byte units
inline constexpr size_t PciCodeRevisionField = 0x12;
inline constexpr size_t PciCodeTypeField = 0x14;
inline constexpr size_t PciIndicatorField = 0x15;
inline constexpr size_t PciFieldsEnd = 0x16;
inline constexpr uint8_t PciLastImageBit = 0x80;

}  // namespace tarvex
