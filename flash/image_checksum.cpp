#include "flash/image_checksum.h"

#include "platform/byte_order.h"

namespace tarvex {

namespace {
constexpr size_t LengthByteOffset = 2;
constexpr size_t EfiSignatureOffset = 4;
constexpr size_t LengthUnit = 512;
}  // namespace

void FixImageChecksum(uint8_t* image, size_t length) {
    if (image == nullptr || length <= LengthByteOffset) return;
    if (length >= EfiSignatureOffset + 4 &&
        LoadLe32(image + EfiSignatureOffset) == EfiImageSignature) {
        return;
    }
    size_t declared = image[LengthByteOffset] * LengthUnit;
    if (declared > length) declared = length;
    if (declared == 0) return;
    uint8_t sum = 0;
    for (size_t i = 0; i < declared; ++i) sum = static_cast<uint8_t>(sum + image[i]);
    image[declared - 1] = static_cast<uint8_t>(image[declared - 1] - sum);
}

}  // namespace tarvex
