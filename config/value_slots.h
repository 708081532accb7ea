#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "config/config_entry.h"

namespace tarvex {

// The slot value an entry loads into: its stored value cut to 8 or 16 bits by kind; none for a
// row of no known kind.
std::optional<uint16_t> LoadedSlotValue(const ConfigEntry& entry);

// Copies the stored values of table rows 0 to 8 into g_configSlots, 8 or 16 bits by kind; a row
// of no known kind leaves its slot as it was.
void LoadValueSlots();

// Sets slot `row` to a value the user named: the write-back stores it at its entry's full width
// wherever the stored value differs in any byte.
void NameSlotValue(size_t row, uint16_t value);

// Writes the slots of the counted entries (the first nine at most) that differ from what they
// loaded back at their locations in the image; returns true when at least one byte changed.
// Touches nothing but value bytes.
bool ApplyConfigValues(std::span<uint8_t> image);

}  // namespace tarvex
