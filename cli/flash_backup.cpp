#include "cli/flash_backup.h"

#include <cerrno>
#include <cstring>
#include <ostream>

#include "image/rom_reader.h"
#include "platform/replacing_file.h"

namespace tarvex::cli {

namespace {

int WriteBackup(const std::vector<uint8_t>& rom, const std::string& path, std::ostream& err) {
    platform::ReplacingFile file;
    FlashStatus status = StatusOk;
    if (!file.Open(path))
        status = StatusCreateFailed;
    else if (file.Write(rom.data(), rom.size()) != rom.size() || !file.Commit())
        status = StatusWriteError;
    if (status == StatusOk) {
        err << "Backup of the whole ROM (" << rom.size() << " bytes) saved in " << path << ".\n";
        return 0;
    }
    err << "Cannot write the backup " << path << ": " << std::strerror(errno)
        << "; nothing was erased.\n";
    return status;
}

}  // namespace

int KeepRomBeforeFlash(uint32_t adapter, uint32_t romSize, const std::string& backup,
                       std::vector<uint8_t>& before, std::ostream& err) {
    if (ReadRomQuietly(adapter, romSize, before) != StatusOk) {
        err << "The ROM cannot be read; nothing was erased.\n";
        return StatusEpromRead;
    }
    if (backup.empty()) return 0;
    std::vector<uint8_t> again;
    if (ReadRomQuietly(adapter, romSize, again) != StatusOk) {
        err << "The ROM cannot be read for the backup; nothing was erased.\n";
        return StatusEpromRead;
    }
    if (again != before) {
        err << "Two reads of the ROM differ, so no backup can be trusted; nothing was erased.\n";
        return StatusEpromRead;
    }
    return WriteBackup(before, backup, err);
}

}  // namespace tarvex::cli
