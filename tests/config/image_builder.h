#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "config/config_state.h"
#include "support/entry_writer.h"
#include "support/rom_images.h"

namespace tarvex::testing {

// The counted entries as "kind:label[min,max]=value" (limits only when the marker had them).
inline std::string EntriesText() {
    std::string text;
    for (int32_t i = 0; i < g_configEntryCount; ++i) {
        const ConfigEntry& e = g_configEntries[static_cast<size_t>(i)];
        text += (i ? " " : "") + std::string(ConfigEntryKindName(e.kind)) + ":" +
                ConfigLabelText(e);
        if (e.hasLimits) {
            text += "[" + std::to_string(e.min) + "," + std::to_string(e.max) + "]";
        }
        text += "=" + std::to_string(e.value);
    }
    return text;
}

}  // namespace tarvex::testing
