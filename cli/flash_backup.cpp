#include "cli/flash_backup.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <vector>

#include "image/rom_reader.h"
#include "platform/replacing_file.h"

namespace tarvex::cli {

bool SaveBackupBeforeFlash(uint32_t adapter, uint32_t romSize, const std::string& path,
                           std::ostream& err) {
    std::vector<uint8_t> first, second;
    if (ReadRomQuietly(adapter, romSize, first) != StatusOk ||
        ReadRomQuietly(adapter, romSize, second) != StatusOk) {
        err << "The ROM cannot be read for the backup; nothing was erased.\n";
        return false;
    }
    if (first != second) {
        err << "Two reads of the ROM differ, so no backup can be trusted; nothing was erased.\n";
        return false;
    }
    platform::ReplacingFile file;
    if (!file.Open(path) || file.Write(first.data(), first.size()) != first.size() ||
        !file.Commit()) {
        err << "Cannot write the backup " << path << ": " << std::strerror(errno)
            << "; nothing was erased.\n";
        return false;
    }
    err << "Backup of the whole ROM (" << romSize << " bytes) saved in " << path << ".\n";
    return true;
}

}  // namespace tarvex::cli
