#include <cstring>

#include "flash/command_sequences.h"
#include "flash/data_poll.h"
#include "flash/event_channel.h"
#include "flash/program_routines.h"
#include "flash/protection_check.h"
#include "flash/run_state.h"

namespace tarvex {

namespace {

// The page's bytes from the image, padded for a top page that the image does not fill.
void FillPage(uint8_t* page, const uint8_t* image, uint32_t length, uint32_t start,
              uint32_t pageSize) {
    const uint32_t available = length - start < pageSize ? length - start : pageSize;
    std::memcpy(page, image + start, available);
    std::memset(page + available, PageFillByte, pageSize - available);
}

}  // namespace

// Page-write parts have no separate erase: each page write replaces the whole page. Pages go
// from the top of the image down, each read back and written again up to 16 times.
int32_t ProgramPages(AdapterIndex adapter, const uint8_t* image, uint32_t length,
                     uint32_t pageSize) {
    if (!CheckBootBlockLocks(adapter, length)) return 0;
    LogEvent(EventFlashing, 0, "Flashing ....\n");
    const uint8_t erased = PageFillByte;
    PageWrite(adapter, 0, &erased, 1);
    // The part starts its write cycle only when its load window closes, so the wait above may
    // end first; the first page's cycles would reach a busy part and be lost.
    DataPoll(adapter, 0, erased);
    if (length == 0) return 1;
    // The page buffer holds at most MaxPageSize bytes; no chip has a larger page.
    if (pageSize == 0 || pageSize > MaxPageSize) pageSize = MaxPageSize;

    uint8_t page[MaxPageSize];
    const uint16_t count = static_cast<uint16_t>(pageSize);
    uint32_t start = pageSize * ((length - 1) / pageSize);
    for (;;) {
        FillPage(page, image, length, start, pageSize);
        for (uint32_t attempt = 0; attempt < PageAttemptLimit; ++attempt) {
            PageWrite(adapter, start, page, count);
            // DATA polling is defined at the last byte loaded only; elsewhere a part in its
            // write cycle may answer with a status that passes for any byte's.
            if (!DataPoll(adapter, start + pageSize - 1, page[pageSize - 1])) {
                RecordFlashStatus(StatusEpromWrite);
                LogEvent(EventText, 0, "Failed at offset 0x%x\n", start);
                return 0;
            }
            if (CompareRange(adapter, start, page, count)) break;
            LogEvent(EventText, 0, "Update %d time failed, retry again.\n",
                     static_cast<int>(attempt));
        }
        LogEvent(EventFlashProgress, static_cast<int32_t>((length * 100 - start * 100) / length),
                 nullptr);
        if (start == 0) break;
        start -= pageSize;
    }
    return 1;
}

int32_t ProgramPages128(AdapterIndex adapter, const uint8_t* image, uint32_t length) {
    return ProgramPages(adapter, image, length, 128);
}

int32_t ProgramPages256(AdapterIndex adapter, const uint8_t* image, uint32_t length) {
    return ProgramPages(adapter, image, length, 256);
}

int32_t ProgramPages512(AdapterIndex adapter, const uint8_t* image, uint32_t length) {
    return ProgramPages(adapter, image, length, 512);
}

}  // namespace tarvex
