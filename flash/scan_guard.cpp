#include "flash/scan_guard.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "flash/chip_catalogue.h"
#include "flash/command_sequences.h"
#include "flash/data_poll.h"
#include "flash/eprom_access.h"
#include "flash/event_channel.h"
#include "platform/file_io.h"
#include "platform/temp_file.h"

namespace tarvex {

namespace {

constexpr uint32_t CommandOffsets[ScanGuardBlockCount] = {
    LongFirstCycleOffset, LongSecondCycleOffset, ShortFirstCycleOffset, ShortSecondCycleOffset};

// What each adapter's scans said about a ROM they left changed.
std::map<AdapterIndex, std::vector<std::string>> g_scanChanges;

// Writes one page with the part's page-write sequence; true when it reads back right.
bool WriteBack(AdapterIndex adapter, uint32_t start, const uint8_t* page, uint32_t size) {
    PageWrite(adapter, start, page, static_cast<uint16_t>(size));
    if (!DataPoll(adapter, start + size - 1, page[size - 1])) return false;
    uint8_t back[ScanGuardBlockSize];
    return ReadEprom(adapter, start, back, size) == StatusOk && std::memcmp(back, page, size) == 0;
}

// Puts the changed pages of one block back; true when they all read back as they were. Only a
// page-write part takes data without a prefix, so only its pages can be written back.
bool RestoreBlock(AdapterIndex adapter, uint32_t pageSize, uint32_t start, const uint8_t* kept,
                  const uint8_t* now) {
    if (pageSize == 0) return false;
    bool restored = true;
    for (uint32_t page = 0; page < ScanGuardBlockSize; page += pageSize) {
        if (std::memcmp(kept + page, now + page, pageSize) == 0) continue;
        restored = WriteBack(adapter, start + page, kept + page, pageSize) && restored;
    }
    return restored;
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

// Saves the kept bytes to a new file; its path, or empty when none could be written.
std::string SaveKept(const uint8_t* kept) {
    const std::string path = platform::CreateTempImageFile("tarvex-rom-");
    if (path.empty()) return path;
    const int fd = platform::OpenForWriting(path, true);
    const bool saved = fd >= 0 &&
                       platform::WriteFully(fd, kept, ScanGuardBlockSize) == ScanGuardBlockSize &&
                       platform::FlushToDisk(fd);
    if (fd >= 0) platform::CloseFile(fd);
    return saved ? path : std::string();
}

// Where the kept bytes of a block are, for a message.
std::string SavedText(uint32_t start, const uint8_t* kept) {
    const std::string path = SaveKept(kept);
    if (path.empty()) return "they could not be saved to a file";
    return "the " + std::to_string(ScanGuardBlockSize) + " bytes it held at " + Hex(start) + "-" +
           Hex(start + ScanGuardBlockSize - 1) + " are saved in " + path;
}

// Says that a block could not be read after the scan, so whether it changed is not known.
std::string DescribeUnread(uint32_t start, const uint8_t* kept) {
    return "After identifying the chip the ROM at " + Hex(start) + "-" +
           Hex(start + ScanGuardBlockSize - 1) +
           " cannot be read, so whether the identification changed it is not known; " +
           SavedText(start, kept) + ".\n";
}

// Says which bytes of a block the scan left changed and where their old values are.
std::string DescribeChange(uint32_t start, const uint8_t* kept, const uint8_t* now) {
    uint32_t first = ScanGuardBlockSize, last = 0;
    for (uint32_t i = 0; i < ScanGuardBlockSize; ++i) {
        if (kept[i] == now[i]) continue;
        if (first == ScanGuardBlockSize) first = i;
        last = i;
    }
    return "Identifying the chip changed the ROM at " + Hex(start + first) + "-" +
           Hex(start + last) + " and could not write it back; " + SavedText(start, kept) + ".\n";
}

}  // namespace

bool KeepScanReach(AdapterIndex adapter, ScanGuard& guard) {
    bool all = true;
    for (size_t i = 0; i < ScanGuardBlockCount; ++i) {
        guard.start[i] = CommandOffsets[i] - CommandOffsets[i] % ScanGuardBlockSize;
        guard.kept[i] =
            ReadEprom(adapter, guard.start[i], guard.bytes[i], ScanGuardBlockSize) == StatusOk;
        all = all && guard.kept[i];
    }
    return all;
}

int32_t RestoreScanReach(AdapterIndex adapter, int32_t row, const ScanGuard& guard) {
    const uint32_t pageSize = row < 0 ? 0 : PageSizeOf(FlashChipTable[row]);
    std::vector<std::string> said;
    for (size_t i = 0; i < ScanGuardBlockCount; ++i) {
        if (!guard.kept[i]) continue;
        uint8_t now[ScanGuardBlockSize];
        if (ReadEprom(adapter, guard.start[i], now, ScanGuardBlockSize) != StatusOk) {
            said.push_back(DescribeUnread(guard.start[i], guard.bytes[i]));
            continue;
        }
        if (std::memcmp(now, guard.bytes[i], ScanGuardBlockSize) == 0) continue;
        if (RestoreBlock(adapter, pageSize, guard.start[i], guard.bytes[i], now)) continue;
        ReadEprom(adapter, guard.start[i], now, ScanGuardBlockSize);
        said.push_back(DescribeChange(guard.start[i], guard.bytes[i], now));
    }
    if (said.empty()) return 1;
    for (const std::string& line : said) LogEvent(EventText, 0, "%s", line.c_str());
    auto& record = g_scanChanges[adapter];
    record.insert(record.end(), said.begin(), said.end());
    return 0;
}

int32_t ScanChangedRom(AdapterIndex adapter) { return g_scanChanges.count(adapter) != 0 ? 1 : 0; }

void PostScanChanges(AdapterIndex adapter) {
    const auto found = g_scanChanges.find(adapter);
    if (found == g_scanChanges.end()) return;
    for (const std::string& line : found->second) LogEvent(EventText, 0, "%s", line.c_str());
}

void ForgetScanChanges() { g_scanChanges.clear(); }

}  // namespace tarvex
