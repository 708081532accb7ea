#include "image/flash_from_file.h"

#include <utility>

#include "flash/flash_run.h"
#include "flash/run_state.h"
#include "image/flashed_image.h"
#include "platform/file_io.h"

namespace tarvex {

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

    FlashedImage image;
    const FlashStatus loaded = LoadImageForFlash(adapter, run.file, run.force != 0, image);
    platform::CloseFile(run.file);
    run.file = NoFileDescriptor;
    if (loaded != StatusOk) {
        RecordFlashStatus(loaded);
    } else {
        GiveImageToRun(std::move(image.loaded));
        FlashRun(adapter);
    }
    run.image.reset();
    return run.status;
}

}  // namespace tarvex
