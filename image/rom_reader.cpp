#include "image/rom_reader.h"

#include <algorithm>

#include "flash/eprom_access.h"
#include "flash/event_channel.h"
#include "image/rom_backup.h"

namespace tarvex {

namespace {
void Silent(uint32_t, int32_t, const char*) {}
}  // namespace

FlashStatus ReadRomQuietly(AdapterIndex adapter, uint32_t length, std::vector<uint8_t>& bytes) {
    bytes.assign(length, 0);
    const EventSink previous = CurrentEventSink();
    SetEventSink(Silent);
    FlashStatus status = StatusOk;
    for (uint32_t offset = 0; offset < length && status == StatusOk; offset += BackupBlockSize)
        status = ReadEprom(adapter, offset, bytes.data() + offset,
                           std::min(BackupBlockSize, length - offset));
    SetEventSink(previous);
    return status;
}

}  // namespace tarvex
