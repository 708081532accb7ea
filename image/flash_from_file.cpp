#include "image/flash_from_file.h"

#include "driver/adapter_queries.h"
#include "flash/flash_run.h"
#include "flash/run_state.h"
#include "image/image_loader.h"
#include "image/rom_layout.h"
#include "platform/file_io.h"

namespace tarvex {

namespace {

void CloseRunFile(FlashRunState& run) {
    if (run.file != NoFileDescriptor) platform::CloseFile(run.file);
    run.file = NoFileDescriptor;
}

// The steps after loading: locate the identity, compare it unless forced, run the flash.
void CheckAndFlash(FlashRunState& run) {
    PciIdentity identity = 0;
    if (!ReadImageIdentity(run.image.get(), static_cast<size_t>(run.imageLength), &identity)) {
        LogEvent(EventText, 0, "Invalid BIOS image\n");
        RecordFlashStatus(StatusInvalidImage);
        return;
    }
    LogEvent(EventText, 0, "Vender ID in BIOS image is %08lX\n",
             static_cast<unsigned long>(identity));
    if (run.force != 0 || ImageMatchesAdapter(run.adapter, identity) == 1) {
        FlashRun(run.adapter);
        return;
    }
    RecordFlashStatus(StatusNoAdapter);
    LogEvent(EventText, 0, "No supporting host adapter is found.\n\r");
}

}  // namespace

FlashStatus FlashFromFile(AdapterIndex adapter, const char* path, int32_t force, EventSink sink) {
    AdapterInfo scratch;
    if (GetAdapterInfo(adapter, &scratch) != 0) return StatusAdapterInfo;

    ResetFlashRunState();
    FlashRunState& run = CurrentFlashRunState();
    const int fd = OpenImageFile(path);
    if (fd < 0) {
        LogEvent(EventText, 0, "Failed to open file: %s\n", path != nullptr ? path : "");
        return StatusOpenFailed;
    }
    run.file = fd;
    SetEventSink(sink);
    run.force = static_cast<uint8_t>(force & 0xFF);
    run.adapter = adapter;

    LogEvent(EventLoading, 0, "Loading file...\n");
    LoadedImage image;
    const FlashStatus loaded = LoadImageFile(run.file, image);
    if (loaded != StatusOk) {
        RecordFlashStatus(loaded);
    } else {
        run.image = std::move(image.bytes);
        run.imageLength = image.length;
        run.contentLength = static_cast<int32_t>(image.fileSize);
        LogEvent(EventText, 0, "BIOS code loaded\n");
        CloseRunFile(run);
        CheckAndFlash(run);
    }
    run.image.reset();
    CloseRunFile(run);
    return run.status;
}

}  // namespace tarvex
