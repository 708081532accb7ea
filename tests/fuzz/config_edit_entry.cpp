#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

#include "config/config_checksum.h"
#include "config/config_scan.h"
#include "config/config_state.h"
#include "config/rom_area.h"
#include "config/value_slots.h"
#include "fuzz_entries.h"
#include "fuzz_support.h"

namespace tarvex::fuzz {

namespace {

constexpr size_t SlotBytes = 2 * ConfigSlotCount;

size_t EditableRows() {
    return std::min(static_cast<size_t>(std::max(g_configEntryCount, 0)), ConfigSlotCount);
}

void CheckEntries(const std::vector<uint8_t>& image) {
    FuzzCheck(
        g_configEntryCount >= 0 && static_cast<size_t>(g_configEntryCount) <= ConfigEntryCapacity,
        "the table never holds more than its rows");
    for (size_t row = 0; row < static_cast<size_t>(g_configEntryCount); ++row) {
        const ConfigEntry& entry = g_configEntries[row];
        const size_t width = ConfigValueWidth(entry.kind);
        FuzzCheck(width > 0, "a counted entry has a kind");
        FuzzCheck(ConfigLabelText(entry).size() < ConfigLabelSize, "a label ends inside its row");
        FuzzCheck(entry.location >= 4 && entry.location + width <= image.size(),
                  "a value lies inside the image");
        FuzzCheck(std::equal(image.begin() + static_cast<ptrdiff_t>(entry.location) - 4,
                             image.begin() + static_cast<ptrdiff_t>(entry.location), "</V>"),
                  "a value follows its end marker");
    }
}

bool InsideEditableValue(size_t offset) {
    for (size_t row = 0; row < EditableRows(); ++row) {
        const ConfigEntry& entry = g_configEntries[row];
        if (offset >= entry.location && offset < entry.location + ConfigValueWidth(entry.kind))
            return true;
    }
    return false;
}

}  // namespace

int FuzzConfigEdit(const uint8_t* data, size_t size) {
    if (size < SlotBytes) return 0;
    std::vector<uint8_t> image(data + SlotBytes, data + size);
    ResetProcessState();
    ParseConfigEntries(image);
    CheckEntries(image);
    LoadValueSlots();
    for (size_t row = 0; row < ConfigSlotCount; ++row)
        g_configSlots[row] = static_cast<uint16_t>(data[2 * row] | data[2 * row + 1] << 8);

    const std::vector<uint8_t> parsed = image;
    const bool changed = ApplyConfigValues(image);
    FuzzCheck(changed == (image != parsed), "the write-back reports exactly whether it wrote");
    for (size_t i = 0; i < image.size(); ++i)
        FuzzCheck(image[i] == parsed[i] || InsideEditableValue(i),
                  "only the values of the first nine entries change");
    if (!changed) return 0;
    const std::vector<uint8_t> applied = image;
    FixConfigChecksum(image, image.size());
    FuzzCheck(std::inner_product(image.begin(), image.end(), applied.begin(), size_t{0},
                                 std::plus<>(), std::not_equal_to<>()) <= 1,
              "the checksum fix-up changes at most one byte");
    const auto area = static_cast<ptrdiff_t>(ConfigRomAreaSize(image));
    FuzzCheck(std::accumulate(image.begin(), image.begin() + area, 0) % 256 == 0,
              "the ROM area sums to 0 after an edit");
    return 0;
}

}  // namespace tarvex::fuzz
