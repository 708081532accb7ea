#include "flash/eprom_access.h"
#include "flash/event_channel.h"
#include "flash/flash_run.h"
#include "flash/run_state.h"

namespace tarvex {

int32_t VerifyImage(AdapterIndex adapter, const uint8_t* image, uint32_t length) {
    LogEvent(EventVerifying, 0, "\nVerifing ....\n");
    for (uint32_t loc = 0; loc < length; ++loc) {
        // A byte that cannot be read is not verified: it counts as a difference.
        uint8_t rom = 0;
        const bool read = ReadEprom(adapter, loc, &rom, 1) == StatusOk;
        if (!read || rom != image[loc]) {
            RecordFlashStatus(StatusVerifyFailed);
            LogEvent(EventText, 0, "\nAbort ...\n");
            LogEvent(EventText, 0, "orig data=%xH, ROM data=%xH, loc=%xH\n",
                     static_cast<unsigned>(image[loc]), static_cast<unsigned>(rom), loc);
            LogEvent(EventText, 0, "The flash ROM data is either not readable or incorrect\n");
            LogEvent(EventText, 0, "\nPlease try it again\n");
            return 0;
        }
        LogEvent(EventVerifyProgress, static_cast<int32_t>((loc + 1) * 100 / length), nullptr);
    }
    return 1;
}

}  // namespace tarvex
