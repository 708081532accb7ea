#include "image/rom_layout.h"

#include "platform/byte_order.h"

namespace tarvex {

bool HasRomSignature(const uint8_t* image, size_t length) {
    return image != nullptr && length >= 2 && image[RomSignatureOffset] == RomSignatureByte0 &&
           image[RomSignatureOffset + 1] == RomSignatureByte1;
}

bool ReadImageIdentity(const uint8_t* image, size_t length, PciIdentity* identity) {
    if (image == nullptr || length < RomPciDataOffset + 2) return false;
    const size_t field =
        static_cast<size_t>(LoadLe16(image + RomPciDataOffset)) + PciDataIdentityOffset;
    if (field + 4 > length) return false;
    *identity = LoadLe32(image + field);
    return true;
}

}  // namespace tarvex
