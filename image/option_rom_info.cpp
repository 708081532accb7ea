#include "image/option_rom_info.h"

#include <algorithm>

#include "driver/rom_size.h"
#include "image/config_image_check.h"
#include "image/pci_data_layout.h"
#include "image/rom_layout.h"
#include "platform/byte_order.h"

namespace tarvex {

namespace {

constexpr size_t MinimumImageFile = 4;

std::string SignatureText(const uint8_t* bytes) {
    std::string text;
    for (size_t i = 0; i < 4; ++i) {
        const uint8_t c = bytes[i];
        text.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '.');
    }
    return text;
}

PciDataInfo DescribePciData(std::span<const uint8_t> file, size_t offset) {
    PciDataInfo pci;
    pci.offset = offset;
    if (offset > file.size() || file.size() - offset < PciFieldsEnd) return pci;
    const uint8_t* p = file.data() + offset;
    pci.present = true;
    pci.signature = SignatureText(p);
    pci.signatureOk = pci.signature == "PCIR";
    pci.vendor = LoadLe16(p + PciVendorField);
    pci.device = LoadLe16(p + PciDeviceField);
    pci.structureLength = LoadLe16(p + PciLengthField);
    pci.revision = p[PciRevisionField];
    pci.classCode = static_cast<uint32_t>(p[PciClassField + 2]) << 16 |
                    static_cast<uint32_t>(p[PciClassField + 1]) << 8 | p[PciClassField];
    pci.imageLength = LoadLe16(p + PciImageLengthField);
    pci.codeRevision = LoadLe16(p + PciCodeRevisionField);
    pci.codeType = p[PciCodeTypeField];
    pci.indicator = p[PciIndicatorField];
    pci.lastImage = (pci.indicator & PciLastImageBit) != 0;
    return pci;
}

RomImageInfo DescribeImage(std::span<const uint8_t> file, size_t start) {
    RomImageInfo image;
    image.start = start;
    const std::span<const uint8_t> bytes = file.subspan(start);
    image.signatureOk = HasRomSignature(bytes.data(), bytes.size());
    if (bytes.size() > RomLengthOffset) image.lengthByte = bytes[RomLengthOffset];
    image.declaredSize = image.lengthByte * RomLengthUnit;
    image.declaredInFile = image.declaredSize <= bytes.size();
    if (bytes.size() >= RomEfiWordOffset + 4) {
        image.efiWord = LoadLe32(bytes.data() + RomEfiWordOffset);
        image.efi = image.efiWord == 0x00000EF1;
    }
    const size_t summed = image.declaredInFile ? image.declaredSize : bytes.size();
    for (size_t i = 0; i < summed; ++i) image.sum = static_cast<uint8_t>(image.sum + bytes[i]);
    image.checksumOk = image.declaredInFile && image.declaredSize > 0 && image.sum == 0;
    if (bytes.size() >= RomPciDataOffset + 2) {
        image.pciOffset = LoadLe16(bytes.data() + RomPciDataOffset);
        image.pci = DescribePciData(file, start + image.pciOffset);
    }
    return image;
}

// Where the next image starts, or 0 when this one is the last to describe.
size_t NextImageStart(const RomImageInfo& image, size_t fileSize) {
    if (!image.signatureOk || !image.pci.present || !image.pci.signatureOk) return 0;
    if (image.pci.lastImage || image.pci.imageLength == 0) return 0;
    const size_t next = image.start + image.pci.imageLength * RomLengthUnit;
    return next + 2 <= fileSize ? next : 0;
}

// The identity as a flash reads it: from the file loaded into a buffer of at least RomSize
// bytes with a zero tail, so it may lie partly or wholly in that tail.
bool ReadFlashedIdentity(std::span<const uint8_t> file, PciIdentity& identity) {
    if (file.size() < RomPciDataOffset + 2) return false;
    const size_t rounded = (file.size() + 1023) / 1024 * 1024;
    const size_t buffer = std::max(rounded, static_cast<size_t>(RomSize));
    const size_t at = LoadLe16(file.data() + RomPciDataOffset) + PciDataIdentityOffset;
    if (at + 4 > buffer) return false;
    uint8_t bytes[4] = {};
    for (size_t i = 0; i < 4; ++i)
        if (at + i < file.size()) bytes[i] = file[at + i];
    identity = LoadLe32(bytes);
    return true;
}

}  // namespace

OptionRomInfo DescribeOptionRom(std::span<const uint8_t> file) {
    OptionRomInfo info;
    info.fileSize = file.size();
    info.configProblem = ConfigImageProblem(file);
    if (file.size() < MinimumImageFile) {
        info.problem = RomProblem::TooShort;
        return info;
    }
    if (!HasRomSignature(file.data(), file.size()))
        info.problem = RomProblem::NoSignature;
    else if (size_t{file[RomLengthOffset]} * RomLengthUnit > file.size())
        info.problem = RomProblem::Truncated;
    info.identityReadable = ReadFlashedIdentity(file, info.identity);
    if (info.problem == RomProblem::None && !info.identityReadable)
        info.problem = RomProblem::IdentityOutside;

    size_t start = 0;
    while (info.images.size() < MaxDescribedImages) {
        info.images.push_back(DescribeImage(file, start));
        start = NextImageStart(info.images.back(), file.size());
        if (start == 0) break;
    }
    return info;
}

}  // namespace tarvex
