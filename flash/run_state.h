#pragma once
#include <cstdint>
#include <memory>

#include "driver/transport.h"
#include "flash/flash_status.h"

namespace tarvex {

inline constexpr int NoFileDescriptor = -1;

struct FlashChipEntry;

// The record of the current flash: filled by flash from file, read by the flash run, which
// records the first failure in it. One exists for the whole process.
struct FlashRunState {
    AdapterIndex adapter = 0;
    uint8_t force = 0;
    int file = NoFileDescriptor;
    std::unique_ptr<uint8_t[]> image;  // the image buffer, owned by the run
    int32_t imageLength = 0;
    // The image file's own bytes at the start of the buffer; the rest is its zero tail. 0 when
    // the whole buffer is image.
    int32_t contentLength = 0;
    FlashStatus status = StatusOk;
    // The catalogue row identified for this run; none before identification.
    const FlashChipEntry* chip = nullptr;
};

FlashRunState& CurrentFlashRunState();
// Clears every field (freeing the image) and removes the event sink. The file descriptor is
// forgotten, not closed: the operation that opened it closes it.
void ResetFlashRunState();
void RecordFlashStatus(FlashStatus status);

}  // namespace tarvex
