#include "config/config_scan.h"

#include <optional>
#include <string_view>

#include "config/config_state.h"
#include "config/limit_text.h"
#include "config/rom_area.h"
#include "platform/byte_order.h"

namespace tarvex {

namespace {

constexpr std::string_view MarkerSwitch = "<VL>";
constexpr std::string_view MarkerEnd = "</V>";
constexpr size_t ScanWindow = 40;  // bytes examined for a label or for limits text

struct ScanArea {
    std::span<const uint8_t> image;  // whole buffer: stored values may lie past the ROM area
    std::span<const uint8_t> rom;    // the ROM area, where markers and text are read
};

// Next position to examine, or nothing when the whole scan ends.
using ScanStep = std::optional<size_t>;

bool MatchesAt(std::span<const uint8_t> bytes, size_t at, std::string_view text) {
    if (at > bytes.size() || bytes.size() - at < text.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (bytes[at + i] != static_cast<uint8_t>(text[i])) {
            return false;
        }
    }
    return true;
}

bool IsNumberMarker(std::span<const uint8_t> rom, size_t at) {
    return MatchesAt(rom, at, "<VB") || MatchesAt(rom, at, "<VW") || MatchesAt(rom, at, "<VD");
}

ConfigEntry& RowUnderConstruction() {
    return g_configEntries[static_cast<size_t>(g_configEntryCount)];
}

// Copies label bytes from start into the row until "</V>"; gives the label length, or nothing
// when no end marker lies within the window and the ROM area.
std::optional<size_t> CaptureLabel(const ScanArea& area, size_t start, ConfigEntry& row) {
    for (size_t k = 0; k < ScanWindow; ++k) {
        size_t at = start + k;
        if (at + MarkerEnd.size() > area.rom.size()) {
            return std::nullopt;
        }
        if (MatchesAt(area.rom, at, MarkerEnd)) {
            return k;
        }
        row.label[k] = static_cast<char>(area.rom[at]);
    }
    return std::nullopt;
}

// Counts the row as an entry whose value starts at location, unless that value would run past
// the buffer; such an entry is handled like one without an end marker.
bool CompleteEntry(const ScanArea& area, ConfigEntry& row, ConfigEntryKind kind,
                   size_t labelLength, size_t location) {
    size_t width = ConfigValueWidth(kind);
    if (location > area.image.size() || area.image.size() - location < width) {
        return false;
    }
    row.kind = kind;
    row.label[labelLength] = '\0';
    row.location = location;
    ++g_configEntryCount;
    return true;
}

// A row that was not completed keeps no label bytes, so it never looks like an entry.
void DropRow(ConfigEntry& row) {
    row.label.fill('\0');
}

ScanStep ScanSwitch(const ScanArea& area, size_t p) {
    ConfigEntry& row = RowUnderConstruction();
    size_t start = p + MarkerSwitch.size();
    std::optional<size_t> length = CaptureLabel(area, start, row);
    if (length && CompleteEntry(area, row, ConfigEntryKind::Switch, *length,
                                start + *length + MarkerEnd.size())) {
        return start + *length + 1;
    }
    DropRow(row);
    return std::nullopt;
}

ConfigEntryKind NumberKind(uint8_t letter) {
    if (letter == 'B') {
        return ConfigEntryKind::ByteNumber;
    }
    return letter == 'W' ? ConfigEntryKind::WordNumber : ConfigEntryKind::DwordNumber;
}

void ConvertLimits(const ScanArea& area, ConfigEntry& row, size_t q, size_t comma) {
    row.min = ConvertLimitText(area.rom.subspan(q));
    row.max = ConvertLimitText(area.rom.subspan(comma + 1));
    row.hasLimits = true;
}

ScanStep ScanNumberLabel(const ScanArea& area, ConfigEntry& row, size_t close) {
    size_t start = close + 1;
    std::optional<size_t> length = CaptureLabel(area, start, row);
    if (length && CompleteEntry(area, row, row.kind, *length, start + *length + MarkerEnd.size())) {
        return start + *length + 1;
    }
    DropRow(row);
    return close + 2;
}

ScanStep ScanNumber(const ScanArea& area, size_t p) {
    ConfigEntry& row = RowUnderConstruction();
    row.kind = NumberKind(area.rom[p + 2]);
    // Limits of an earlier entry in this row must never apply to this one.
    row.min = ConfigDefaultMin;
    row.max = ConfigDefaultMax;
    row.hasLimits = false;
    size_t q = p + 3;
    for (size_t i = 0; i < ScanWindow; ++i) {
        size_t at = q + i;
        if (at >= area.rom.size()) {
            DropRow(row);
            return std::nullopt;
        }
        if (area.rom[at] == ',') {
            ConvertLimits(area, row, q, at);
        } else if (area.rom[at] == '>') {
            return ScanNumberLabel(area, row, at);
        }
    }
    return p + 4;
}

ScanStep ScanAt(const ScanArea& area, size_t p) {
    if (MatchesAt(area.rom, p, MarkerSwitch)) {
        return ScanSwitch(area, p);
    }
    if (IsNumberMarker(area.rom, p)) {
        return ScanNumber(area, p);
    }
    return p + 1;
}

void ClearRows() {
    for (size_t k = 0; k < ConfigSlotCount; ++k) {
        g_configEntries[k].label.fill('\0');
        g_configEntries[k].value = 0;
        g_configEntries[k].location = 0;
    }
}

void ReadStoredValues(std::span<const uint8_t> image) {
    for (size_t i = 0; i < static_cast<size_t>(g_configEntryCount); ++i) {
        ConfigEntry& entry = g_configEntries[i];
        const uint8_t* at = image.data() + entry.location;
        switch (ConfigValueWidth(entry.kind)) {
        case 1: entry.value = at[0]; break;
        case 2: entry.value = LoadLe16(at); break;
        case 4: entry.value = LoadLe32(at); break;
        default: break;
        }
    }
}

}  // namespace

int32_t ParseConfigEntries(std::span<const uint8_t> image) {
    g_configEntryCount = 0;
    ClearRows();
    ScanArea area{image, image.first(ConfigRomAreaSize(image))};
    size_t p = 0;
    // The last position examined is S - 6; a full table ends the scan.
    while (p + 5 < area.rom.size() &&
           static_cast<size_t>(g_configEntryCount) < ConfigEntryCapacity) {
        ScanStep next = ScanAt(area, p);
        if (!next) {
            break;
        }
        p = *next;
    }
    ReadStoredValues(image);
    return g_configEntryCount;
}

}  // namespace tarvex
