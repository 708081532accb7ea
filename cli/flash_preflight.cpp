#include "cli/flash_preflight.h"

#include <cerrno>
#include <cstdio>

#include "driver/adapter_queries.h"
#include "flash/chip_catalogue.h"
#include "flash/event_channel.h"
#include "flash/identify.h"
#include "image/flashed_image.h"
#include "image/rom_reader.h"
#include "platform/file_io.h"

namespace tarvex::cli {

namespace {

void Silent(uint32_t, int32_t, const char*) {}

std::string PciText(PciIdentity identity) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X:%04X", identity & 0xFFFF, identity >> 16);
    return text;
}

// Fills what only the adapter and its chip tell; false when they cannot be known.
bool SurveyTarget(uint32_t adapter, Preflight& pre, int32_t& row, PciIdentity& identity) {
    AdapterInfo info;
    if (GetAdapterInfo(adapter, &info) != 0 || GetAdapterPciId(adapter, &identity) != 0)
        return false;
    row = IdentifyFlashChip(adapter);
    if (row < 0) return false;
    char number[16];
    std::snprintf(number, sizeof number, "%u", adapter);
    pre.target = "Adapter " + std::string(number) + ": " + AdapterName(info) + ", PCI " +
                 PciText(identity) + ", flash chip " + FlashChipTable[row].name;
    pre.romSize = static_cast<uint32_t>(RomSizeForIdentity(identity));
    return true;
}

void Prepare(uint32_t adapter, int fd, const std::string& path, bool force, Preflight& pre) {
    int32_t row = -1;
    PciIdentity adapterIdentity = 0;
    if (!SurveyTarget(adapter, pre, row, adapterIdentity)) return;
    FlashedImage flashed;
    if (LoadFlashedImage(fd, flashed) != StatusOk) return;
    pre.target += "; image " + path + ", made for " + PciText(flashed.identity) + ".";
    if (!force && flashed.identity != adapterIdentity) return;
    const uint32_t length = ProgrammedLength(static_cast<uint32_t>(flashed.loaded.length), row);
    const auto capacity = FlashChipTable[row].capacity;
    if (capacity != 0 && static_cast<uint64_t>(flashed.loaded.fileSize) > capacity) return;
    pre.image.assign(flashed.loaded.bytes.get(), flashed.loaded.bytes.get() + length);
    if (ReadRomQuietly(adapter, length, pre.before) != StatusOk) pre.before.clear();
    pre.reachesChip = true;
}

}  // namespace

Preflight PrepareFlash(uint32_t adapter, const std::string& path, bool force) {
    Preflight pre;
    // A pipe or a device would give its bytes to this read and not to the flash's own.
    errno = 0;
    if (platform::KindOfPath(path) != platform::FileKind::Regular) {
        pre.openError = errno;
        return pre;
    }
    errno = 0;
    const int fd = OpenImageFile(path.c_str());
    if (fd < 0) {
        pre.openError = errno;
        return pre;
    }
    const EventSink previous = CurrentEventSink();
    SetEventSink(Silent);
    Prepare(adapter, fd, path, force, pre);
    SetEventSink(previous);
    platform::CloseFile(fd);
    return pre;
}

}  // namespace tarvex::cli
