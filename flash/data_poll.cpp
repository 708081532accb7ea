#include "flash/data_poll.h"

#include "flash/eprom_access.h"

namespace tarvex {

int32_t DataPoll(AdapterIndex adapter, uint32_t offset, uint8_t expected) {
    for (uint32_t reads = 0; reads < DataPollReadLimit; ++reads) {
        if (((ReadEpromByte(adapter, offset) ^ expected) & 0x80) == 0) return 1;
    }
    return 0;
}

}  // namespace tarvex
