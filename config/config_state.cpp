#include "config/config_state.h"

namespace tarvex {

std::array<ConfigEntry, ConfigEntryCapacity> g_configEntries{};
int32_t g_configEntryCount = 0;
std::array<uint16_t, ConfigSlotCount> g_configSlots{};
std::array<bool, ConfigSlotCount> g_configSlotNamed{};

void ResetConfigState() {
    g_configEntries.fill(ConfigEntry{});
    g_configEntryCount = 0;
    g_configSlots.fill(0);
    g_configSlotNamed.fill(false);
}

}  // namespace tarvex
