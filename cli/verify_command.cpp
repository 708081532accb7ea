#include "cli/verify_command.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "cli/console_progress.h"
#include "cli/exit_codes.h"
#include "cli/flash_target.h"
#include "driver/adapter_queries.h"
#include "driver/rom_size.h"
#include "flash/eprom_access.h"
#include "flash/event_channel.h"
#include "flash/identify.h"
#include "flash/scan_guard.h"
#include "image/flashed_image.h"
#include "image/rom_backup.h"
#include "platform/file_io.h"

namespace tarvex::cli {

namespace {

struct Comparison {
    FlashStatus status = StatusOk;
    uint32_t differing = 0;
    uint32_t first = 0;
    uint8_t romByte = 0;
    uint8_t imageByte = 0;
};

Comparison CompareRom(uint32_t adapter, const uint8_t* image, uint32_t length) {
    Comparison result;
    uint8_t block[BackupBlockSize];
    for (uint32_t offset = 0; offset < length; offset += BackupBlockSize) {
        const uint32_t count = std::min(BackupBlockSize, length - offset);
        result.status = ReadEprom(adapter, offset, block, count);
        if (result.status != StatusOk) return result;
        for (uint32_t i = 0; i < count; ++i) {
            if (block[i] == image[offset + i]) continue;
            if (result.differing++ == 0) {
                result.first = offset + i;
                result.romByte = block[i];
                result.imageByte = image[offset + i];
            }
        }
    }
    return result;
}

void NoteForeignIdentity(PciIdentity adapter, PciIdentity image, std::ostream& err) {
    if (adapter == image) return;
    char line[128];
    std::snprintf(line, sizeof line,
                  "Note: the image is made for %04X:%04X; a flash without --force refuses it.\n",
                  image & 0xFFFF, image >> 16);
    err << line;
}

int ReportComparison(const Comparison& result, uint32_t length, std::ostream& out) {
    char line[160];
    if (result.differing == 0) {
        std::snprintf(line, sizeof line, "ROM matches the image: %u bytes compared.\n", length);
        out << line;
        return StatusOk;
    }
    std::snprintf(line, sizeof line,
                  "First difference at 0x%X: ROM 0x%02X, image 0x%02X.\n"
                  "%u of %u bytes differ.\n",
                  result.first, result.romByte, result.imageByte, result.differing, length);
    out << line;
    return StatusVerifyFailed;
}

// The bytes a flash of this image would write: the chip identified, the image fitting it. 0 with
// the length, else the status that stops the comparison.
int ProgrammedBytes(uint32_t adapter, PciIdentity identity, const FlashedImage& image,
                    uint32_t& length, std::ostream& err) {
    const int64_t size = image.loaded.fileSize;
    std::string tooLarge =
        TooLargeForRom(size, static_cast<uint32_t>(RomSizeForIdentity(identity)), adapter);
    if (!tooLarge.empty()) {
        err << tooLarge << ".\n";
        return StatusImageTooLarge;
    }
    const int32_t row = IdentifyFlashChip(adapter);
    if (ScanChangedRom(adapter)) return StatusScanChangedRom;
    if (row < 0) {
        LogEvent(EventText, 0, "No Support EPROM found\n");
        return StatusNoEprom;
    }
    tooLarge = TooLargeForChip(size, row);
    if (!tooLarge.empty()) {
        err << tooLarge << ".\n";
        return StatusImageTooLarge;
    }
    length = ProgrammedLength(static_cast<uint32_t>(image.loaded.length), row);
    return 0;
}

// The comparison itself, with the console sink installed by the caller.
int VerifyLoaded(uint32_t adapter, PciIdentity identity, int fd, std::ostream& out,
                 std::ostream& err) {
    FlashedImage image;
    const FlashStatus loaded = LoadFlashedImage(fd, image);
    if (loaded != StatusOk) return loaded;
    NoteForeignIdentity(identity, image.identity, err);
    uint32_t length = 0;
    if (const int stop = ProgrammedBytes(adapter, identity, image, length, err)) return stop;
    const Comparison result = CompareRom(adapter, image.loaded.bytes.get(), length);
    if (result.status != StatusOk) return result.status;
    return ReportComparison(result, length, out);
}

// The command line's own exit statuses for what stops a verification before it compares.
int VerifyExitStatus(int status) {
    switch (status) {
    case StatusInvalidImage:
    case StatusNoMemory:
        return ExitBadImage;
    case StatusAdapterInfo:
        return ExitUnavailable;
    case StatusOpenFailed:
    case StatusReadError:
        return ExitFileError;
    default:  // the comparison's outcome, or the flash's own refusal (8, 10, 15)
        return status;
    }
}

}  // namespace

int RunVerify(uint32_t adapter, const std::string& image, std::ostream& out, std::ostream& err) {
    AdapterInfo info;
    PciIdentity identity = 0;
    if (GetAdapterInfo(adapter, &info) != 0 || GetAdapterPciId(adapter, &identity) != 0) {
        err << "Adapter " << adapter << " does not answer its information or identity query.\n";
        return VerifyExitStatus(StatusAdapterInfo);
    }
    const int fd = OpenImageFile(image.c_str());
    if (fd < 0) {
        err << "Failed to open file: " << image << "\n";
        return VerifyExitStatus(StatusOpenFailed);
    }
    const EventSink previous = CurrentEventSink();
    BeginConsoleProgress(err, false);
    SetEventSink(ConsoleProgressSink);
    const int status = VerifyLoaded(adapter, identity, fd, out, err);
    SetEventSink(previous);
    EndConsoleProgress();
    platform::CloseFile(fd);
    return VerifyExitStatus(status);
}

}  // namespace tarvex::cli
