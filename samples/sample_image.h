#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex {

// Class codes of the samples: base class << 16 | subclass << 8 | programming interface.
inline constexpr uint32_t ClassCodeIde = 0x010100;
inline constexpr uint32_t ClassCodeRaid = 0x010400;

inline constexpr uint32_t SampleMinSize = 1024;
inline constexpr uint32_t SampleMaxSize = 255 * 512;  // the most a length byte can declare

// What a sample option ROM image is made for.
struct SampleSpec {
    uint16_t vendor = 0;
    uint16_t device = 0;
    uint32_t size = 32768;  // a multiple of 512 from SampleMinSize to SampleMaxSize
    uint32_t classCode = ClassCodeRaid;
    std::string banner;  // cut to fit its area
};

bool SampleSizeValid(uint32_t size);

// A valid x86 option ROM image of our own: signature, length byte, a far-return entry stub,
// a PCI data structure, the banner, a few config entries of each kind and the checksum byte
// that makes all bytes add up to 0. Empty when the size is not valid.
std::vector<uint8_t> MakeSampleImage(const SampleSpec& spec);

// "sample-1C5D-0A12.rom"
std::string SampleFileName(uint16_t vendor, uint16_t device);

}  // namespace tarvex
