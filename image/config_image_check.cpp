#include "image/config_image_check.h"

#include "platform/byte_order.h"
#include "image/rom_layout.h"

namespace tarvex {

namespace {
constexpr size_t HeadLength = 4;
}

RomProblem ConfigImageProblem(std::span<const uint8_t> file) {
    if (file.size() < HeadLength) return RomProblem::TooShort;
    if (!HasRomSignature(file.data(), file.size())) return RomProblem::NoSignature;
    if (file.size() < RomPciDataOffset + 2) return RomProblem::PciDataOutsideFile;
    const size_t pciData = LoadLe16(file.data() + RomPciDataOffset);
    if (pciData + PciDataIdentityOffset >= file.size()) return RomProblem::PciDataOutsideFile;
    return RomProblem::None;
}

}  // namespace tarvex
