#include "image/flashed_image.h"

#include <utility>

#include "flash/chip_catalogue.h"
#include "flash/flash_run.h"
#include "flash/image_checksum.h"
#include "flash/run_state.h"
#include "image/rom_layout.h"

namespace tarvex {

namespace {

FlashStatus ReadIdentity(FlashedImage& image) {
    const auto length = static_cast<size_t>(image.loaded.length);
    if (ReadImageIdentity(image.loaded.bytes.get(), length, &image.identity)) return StatusOk;
    LogEvent(EventText, 0, "Invalid BIOS image\n");
    return StatusInvalidImage;
}

}  // namespace

FlashStatus LoadFlashedImage(int fd, FlashedImage& image) {
    FlashStatus status = LoadImageFile(fd, image.loaded);
    if (status == StatusOk) status = ReadIdentity(image);
    if (status == StatusOk)
        FixImageChecksum(image.loaded.bytes.get(), static_cast<size_t>(image.loaded.length));
    return status;
}

FlashStatus LoadImageForFlash(AdapterIndex adapter, int fd, bool force, FlashedImage& image) {
    LogEvent(EventLoading, 0, "Loading file...\n");
    const FlashStatus loaded = LoadImageFile(fd, image.loaded);
    if (loaded != StatusOk) return loaded;
    LogEvent(EventText, 0, "BIOS code loaded\n");
    if (ReadIdentity(image) != StatusOk) return StatusInvalidImage;
    LogEvent(EventText, 0, "Vender ID in BIOS image is %08lX\n",
             static_cast<unsigned long>(image.identity));
    if (force || ImageMatchesAdapter(adapter, image.identity) == 1) return StatusOk;
    LogEvent(EventText, 0, "No supporting host adapter is found.\n\r");
    return StatusNoAdapter;
}

void GiveImageToRun(LoadedImage image) {
    FlashRunState& run = CurrentFlashRunState();
    run.image = std::move(image.bytes);
    run.imageLength = image.length;
    run.contentLength = static_cast<int32_t>(image.fileSize);
}

FlashStatus FlashLoadedImage(AdapterIndex adapter, LoadedImage image, int32_t row, EventSink sink) {
    ResetFlashRunState();
    SetEventSink(sink);
    FlashRunState& run = CurrentFlashRunState();
    run.adapter = adapter;
    GiveImageToRun(std::move(image));
    FlashRunOnChip(adapter, row);
    run.image.reset();
    return run.status;
}

uint32_t ProgrammedLength(uint32_t bufferLength, int32_t chipRow) {
    if (chipRow < 0 || chipRow >= FlashChipCount) return bufferLength;
    return LengthWithinChip(FlashChipTable[chipRow], bufferLength);
}

}  // namespace tarvex
