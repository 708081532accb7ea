#pragma once
#include <cstdint>

#include "driver/adapter_queries.h"
#include "flash/flash_status.h"
#include "image/image_loader.h"

namespace tarvex {

// An image file as a flash writes it: loaded by the buffer rule, its identity read and its
// checksum fixed.
struct FlashedImage {
    LoadedImage loaded;
    PciIdentity identity = 0;
};

// Loads an open image file; posts the message of a failure as a flash does and returns
// StatusInvalidImage, StatusNoMemory or StatusReadError, else StatusOk.
FlashStatus LoadFlashedImage(int fd, FlashedImage& image);

// The bytes a flash writes to a chip of this catalogue row: the buffer, cut at the chip's end.
uint32_t ProgrammedLength(uint32_t bufferLength, int32_t chipRow);

}  // namespace tarvex
