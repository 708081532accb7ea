#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "driver/adapter_queries.h"
#include "image/rom_problem.h"

namespace tarvex {

// The PCI data structure of one image. Fields are valid when present is true.
struct PciDataInfo {
    bool present = false;      // its fields up to the indicator lie inside the file
    size_t offset = 0;         // from the start of the file
    std::string signature;     // the four bytes as text, '.' for unprintable ones
    bool signatureOk = false;  // "PCIR"
    uint16_t vendor = 0;
    uint16_t device = 0;
    uint16_t structureLength = 0;
    uint8_t revision = 0;
    uint32_t classCode = 0;    // base class << 16 | subclass << 8 | programming interface
    uint16_t imageLength = 0;  // in 512-byte units
    uint16_t codeRevision = 0;
    uint8_t codeType = 0;
    uint8_t indicator = 0;
    bool lastImage = false;  // indicator bit 7
};

// One image of an option ROM file.
struct RomImageInfo {
    size_t start = 0;  // from the start of the file
    bool signatureOk = false;
    uint8_t lengthByte = 0;
    size_t declaredSize = 0;      // length byte times 512
    bool declaredInFile = false;  // the declared range lies inside the file
    uint32_t efiWord = 0;
    bool efi = false;        // 0x00000EF1 at offset 4
    uint16_t pciOffset = 0;  // from the image's start
    PciDataInfo pci;
    uint8_t sum = 0;          // of the declared range, as far as the file holds it
    bool checksumOk = false;  // the whole declared range is present and sums to 0
};

struct OptionRomInfo {
    size_t fileSize = 0;
    RomProblem problem = RomProblem::None;        // why a flash refuses the file
    RomProblem configProblem = RomProblem::None;  // why Config refuses it
    bool identityReadable = false;
    PciIdentity identity = 0;  // where flashing reads it: data structure offset plus 4
    std::vector<RomImageInfo> images;
};

// Describes a file's images, walking them by their image length until the last-image flag or
// the end of the file. Every field is read byte by byte inside the span.
OptionRomInfo DescribeOptionRom(std::span<const uint8_t> file);

inline constexpr size_t MaxDescribedImages = 32;

}  // namespace tarvex
