#include "flash/flash_run.h"

#include "flash/chip_catalogue.h"
#include "flash/data_poll.h"
#include "flash/event_channel.h"
#include "flash/identify.h"
#include "flash/image_checksum.h"
#include "flash/run_state.h"
#include "flash/scan_guard.h"

namespace tarvex {

namespace {

// The bytes the run writes: the buffer, but never past the chip. A zero tail that reaches past
// the chip has nothing to fill there; an image that does not fit is refused.
bool FitsChip(const FlashChipEntry& chip, const FlashRunState& run, uint32_t& length) {
    const auto file = static_cast<uint32_t>(run.contentLength);
    const uint32_t content = file > 0 && file < length ? file : length;
    if (!ImageFitsChip(chip, content)) {
        RecordFlashStatus(StatusImageTooLarge);
        LogEvent(EventText, 0, "The image is %u bytes, larger than the %u bytes of the %s\n",
                 content, chip.capacity, chip.name);
        return false;
    }
    length = LengthWithinChip(chip, length);
    return true;
}

}  // namespace

int32_t FlashRun(AdapterIndex adapter) {
    FlashRunState& run = CurrentFlashRunState();
    FixImageChecksum(run.image.get(),
                     run.imageLength > 0 ? static_cast<size_t>(run.imageLength) : 0);
    const int32_t row = IdentifyFlashChip(adapter);
    if (ScanChangedRom(adapter)) {
        // The ROM is not as it was and could not be put back: change nothing more.
        RecordFlashStatus(StatusScanChangedRom);
        PostScanChanges(adapter);
        return 0;
    }
    if (row < 0) {
        RecordFlashStatus(StatusNoEprom);
        LogEvent(EventText, 0, "No Support EPROM found\n");
        return 0;
    }
    return FlashRunOnChip(adapter, row);
}

int32_t FlashRunOnChip(AdapterIndex adapter, int32_t row) {
    FlashRunState& run = CurrentFlashRunState();
    uint8_t* image = run.image.get();
    uint32_t length =
        image != nullptr && run.imageLength > 0 ? static_cast<uint32_t>(run.imageLength) : 0;
    FixImageChecksum(image, length);
    const FlashChipEntry& chip = FlashChipTable[row];
    run.chip = &chip;
    LogEvent(EventText, 0, "Flash Id: 0x%04X\n", static_cast<unsigned>(chip.id & 0xFFFF));
    LogEvent(EventText, 0, "EPROM Vendor: %s\n", chip.name);
    if (!FitsChip(chip, run, length)) return 0;

    // Polls wait as long as this part may take, however fast the host reads.
    SetDataPollTimeLimit(chip.busyLimitUs);
    const int32_t programmed = chip.program(adapter, image, length);
    SetDataPollTimeLimit(0);
    if (programmed == 0) return 0;
    LogEvent(EventFlashDone, 0, nullptr);
    if (VerifyImage(adapter, image, length) != 1) return 0;
    LogEvent(EventPassed, 0, "Passed !\n");
    return 1;
}

}  // namespace tarvex
