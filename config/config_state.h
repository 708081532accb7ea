#pragma once
#include <array>
#include <cstdint>

#include "config/config_entry.h"

namespace tarvex {

// The editor's module state: parsed entries (rows in image order) and the values being edited.
extern std::array<ConfigEntry, ConfigEntryCapacity> g_configEntries;
extern int32_t g_configEntryCount;
extern std::array<uint16_t, ConfigSlotCount> g_configSlots;
// Slots whose value the user named since they were loaded.
extern std::array<bool, ConfigSlotCount> g_configSlotNamed;

// Returns the table, the count and the slots to their state at process start.
void ResetConfigState();

}  // namespace tarvex
