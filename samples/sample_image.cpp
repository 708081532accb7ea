#include "samples/sample_image.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/byte_order.h"
#include "image/pci_data_layout.h"
#include "image/rom_layout.h"

namespace tarvex {

namespace {

constexpr uint8_t FarReturn = 0xCB;
constexpr size_t EntryOffset = 3;
constexpr size_t PciDataStart = 0x40;
constexpr uint16_t PciDataLength = 0x1C;
constexpr uint8_t PciDataRevision = 3;
constexpr size_t BannerStart = 0x60;
constexpr size_t BannerCapacity = 0xA0;  // up to the config entries, NUL included
constexpr size_t ConfigStart = 0x100;
constexpr uint8_t Padding = 0xFF;

// One parameter entry: marker text and its stored value, little-endian in `width` bytes.
struct SampleEntry {
    const char* marker;
    uint32_t value;
    size_t width;
};

constexpr SampleEntry SampleEntries[] = {
    {"<VL>INT 13 support</V>", 1, 1},
    {"<VL>Boot disk hook last</V>", 0, 1},
    {"<VL>BBS validation</V>", 1, 1},
    {"<VB0,255>Time waiting for CTRL-H key (second)</V>", 3, 1},
    {"<VW1,30>Private stack size</V>", 4, 2},
    {"<VD0,600>Drive spin-up wait (second)</V>", 30, 4},
};

void WritePciData(std::vector<uint8_t>& image, const SampleSpec& spec) {
    uint8_t* p = image.data() + PciDataStart;
    std::memcpy(p + PciSignatureField, "PCIR", 4);
    StoreLe16(p + PciVendorField, spec.vendor);
    StoreLe16(p + PciDeviceField, spec.device);
    StoreLe16(p + PciDeviceListField, 0);  // no device list
    StoreLe16(p + PciLengthField, PciDataLength);
    p[PciRevisionField] = PciDataRevision;
    p[PciClassField] = static_cast<uint8_t>(spec.classCode);
    p[PciClassField + 1] = static_cast<uint8_t>(spec.classCode >> 8);
    p[PciClassField + 2] = static_cast<uint8_t>(spec.classCode >> 16);
    StoreLe16(p + PciImageLengthField, static_cast<uint16_t>(spec.size / 512));
    StoreLe16(p + PciCodeRevisionField, 0x0100);  // code revision 1.00
    p[PciCodeTypeField] = 0;                      // x86 code
    p[PciIndicatorField] = PciLastImageBit;
    StoreLe16(p + PciFieldsEnd, static_cast<uint16_t>(spec.size / 512));  // runtime length
    StoreLe16(p + 0x18, 0);
    StoreLe16(p + 0x1A, 0);
}

void WriteConfigEntries(std::vector<uint8_t>& image) {
    size_t at = ConfigStart;
    for (const SampleEntry& entry : SampleEntries) {
        const size_t length = std::strlen(entry.marker);
        std::memcpy(image.data() + at, entry.marker, length);
        at += length;
        for (size_t i = 0; i < entry.width; ++i)
            image[at + i] = static_cast<uint8_t>(entry.value >> (8 * i));
        at += entry.width;
    }
}

}  // namespace

bool SampleSizeValid(uint32_t size) {
    return size >= SampleMinSize && size <= SampleMaxSize && size % 512 == 0;
}

std::vector<uint8_t> MakeSampleImage(const SampleSpec& spec) {
    if (!SampleSizeValid(spec.size)) return {};
    std::vector<uint8_t> image(spec.size, Padding);
    std::memset(image.data(), 0, ConfigStart);
    image[0] = 0x55;
    image[1] = 0xAA;
    image[2] = static_cast<uint8_t>(spec.size / 512);
    image[EntryOffset] = FarReturn;
    StoreLe16(image.data() + RomPciDataOffset, static_cast<uint16_t>(PciDataStart));
    WritePciData(image, spec);
    const size_t bannerLength = std::min(spec.banner.size(), BannerCapacity - 1);
    std::memcpy(image.data() + BannerStart, spec.banner.data(), bannerLength);
    WriteConfigEntries(image);

    uint8_t sum = 0;
    image.back() = 0;
    for (uint8_t byte : image) sum = static_cast<uint8_t>(sum + byte);
    image.back() = static_cast<uint8_t>(-sum);
    return image;
}

std::string SampleFileName(uint16_t vendor, uint16_t device) {
    char name[40];
    std::snprintf(name, sizeof name, "sample-%04X-%04X.rom", vendor, device);
    return name;
}

}  // namespace tarvex
