#include "cli/flash_target.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>

#include "cli/exit_codes.h"
#include "driver/rom_size.h"
#include "flash/chip_catalogue.h"
#include "flash/image_checksum.h"
#include "platform/file_io.h"

namespace tarvex::cli {

namespace {

std::string PciText(PciIdentity identity) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X:%04X", identity & 0xFFFF, identity >> 16);
    return text;
}

// Opens the image file once; -1 after saying why.
int OpenImage(const std::string& path, std::ostream& err) {
    errno = 0;
    const int fd = OpenImageFile(path.c_str());
    if (fd >= 0) return fd;
    const int reason = errno;
    err << "Failed to open file: " << path << "\n";
    if (reason != 0) err << "Reason: " << std::strerror(reason) << ".\n";
    return -1;
}

int CheckBackupPath(int fd, const std::string& backup, std::ostream& err) {
    if (backup.empty()) return 0;
    switch (platform::PathNamesFile(backup, fd)) {
    case platform::Sameness::Different:
        return 0;
    case platform::Sameness::Same:
        err << "The backup file " << backup
            << " is the image file itself: the backup would replace the image. Nothing was done.\n";
        return ExitUsage;
    case platform::Sameness::Unknown:
        break;
    }
    err << "Cannot tell whether the backup file " << backup << " is the image file ("
        << std::strerror(errno) << "); nothing was erased.\n";
    return ExitFileError;
}

int QueryAdapter(uint32_t adapter, FlashTarget& target, std::ostream& err) {
    AdapterInfo info;
    const char* failed = nullptr;
    if (GetAdapterInfo(adapter, &info) != 0)
        failed = "information";
    else if (GetAdapterPciId(adapter, &target.identity) != 0)
        failed = "identity";
    if (failed != nullptr) {
        err << "Adapter " << adapter << " does not answer its " << failed
            << " query; nothing was erased.\n";
        return StatusAdapterInfo;
    }
    target.adapterText = "Adapter " + std::to_string(adapter) + ": " + AdapterName(info) +
                         ", PCI " + PciText(target.identity);
    target.romSize = static_cast<uint32_t>(RomSizeForIdentity(target.identity));
    return 0;
}

int LoadChecked(uint32_t adapter, int fd, bool force, FlashTarget& target, std::ostream& err) {
    if (const int status = QueryAdapter(adapter, target, err); status != 0) return status;
    const FlashStatus loaded = LoadImageForFlash(adapter, fd, force, target.image);
    if (loaded != StatusOk) return loaded;
    FixImageChecksum(target.image.loaded.bytes.get(),
                     static_cast<size_t>(target.image.loaded.length));
    const std::string tooLarge =
        TooLargeForRom(target.image.loaded.fileSize, target.romSize, adapter);
    if (tooLarge.empty()) return 0;
    err << tooLarge << "; nothing was erased.\n";
    return StatusImageTooLarge;
}

}  // namespace

int LoadFlashTarget(uint32_t adapter, const std::string& path, bool force,
                    const std::string& backup, FlashTarget& target, std::ostream& err) {
    const int fd = OpenImage(path, err);
    if (fd < 0) return StatusOpenFailed;
    int status = CheckBackupPath(fd, backup, err);
    if (status == 0) status = LoadChecked(adapter, fd, force, target, err);
    platform::CloseFile(fd);
    return status;
}

std::string TooLargeForRom(int64_t size, uint32_t romSize, uint32_t adapter) {
    if (size <= static_cast<int64_t>(romSize)) return "";
    return "The image is " + std::to_string(size) + " bytes, larger than the " +
           std::to_string(romSize) + "-byte ROM of adapter " + std::to_string(adapter);
}

std::string TooLargeForChip(int64_t size, int32_t row) {
    const FlashChipEntry& chip = FlashChipTable[row];
    if (ImageFitsChip(chip, static_cast<uint64_t>(size))) return "";
    return "The image is " + std::to_string(size) + " bytes, larger than the " +
           std::to_string(chip.capacity) + " bytes of the " + chip.name;
}

}  // namespace tarvex::cli
