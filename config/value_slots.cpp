#include "config/value_slots.h"

#include <algorithm>

#include "config/config_state.h"
#include "platform/byte_order.h"

namespace tarvex {

namespace {

// Stores the entry's value in its width where the image differs; true when something changed.
bool StoreWhenChanged(std::span<uint8_t> image, const ConfigEntry& entry) {
    size_t width = ConfigValueWidth(entry.kind);
    if (width == 0 || entry.location > image.size() || image.size() - entry.location < width) {
        return false;
    }
    uint8_t* at = image.data() + entry.location;
    switch (width) {
    case 1:
        if (at[0] == static_cast<uint8_t>(entry.value)) {
            return false;
        }
        at[0] = static_cast<uint8_t>(entry.value);
        return true;
    case 2:
        if (LoadLe16(at) == static_cast<uint16_t>(entry.value)) {
            return false;
        }
        StoreLe16(at, static_cast<uint16_t>(entry.value));
        return true;
    default:
        if (LoadLe32(at) == entry.value) {
            return false;
        }
        StoreLe32(at, entry.value);
        return true;
    }
}

}  // namespace

std::optional<uint16_t> LoadedSlotValue(const ConfigEntry& entry) {
    switch (entry.kind) {
    case ConfigEntryKind::Switch:
    case ConfigEntryKind::ByteNumber:
        return static_cast<uint16_t>(entry.value & 0xFF);
    case ConfigEntryKind::WordNumber:
    case ConfigEntryKind::DwordNumber:
        return static_cast<uint16_t>(entry.value & 0xFFFF);
    default:
        return std::nullopt;
    }
}

void LoadValueSlots() {
    for (size_t k = 0; k < ConfigSlotCount; ++k) {
        if (const auto loaded = LoadedSlotValue(g_configEntries[k])) g_configSlots[k] = *loaded;
    }
    g_configSlotNamed.fill(false);
}

void NameSlotValue(size_t row, uint16_t value) {
    if (row >= ConfigSlotCount) return;
    g_configSlots[row] = value;
    g_configSlotNamed[row] = true;
}

bool ApplyConfigValues(std::span<uint8_t> image) {
    size_t count = std::min(static_cast<size_t>(std::max(g_configEntryCount, 0)), ConfigSlotCount);
    bool changed = false;
    for (size_t i = 0; i < count; ++i) {
        ConfigEntry& entry = g_configEntries[i];
        // An untouched slot may hold a narrowed copy (a DWord above 65535); its bytes stay.
        if (!g_configSlotNamed[i] && LoadedSlotValue(entry) == g_configSlots[i]) continue;
        entry.value = g_configSlots[i];
        if (StoreWhenChanged(image, entry)) {
            changed = true;
        }
    }
    return changed;
}

}  // namespace tarvex
