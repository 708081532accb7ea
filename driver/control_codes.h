#pragma once
#include <cstdint>

namespace tarvex {

// Driver control codes: the complete set the system sends.
inline constexpr uint32_t VersionCode = 0x03702400;
inline constexpr uint32_t AdapterCountCode = 0x03702404;
inline constexpr uint32_t AdapterInfoCode = 0x03702408;
inline constexpr uint32_t CapabilityCode = 0x0370244C;
inline constexpr uint32_t AdapterListCode = 0x03702590;
inline constexpr uint32_t EpromAccessCode = 0x03702598;
inline constexpr uint32_t PciIdentityCode = 0x0370259C;

// The SCSI miniport pass-through that carries the envelope on the NT family.
inline constexpr uint32_t IoctlScsiMiniport = 0x4D008;

// Envelope layout (NT offsets; other hosts add a 4-byte adapter prefix in front).
inline constexpr uint32_t EnvelopeHeaderLength = 28;
inline constexpr uint32_t EnvelopeDataOffset = 36;
inline constexpr uint32_t EnvelopeTimeoutSeconds = 10;
inline constexpr char EnvelopeSignature[8] = {'K', 'V', 'R', '-', 'C', 'T', 'R', 'L'};

// Size of the capability block and the adapter list's maximum entry count.
inline constexpr uint32_t CapabilityBlockSize = 44;
inline constexpr uint32_t AdapterListCapacity = 32;

// The ROM offset that addresses the driver's control location instead of a ROM byte.
inline constexpr uint32_t FlashControlOffset = 0xFFFFFFFF;

}  // namespace tarvex
