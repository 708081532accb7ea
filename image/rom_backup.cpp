#include "image/rom_backup.h"

#include "driver/adapter_queries.h"
#include "driver/rom_size.h"
#include "flash/eprom_access.h"
#include "flash/event_channel.h"
#include "platform/replacing_file.h"

namespace tarvex {

namespace {
constexpr unsigned BackupFileMode = 0600;
}

FlashStatus BackupRom(AdapterIndex adapter, const char* path) {
    AdapterInfo scratch;
    if (GetAdapterInfo(adapter, &scratch) != 0) return StatusAdapterInfo;
    if (SetRomSizeForAdapter(adapter) != 0) return StatusNoAdapter;
    const uint32_t length = RomSize > 0 ? static_cast<uint32_t>(RomSize) : 0;

    const char* name = path != nullptr ? path : "";
    platform::ReplacingFile file;
    if (name[0] == '\0' || !file.Open(name, BackupFileMode)) {
        LogEvent(EventText, 0, "Creat Backup file %s failed!\n", name);
        return StatusCreateFailed;
    }
    LogEvent(EventText, 0, "Backup BIOS, Please wait......");

    uint8_t block[BackupBlockSize];
    for (uint32_t offset = 0; offset < length; offset += BackupBlockSize) {
        const FlashStatus status = ReadEprom(adapter, offset, block, BackupBlockSize);
        if (status != StatusOk) {
            file.Abort();
            return status;
        }
        if (file.Write(block, BackupBlockSize) < BackupBlockSize) {
            LogEvent(EventText, 0, "\nWrite file %s error!\n", name);
            file.Abort();
            return StatusWriteError;
        }
    }
    // Flushing and moving into place can still fail (a full disk); that is a write error too.
    if (!file.Commit()) {
        LogEvent(EventText, 0, "\nWrite file %s error!\n", name);
        return StatusWriteError;
    }
    LogEvent(EventText, 0, "\n");
    LogEvent(EventText, 0, "Backup BIOS Success!\n\n");
    return StatusOk;
}

}  // namespace tarvex
