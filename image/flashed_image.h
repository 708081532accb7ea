#pragma once
#include <cstdint>

#include "driver/adapter_queries.h"
#include "flash/event_channel.h"
#include "flash/flash_status.h"
#include "image/image_loader.h"

namespace tarvex {

// An image file as a flash writes it: loaded by the buffer rule, with its identity.
struct FlashedImage {
    LoadedImage loaded;
    PciIdentity identity = 0;
};

// Loads an open image file quietly but for a failure's message, reads its identity and fixes
// its checksum: StatusInvalidImage, StatusNoMemory or StatusReadError, else StatusOk.
FlashStatus LoadFlashedImage(int fd, FlashedImage& image);

// Loads an open image file for a flash into the adapter, posting what a flash posts ("Loading
// file...", "BIOS code loaded", the image's identity), and checks the identity against the
// adapter's unless forced: StatusNoAdapter for an image made for another adapter. The checksum
// is left as the file has it.
FlashStatus LoadImageForFlash(AdapterIndex adapter, int fd, bool force, FlashedImage& image);

// Hands the loaded bytes to the run state, whose run programs and verifies them.
void GiveImageToRun(LoadedImage image);

// Flashes a loaded image into a chip already identified as the catalogue's row `row`, with the
// sink installed (and left installed). The file is not read again. Returns the run's status.
FlashStatus FlashLoadedImage(AdapterIndex adapter, LoadedImage image, int32_t row, EventSink sink);

// The bytes a flash writes to a chip of this catalogue row: the buffer, cut at the chip's end.
uint32_t ProgrammedLength(uint32_t bufferLength, int32_t chipRow);

}  // namespace tarvex
