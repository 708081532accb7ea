#pragma once
#include <cstdint>
#include <memory>

#include "driver/rom_size.h"
#include "flash/flash_status.h"

namespace tarvex {

// An image file loaded for flashing: the file's bytes followed by a zero tail up to the
// length the buffer rule gives.
struct LoadedImage {
    std::unique_ptr<uint8_t[]> bytes;
    int32_t length = 0;
    int64_t fileSize = 0;
};

// The buffer rule: a file longer than RomSize raises RomSize to the smallest multiple of 1024
// not below the file's size; the buffer is RomSize long. -1 (RomSize unchanged) for a size no
// buffer length can hold.
int32_t ImageBufferLength(int64_t fileSize);

// Opens an image file read-only; -1 when it cannot be opened. A folder, which this system lets
// one open, counts as a file that cannot be opened.
int OpenImageFile(const char* path);

// Loads an open image file as flash from file does: the first 4 bytes and the signature, a
// length byte that the file holds, the buffer rule, the rest in one read, the zero tail. Posts the
// message of a failure and returns StatusInvalidImage, StatusNoMemory or StatusReadError; StatusOk
// with the image filled.
FlashStatus LoadImageFile(int fd, LoadedImage& image);

}  // namespace tarvex
