#pragma once
#include <cstdint>

namespace tarvex::sim {

// The adapters' driver interface as its contract gives it, written here apart from the engine's
// own definitions, so that a wrong code or offset on the engine's side fails against the
// simulator instead of agreeing with itself.

// Driver control codes the driver answers.
inline constexpr uint32_t VersionCode = 0x03702400;
inline constexpr uint32_t AdapterCountCode = 0x03702404;
inline constexpr uint32_t AdapterInfoCode = 0x03702408;
inline constexpr uint32_t CapabilityCode = 0x0370244C;
inline constexpr uint32_t AdapterListCode = 0x03702590;
inline constexpr uint32_t EpromAccessCode = 0x03702598;
inline constexpr uint32_t PciIdentityCode = 0x0370259C;

// IOCTL_SCSI_MINIPORT: on the NT family every envelope arrives as this request.
inline constexpr uint32_t IoctlScsiMiniport = 0x4D008;

// SRB_IO_CONTROL header: its own length field, and the signature the miniport recognises.
inline constexpr uint32_t EnvelopeHeaderLength = 28;
inline constexpr char EnvelopeSignature[8] = {'K', 'V', 'R', '-', 'C', 'T', 'R', 'L'};

// The capability block: its first word is its own length.
inline constexpr uint32_t CapabilityBlockSize = 44;

// The ROM offset of the driver's control location on the adapters that program their chip.
inline constexpr uint32_t FlashControlOffset = 0xFFFFFFFF;

}  // namespace tarvex::sim
