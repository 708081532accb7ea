#include "image/flashed_image.h"

#include "flash/chip_catalogue.h"
#include "flash/event_channel.h"
#include "flash/image_checksum.h"
#include "image/rom_layout.h"

namespace tarvex {

FlashStatus LoadFlashedImage(int fd, FlashedImage& image) {
    const FlashStatus loaded = LoadImageFile(fd, image.loaded);
    if (loaded != StatusOk) return loaded;
    const auto length = static_cast<uint32_t>(image.loaded.length);
    if (!ReadImageIdentity(image.loaded.bytes.get(), length, &image.identity)) {
        LogEvent(EventText, 0, "Invalid BIOS image\n");
        return StatusInvalidImage;
    }
    FixImageChecksum(image.loaded.bytes.get(), length);
    return StatusOk;
}

uint32_t ProgrammedLength(uint32_t bufferLength, int32_t chipRow) {
    if (chipRow < 0 || chipRow >= FlashChipCount) return bufferLength;
    return LengthWithinChip(FlashChipTable[chipRow], bufferLength);
}

}  // namespace tarvex
