#include "flash/data_poll.h"

#include "flash/eprom_access.h"
#include "platform/device.h"

namespace tarvex {

namespace {

uint64_t g_pollTimeLimitUs = 0;

bool ShowsDone(AdapterIndex adapter, uint32_t offset, uint8_t expected) {
    return ((ReadEpromByte(adapter, offset) ^ expected) & 0x80) == 0;
}

}  // namespace

int32_t DataPoll(AdapterIndex adapter, uint32_t offset, uint8_t expected) {
    const uint64_t startUs = platform::ClockUs();
    for (uint32_t reads = 0; reads < DataPollReadLimit; ++reads) {
        if (ShowsDone(adapter, offset, expected)) return 1;
    }
    // A fast host runs out of reads long before a slow part runs out of its datasheet time.
    while (platform::ClockUs() - startUs < g_pollTimeLimitUs) {
        platform::SleepMs(DataPollPauseMs);
        if (ShowsDone(adapter, offset, expected)) return 1;
    }
    return 0;
}

void SetDataPollTimeLimit(uint64_t microseconds) { g_pollTimeLimitUs = microseconds; }

uint64_t DataPollTimeLimit() { return g_pollTimeLimitUs; }

}  // namespace tarvex
