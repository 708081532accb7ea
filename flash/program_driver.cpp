#include "driver/control_codes.h"
#include "flash/eprom_access.h"
#include "flash/event_channel.h"
#include "flash/program_routines.h"
#include "flash/run_state.h"

namespace tarvex {

// The driver erases and programs the chip itself; it only receives the image in blocks,
// between the opening and closing writes at its control location.
int32_t ProgramViaDriver(AdapterIndex adapter, const uint8_t* image, uint32_t length) {
    LogEvent(EventFlashing, 0, "Flashing ....\n");
    WriteEpromByte(adapter, FlashControlOffset, DriverSessionOpen);
    uint32_t blocksWritten = 0;
    for (uint32_t offset = 0; offset < length; offset += DriverBlockSize) {
        const uint32_t size = length - offset < DriverBlockSize ? length - offset : DriverBlockSize;
        if (WriteEprom(adapter, offset, image + offset, size) != StatusOk) {
            WriteEpromByte(adapter, FlashControlOffset, DriverSessionClose);
            RecordFlashStatus(StatusEpromWrite);
            LogEvent(EventText, 0, "Failed at offset 0x%x\n", offset);
            return 0;
        }
        // The share written before this block, so the last value stays below 100.
        LogEvent(EventFlashProgress, static_cast<int32_t>(blocksWritten * 51200 / length), nullptr);
        ++blocksWritten;
    }
    WriteEpromByte(adapter, FlashControlOffset, DriverSessionClose);
    return 1;
}

}  // namespace tarvex
