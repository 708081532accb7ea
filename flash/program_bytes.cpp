#include "flash/command_sequences.h"
#include "flash/data_poll.h"
#include "flash/eprom_access.h"
#include "flash/event_channel.h"
#include "flash/program_routines.h"
#include "flash/protection_check.h"
#include "flash/run_state.h"

namespace tarvex {

namespace {

using PrefixSequence = void (*)(AdapterIndex adapter);

// Programs every byte, 0xFF included, from the last byte of the image down to offset 0.
int32_t ProgramBytesDownwards(AdapterIndex adapter, const uint8_t* image, uint32_t length,
                              PrefixSequence prefix) {
    for (uint32_t i = 0; i < length; ++i) {
        const uint32_t offset = length - 1 - i;
        prefix(adapter);
        WriteBytes(adapter, offset, image + offset, 1);
        if (!DataPoll(adapter, offset, image[offset])) {
            RecordFlashStatus(StatusEpromWrite);
            LogEvent(EventText, 0, "Failed at offset 0x%x\n", offset);
            return 0;
        }
        LogEvent(EventFlashProgress, static_cast<int32_t>((i + 1) * 100 / length), nullptr);
    }
    return 1;
}

int32_t EraseDone(AdapterIndex adapter) {
    if (DataPoll(adapter, 0, 0xFF)) return 1;
    RecordFlashStatus(StatusEraseFailed);
    LogEvent(EventText, 0, "Failed to erasing\n");
    return 0;
}

}  // namespace

int32_t EraseProgramBytes(AdapterIndex adapter, const uint8_t* image, uint32_t length) {
    if (!CheckBootBlockLocks(adapter, length)) return 0;
    LogEvent(EventErasing, 0, "Erasing....\n");
    ChipErase(adapter);
    if (!EraseDone(adapter)) return 0;
    LogEvent(EventFlashing, 0, "Flashing....\n");
    return ProgramBytesDownwards(adapter, image, length, ByteProgramPrefix);
}

int32_t EraseProgramBytesShort(AdapterIndex adapter, const uint8_t* image, uint32_t length) {
    if (!CheckProtectedSectors(adapter, length)) return 0;
    LogEvent(EventErasing, 0, "Erasing....\n");
    ChipEraseShort(adapter);
    if (!EraseDone(adapter)) return 0;
    LogEvent(EventFlashing, 0, "Flashing....\n");
    return ProgramBytesDownwards(adapter, image, length, ByteProgramPrefixShort);
}

}  // namespace tarvex
